// Quennet Notepad. For now a read-only viewer: one tab per file named on the command line.
#include "core/Encoding.h"
#include "core/LineStore.h"
#include "platform/LargePages.h"

#include <QApplication>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMainWindow>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTabWidget>

namespace {

QPlainTextEdit *MakeView(const QString &text) {
  auto *view = new QPlainTextEdit;
  view->setReadOnly(true);
  view->setLineWrapMode(QPlainTextEdit::NoWrap);
  view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  view->setPlainText(text);
  return view;
}

}  // namespace

int main(int argc, char **argv) {
  UseLargePageHeap(argv);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quennet Notepad"));
  QMainWindow window;
  auto *tabs = new QTabWidget;
  window.setCentralWidget(tabs);
  window.resize(900, 650);
  window.setWindowTitle(QStringLiteral("Quennet Notepad"));
  window.show();

  const QStringList files = app.arguments().mid(1);
  for (const QString &file : files) {
    TMELineList lines;
    QString error;
    if (!lines.LoadFromFile(file, &error)) {
      QMessageBox::critical(&window, QStringLiteral("Quennet Notepad"), QStringLiteral("Could not open file: ") + error);
      continue;
    }
    const int tab = tabs->addTab(MakeView(lines.GetText()), QFileInfo(file).fileName());
    tabs->setTabToolTip(tab, QFileInfo(file).absoluteFilePath() + QStringLiteral("\n") +
                                 EncKindName(EncKindOf(lines.GetEncoding(), lines.HasBOM())));
  }
  if (tabs->count() == 0) tabs->addTab(MakeView(QString()), QStringLiteral("Untitled"));
  return app.exec();
}
