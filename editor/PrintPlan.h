#pragma once
// Where every piece of a printout goes: the page geometry, each page's title, rule and number, and
// the lines cut into chunks that continue on the next printed line when they do not fit and on the
// next page when the page is full. Widths come from a TPrintMeasure; each page is handed over as
// soon as it is complete, so a long document is never held as pieces.
#include "highlight/TokenModel.h"

#include <QStringList>

#include <functional>
#include <vector>

class TMECustomHighlighter;

// Widths of printed text, in the printer's pixels.
class TPrintMeasure {
 public:
  virtual ~TPrintMeasure() = default;
  virtual int Width(const QString &text, TFontStyles style) = 0;
};

// Printer pixels; right and bottom lie just outside, as a page's width and height do.
struct TPrintGeometry {
  int LineHeight = 16;  // h
  int Left = 0, Top = 0, Right = 0, Bottom = 0;  // the printable rectangle P

  // The page (0, 0, width, height) shrunk by 4 × charWidth at the sides and by lineHeight at the
  // top and bottom; a line height below 1 counts as 16, a character width below 1 as 1.
  static TPrintGeometry ForPage(int pageWidth, int pageHeight, int lineHeight, int charWidth);
  int TextTop() const { return Top + 2 * LineHeight; }
  int TextBottom() const { return Bottom - 2 * LineHeight; }
};

enum class TPrintItemKind : quint8 { Title, Rule, Text, PageNumber };

struct TPrintItem {
  TPrintItemKind Kind;
  int X;  // the text's top left; a rule's left end and its y
  int Y;
  QString Text;
  TColor Color = 0;  // black
  TFontStyles Style;
  int Width = 0;  // a rule's length
};

struct TPrintPage {
  int Number = 1;
  std::vector<TPrintItem> Items;
};

struct TPrintJob {
  QString Title;
  // Null prints everything black and regular.
  TMECustomHighlighter *Highlighter = nullptr;
  int TabWidth = 4;
  // False prints every colour black; styles still apply.
  bool ColorPrint = true;
};

// Takes one complete page; false stops the printout.
using TPrintPageSink = std::function<bool(const TPrintPage &page)>;

// Lays the lines out page by page; false when the sink stopped it. A last line that is empty (the
// text ends with a line break) prints nothing, and an empty text still gives one page.
bool PlanPrint(const QStringList &lines, const TPrintJob &job, const TPrintGeometry &geometry,
               TPrintMeasure &measure, const TPrintPageSink &sink);

// One line per item: "text 40,96 #0F6E56 bi \"int\"", for tests and their failure messages.
QString DumpPrintPage(const TPrintPage &page);
