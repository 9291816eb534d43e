#include "EditPrint.h"

#include "Edit.h"
#include "PrintPlan.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

namespace {

constexpr TColor KBlack = 0;

// Widths from the renderer's line layouts, as the text will be drawn.
class TLayoutMeasure : public TPrintMeasure {
 public:
  explicit TLayoutMeasure(TMETextRenderer &renderer) : FRenderer(renderer) {}
  int Width(const QString &text, TFontStyles style) override {
    const std::unique_ptr<TMELineLayout> layout = FRenderer.NewLineLayout(text);
    if (!layout) return 0;
    FRenderer.LayoutStyle(layout.get(), 0, int(text.size()), style.testFlag(fsBold), style.testFlag(fsItalic));
    return FRenderer.LayoutCaretX(layout.get(), int(text.size()));
  }

 private:
  TMETextRenderer &FRenderer;
};

// Draws the planned pages through the renderer, asking the printer for each page after the first.
class TPageDrawer {
 public:
  TPageDrawer(QPrinter &printer, TMETextRenderer &renderer, int ruleWidth)
      : FPrinter(printer), FRenderer(renderer), FRuleWidth(ruleWidth) {}

  bool Draw(const TPrintPage &page) {
    if (page.Number > 1 && !FPrinter.newPage()) return false;
    for (const TPrintItem &item : page.Items) {
      if (item.Kind == TPrintItemKind::Rule) FRenderer.FillRect(QRect(item.X, item.Y, item.Width, FRuleWidth), KBlack);
      else DrawText(item);
    }
    return true;
  }

 private:
  void DrawText(const TPrintItem &item) {
    const std::unique_ptr<TMELineLayout> layout = FRenderer.NewLineLayout(item.Text);
    const int length = int(item.Text.size());
    FRenderer.LayoutColor(layout.get(), 0, item.Color, length);
    FRenderer.LayoutStyle(layout.get(), 0, length, item.Style.testFlag(fsBold), item.Style.testFlag(fsItalic));
    FRenderer.LayoutDecoration(layout.get(), 0, length, item.Style.testFlag(fsUnderline),
                               item.Style.testFlag(fsStrikeOut));
    FRenderer.DrawLayout(item.X, item.Y, item.Color, layout.get());
  }

  QPrinter &FPrinter;
  TMETextRenderer &FRenderer;
  int FRuleWidth;
};

}  // namespace

qreal PrinterFontPoints(const QFont &editorFont) {
  const qreal points = editorFont.pointSizeF() > 0 ? editorFont.pointSizeF() : editorFont.pixelSize() * 72.0 / 96.0;
  return points < 8 ? 10 : points;
}

void TMEEditPrint::SetEditor(TMEEdit *editor) {
  FEditor = editor;
  if (!editor) return;
  if (editor->TabWidth() > 0) FTabWidth = editor->TabWidth();
  if (!FHighlighter) FHighlighter = editor->Highlighter();
}

bool TMEEditPrint::Print(QPrinter &printer) {
  if (!FEditor || !printer.isValid()) return false;
  printer.setDocName(FTitle);
  // The printer's own resolution and paint rectangle, not the screen's and not the paper's.
  const int dpi = printer.resolution();
  TMETextRenderer renderer;
  renderer.SetFont(FEditor->font().family(), float(PrinterFontPoints(FEditor->font()) * dpi / 72.0));
  const QFontMetrics metrics(renderer.RegularFont(), &printer);
  const TPrintGeometry geometry =
      TPrintGeometry::ForPage(printer.width(), printer.height(), metrics.height(), metrics.horizontalAdvance(u'0'));
  // Every piece of text sits on the font's baseline within its line.
  renderer.SetLineMetrics(float(geometry.LineHeight), float(metrics.ascent()));

  QPainter painter;
  if (!painter.begin(&printer)) return false;
  if (!renderer.BeginDraw(&painter, QRect(0, 0, printer.width(), printer.height()))) return false;
  TLayoutMeasure measure(renderer);
  TPageDrawer drawer(printer, renderer, qMax(1, dpi / 96));
  const TPrintJob job{FTitle, FHighlighter, FTabWidth, FColorPrint};
  const bool planned = PlanPrint(FEditor->Lines().Lines(), job, geometry, measure,
                                 [&drawer](const TPrintPage &page) { return drawer.Draw(page); });
  const bool drawn = renderer.EndDraw();
  return painter.end() && planned && drawn;
}
