#include "Rot13.h"

QString Rot13(QStringView text) {
  QString result = text.toString();
  for (QChar &c : result) {
    const char16_t u = c.unicode();
    if ((u >= u'a' && u <= u'm') || (u >= u'A' && u <= u'M')) c = QChar(u + 13);
    else if ((u >= u'n' && u <= u'z') || (u >= u'N' && u <= u'Z')) c = QChar(u - 13);
  }
  return result;
}
