#pragma once
// The kinds of artefact the Extract commands pull out of a text: each one's title, pattern, which
// group holds the value and how values are filtered or counted.
#include <QString>

// In the order of the menu items' tags.
enum class TExtractKind : quint8 {
  Urls,
  Emails,
  Domains,
  IPv4Addresses,
  Timestamps,
  Md5Hashes,
  Sha1Hashes,
  Sha256Hashes,
  QuotedStrings,
  HtmlAttributes,
  WindowsPaths,
  PublicIPv4Addresses,
  IPv4AddressCounts,
  PhoneNumbers,
};
constexpr int KExtractKindCount = 14;

struct TExtractSpec {
  QString Title;
  QString Pattern;
  // The group whose text is the value, 0 for the whole match; AltGroup (-1: none) stands in when
  // Group is empty.
  int Group = 0;
  int AltGroup = -1;
  // Keep only addresses outside the private and special ranges.
  bool PublicIPOnly = false;
  // Normalise phone-number candidates and drop those that look like dates or dotted numbers.
  bool PhoneFilter = false;
  // Count each value's occurrences instead of listing the distinct values.
  bool CountMode = false;
};

QString ExtractMenuCaption(TExtractKind kind);
TExtractSpec ExtractSpecOf(TExtractKind kind);
