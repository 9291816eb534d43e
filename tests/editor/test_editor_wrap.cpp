// Word-wrap rows kept in step by the editing primitives: after any edit they are exactly the
// rows a full rebuild gives, and the causes of a full rebuild still rebuild.
#include "EditorTestUtil.h"
#include "editor/LiteralSearch.h"

#include <QRandomGenerator>

class TestEditorWrap : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void randomEditsMatchFullRebuild();
  void bigEditsAcrossBlocksMatchFullRebuild();
  void widthTabWidthAndOutsideChangesRebuild();
};

static QString FullRebuild(TMEEdit &edit, int width) {
  TMERowMap rows;
  rows.Build(edit.Lines(), width, edit.TabWidth());
  return rows.DebugDump();
}

// The wrap width the editor's geometry gives now: a scroll bar that appears narrows it.
static int CurrentWrapColumns(const TMEEdit &edit) { return qMax(1, edit.TextAreaWidth() / edit.CharWidth()); }

void TestEditorWrap::randomEditsMatchFullRebuild() {
  TMEEdit edit;
  SetWrapColumns(edit, 9);
  edit.SetWordWrap(true);
  edit.SetScrollOptions(eoScrollPastEol);
  SetLines(edit, "the quick brown fox|jumps over||the lazy dog\tand more");
  QVERIFY(!edit.Rows().DebugDump().isEmpty());  // rows exist before the edits start
  QRandomGenerator rng(5);
  const QStringList inserts = {"x", " ", "\t", "\r\n", "word word word\nnext", QString::fromUtf16(u"\u4E00\U0001F600"),
                               QString::fromUtf16(u"e\u0301"), "a\r\n\r\nb", ""};
  const auto randomPos = [&] {
    const int line = 1 + int(rng.bounded(edit.LineCount()));
    return TBufferCoord{1 + int(rng.bounded(int(edit.LineText(line).size()) + 3)), line};
  };
  for (int step = 0; step < 400; ++step) {
    const TBufferCoord a = randomPos();
    const TBufferCoord b = rng.bounded(3) ? a : randomPos();
    edit.SetCaretAndSelection(b, a, b);
    switch (rng.bounded(7)) {
      case 0: edit.DeleteLastChar(); break;
      case 1: edit.DeleteChar(); break;
      case 2: edit.IndentLines(rng.bounded(2)); break;
      case 3: edit.Undo(); break;
      case 4: edit.Redo(); break;
      default: edit.SetSelText(inserts[int(rng.bounded(inserts.size()))]); break;
    }
    QCOMPARE(edit.Rows().DebugDump(), FullRebuild(edit, CurrentWrapColumns(edit)));
  }
}

// Pastes and cuts of thousands of lines, and their Undo and Redo, cross the row list's blocks.
void TestEditorWrap::bigEditsAcrossBlocksMatchFullRebuild() {
  TMEEdit edit;
  edit.SetWordWrap(true);
  QStringList lines;
  for (int i = 0; i < 3 * TMERowMap::KDefaultBlockLines; ++i)
    lines << (i % 3 ? QStringLiteral("line %1 of words").arg(i) : QString());
  edit.SetText(lines.join(u'\n'));
  // After the text, as the gutter widens with the line numbers' digits.
  SetWrapColumns(edit, 9);
  QVERIFY(edit.Rows().BlockSizes().size() >= 3);
  TMEEditSearch literal;
  edit.SetSearchEngine(&literal);
  QRandomGenerator rng(9);
  const auto randomPos = [&] {
    const int line = 1 + int(rng.bounded(edit.LineCount()));
    return TBufferCoord{1 + int(rng.bounded(int(edit.LineText(line).size()) + 1)), line};
  };
  for (int step = 0; step < 60; ++step) {
    const TBufferCoord a = randomPos();
    edit.SetCaretAndSelection(a, a, a);
    switch (rng.bounded(5)) {
      case 0: {
        // A run of up to two blocks' worth of lines.
        const int count = 1 + int(rng.bounded(2 * TMERowMap::KDefaultBlockLines));
        edit.SetSelText(lines.mid(int(rng.bounded(lines.size() - count)), count).join(QStringLiteral("\r\n")));
        break;
      }
      case 1: {
        const TBufferCoord b = randomPos();
        edit.SetCaretAndSelection(b, a, b);
        edit.SetSelText(QString());
        break;
      }
      case 2: edit.Undo(); break;
      case 3: edit.Redo(); break;
      default:
        // Runs of neighbouring changed lines that cross blocks, longer or shorter.
        edit.SearchReplace(rng.bounded(2) ? "of" : "s of words", rng.bounded(2) ? "" : "of many more words",
                           ssoReplace | ssoReplaceAll);
        break;
    }
    QCOMPARE(edit.Rows().DebugDump(), FullRebuild(edit, CurrentWrapColumns(edit)));
  }
}

void TestEditorWrap::widthTabWidthAndOutsideChangesRebuild() {
  TMEEdit edit;
  SetWrapColumns(edit, 8);
  edit.SetWordWrap(true);
  SetLines(edit, "ab\tcd efgh ijk");
  // Tab width 4: the tab ends at column 4, "f" overflows and the row breaks after the space.
  QCOMPARE(edit.Rows().DebugDump(), QStringLiteral("(1,1,6) (1,7,8)"));
  // Tab width 8: the tab reaches column 8, so "c" overflows and the row ends on the tab.
  edit.SetTabWidth(8);
  QCOMPARE(edit.Rows().DebugDump(), FullRebuild(edit, 8));
  QCOMPARE(edit.Rows().DebugDump(), QStringLiteral("(1,1,3) (1,4,8) (1,12,3)"));
  SetWrapColumns(edit, 5);
  QCOMPARE(edit.Rows().DebugDump(), FullRebuild(edit, 5));
  // Edits made through the document, not the editor's commands, are followed too.
  edit.Document().SetText(u"set by the document\nand more");
  QCOMPARE(edit.Rows().DebugDump(), FullRebuild(edit, 5));
  edit.Document().InsertTextAt({3, 2}, QStringLiteral("changed\noutside the editor"), false);
  QCOMPARE(edit.Rows().DebugDump(), FullRebuild(edit, 5));
  edit.SetWordWrap(false);
  QCOMPARE(edit.Rows().Count(), 0);
  QCOMPARE(edit.RowCount(), 3);
}

QTEST_MAIN(TestEditorWrap)
#include "test_editor_wrap.moc"
