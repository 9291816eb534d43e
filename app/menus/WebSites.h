#pragma once
// The web addresses the program opens or asks: the search page, the product's web tools and the
// service that tells the caller's public address. These are configuration: change them here.
#include <QString>
#include <QUrl>

#include <vector>

// "Search on Google": the search page's host; the path "/search" and the key "q" are fixed.
inline const QString KWebSearchSite = QStringLiteral("https://www.google.com");

// The product's web tools, one page per tool under "/tools/" of this site. The site's address is a
// placeholder under the reserved ".example" domain until the product's own is set here.
inline const QString KWebToolsSite = QStringLiteral("https://quennet-tools.example");

// An HTTPS service whose root answers the caller's public address as plain text.
inline const QUrl KMyIpService = QUrl(QStringLiteral("https://api.ipify.org/"));

struct TWebTool {
  int Tag;
  QString Name;     // the menu item
  QString Caption;
  QString Page;     // under "/tools/"
};

// The web tools of the "Security Tools" and "Generic Tools" submenus, by tag.
const std::vector<TWebTool> &WebTools();
// The items of the two submenus, in menu order.
QStringList SecurityToolItems();
QStringList GenericToolItems();
// The page of the tool with tag, or an empty address for a tag no tool has.
QUrl WebToolPage(int tag);
// The online tools page of the Tools menu.
QUrl WebToolsHome();
