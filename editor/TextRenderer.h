#pragma once
// TMETextRenderer: the editor's text back end. Pixel coordinates are client coordinates of the
// editor; a frame is bound to a painter and a rectangle between BeginDraw and EndDraw, and every
// drawing call outside a frame does nothing. Text formats and brushes are cached.
#include "LineLayout.h"
#include "platform/Colors.h"

#include <QBrush>
#include <QHash>
#include <QList>
#include <QRect>
#include <QString>

#include <memory>

class QPainter;

class TMETextRenderer {
 public:
  bool Available() const { return FAvailable; }

  void SetFont(const QString &name, float pixelSize);
  void SetTabStop(float pixels);
  void SetLineMetrics(float lineHeight, float baseline);

  // False for an empty rectangle, an inactive painter or a renderer that cannot start.
  bool BeginDraw(QPainter *painter, const QRect &bindRect);
  // False when the frame failed; a painter that went away during the frame counts as a lost
  // target, and everything made for it is dropped and made again by the next frame.
  bool EndDraw();

  void FillRect(const QRect &r, TColor color);
  void DrawRun(const QRect &r, const QString &text, TColor color, bool bold, bool italic);
  void PushClip(const QRect &r);
  void PopClip();

  // Null when the renderer cannot start.
  std::unique_ptr<TMELineLayout> NewLineLayout(const QString &text);
  void LayoutColor(TMELineLayout *layout, int start, TColor color, int len);
  void LayoutStyle(TMELineLayout *layout, int start, int len, bool bold, bool italic);
  // Underline and strike-out, which the printer draws and the screen does not.
  void LayoutDecoration(TMELineLayout *layout, int start, int len, bool underline, bool strikeOut);
  void DrawLayout(int x, int y, TColor defaultColor, TMELineLayout *layout);
  // Results relative to the layout's origin, 0-based positions, rounded halves to even.
  int LayoutCaretX(TMELineLayout *layout, int charIndex);
  int LayoutHitChar(TMELineLayout *layout, int x);
  QList<QRect> LayoutRangeRects(TMELineLayout *layout, int start, int len);

  // The font text is drawn and laid out with (regular weight, upright).
  QFont RegularFont();

  QString FormatKey(bool bold, bool italic) const;
  int FormatCount() const { return int(FFormats.size()); }
  int BrushCount() const { return int(FBrushes.size()); }

 private:
  struct TTextFormat {
    QFont Font;
    QTextOption Option;
    qreal Ascent = 0;  // where a top-aligned run puts its baseline
  };

  bool Init();
  const TTextFormat &Format(bool bold, bool italic);
  const QBrush &CachedBrush(TColor color);
  QRect Local(const QRect &r) const { return r.translated(-FOriginX, -FOriginY); }

  QBrush FBrush{Qt::black};
  QHash<TColor, QBrush> FBrushes;
  QHash<QString, TTextFormat> FFormats;
  QString FFontName = QStringLiteral("Consolas");
  float FFontSize = 16.0f;
  float FTabStopPx = 64.0f;
  float FLineHeightPx = 0;
  float FBaselinePx = 0;
  bool FAvailable = false;
  bool FInDraw = false;
  int FOriginX = 0;
  int FOriginY = 0;
  QPainter *FTarget = nullptr;
  int FClipDepth = 0;
};
