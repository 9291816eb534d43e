// The editor control on a document of a million lines: typing one character with and without word
// wrap, and pasting a million lines into the middle and undoing the paste.
#include "BenchGroup.h"
#include "BenchUtil.h"
#include "editor/Edit.h"

#include <QStringList>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int KBigLines = 1000000;
constexpr int KSmallLines = 1000;
constexpr int KTypedChars = 2001;
// Wide enough for a whole row of text, narrow enough that most lines wrap once.
constexpr int KWrapColumns = 60;

// Deterministic lines of about 80 characters of words and blanks, so wrapping finds break points.
std::unique_ptr<QStringList> MakeLines(int count, quint32 seed) {
  static const char16_t *const KWords[] = {u"error", u"session", u"opened", u"for", u"user", u"root", u"by",
                                           u"uid=0", u"connection", u"from", u"10.0.3.17", u"port", u"\tkey",
                                           u"accepted", u"disk", u"quota", u"exceeded", u"on", u"/var/log"};
  auto lines = std::make_unique<QStringList>();
  lines->reserve(count);
  for (int i = 0; i < count; ++i) {
    QString line = QString::number(i + 1);
    while (line.size() < 76) {
      seed = seed * 1664525u + 1013904223u;
      line += u' ';
      line += QStringView(KWords[(seed >> 16) % std::size(KWords)]);
    }
    lines->append(std::move(line));
  }
  return lines;
}

void Load(TMEEdit &edit, int count) {
  std::unique_ptr<QStringList> lines = MakeLines(count, 7);
  edit.Document().AdoptLines(lines, leCRLF);
}

double Median(std::vector<double> samples) {
  std::nth_element(samples.begin(), samples.begin() + samples.size() / 2, samples.end());
  return samples[samples.size() / 2];
}

// Median microseconds of one SetSelText of a single character at the caret, typed repeatedly.
double TypeMedianUs(TMEEdit &edit, TBufferCoord at, QChar typed) {
  edit.SetCaretXY(at);
  const QString text(typed);
  std::vector<double> samples;
  samples.reserve(KTypedChars);
  for (int i = 0; i < KTypedChars; ++i) {
    const auto start = std::chrono::steady_clock::now();
    edit.SetSelText(text);
    samples.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
  }
  return Median(samples);
}

TBufferCoord EndOf(TMEEdit &edit) { return {int(edit.LineText(edit.LineCount()).size()) + 1, edit.LineCount()}; }

// An editor shown off screen, so its viewport follows its size and the wrap width is known.
void ShowWithWrapColumns(TMEEdit &edit, int columns) {
  edit.show();
  const int frame = edit.width() - edit.viewport()->width();
  edit.resize(frame + edit.TextLeft() + columns * edit.CharWidth(), 400);
}

void MeasureTyping() {
  TMEEdit small, big;
  // Shown, as in the program: a visible editor keeps its caret and scroll bars in step.
  ShowWithWrapColumns(small, KWrapColumns);
  ShowWithWrapColumns(big, KWrapColumns);
  Load(small, KSmallLines);
  Load(big, KBigLines);
  // Both documents are typed into in turn, so neither is favoured by a warmer cache or heap.
  small.SetCaretXY(EndOf(small));
  big.SetCaretXY(EndOf(big));
  const QString typed(u'x');
  std::vector<double> smallUs, bigUs;
  for (int i = 0; i < KTypedChars; ++i) {
    for (TMEEdit *edit : {&small, &big}) {
      const auto start = std::chrono::steady_clock::now();
      edit->SetSelText(typed);
      const double us = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
      (edit == &small ? smallUs : bigUs).push_back(us);
    }
  }
  if (!big.CanUndo() || big.LineText(KBigLines).size() < KTypedChars)
    std::fprintf(stderr, "editor: typing did not reach the document or its undo list\n");
  PrintFigure("editor.type_end.us", Median(bigUs), "us");
  PrintFigure("editor.type_end_1k.us", Median(smallUs), "us");
  PrintFigure("editor.type_end.size_ratio", Median(bigUs) / Median(smallUs), "x");
  PrintFigure("editor.enter_mid.us", TypeMedianUs(big, {41, KBigLines / 2}, u'\n'), "us");

  TMEEdit edit;
  ShowWithWrapColumns(edit, KWrapColumns);
  edit.SetWordWrap(true);
  Load(edit, KBigLines);
  const double buildSeconds = TimeBest(1, [&] { edit.BuildRows(); });
  PrintFigure("editor.wrap_build.ms", buildSeconds * 1000, "ms");
  PrintFigure("editor.wrap_rows", edit.RowCount(), "rows");
  PrintFigure("editor.type_wrap_end.us", TypeMedianUs(edit, EndOf(edit), u'x'), "us");
  // In the middle the rows after the line stay where they are unless the line gains or loses one.
  const int middle = KBigLines / 2;
  PrintFigure("editor.type_wrap_mid.us", TypeMedianUs(edit, {41, middle}, u'x'), "us");
  // Enter adds a line: every row after it now belongs to a line one further down.
  PrintFigure("editor.enter_wrap_mid.us", TypeMedianUs(edit, {41, middle}, u'\n'), "us");
}

void MeasurePaste(bool wordWrap) {
  const std::string prefix = wordWrap ? "editor.paste_wrap" : "editor.paste";
  TMEEdit edit;
  if (wordWrap) {
    ShowWithWrapColumns(edit, KWrapColumns);
    edit.SetWordWrap(true);
  }
  Load(edit, KBigLines);
  edit.BuildRows();
  // A million whole lines, each with its line break, as copied from another document.
  const QString paste = MakeLines(KBigLines, 99)->join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
  const TBufferCoord middle{41, KBigLines / 2};
  const QString middleLine = edit.LineText(middle.Line);
  // The better of two rounds of each.
  double pasteSeconds = 1e30, undoSeconds = 1e30, redoSeconds = 1e30;
  for (int round = 0; round < 2; ++round) {
    edit.SetCaretXY(middle);
    pasteSeconds = std::min(pasteSeconds, TimeBest(1, [&] { edit.SetSelText(paste); }));
    if (edit.LineCount() != 2 * KBigLines) std::fprintf(stderr, "editor: paste gave %d lines\n", edit.LineCount());
    undoSeconds = std::min(undoSeconds, TimeBest(1, [&] { edit.Undo(); }));
    redoSeconds = std::min(redoSeconds, TimeBest(1, [&] { edit.Redo(); }));
    edit.Undo();
    if (edit.LineCount() != KBigLines || edit.LineText(middle.Line) != middleLine)
      std::fprintf(stderr, "editor: undo did not restore the document\n");
  }
  PrintFigure(prefix + ".ms", pasteSeconds * 1000, "ms");
  PrintFigure(prefix + "_undo.ms", undoSeconds * 1000, "ms");
  PrintFigure(prefix + "_redo.ms", redoSeconds * 1000, "ms");
}

void RunEditorBench() {
  MeasureTyping();
  TrimHeap();
  MeasurePaste(false);
  TrimHeap();
  MeasurePaste(true);
}

const TBenchRegistration KRegistration("editor", RunEditorBench);

}  // namespace
