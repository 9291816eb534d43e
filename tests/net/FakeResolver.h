#pragma once
// A resolver the test answers itself: names to address lists, addresses to names, and a gate that
// holds every lookup until the test opens it, so a test can act while lookups are running.
#include "platform/Resolver.h"

#include <QMap>
#include <QMutex>
#include <QSemaphore>

struct TFakeResolver : TResolver {
  QMap<QString, QStringList> Forward;
  QMap<QString, QString> Reverse;
  bool Gated = false;

  QStringList Addresses(const QString &host) override {
    Record(host);
    return Forward.value(host);
  }
  QString NameOf(const QString &address) override {
    Record(address);
    return Reverse.value(address);
  }
  // Lets n held lookups go on.
  void Open(int n = 1) { FGate.release(n); }
  QStringList Asked() const {
    QMutexLocker lock(&FMutex);
    return FAsked;
  }

 private:
  void Record(const QString &question) {
    {
      QMutexLocker lock(&FMutex);
      FAsked << question;
    }
    if (Gated) FGate.acquire();
  }
  mutable QMutex FMutex;
  QStringList FAsked;
  QSemaphore FGate;
};
