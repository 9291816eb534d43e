#include "WebSites.h"

using namespace Qt::Literals::StringLiterals;

const std::vector<TWebTool> &WebTools() {
  static const std::vector<TWebTool> tools = {
      {0, u"cmQuennetIpRep"_s, u"IP Reputation"_s, u"ip-reputation"_s},
      {1, u"cmQuennetDomRep"_s, u"Domain Reputation"_s, u"domain-reputation"_s},
      {2, u"cmQuennetUrlRep"_s, u"URL Reputation"_s, u"url-reputation"_s},
      {3, u"cmQuennetEmailRep"_s, u"Email Reputation"_s, u"email-reputation"_s},
      {4, u"cmQuennetScreenshot"_s, u"Web Page Screenshot"_s, u"web-page-screenshot"_s},
      {5, u"cmQuennetSsl"_s, u"SSL Details"_s, u"ssl-details"_s},
      {6, u"cmQuennetDnsLookup"_s, u"DNS Lookup Tool"_s, u"dns-lookup"_s},
      {7, u"cmQuennetHttpTracker"_s, u"HTTP Requests Tracker"_s, u"http-requests-tracker"_s},
      {9, u"cmQuennetMyIp"_s, u"My IP Address"_s, u"my-ip-address"_s},
      {10, u"cmQuennetSecHeaders"_s, u"Security Headers"_s, u"security-headers"_s},
      {11, u"cmQuennetMinify"_s, u"Minify CSS, JS, HTML"_s, u"minify"_s},
      {12, u"cmQuennetUnminify"_s, u"Unminify CSS, JS, HTML"_s, u"unminify"_s},
      {13, u"cmQuennetCompress"_s, u"Compress PNG JPEG"_s, u"compress-png-jpeg"_s},
      {14, u"cmQuennetWebp"_s, u"Image to WebP"_s, u"image-to-webp"_s},
      {15, u"cmQuennetExif"_s, u"Image EXIF Remover"_s, u"image-exif-remover"_s},
      {17, u"cmQuennetPing"_s, u"Multi-Location Ping"_s, u"multi-location-ping"_s},
      {18, u"cmQuennetCurl"_s, u"Curl Command Builder"_s, u"curl-command-builder"_s},
      {19, u"cmQuennetCron"_s, u"Cron Expression Builder"_s, u"cron-expression-builder"_s},
      {20, u"cmQuennetYaml"_s, u"YAML Validator"_s, u"yaml-validator"_s},
      {21, u"cmQuennetExifViewer"_s, u"Image EXIF Viewer"_s, u"image-exif-viewer"_s},
      {22, u"cmQuennetQrScanner"_s, u"QR Code Scanner"_s, u"qr-code-scanner"_s},
      {23, u"cmQuennetSvgToPng"_s, u"SVG to PNG"_s, u"svg-to-png"_s},
      {24, u"cmQuennetMergePdf"_s, u"Merge PDF Documents"_s, u"merge-pdf"_s},
      {25, u"cmQuennetTlsVersion"_s, u"TLS Version"_s, u"tls-version"_s},
      {26, u"cmQuennetTrustScore"_s, u"Website Trust Score"_s, u"website-trust-score"_s},
      {27, u"cmQuennetWhois"_s, u"WHOIS Lookup"_s, u"whois-lookup"_s},
      {28, u"cmQuennetAsnLookup"_s, u"ASN Lookup"_s, u"asn-lookup"_s},
  };
  return tools;
}

namespace {
QStringList ItemsOf(std::initializer_list<int> tags) {
  QStringList names;
  for (const int tag : tags)
    for (const TWebTool &tool : WebTools())
      if (tool.Tag == tag) names << tool.Name;
  return names;
}
}  // namespace

QStringList SecurityToolItems() { return ItemsOf({28, 6, 1, 3, 7, 0, 10, 5, 25, 2, 4, 26, 27}); }

QStringList GenericToolItems() { return ItemsOf({13, 19, 18, 15, 21, 14, 24, 11, 17, 9, 22, 23, 12, 20}); }

QUrl WebToolPage(int tag) {
  for (const TWebTool &tool : WebTools())
    if (tool.Tag == tag) return QUrl(KWebToolsSite + u"/tools/"_s + tool.Page);
  return QUrl();
}

QUrl WebToolsHome() { return QUrl(KWebToolsSite + u"/tools/"_s); }
