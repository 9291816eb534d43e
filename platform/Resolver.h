#pragma once
// The system's name resolver, behind an interface so tests can answer lookups themselves. Both
// calls block: run them off the user-interface thread.
#include <QString>
#include <QStringList>

#include <memory>

class TResolver {
 public:
  virtual ~TResolver() = default;
  // The addresses of an ASCII host name for stream sockets of any family, in the order the system
  // gives them, as numeric text; empty when the name does not resolve.
  virtual QStringList Addresses(const QString &host) = 0;
  // The name registered for a numeric address (a name is required: the address's own text does
  // not count); empty when there is none.
  virtual QString NameOf(const QString &address) = 0;
};

std::shared_ptr<TResolver> SystemResolver();
