#include "Colors.h"

#include <QGuiApplication>
#include <QPalette>

static QColor SystemColor(TColor color) {
  const QPalette palette = QGuiApplication::palette();
  switch (color) {
    case clWindow: return palette.color(QPalette::Base);
    case clWindowText: return palette.color(QPalette::Text);
    case clHighlight: return palette.color(QPalette::Highlight);
    case clHighlightText: return palette.color(QPalette::HighlightedText);
    case clBtnFace: return palette.color(QPalette::Button);
    case clGrayText: return palette.color(QPalette::Disabled, QPalette::Text);
    default: return Qt::black;
  }
}

TColor ColorToRGB(TColor color) {
  if ((color & 0xFF000000u) != 0xFF000000u) return color & 0x00FFFFFFu;
  const QColor c = SystemColor(color);
  return TColor(c.red()) | TColor(c.green()) << 8 | TColor(c.blue()) << 16;
}

QColor ColorToQColor(TColor color) {
  const TColor rgb = ColorToRGB(color);
  return QColor(ColorRed(rgb), ColorGreen(rgb), ColorBlue(rgb));
}

bool IsDarkColor(TColor color) {
  const TColor rgb = ColorToRGB(color);
  // In thousandths, exactly: in doubles the weights of a grey 128 add up to just below 128.
  return 299 * ColorRed(rgb) + 587 * ColorGreen(rgb) + 114 * ColorBlue(rgb) < 128000;
}
