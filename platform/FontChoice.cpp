#include "FontChoice.h"

#include <QFontDatabase>
#include <QFontInfo>

QFont ChooseFixedFont(const QString &family, int pointSize) {
  QFont font = QFontDatabase::hasFamily(family) ? QFont(family) : QFontDatabase::systemFont(QFontDatabase::FixedFont);
  // "monospace" and similar aliases resolve to a real family; keep the resolved name so renderers
  // that take a family name by text find the same face.
  font.setFamily(QFontInfo(font).family());
  font.setPointSize(pointSize);
  return font;
}
