#pragma once
// Host names and addresses as the user types them or a service answers them, read strictly:
// only text that is plainly one address or one host name goes on to the resolver, so "8.8.8" or
// "010.001.002.003" (which the system's lenient parser reads as other addresses) and a port or a
// user name in front of a host are never looked up as if they were the host.
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <optional>

// Four decimal parts 0 to 255 without leading zeros, or an IPv6 address, in canonical text;
// nullopt for anything else (a host name, a zone suffix, a short or octal form).
std::optional<QString> ParseIpAddress(QStringView text);

enum class TWebsiteKind : quint8 {
  Nothing,   // nothing left to look up: the command ends silently
  Invalid,   // neither an address nor a host name: the lookup fails
  HostName,  // an ASCII host name (non-ASCII names converted to their IDN form)
  Address,   // an address literal, canonical
};

struct TWebsiteHost {
  TWebsiteKind Kind;
  QString Text;
};

// The host of what the user typed for a website: trimmed, without a scheme ("name://"), path,
// query, fragment, user information or port; "[2001:db8::1]:8080" and a bare "2001:db8::1" are
// addresses.
TWebsiteHost NormalizeWebsiteHost(QStringView input);

// The address a website's name stands for: the first IPv4 address of the resolver's list, else its
// first address; empty for an empty list.
QString PickWebsiteAddress(const QStringList &addresses);

// A reverse lookup's answer when it is a plain host name (ASCII letters, digits, "-", "_", "."),
// else empty, so nothing else reaches the document.
QString CheckedHostName(QStringView name);

// The caller's address as a what-is-my-address service answers it: a short body holding one
// address and nothing else but blanks; nullopt for anything else.
std::optional<QString> ParseMyIpBody(QByteArrayView body);
