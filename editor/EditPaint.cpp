// TMEEdit: painting the text area, through cached line layouts, coloured runs or single cells.
#include "Edit.h"

#include "CellWidth.h"
#include "highlight/CustomHighlighter.h"

#include <QPaintEvent>
#include <QPainter>

void TMEEdit::SetColor(TColor value) {
  if (value == FColor) return;
  FColor = value;
  Repaint();
}

void TMEEdit::SetFontColor(TColor value) {
  if (value == FFontColor) return;
  FFontColor = value;
  Repaint();
}

void TMEEdit::SetWhitespaceColor(TColor value) {
  if (value == FWhitespaceColor) return;
  FWhitespaceColor = value;
  Repaint();
}

void TMEEdit::SetVisibleSpecialChars(TMEVisibleSpecialChars value) {
  if (value == FVisibleSpecialChars) return;
  FVisibleSpecialChars = value;
  Repaint();
}

void TMEEdit::SetOnSpecialLineColors(TSpecialLineColorsEvent handler) {
  FOnSpecialLineColors = std::move(handler);
  Repaint();
}

void TMEEdit::SetUseColorText(bool value) {
  if (value == FUseColorText) return;
  FUseColorText = value;
  ClearLayouts();
  Repaint();
}

TColor TMEEdit::WhitespaceMarkColor() const {
  if (FWhitespaceColor != clNone) return FWhitespaceColor;
  return IsDarkColor(FColor) ? 0x003C96FF : 0x00007896;
}

// Answers whether the line is special: its background is bg, and unless the option keeps the
// default text colour, its tokens give way to fg.
bool TMEEdit::LineColors(int line, TColor &fg, TColor &bg) {
  fg = FFontColor;
  bg = FColor;
  if (!FOnSpecialLineColors) return false;
  TColor specialFg = fg, specialBg = bg;
  if (!FOnSpecialLineColors(line, specialFg, specialBg)) return false;
  bg = specialBg;
  if (!FOptions.testFlag(eoSpecialLineDefaultFg)) fg = specialFg;
  return true;
}

void TMEEdit::paintEvent(QPaintEvent *event) {
  QPainter painter(viewport());
  Paint(painter, event->rect());
}

void TMEEdit::Paint(QPainter &painter, const QRect &rect) {
  BuildRows();
  if (!FScrollBarsValid) UpdateScrollBars();
  const int width = viewport()->width(), height = viewport()->height();
  painter.fillRect(rect, ColorToQColor(FColor));
  const int first = FTopLine;
  const int last = qMin(RowCount(), FTopLine + VisibleRowCount());
  // Only the rows the update touches are drawn: a blinking caret repaints one row.
  const int rowFirst = qMax(first, first + qMax(0, rect.top()) / FLineHeight);
  const int rowLast = qMin(last, first + qMax(0, rect.bottom()) / FLineHeight);
  PaintGutter(painter, first, rowFirst, rowLast);
  if (!PaintRenderer(painter, first, last, rowFirst, rowLast)) {
    painter.save();
    painter.setClipRect(QRect(TextLeft(), 0, width - TextLeft(), height), Qt::IntersectClip);
    for (int r = rowFirst; r <= rowLast; ++r) PaintRowWalk(&painter, GetRowInfo(r - 1), (r - first) * FLineHeight);
    painter.restore();
  }
  if (FIndentGuides.Visible()) PaintIndentGuides(painter, first, rowFirst, rowLast);
  if (FRightEdge >= 1) PaintRightEdge(painter);
  PaintCaret(painter);
}

bool TMEEdit::PaintRenderer(QPainter &painter, int first, int last, int rowFirst, int rowLast) {
  Q_UNUSED(last);
  FLayoutMode = false;
  if (!FUseColorText) return false;
  const QRect bind(TextLeft(), 0, viewport()->width() - TextLeft(), viewport()->height());
  if (bind.isEmpty() || !FRenderer.BeginDraw(&painter, bind)) {
    if (!FRenderer.Available()) FUseColorText = false;
    return false;
  }
  FLayoutMode = true;
  FRenderer.FillRect(bind, FColor);
  const bool marks = FVisibleSpecialChars.testFlag(scWhitespace);
  for (int r = rowFirst; r <= rowLast; ++r) {
    const TMERow row = GetRowInfo(r - 1);
    const int y = (r - first) * FLineHeight;
    TMELineLayout *layout = FWordWrap || marks ? nullptr : GetLineLayout(row.Line);
    if (layout) PaintRowLayout(row, y, layout);
    else PaintRowWalk(nullptr, row, y);
  }
  if (!FRenderer.EndDraw()) {
    FLayoutMode = false;
    ClearLayouts();
    return false;
  }
  return true;
}

void TMEEdit::PaintRowLayout(const TMERow &row, int y, TMELineLayout *layout) {
  TColor fg, bg;
  LineColors(row.Line, fg, bg);
  const int width = viewport()->width();
  const QRect rowRect(TextLeft(), y, width - TextLeft(), FLineHeight);
  FRenderer.FillRect(rowRect, bg);
  const int ax = TextLeft() - (FLeftChar - 1) * FCharWidth;
  TBufferCoord b = FBlockBegin, e = FBlockEnd;
  OrderCoords(b, e);
  const QString text = LineText(row.Line);
  int s = 0, end = 0;
  if (b != e && b.Line <= row.Line && e.Line >= row.Line) {
    s = b.Line == row.Line ? b.Char : 1;
    end = e.Line == row.Line ? e.Char : int(text.size()) + 1;
  }
  const bool selected = s < end;
  if (selected) {
    const TColor selBg = FSelectedColor.Background();
    for (const QRect &r : FRenderer.LayoutRangeRects(layout, s - 1, end - s))
      FRenderer.FillRect(QRect(r.left() + ax, y, r.width(), FLineHeight), selBg);
  }
  FRenderer.PushClip(rowRect);
  std::unique_ptr<TMELineLayout> fresh;
  if (selected) fresh = FRenderer.NewLineLayout(text);
  if (fresh) {
    ApplyLayoutHighlight(row.Line, fresh.get());
    FRenderer.LayoutColor(fresh.get(), s - 1, FSelectedColor.Foreground(), end - s);
    FRenderer.DrawLayout(ax, y, fg, fresh.get());
  } else {
    FRenderer.DrawLayout(ax, y, fg, layout);
  }
  FRenderer.PopClip();
}

namespace {

// A stretch of characters drawn with one call of the renderer.
struct TRun {
  int X = 0;
  QString Text;
  TColor Color = 0;
  TFontStyles Style;
  bool Selected = false;
  bool Open = false;
};

}  // namespace

// One row, character by character: the renderer gets runs of equal colour, style and selection;
// with cells (the fallback painter) every character, tab and mark is drawn in its own cell.
void TMEEdit::PaintRowWalk(QPainter *cells, const TMERow &row, int y) {
  TColor fg, bg;
  const bool special = LineColors(row.Line, fg, bg);
  const bool specialFg = special && !FOptions.testFlag(eoSpecialLineDefaultFg);
  const int width = viewport()->width();
  const QRect rowRect(TextLeft(), y, width - TextLeft(), FLineHeight);
  if (cells) {
    if (special) cells->fillRect(rowRect, ColorToQColor(bg));
  } else {
    FRenderer.FillRect(rowRect, bg);
  }
  const QString text = LineText(row.Line);
  const TMETokenList &tokens = LineTokens(row.Line);
  const bool marks = FVisibleSpecialChars.testFlag(scWhitespace);
  const TColor markColor = WhitespaceMarkColor();
  const TColor selFg = FSelectedColor.Foreground(), selBg = FSelectedColor.Background();
  TBufferCoord b = FBlockBegin, e = FBlockEnd;
  OrderCoords(b, e);

  const int origin = FWordWrap ? ColumnsBefore(text, row.StartChar, FTabWidth) : FLeftChar - 1;
  const int last = qMin(row.StartChar + row.Len - 1, int(text.size()));
  int c = ColumnsBefore(text, row.StartChar, FTabWidth);
  int i = row.StartChar;
  const auto cellOf = [&](int at, int col, int &units) {
    units = 1;
    const char16_t u = text[at - 1].unicode();
    if (u == u'\t') return TabCells(col, FTabWidth);
    if (u >= 32 && u <= 126) return 1;
    const TCellWidth cw = CellWidthAt(text, at);
    units = cw.Units;
    return cw.Width;
  };
  if (!FWordWrap) {
    while (i <= last) {
      int units;
      const int w = cellOf(i, c, units);
      if (c + w > origin) break;
      c += w;
      i += units;
    }
  }
  int x = TextLeft() + (c - origin) * FCharWidth;

  QFont cellFont;
  if (cells) cellFont = font();
  const auto drawCell = [&](int cellX, int columns, const QString &s, TColor color, TFontStyles style, bool sel) {
    const QRect r(cellX, y, columns * FCharWidth, FLineHeight);
    cells->fillRect(r, ColorToQColor(sel ? selBg : bg));
    QFont f = cellFont;
    f.setBold(style.testFlag(fsBold));
    f.setItalic(style.testFlag(fsItalic));
    f.setUnderline(style.testFlag(fsUnderline));
    f.setStrikeOut(style.testFlag(fsStrikeOut));
    cells->setFont(f);
    cells->setPen(ColorToQColor(sel ? selFg : color));
    cells->drawText(QRect(cellX, y, qMax(1, columns) * FCharWidth, FLineHeight),
                    Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, s);
  };
  TRun run;
  const auto flush = [&] {
    if (!run.Open) return;
    const QRect r(run.X, y, x - run.X, FLineHeight);
    if (run.Selected) FRenderer.FillRect(r, selBg);
    FRenderer.DrawRun(r, run.Text, run.Selected ? selFg : run.Color, run.Style.testFlag(fsBold),
                      run.Style.testFlag(fsItalic));
    run.Open = false;
    run.Text.clear();
  };

  size_t tk = 0;
  while (i <= last) {
    if (!FWordWrap && x > width) break;
    while (tk < tokens.size() && i >= tokens[tk].StartCol + tokens[tk].Len) ++tk;
    TColor color = fg;
    TFontStyles style;
    if (tk < tokens.size() && i >= tokens[tk].StartCol) {
      const TMEToken &token = tokens[tk];
      const TMEHighlighterAttributes *attr = token.Attr ? token.Attr : FHighlighter->AttributeForKind(token.Kind);
      if (attr) {
        if (attr->Foreground() != clNone && !specialFg) color = attr->Foreground();
        style = attr->Style();
      }
    }
    const TBufferCoord here{i, row.Line};
    const bool sel = b <= here && here < e;
    const char16_t u = text[i - 1].unicode();
    int units;
    const int w = cellOf(i, c, units);
    if (u == u'\t' || (u == u' ' && marks)) {
      if (cells) {
        QString s = marks ? QString(u == u'\t' ? QChar(0x2192) : QChar(0x00B7)) : QString(u' ');
        s += QString(w - 1, u' ');
        drawCell(x, w, s, marks ? markColor : color, style, sel);
      } else {
        flush();
        const QRect r(x, y, w * FCharWidth, FLineHeight);
        if (sel) FRenderer.FillRect(r, selBg);
        if (marks)
          FRenderer.DrawRun(r, QString(u == u'\t' ? QChar(0x2192) : QChar(0x00B7)), sel ? selFg : markColor,
                            style.testFlag(fsBold), style.testFlag(fsItalic));
      }
    } else if (cells) {
      drawCell(x, w, text.mid(i - 1, units), color, style, sel);
    } else {
      if (run.Open && (run.Color != color || run.Style != style || run.Selected != sel)) flush();
      if (!run.Open) run = {x, QString(), color, style, sel, true};
      run.Text += QStringView(text).mid(i - 1, units);
    }
    x += w * FCharWidth;
    c += w;
    i += units;
  }
  if (!cells) flush();
}
