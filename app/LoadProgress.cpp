#include "LoadProgress.h"

#include <QLabel>
#include <QProgressBar>

TLoadProgress::TLoadProgress(QLabel *label, QProgressBar *bar, QObject *parent)
    : QObject(parent), FLabel(label), FBar(bar) {
  FRefresh.setSingleShot(true);
  FRefresh.setInterval(KRefreshMs);
  connect(&FRefresh, &QTimer::timeout, this, [this] {
    if (FPending) Show();
  });
}

void TLoadProgress::Report(const QString &fileName, int percent) {
  FFileName = fileName;
  FPercent = percent;
  FPending = true;
  if (!FRefresh.isActive()) Show();
}

void TLoadProgress::Show() {
  FPending = false;
  FBar->setValue(FPercent);
  FBar->show();
  FLabel->setText(QStringLiteral("Loading %1 ... %2%").arg(FFileName).arg(FPercent));
  FRefresh.start();
}

void TLoadProgress::Finish() {
  FRefresh.stop();
  FPending = false;
  FBar->hide();
}
