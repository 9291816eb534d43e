#include "ToolWork.h"

#include <QFutureWatcher>
#include <QProgressDialog>
#include <QScopeGuard>
#include <QSemaphore>
#include <QtConcurrent>

bool RunToolWork(QWidget *parent, const QString &label, std::function<void()> work) {
  // Shared with the worker, which may outlive this call when it is cancelled.
  auto finished = std::make_shared<QSemaphore>();
  QFuture<void> future = QtConcurrent::run([finished, work = std::move(work)] {
    const auto done = qScopeGuard([&] { finished->release(); });
    work();
  });
  if (finished->tryAcquire(1, KToolProgressDelayMs)) return true;

  QProgressDialog progress(label, QStringLiteral("Cancel"), 0, 0, parent);
  progress.setObjectName(KToolProgressName);
  progress.setWindowModality(Qt::ApplicationModal);
  progress.setAutoClose(false);
  progress.setAutoReset(false);
  progress.setMinimumDuration(0);
  QFutureWatcher<void> watcher;
  QObject::connect(&watcher, &QFutureWatcherBase::finished, &progress, &QDialog::accept);
  QObject::connect(&progress, &QProgressDialog::canceled, &progress, &QDialog::reject);
  watcher.setFuture(future);
  // Cancel wins even over a work that ended at the same moment.
  return progress.exec() == QDialog::Accepted && finished->tryAcquire(1);
}
