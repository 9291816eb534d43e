#include "UniLanguage.h"

TUniStringSpec Quote(QStringView open, char16_t escape, int flags, QStringView close) {
  return {open.toString(), (close.isEmpty() ? open : close).toString(), escape,
          (flags & qfDoubling) != 0, (flags & qfMultiline) != 0};
}

QList<TUniStringSpec> CStyleStrings() {
  return {Quote(u"\"", KBackslash), Quote(u"'", KBackslash)};
}
