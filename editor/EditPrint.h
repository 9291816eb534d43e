#pragma once
// TMEEditPrint: prints every line of an editor — a bold title and a rule at the top of each page,
// "Page n" centred at the bottom, syntax colours of the light palette (or black only), tabs
// expanded to the tab width, long lines continued on the next printed line. Text is measured and
// drawn with the editor's own renderer and line layouts, set to the printer's font.
#include <QString>

class QFont;
class QPrinter;
class TMECustomHighlighter;
class TMEEdit;

// The editor font's size in points, or 10 when that is below 8 (a font set in pixels counts at
// 96 pixels per inch).
qreal PrinterFontPoints(const QFont &editorFont);

class TMEEditPrint {
 public:
  TMEEdit *Editor() const { return FEditor; }
  // Also takes the editor's tab width when it is above 0, and its highlighter when none is set yet.
  void SetEditor(TMEEdit *editor);
  // Null prints everything black and regular.
  TMECustomHighlighter *Highlighter() const { return FHighlighter; }
  void SetHighlighter(TMECustomHighlighter *highlighter) { FHighlighter = highlighter; }
  // At the top of every page, and the print job's name.
  const QString &Title() const { return FTitle; }
  void SetTitle(const QString &title) { FTitle = title; }
  bool ColorPrint() const { return FColorPrint; }
  void SetColorPrint(bool value) { FColorPrint = value; }
  int TabWidth() const { return FTabWidth; }

  // False without an editor or a usable printer, when painting could not begin, or when the
  // printer refused a page.
  bool Print(QPrinter &printer);

 private:
  TMEEdit *FEditor = nullptr;
  TMECustomHighlighter *FHighlighter = nullptr;
  QString FTitle;
  int FTabWidth = 4;
  bool FColorPrint = true;
};
