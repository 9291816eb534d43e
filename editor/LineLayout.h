#pragma once
// One line of text laid out once for drawing and hit testing, carrying colours and styles for
// ranges of it. Colours and styles may be set in any order; later colours win.
#include <QColor>
#include <QFont>
#include <QRectF>
#include <QTextLayout>
#include <QTextOption>

#include <vector>

class QPainter;

class TMELineLayout {
 public:
  // lineHeight > 0 fixes the line box to that height with the baseline at baseline.
  TMELineLayout(const QString &text, const QFont &font, const QTextOption &option, qreal lineHeight, qreal baseline);

  void SetColor(int start, int len, const QColor &color);
  void SetStyle(int start, int len, bool bold, bool italic);
  void SetDecoration(int start, int len, bool underline, bool strikeOut);

  void Draw(QPainter *painter, const QPointF &pos);
  // x of the leading edge of the 0-based index.
  qreal CursorX(int index);
  // The 0-based cursor position nearest to x.
  int HitChar(qreal x);
  // The box of a 0-based range, relative to the layout's origin.
  QRectF RangeBox(int start, int len);

 private:
  struct TUnitStyle {
    QRgb Color = 0;
    bool HasColor = false;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    bool operator==(const TUnitStyle &) const = default;
  };

  void Clip(int &start, int &len) const;
  QTextLine Line();

  QTextLayout FLayout;
  qreal FLineHeight;
  qreal FBaseline;
  std::vector<TUnitStyle> FStyles;  // one per code unit once a range was styled
  bool FDirty = true;
};
