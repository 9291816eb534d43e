// Highlighter line states: after edits they must equal a full re-tokenization from the first line,
// and an edit must cost only the lines whose state really changed.
#include "EditorTestUtil.h"
#include "core/LineStore.h"
#include "editor/LineStates.h"
#include "highlight/HighlighterSet.h"

#include <QRandomGenerator>

namespace {

// The end state of every line, tokenized from the first line on.
std::vector<TLineState> FullStates(const TMELineList &lines, TMECustomHighlighter *highlighter) {
  std::vector<TLineState> states;
  TMETokenList tokens;
  TLineState state = 0;
  for (const QString &line : lines.Lines()) {
    highlighter->TokenizeLine(line, state, tokens, state);
    states.push_back(state);
  }
  return states;
}

// C code in which block comments and a multi-line string open and close across lines.
QString Source(int blocks) {
  QStringList out;
  for (int i = 0; i < blocks; ++i) {
    out << QStringLiteral("int f%1(int a) {").arg(i) << QStringLiteral("  /* opens here")
        << QStringLiteral("     still inside \"no string\"") << QStringLiteral("  */ return a + %1;").arg(i)
        << QStringLiteral("}") << QStringLiteral("// line comment /* not a block") << QString();
  }
  return out.join(u'\n');
}

}  // namespace

class TestLineStates : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() {
    FHighlighter = FSet.ForFileName(u"sample.cpp");
    QVERIFY(FHighlighter);
    // The sample must really carry states across lines, or the comparisons prove nothing.
    TMELineList lines;
    lines.SetText(Source(1));
    const std::vector<TLineState> states = FullStates(lines, FHighlighter);
    QVERIFY(states[1] != 0);
    QCOMPARE(states[3], TLineState(0));
  }

  void randomEditsMatchFullTokenizing() {
    TMEEdit edit;
    edit.SetHighlighter(FHighlighter);
    edit.SetText(Source(30));
    QRandomGenerator random(20240611);
    const QStringList pieces = {QStringLiteral("/*"), QStringLiteral("*/"), QStringLiteral("\""),
                                QStringLiteral("x"), QStringLiteral("\n"), QStringLiteral("\n/* a\nb */\n"),
                                QStringLiteral("//"), QStringLiteral("\\"), QStringLiteral("\n\n\n")};
    for (int step = 0; step < 1000; ++step) {
      const int line = 1 + int(random.bounded(edit.LineCount()));
      const int length = int(edit.LineText(line).size());
      const TBufferCoord at{1 + int(random.bounded(length + 1)), line};
      if (random.bounded(3) == 0) {
        const int toLine = qMin(edit.LineCount(), line + int(random.bounded(3)));
        edit.Document().DeleteRange(at, {1 + int(random.bounded(int(edit.LineText(toLine).size()) + 1)), toLine}, false);
      } else {
        edit.Document().InsertTextAt(at, pieces[int(random.bounded(int(pieces.size())))], false);
      }
      // Paints ask for states part of the way down, leaving stale stretches behind.
      if (random.bounded(2) == 0) edit.LineStartState(1 + int(random.bounded(edit.LineCount())));
      if (step % 10 != 9) continue;
      edit.LineStartState(edit.LineCount() + 1);
      const std::vector<TLineState> expected = FullStates(edit.Lines(), FHighlighter);
      for (int i = 0; i < int(expected.size()); ++i)
        QVERIFY2(edit.LineStates().EndState(i) == expected[size_t(i)],
                 qPrintable(QStringLiteral("step %1 line %2 %3").arg(step).arg(i + 1).arg(edit.LineStates().DebugDump())));
      QCOMPARE(edit.LineStartState(edit.LineCount()), expected[expected.size() - 2]);
    }
  }

  // How many lines the next update tokenizes after one edit of a 7000-line document whose states
  // are all known. Line 3500 is empty, 3501 is the first line of a function, 3502 opens a block
  // comment and 3504 closes it.
  void editCostsOnlyChangedLines_data() {
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("insert");
    QTest::addColumn<int>("tokenized");
    QTest::addColumn<QString>("dump");
    QTest::newRow("letterOutsideComment") << 3501 << "x" << 1 << "valid=7000 stored=7000";
    QTest::newRow("letterInsideComment") << 3503 << "x" << 1 << "valid=7000 stored=7000";
    QTest::newRow("newLineShiftsStates") << 3501 << "\n\n" << 3 << "valid=7002 stored=7002";
    QTest::newRow("closingCommentEarlyRecoversOnItsLine") << 3502 << " */" << 3 << "valid=7000 stored=7000";
    // From the opened comment on every line ends inside one, as line 3502 did before.
    QTest::newRow("openingCommentStopsWhereStatesAgree") << 3500 << "/*" << 3 << "valid=7000 stored=7000";
    QTest::newRow("openingCommentInsideCommentChangesNothing") << 3503 << "/*" << 1 << "valid=7000 stored=7000";
  }

  void editCostsOnlyChangedLines() {
    QFETCH(int, line);
    QFETCH(QString, insert);
    QFETCH(int, tokenized);
    QFETCH(QString, dump);
    TMELineList lines;
    lines.SetText(Source(1000));
    TMELineStates states;
    QCOMPARE(states.Update(lines.GetCount(), lines, FHighlighter), 7000);
    const QStringList pieces = (lines.Get(line - 1) + insert).split(u'\n');
    lines.Put(line - 1, pieces[0]);
    lines.InsertLines(line, pieces.mid(1));
    states.LinesReplaced(line - 1, 1, int(pieces.size()));
    QCOMPARE(states.ValidTo(), line - 1);
    QCOMPARE(states.Update(lines.GetCount(), lines, FHighlighter), tokenized);
    QCOMPARE(states.DebugDump(), dump);
    const std::vector<TLineState> expected = FullStates(lines, FHighlighter);
    for (int i = 0; i < lines.GetCount(); ++i) QCOMPARE(states.EndState(i), expected[size_t(i)]);
  }

  void removedLinesShiftStatesUp() {
    TMELineList lines;
    lines.SetText(Source(100));
    TMELineStates states;
    states.Update(lines.GetCount(), lines, FHighlighter);
    // Remove lines 2 to 4 (the whole block comment) of the third function.
    lines.DeleteLines(15, 3);
    states.LinesReplaced(15, 3, 0);
    QCOMPARE(states.DebugDump(), QStringLiteral("valid=15 stored=697 stale=[15,16)"));
    QCOMPARE(states.Update(lines.GetCount(), lines, FHighlighter), 1);
    const std::vector<TLineState> expected = FullStates(lines, FHighlighter);
    for (int i = 0; i < lines.GetCount(); ++i) QCOMPARE(states.EndState(i), expected[size_t(i)]);
  }

  // Two edits far apart before the next paint: each is re-tokenized, the stretch between is not.
  void twoStaleStretchesSkipTheMiddle() {
    TMELineList lines;
    lines.SetText(Source(1000));
    TMELineStates states;
    states.Update(lines.GetCount(), lines, FHighlighter);
    lines.Put(99, lines.Get(99) + u'x');
    states.LinesReplaced(99, 1, 1);
    lines.Put(5999, lines.Get(5999) + u'y');
    states.LinesReplaced(5999, 1, 1);
    QCOMPARE(states.DebugDump(), QStringLiteral("valid=99 stored=7000 stale=[99,100) stale=[5999,6000)"));
    QCOMPARE(states.Update(lines.GetCount(), lines, FHighlighter), 2);
  }

  void editorInvalidatesFromTheEditedLine() {
    TMEEdit edit;
    edit.SetHighlighter(FHighlighter);
    edit.SetText(Source(1000));
    edit.LineStartState(edit.LineCount() + 1);
    QCOMPARE(edit.LineStates().ValidTo(), 7000);
    edit.SetCaretXY(BC(1, 5000));
    QTest::keyClick(&edit, Qt::Key_Z);
    QCOMPARE(edit.LineText(5000), QStringLiteral("z  /* opens here"));
    QCOMPARE(edit.LineStates().ValidTo(), 4999);
    QCOMPARE(edit.LineStates().StoredCount(), 7000);
    // A new highlighter knows nothing of the old one's states.
    edit.SetHighlighter(nullptr);
    QCOMPARE(edit.LineStates().StoredCount(), 0);
    QCOMPARE(edit.LineStartState(3), TLineState(0));
  }

 private:
  THighlighterSet FSet;
  TMECustomHighlighter *FHighlighter = nullptr;
};

QTEST_MAIN(TestLineStates)
#include "test_line_states.moc"
