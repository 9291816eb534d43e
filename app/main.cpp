// Quennet Notepad: one copy per user and display; a later copy hands its command line to the
// running one.
#include "CommandLine.h"
#include "MainWindow.h"
#include "platform/LargePages.h"
#include "platform/MessageBox.h"
#include "platform/SingleInstance.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

namespace {
// Long enough for a busy first copy, short enough that a hung one does not hang this one.
constexpr int KHandOffTimeoutMs = 3000;
}  // namespace

int main(int argc, char **argv) {
  UseLargePageHeap(argv);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quennet Notepad"));
  QStringList arguments = app.arguments().mid(1);
  // QUENNET_INSTANCE keeps copies started for tests and checks apart from the user's own.
  TSingleInstance instance(TSingleInstance::DefaultName(qEnvironmentVariable("QUENNET_INSTANCE")));
  bool first = instance.TryBecomeFirst();
  if (!first) {
    const QString text = BuildHandOffText(arguments, QDir::currentPath());
    if (instance.HandOff(text, KHandOffTimeoutMs)) return 0;
    // No copy answered: run as one of our own. A list file is gone by now, so open what it held;
    // when none of the files exists the arguments stay, so the session is still skipped.
    if (const QStringList files = FilesFromHandOffText(text); !files.isEmpty()) arguments = files;
    // The running copy may have ended meanwhile; then this one serves the copies after it.
    first = instance.TryBecomeFirst();
  }
  TfrmMain window(arguments, qEnvironmentVariable("QUENNET_SETTINGS"));
  if (first && !instance.Listen([&window](const QString &text) { window.ReceiveHandOff(text); })) {
    // This copy works on; only files from later copies open in windows of their own.
    QTimer::singleShot(0, &window, [&window, reason = instance.ListenError()] {
      ShowError(&window, QStringLiteral("Could not take files from other copies of the program: ") + reason);
    });
  }
  window.show();
  return app.exec();
}
