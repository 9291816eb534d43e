#include "TextRenderer.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>

#include <cmath>

// Rounding of every pixel result: to nearest, halves to even.
static int RoundEven(qreal v) { return int(std::nearbyint(v)); }

void TMETextRenderer::SetFont(const QString &name, float pixelSize) {
  const float size = pixelSize > 0 ? pixelSize : 16.0f;
  if (name.compare(FFontName, Qt::CaseInsensitive) == 0 && std::fabs(size - FFontSize) < 0.5f) return;
  FFontName = name;
  FFontSize = size;
  FFormats.clear();
}

void TMETextRenderer::SetTabStop(float pixels) {
  FTabStopPx = pixels > 0 ? pixels : 64.0f;
  FFormats.clear();
}

void TMETextRenderer::SetLineMetrics(float lineHeight, float baseline) {
  FLineHeightPx = lineHeight > 0 ? lineHeight : 0;
  FBaselinePx = baseline > 0 ? baseline : FLineHeightPx * 0.8f;
}

// Fonts need a GUI application; without one the renderer never starts.
bool TMETextRenderer::Init() {
  if (!FAvailable) FAvailable = qGuiApp != nullptr;
  return FAvailable;
}

bool TMETextRenderer::BeginDraw(QPainter *painter, const QRect &bindRect) {
  FInDraw = false;
  if (bindRect.isEmpty() || !painter || !painter->isActive() || !Init()) return false;
  FTarget = painter;
  FOriginX = bindRect.left();
  FOriginY = bindRect.top();
  FTarget->save();
  FTarget->translate(FOriginX, FOriginY);
  FTarget->setClipRect(QRect(QPoint(0, 0), bindRect.size()));
  FClipDepth = 0;
  FInDraw = true;
  return true;
}

bool TMETextRenderer::EndDraw() {
  if (!FInDraw) return false;
  FInDraw = false;
  if (!FTarget->isActive()) {
    FTarget = nullptr;
    FAvailable = false;
    FFormats.clear();
    FBrushes.clear();
    return false;
  }
  for (; FClipDepth > 0; --FClipDepth) FTarget->restore();
  FTarget->restore();
  FTarget = nullptr;
  return true;
}

QString TMETextRenderer::FormatKey(bool bold, bool italic) const {
  return QStringLiteral("%1|%2|%3%4")
      .arg(FFontName, QString::number(FFontSize, 'f', 1))
      .arg(int(bold))
      .arg(int(italic));
}

const TMETextRenderer::TTextFormat &TMETextRenderer::Format(bool bold, bool italic) {
  const QString key = FormatKey(bold, italic);
  auto it = FFormats.find(key);
  if (it == FFormats.end()) {
    TTextFormat format;
    format.Font = QFont(FFontName);
    format.Font.setPixelSize(qMax(1, RoundEven(FFontSize)));
    format.Font.setWeight(bold ? QFont::Bold : QFont::Normal);
    format.Font.setItalic(italic);
    // Hinted glyphs advance by whole pixels, as the editor's cells do.
    format.Font.setHintingPreference(QFont::PreferFullHinting);
    format.Option.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    format.Option.setWrapMode(QTextOption::NoWrap);
    format.Option.setTabStopDistance(FTabStopPx);
    format.Ascent = QFontMetricsF(format.Font).ascent();
    it = FFormats.insert(key, format);
  }
  return *it;
}

QFont TMETextRenderer::RegularFont() { return Format(false, false).Font; }

const QBrush &TMETextRenderer::CachedBrush(TColor color) {
  const TColor rgb = ColorToRGB(color);
  auto it = FBrushes.find(rgb);
  if (it == FBrushes.end()) it = FBrushes.insert(rgb, QBrush(ColorToQColor(rgb)));
  return *it;
}

void TMETextRenderer::FillRect(const QRect &r, TColor color) {
  if (!FInDraw) return;
  FBrush.setColor(ColorToQColor(color));
  FTarget->fillRect(Local(r), FBrush);
}

void TMETextRenderer::DrawRun(const QRect &r, const QString &text, TColor color, bool bold, bool italic) {
  if (!FInDraw) return;
  const TTextFormat &format = Format(bold, italic);
  FBrush.setColor(ColorToQColor(color));
  FTarget->save();
  FTarget->setClipRect(Local(r), Qt::IntersectClip);
  FTarget->setFont(format.Font);
  FTarget->setPen(QPen(FBrush, 1));
  const QRect local = Local(r);
  // Without tabs the plain text path draws the same glyphs at the same baseline as a top-aligned
  // layout, without laying the run out anew on every call.
  if (text.contains(u'\t')) FTarget->drawText(QRectF(local), text, format.Option);
  else FTarget->drawText(QPointF(local.left(), local.top() + format.Ascent), text);
  FTarget->restore();
}

void TMETextRenderer::PushClip(const QRect &r) {
  if (!FInDraw) return;
  FTarget->save();
  FTarget->setClipRect(Local(r), Qt::IntersectClip);
  ++FClipDepth;
}

void TMETextRenderer::PopClip() {
  if (!FInDraw || FClipDepth == 0) return;
  FTarget->restore();
  --FClipDepth;
}

std::unique_ptr<TMELineLayout> TMETextRenderer::NewLineLayout(const QString &text) {
  if (!Init()) return nullptr;
  const TTextFormat &format = Format(false, false);
  return std::make_unique<TMELineLayout>(text, format.Font, format.Option, FLineHeightPx, FBaselinePx);
}

void TMETextRenderer::LayoutColor(TMELineLayout *layout, int start, TColor color, int len) {
  if (layout && len > 0) layout->SetColor(start, len, CachedBrush(color).color());
}

void TMETextRenderer::LayoutStyle(TMELineLayout *layout, int start, int len, bool bold, bool italic) {
  if (layout && len > 0) layout->SetStyle(start, len, bold, italic);
}

void TMETextRenderer::LayoutDecoration(TMELineLayout *layout, int start, int len, bool underline, bool strikeOut) {
  if (layout && len > 0) layout->SetDecoration(start, len, underline, strikeOut);
}

void TMETextRenderer::DrawLayout(int x, int y, TColor defaultColor, TMELineLayout *layout) {
  if (!FInDraw || !layout) return;
  FTarget->save();
  FTarget->setPen(QPen(CachedBrush(defaultColor), 1));
  layout->Draw(FTarget, QPointF(x - FOriginX, y - FOriginY));
  FTarget->restore();
}

int TMETextRenderer::LayoutCaretX(TMELineLayout *layout, int charIndex) {
  if (!layout) return 0;
  return RoundEven(layout->CursorX(qMax(0, charIndex)));
}

int TMETextRenderer::LayoutHitChar(TMELineLayout *layout, int x) {
  if (!layout) return 0;
  return layout->HitChar(qMax(0, x));
}

QList<QRect> TMETextRenderer::LayoutRangeRects(TMELineLayout *layout, int start, int len) {
  if (!layout || len <= 0) return {};
  const QRectF box = layout->RangeBox(start, len);
  if (box.isNull()) return {};
  const int left = RoundEven(box.left());
  const int top = RoundEven(box.top());
  return {QRect(left, top, RoundEven(box.left() + box.width()) - left, RoundEven(box.top() + box.height()) - top)};
}
