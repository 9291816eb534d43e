#include "Resolver.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <netdb.h>
#include <sys/socket.h>
#endif

namespace {

struct TAddressList {
  addrinfo *List = nullptr;
  ~TAddressList() {
    if (List) freeaddrinfo(List);
  }
};

QString NumericText(const addrinfo *entry) {
  char host[NI_MAXHOST];
  if (getnameinfo(entry->ai_addr, entry->ai_addrlen, host, sizeof host, nullptr, 0, NI_NUMERICHOST) != 0)
    return QString();
  return QString::fromLatin1(host);
}

class TSystemResolver : public TResolver {
 public:
  QStringList Addresses(const QString &host) override {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    TAddressList found;
    if (host.isEmpty() || getaddrinfo(host.toLatin1().constData(), nullptr, &hints, &found.List) != 0) return {};
    QStringList addresses;
    for (const addrinfo *entry = found.List; entry; entry = entry->ai_next)
      if (const QString text = NumericText(entry); !text.isEmpty()) addresses << text;
    return addresses;
  }

  QString NameOf(const QString &address) override {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_flags = AI_NUMERICHOST;
    TAddressList found;
    if (getaddrinfo(address.toLatin1().constData(), nullptr, &hints, &found.List) != 0 || !found.List) return QString();
    char name[NI_MAXHOST];
    if (getnameinfo(found.List->ai_addr, found.List->ai_addrlen, name, sizeof name, nullptr, 0, NI_NAMEREQD) != 0)
      return QString();
    return QString::fromLatin1(name);
  }
};

}  // namespace

std::shared_ptr<TResolver> SystemResolver() {
  static const std::shared_ptr<TResolver> system = std::make_shared<TSystemResolver>();
  return system;
}
