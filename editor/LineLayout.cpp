#include "LineLayout.h"

#include <QPainter>

TMELineLayout::TMELineLayout(const QString &text, const QFont &font, const QTextOption &option, qreal lineHeight,
                             qreal baseline)
    : FLayout(text, font), FLineHeight(lineHeight), FBaseline(baseline) {
  FLayout.setTextOption(option);
  FLayout.setCacheEnabled(true);
}

void TMELineLayout::Clip(int &start, int &len) const {
  const int n = int(FLayout.text().size());
  const int end = qBound(0, start + len, n);
  start = qBound(0, start, n);
  len = end - start;
}

void TMELineLayout::SetColor(int start, int len, const QColor &color) {
  Clip(start, len);
  if (len <= 0) return;
  FStyles.resize(size_t(FLayout.text().size()));
  for (int i = start; i < start + len; ++i) {
    FStyles[size_t(i)].Color = color.rgb();
    FStyles[size_t(i)].HasColor = true;
  }
  FDirty = true;
}

void TMELineLayout::SetStyle(int start, int len, bool bold, bool italic) {
  Clip(start, len);
  if (len <= 0 || (!bold && !italic)) return;
  FStyles.resize(size_t(FLayout.text().size()));
  for (int i = start; i < start + len; ++i) {
    FStyles[size_t(i)].Bold |= bold;
    FStyles[size_t(i)].Italic |= italic;
  }
  FDirty = true;
}

void TMELineLayout::SetDecoration(int start, int len, bool underline, bool strikeOut) {
  Clip(start, len);
  if (len <= 0 || (!underline && !strikeOut)) return;
  FStyles.resize(size_t(FLayout.text().size()));
  for (int i = start; i < start + len; ++i) {
    FStyles[size_t(i)].Underline |= underline;
    FStyles[size_t(i)].StrikeOut |= strikeOut;
  }
  FDirty = true;
}

// Lays the text out again after styling: runs of equal style become one format range each.
QTextLine TMELineLayout::Line() {
  if (FDirty) {
    QList<QTextLayout::FormatRange> formats;
    for (size_t i = 0; i < FStyles.size();) {
      size_t j = i + 1;
      while (j < FStyles.size() && FStyles[j] == FStyles[i]) ++j;
      const TUnitStyle &style = FStyles[i];
      if (style.HasColor || style.Bold || style.Italic || style.Underline || style.StrikeOut) {
        QTextLayout::FormatRange range;
        range.start = int(i);
        range.length = int(j - i);
        if (style.HasColor) range.format.setForeground(QColor(style.Color));
        if (style.Bold) range.format.setFontWeight(QFont::Bold);
        if (style.Italic) range.format.setFontItalic(true);
        if (style.Underline) range.format.setFontUnderline(true);
        if (style.StrikeOut) range.format.setFontStrikeOut(true);
        formats.append(range);
      }
      i = j;
    }
    FLayout.setFormats(formats);
    FLayout.beginLayout();
    QTextLine line = FLayout.createLine();
    if (line.isValid()) {
      line.setLineWidth(1000000);
      line.setPosition(QPointF(0, FLineHeight > 0 ? FBaseline - line.ascent() : 0));
    }
    FLayout.endLayout();
    FDirty = false;
  }
  return FLayout.lineAt(0);
}

void TMELineLayout::Draw(QPainter *painter, const QPointF &pos) {
  if (Line().isValid()) FLayout.draw(painter, pos);
}

qreal TMELineLayout::CursorX(int index) {
  const QTextLine line = Line();
  return line.isValid() ? line.cursorToX(index) : 0;
}

int TMELineLayout::HitChar(qreal x) {
  const QTextLine line = Line();
  return line.isValid() ? line.xToCursor(x, QTextLine::CursorBetweenCharacters) : 0;
}

QRectF TMELineLayout::RangeBox(int start, int len) {
  const QTextLine line = Line();
  if (!line.isValid()) return QRectF();
  const qreal a = line.cursorToX(start);
  const qreal b = line.cursorToX(start + len);
  const qreal top = FLineHeight > 0 ? 0 : line.y();
  const qreal height = FLineHeight > 0 ? FLineHeight : line.height();
  return QRectF(qMin(a, b), top, qAbs(b - a), height);
}
