#include "TabStrip.h"

#include "platform/Colors.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace {

constexpr QChar KBullet = u'\u2022';
const QColor KActiveBar(255, 127, 51);
const QColor KBulletColor(255, 0, 0);
const QColor KHotGlyph(224, 80, 80);
const QColor KGlyph(128, 128, 128);

// QTabBar reads "&" as a mnemonic; the caption is shown as it is.
QString Escaped(const QString &caption) { return QString(caption).replace(u'&', QStringLiteral("&&")); }
QString Unescaped(const QString &text) { return QString(text).replace(QStringLiteral("&&"), QStringLiteral("&")); }

}  // namespace

int ScaleToDpi(int n, int dpi) {
  const qint64 product = qint64(n) * dpi;
  return int(product >= 0 ? (product + 48) / 96 : (product - 48) / 96);
}

QRect CloseButtonRect(const QRect &tab, int dpi) {
  const int side = ScaleToDpi(15, dpi);
  const int right = tab.x() + tab.width() - ScaleToDpi(5, dpi);
  const int top = tab.y() + (tab.height() - side) / 2;
  return QRect(right - side, top, side, side);
}

TTabStrip::TTabStrip(QWidget *parent) : QTabBar(parent) {
  setMouseTracking(true);  // the close glyph lights up under a mouse with no button down
  setDrawBase(false);
  setExpanding(false);
  setUsesScrollButtons(true);
  // Reordering is this strip's own: Qt's movable tabs would fight its drag.
  setMovable(false);
}

int TTabStrip::Dpi() const {
  if (FDpi > 0) return FDpi;
  return logicalDpiX() > 0 ? logicalDpiX() : 96;
}

void TTabStrip::SetDpi(int dpi) {
  FDpi = dpi;
  updateGeometry();
  update();
}

void TTabStrip::SetTabCaption(int index, const QString &caption, bool modified) {
  if (index < 0 || index >= count()) return;
  setTabData(index, modified);
  setTabText(index, Escaped(caption));
  update();
}

QString TTabStrip::TabCaption(int index) const { return Unescaped(tabText(index)); }

bool TTabStrip::TabModified(int index) const { return tabData(index).toBool(); }

QSize TTabStrip::tabSizeHint(int index) const {
  return QSize(S(10) + fontMetrics().horizontalAdvance(TabCaption(index)) + S(5), S(28));
}

QSize TTabStrip::minimumTabSizeHint(int index) const { return tabSizeHint(index); }

void TTabStrip::tabInserted(int index) {
  QTabBar::tabInserted(index);
  ForgetIndexes();
}

void TTabStrip::tabRemoved(int index) {
  QTabBar::tabRemoved(index);
  ForgetIndexes();
}

void TTabStrip::ForgetIndexes() {
  FHotCloseTab = -1;
  FDragArmed = false;
  FDragTab = -1;
}

void TTabStrip::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  for (int i = 0; i < count(); ++i)
    if (tabRect(i).intersects(rect())) DrawTab(painter, i);
}

void TTabStrip::DrawTab(QPainter &painter, int index) const {
  const QRect tab = tabRect(index);
  const bool selected = index == currentIndex();
  painter.fillRect(tab, ColorToQColor(selected ? clWindow : clBtnFace));
  if (selected) painter.fillRect(QRect(tab.x(), tab.y(), tab.width(), S(5)), KActiveBar);

  const QRect glyph = CloseButtonRect(tab, Dpi());
  QRect text(tab.x() + S(10), tab.y(), glyph.x() - S(2) - (tab.x() + S(10)), tab.height());
  const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
  QString caption = TabCaption(index);
  painter.save();
  painter.setClipRect(text);
  painter.setFont(font());
  // The bullet stands for the document's modified state, not for a name that happens to start so.
  if (TabModified(index) && caption.size() > 1 && caption.front() == KBullet) {
    painter.setPen(KBulletColor);
    painter.drawText(text, flags, QString(KBullet));
    text.setLeft(text.left() + fontMetrics().horizontalAdvance(QString(KBullet) + u' '));
    caption.remove(0, 2);
  }
  painter.setPen(ColorToQColor(clWindowText));
  painter.drawText(text, flags, caption);
  painter.restore();

  const int e = S(4);
  const int right = glyph.x() + glyph.width(), bottom = glyph.y() + glyph.height();
  painter.save();
  if (index == FHotCloseTab) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(KHotGlyph);
    painter.drawRoundedRect(glyph, e / 2.0, e / 2.0);
    painter.setRenderHint(QPainter::Antialiasing, false);
  }
  painter.setPen(QPen(index == FHotCloseTab ? Qt::white : KGlyph, qMax(1, S(1))));
  painter.drawLine(glyph.x() + e, glyph.y() + e, right - e, bottom - e);
  painter.drawLine(right - e, glyph.y() + e, glyph.x() + e, bottom - e);
  painter.restore();
}

int TTabStrip::CloseGlyphAt(const QPoint &point) const {
  const int index = tabAt(point);
  return index >= 0 && CloseButtonRect(tabRect(index), Dpi()).contains(point) ? index : -1;
}

void TTabStrip::SetHotCloseTab(int index) {
  if (index == FHotCloseTab) return;
  FHotCloseTab = index;
  update();
}

void TTabStrip::mousePressEvent(QMouseEvent *event) {
  const QPoint point = event->position().toPoint();
  const int index = tabAt(point);
  if (index < 0) return;
  if ((event->button() == Qt::LeftButton && CloseGlyphAt(point) == index) || event->button() == Qt::MiddleButton) {
    Q_EMIT CloseRequested(index);
    return;
  }
  if (event->button() == Qt::LeftButton) {
    FDragArmed = true;
    FDragTab = index;
  }
  QTabBar::mousePressEvent(event);  // selects the tab
}

// A dragged tab takes the place of the tab under the mouse only once the mouse is past that tab's
// middle: a wider neighbour would otherwise swap straight back under the still mouse.
void TTabStrip::mouseMoveEvent(QMouseEvent *event) {
  const QPoint point = event->position().toPoint();
  SetHotCloseTab(CloseGlyphAt(point));
  if (!FDragArmed || !(event->buttons() & Qt::LeftButton) || FDragTab < 0) return;
  const int target = tabAt(point);
  if (target < 0 || target == FDragTab || target >= count()) return;
  const int middle = tabRect(target).center().x();
  if (target > FDragTab ? point.x() <= middle : point.x() >= middle) return;
  moveTab(FDragTab, target);
  FDragTab = target;
  update();
}

void TTabStrip::mouseReleaseEvent(QMouseEvent *event) {
  FDragArmed = false;
  FDragTab = -1;
  QTabBar::mouseReleaseEvent(event);
}

void TTabStrip::leaveEvent(QEvent *event) {
  SetHotCloseTab(-1);
  QTabBar::leaveEvent(event);
}

void TTabStrip::contextMenuEvent(QContextMenuEvent *event) {
  Q_EMIT ContextMenuRequested(tabAt(event->pos()), event->globalPos());
}

TTabControl::TTabControl(QWidget *parent) : QTabWidget(parent), FStrip(new TTabStrip(this)) {
  setTabBar(FStrip);
  setDocumentMode(true);
}
