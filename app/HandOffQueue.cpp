#include "HandOffQueue.h"

#include <QApplication>
#include <QEvent>
#include <QScopedValueRollback>
#include <QTimer>
#include <QWidget>

#include <utility>

THandOffQueue::THandOffQueue(std::function<void(const QString &)> open, QObject *parent)
    : QObject(parent), FOpen(std::move(open)) {}

void THandOffQueue::Receive(const QString &text) {
  FPending << text;
  OpenWhenFree();
}

void THandOffQueue::OpenWhenFree() {
  while (!FPending.isEmpty()) {
    if (QWidget *modal = QApplication::activeModalWidget()) {
      WaitFor(modal);
      return;
    }
    // A text that comes while an earlier one opens (whose questions run event loops of their own)
    // is left to the loop that opens that one.
    if (FOpening) return;
    const QScopedValueRollback opening(FOpening, true);
    FOpen(FPending.takeFirst());
  }
}

void THandOffQueue::WaitFor(QWidget *modal) {
  if (FWatched != modal) {
    if (FWatched) FWatched->removeEventFilter(this);
    FWatched = modal;
    modal->installEventFilter(this);
    connect(modal, &QObject::destroyed, this, &THandOffQueue::OpenLater, Qt::UniqueConnection);
  }
  modal->raise();
  modal->activateWindow();
}

void THandOffQueue::OpenLater() {
  // The dialog leaves the modal stack only once it is hidden; the next one may already be open.
  QTimer::singleShot(0, this, &THandOffQueue::OpenWhenFree);
}

bool THandOffQueue::eventFilter(QObject *watched, QEvent *event) {
  if (watched == FWatched && event->type() == QEvent::Hide) {
    FWatched->removeEventFilter(this);
    disconnect(FWatched, nullptr, this, nullptr);
    FWatched = nullptr;
    OpenLater();
  }
  return QObject::eventFilter(watched, event);
}
