#include "Worker.h"

#include <QCoreApplication>
#include <QMetaObject>

TWorker::TWorker(TWork work) : FThread([this, work = std::move(work)] { work(FStop); }) {}

TWorker::~TWorker() {
  FStop = true;
  FThread.join();
}

void PostToMainThread(std::function<void()> call) {
  QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(call), Qt::QueuedConnection);
}
