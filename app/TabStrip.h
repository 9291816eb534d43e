#pragma once
// TTabStrip: the tab bar the program draws itself — a red bullet for a modified document, the
// caption, a close glyph that lights up under the mouse, an orange bar over the active tab — and
// its mouse: the glyph and the middle button ask to close a tab, dragging reorders. It knows tabs
// by index only; TTabControl is the tab widget that shows it over the pages.
#include <QTabBar>
#include <QTabWidget>

// s(n) = n × dpi ÷ 96, rounded as MulDiv rounds: halves away from zero.
int ScaleToDpi(int n, int dpi);
// The close glyph of the tab drawn in tab at dpi: a square of s(15), s(5) in from the right edge,
// centred vertically.
QRect CloseButtonRect(const QRect &tab, int dpi);

class TTabStrip : public QTabBar {
  Q_OBJECT

 public:
  explicit TTabStrip(QWidget *parent = nullptr);

  // caption is shown as it is ("&" too); modified draws its leading bullet red.
  void SetTabCaption(int index, const QString &caption, bool modified);
  QString TabCaption(int index) const;
  bool TabModified(int index) const;
  // The tab whose close glyph is under the mouse, -1 none; the tab being dragged, -1 none.
  int HotCloseTab() const { return FHotCloseTab; }
  int DragTab() const { return FDragTab; }
  // The dpi sizes are scaled for (the screen's); tests set another.
  int Dpi() const;
  void SetDpi(int dpi);

 Q_SIGNALS:
  // The close glyph was clicked, or the middle button pressed on the tab. The receiver should close
  // it later, not while the mouse event that asked is still running.
  void CloseRequested(int index);
  // index -1: the strip outside any tab.
  void ContextMenuRequested(int index, const QPoint &globalPos);

 protected:
  QSize tabSizeHint(int index) const override;
  QSize minimumTabSizeHint(int index) const override;
  void tabInserted(int index) override;
  void tabRemoved(int index) override;
  void paintEvent(QPaintEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;
  void leaveEvent(QEvent *event) override;
  void contextMenuEvent(QContextMenuEvent *event) override;

 private:
  int S(int n) const { return ScaleToDpi(n, Dpi()); }
  void DrawTab(QPainter &painter, int index) const;
  // The tab whose close glyph holds point, -1 none.
  int CloseGlyphAt(const QPoint &point) const;
  void SetHotCloseTab(int index);
  // Indexes change when tabs come and go: a hot glyph or a drag must not carry over to another tab.
  void ForgetIndexes();

  int FHotCloseTab = -1;
  int FDragTab = -1;
  bool FDragArmed = false;
  int FDpi = 0;  // 0: the screen's
};

// The tab widget with the strip above its pages.
class TTabControl : public QTabWidget {
  Q_OBJECT

 public:
  explicit TTabControl(QWidget *parent = nullptr);
  TTabStrip *Strip() const { return FStrip; }

 private:
  TTabStrip *FStrip;
};
