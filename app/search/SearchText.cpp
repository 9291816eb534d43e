#include "SearchText.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

constexpr int KHistoryLimit = 30;

int HexValue(QChar c) {
  if (c >= u'0' && c <= u'9') return c.unicode() - u'0';
  if (c >= u'a' && c <= u'f') return c.unicode() - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c.unicode() - u'A' + 10;
  return -1;
}

}  // namespace

QString ExpandEscapes(QStringView text) {
  QString out;
  out.reserve(text.size());
  qsizetype i = 0;
  while (i < text.size()) {
    const QChar c = text[i];
    if (c != u'\\' || i + 1 == text.size()) {
      out += c;
      ++i;
      continue;
    }
    const QChar next = text[i + 1];
    i += 2;
    switch (next.unicode()) {
      case u'0': out += QChar(0); break;
      case u'\\': out += u'\\'; break;
      case u'n': out += u'\n'; break;
      case u'r': out += u'\r'; break;
      case u't': out += u'\t'; break;
      case u'x': {
        int value = 0, digits = 0;
        while (digits < 2 && i < text.size() && HexValue(text[i]) >= 0) {
          value = value * 16 + HexValue(text[i++]);
          ++digits;
        }
        if (digits > 0) out += QChar(char16_t(value));
        else out += u"\\x";
        break;
      }
      default:
        out += u'\\';
        out += next;
    }
  }
  return out;
}

void AddHistory(QComboBox *combo, const QString &text) {
  if (text.isEmpty()) return;
  const QString current = combo->currentText();
  const int cursor = combo->lineEdit() ? combo->lineEdit()->cursorPosition() : 0;
  for (int i = combo->count() - 1; i >= 0; --i)
    if (combo->itemText(i).compare(text, Qt::CaseInsensitive) == 0) combo->removeItem(i);
  combo->insertItem(0, text);
  while (combo->count() > KHistoryLimit) combo->removeItem(combo->count() - 1);
  combo->setCurrentIndex(-1);
  combo->setEditText(current);
  if (combo->lineEdit()) combo->lineEdit()->setCursorPosition(cursor);
}
