#include "SelectionKinds.h"

#include "TextRules.h"
#include "net/HtmlTags.h"
#include "net/WebAddress.h"

namespace {

bool HasLineBreak(QStringView text) { return text.contains(u'\r') || text.contains(u'\n'); }

QStringView Unquoted(QStringView text) {
  if (text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"')) return text.sliced(1, text.size() - 2);
  return text;
}

bool StartsCaseless(QStringView text, QStringView prefix) {
  return text.size() >= prefix.size() && SameAsciiCaseless(text.first(prefix.size()), prefix);
}

struct TRegistryRoot {
  QStringView Long;
  QStringView Short;
};

constexpr TRegistryRoot KRoots[] = {
    {u"HKEY_LOCAL_MACHINE", u"HKLM"}, {u"HKEY_CURRENT_USER", u"HKCU"},   {u"HKEY_CLASSES_ROOT", u"HKCR"},
    {u"HKEY_USERS", u"HKU"},          {u"HKEY_CURRENT_CONFIG", u"HKCC"},
};

}  // namespace

QString SelectedPathText(QStringView selection) { return Unquoted(Trimmed(selection)).toString(); }

bool LooksLikePath(QStringView selection) {
  const QStringView trimmed = Trimmed(selection);
  if (trimmed.isEmpty() || HasLineBreak(trimmed)) return false;
  const QStringView path = Unquoted(trimmed);
  if (path.size() >= 2 && (path.startsWith(u"/") || path.startsWith(u"~/"))) return true;
  if (path.size() >= 3 && path[0].isLetter() && path[1] == u':' && (path[2] == u'\\' || path[2] == u'/')) return true;
  return path.size() >= 2 && path.startsWith(u"\\\\");
}

bool LooksLikeUrl(QStringView selection) {
  const QStringView trimmed = Trimmed(selection);
  return !HasLineBreak(trimmed) && HasWebScheme(trimmed);
}

std::optional<QString> NormalizeRegistryKey(QStringView text) {
  QStringView key = Trimmed(text);
  if (key.isEmpty() || HasLineBreak(key)) return std::nullopt;
  if (StartsCaseless(key, u"Computer\\")) key = Trimmed(key.sliced(9));
  else if (StartsCaseless(key, u"My Computer\\")) key = Trimmed(key.sliced(12));
  while (key.endsWith(u'\\')) key.chop(1);
  if (key.isEmpty()) return std::nullopt;
  const qsizetype slash = key.indexOf(u'\\');
  const QStringView root = Trimmed(slash < 0 ? key : key.first(slash));
  const QStringView rest = slash < 0 ? QStringView() : key.sliced(slash + 1);
  for (const TRegistryRoot &known : KRoots) {
    if (!SameAsciiCaseless(root, known.Long) && !SameAsciiCaseless(root, known.Short)) continue;
    QString result = QStringLiteral("Computer\\");
    result += known.Long;
    if (!rest.isEmpty()) {
      result += u'\\';
      result += rest;
    }
    return result;
  }
  return std::nullopt;
}
