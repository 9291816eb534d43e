#include "FontChoice.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QStringList>

namespace {
// Whether narrow, wide and punctuation glyphs take one cell each: the test that counts, since
// fontconfig does not mark every monospaced face (Noto Sans Mono) as such.
bool AdvancesEvenly(const QFont &font) {
  const QFontMetrics metrics(font);
  const int cell = metrics.horizontalAdvance(u'M');
  return cell > 0 && metrics.horizontalAdvance(u'i') == cell && metrics.horizontalAdvance(u'.') == cell &&
         metrics.horizontalAdvance(u'W') == cell;
}

// The system's fixed font, or when it does not advance evenly the first installed family that does.
QFont SystemFixedFont() {
  const QFont system = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  if (AdvancesEvenly(system)) return system;
  for (const QString &family : QFontDatabase::families()) {
    if (!QFontDatabase::isFixedPitch(family)) continue;
    const QFont candidate(family);
    if (AdvancesEvenly(candidate)) return candidate;
  }
  return system;
}
}  // namespace

QFont ChooseFixedFont(const QString &family, int pointSize) {
  QFont font = QFontDatabase::hasFamily(family) ? QFont(family) : SystemFixedFont();
  // "monospace" and similar aliases resolve to a real family; keep the resolved name so renderers
  // that take a family name by text find the same face.
  font.setFamily(QFontInfo(font).family());
  font.setPointSize(pointSize);
  return font;
}
