#pragma once
// An environment variable set for a scope, for tests that point a desktop folder elsewhere.
#include <QByteArray>
#include <QtGlobal>

class TScopedEnvironment {
 public:
  TScopedEnvironment(const char *name, const QByteArray &value)
      : FName(name), FHad(qEnvironmentVariableIsSet(name)), FOld(qgetenv(name)) {
    qputenv(name, value);
  }
  ~TScopedEnvironment() {
    if (FHad) qputenv(FName, FOld);
    else qunsetenv(FName);
  }
  TScopedEnvironment(const TScopedEnvironment &) = delete;
  TScopedEnvironment &operator=(const TScopedEnvironment &) = delete;

 private:
  const char *FName;
  bool FHad;
  QByteArray FOld;
};
