// The editor's view on a highlighted C++ document of a million lines in a window of 120 x 50
// cells, off screen: repainting the visible rows with warm and cold caches, a typed character up
// to its finished repaint (word wrap off and on), the caret from the first line to the last with
// the line states of the whole document, and the memory the line states take.
#include "BenchGroup.h"
#include "BenchUtil.h"
#include "editor/Edit.h"
#include "highlight/HighlighterSet.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int KLines = 1000000;
constexpr int KColumns = 120;
constexpr int KRows = 50;

QString CppDocument() {
  const QStringList templates = {
      QStringLiteral("#include <vector>  // containers"),
      QStringLiteral("/* Computes the running total of item_%1."),
      QStringLiteral("   Block comments span lines; \"quotes\" inside them mean nothing. */"),
      QStringLiteral("static constexpr std::size_t kLimit%1 = 0x%1FFu;"),
      QStringLiteral("template <typename T> inline T Scale%1(const T &value, double factor) {"),
      QStringLiteral("  if (value > %1 && factor != 3.14e-2) return T(value * factor + %1.5f);"),
      QStringLiteral("  const char *message = \"value %1 is \\\"out\\\" of range\\n\";"),
      QStringLiteral("\tfor (int i = 0; i < %1; ++i) total_%1 += items[i].weight * 'x';"),
      QStringLiteral("  std::vector<std::string> names{\"alpha\", \"beta\", \"gamma_%1\"};"),
      QStringLiteral("  return nullptr == pointer_%1 ? T{} : static_cast<T>(*pointer_%1);"),
      QStringLiteral("}"),
      QString(),
  };
  QString text;
  text.reserve(qsizetype(KLines) * 48);
  for (int i = 0; i < KLines; ++i) {
    const QString &t = templates[i % templates.size()];
    text += t.contains(u"%1") ? t.arg(i) : t;
    if (i + 1 < KLines) text += u'\n';
  }
  return text;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

// Milliseconds of one call of fn.
template <typename F>
double Ms(F &&fn) {
  QElapsedTimer timer;
  timer.start();
  fn();
  return double(timer.nsecsElapsed()) / 1e6;
}

void Repaint(TMEEdit &edit) { edit.viewport()->repaint(); }

void Type(TMEEdit &edit, QChar c) {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QString(c));
  QApplication::sendEvent(&edit, &press);
  Repaint(edit);
}

void Run() {
  THighlighterSet highlighters;
  TMEEdit edit;
  edit.show();
  edit.SetText(CppDocument());
  edit.SetHighlighter(highlighters.ForFileName(u"bench.cpp"));
  edit.UpdateScrollBars();
  QApplication::processEvents();
  // Measured with both scroll bars shown, as they are on this document.
  const int frameW = edit.width() - edit.viewport()->width(), frameH = edit.height() - edit.viewport()->height();
  edit.resize(frameW + edit.TextLeft() + KColumns * edit.CharWidth(), frameH + KRows * edit.LineHeight());
  QApplication::processEvents();
  if (edit.VisibleRowCount() != KRows || edit.VisibleColumns() != KColumns)
    std::fprintf(stderr, "editorview: window is %d x %d cells\n", edit.VisibleColumns(), edit.VisibleRowCount());
  edit.setFocus();

  // Caret from the first line to the last, painted there: every line state is computed on the way.
  edit.SetCaretXY({1, 1});
  Repaint(edit);
  const double toEnd = Ms([&] {
    edit.SetCaretXY({1, edit.LineCount()});
    Repaint(edit);
  });
  PrintFigure("editorview.caret_to_last_line.ms", toEnd, "ms");
  if (edit.LineStates().ValidTo() < KLines - 1)
    std::fprintf(stderr, "editorview: line states reach only line %d\n", edit.LineStates().ValidTo());
  PrintFigure("editorview.line_state_bytes_per_line", double(edit.LineStates().MemoryBytes()) / KLines, "B");

  edit.SetTopLine(KLines / 2);
  edit.SetCaretXY({1, KLines / 2 + 10});
  Repaint(edit);
  std::vector<double> warm, cold;
  for (int i = 0; i < 40; ++i) warm.push_back(Ms([&] { Repaint(edit); }));
  for (int i = 0; i < 20; ++i) {
    edit.ClearLayouts();
    cold.push_back(Ms([&] { Repaint(edit); }));
  }
  PrintFigure("editorview.repaint_warm.ms", Median(warm), "ms");
  PrintFigure("editorview.repaint_cold.ms", Median(cold), "ms");

  for (const bool wrap : {false, true}) {
    edit.SetWordWrap(wrap);
    edit.SetCaretXY({30, KLines / 2 + 20});
    Repaint(edit);
    std::vector<double> typed;
    for (int i = 0; i < 60; ++i) typed.push_back(Ms([&] { Type(edit, QChar(u'a' + i % 26)); }));
    PrintFigure(wrap ? "editorview.type_repaint_wrap.ms" : "editorview.type_repaint.ms", Median(typed), "ms");
    std::vector<double> repaint;
    for (int i = 0; i < 20; ++i) repaint.push_back(Ms([&] { Repaint(edit); }));
    PrintFigure(wrap ? "editorview.repaint_wrap.ms" : "editorview.repaint_after_typing.ms", Median(repaint), "ms");
  }
}

const TBenchRegistration registration("editorview", Run);

}  // namespace
