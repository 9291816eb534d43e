// Character offsets: each line-break style, positions inside a break, virtual space.
#include "EditorTestUtil.h"

class TestEditorOffsets : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void coordToOffset_data();
  void coordToOffset();
  void offsetToCoord_data();
  void offsetToCoord();
  void roundTripEveryPosition_data();
  void roundTripEveryPosition();
  void selectionOffsets();
  void emptyDocument();
};

void TestEditorOffsets::coordToOffset_data() {
  QTest::addColumn<QString>("lineBreak");
  QTest::addColumn<TBufferCoord>("coord");
  QTest::addColumn<int>("offset");
  for (const QString &lb : {QStringLiteral("\r\n"), QStringLiteral("\n"), QStringLiteral("\r")}) {
    const int b = int(lb.size());
    const QByteArray name = lb == u"\r\n" ? "crlf" : lb == u"\n" ? "lf" : "cr";
    QTest::newRow(name + "_start") << lb << BC(1, 1) << 0;
    QTest::newRow(name + "_line_end") << lb << BC(3, 1) << 2;
    QTest::newRow(name + "_second_line") << lb << BC(2, 2) << 3 + b;
    QTest::newRow(name + "_virtual_space_stops_at_line_end") << lb << BC(9, 1) << 2;
    QTest::newRow(name + "_line_below_1_is_line_1") << lb << BC(2, 0) << 1;
    QTest::newRow(name + "_line_past_store_counts_every_line") << lb << BC(1, 9) << 4 + 2 * b;
  }
}

void TestEditorOffsets::coordToOffset() {
  QFETCH(QString, lineBreak);
  QFETCH(TBufferCoord, coord);
  QFETCH(int, offset);
  TMEEdit edit;
  edit.SetText(QStringLiteral("ab") + lineBreak + QStringLiteral("cd"));
  QCOMPARE(edit.Lines().LineBreak(), lineBreak);
  QCOMPARE(edit.CoordToOffset(coord), offset);
}

void TestEditorOffsets::offsetToCoord_data() {
  QTest::addColumn<QString>("lineBreak");
  QTest::addColumn<int>("offset");
  QTest::addColumn<TBufferCoord>("coord");
  QTest::newRow("crlf_inside_break_is_line_end") << "\r\n" << 3 << BC(3, 1);
  QTest::newRow("crlf_after_break") << "\r\n" << 4 << BC(1, 2);
  QTest::newRow("lf_after_break") << "\n" << 3 << BC(1, 2);
  QTest::newRow("cr_last_char") << "\r" << 4 << BC(2, 2);
  QTest::newRow("negative_is_start") << "\n" << -5 << BC(1, 1);
  QTest::newRow("past_the_end_is_document_end") << "\n" << 100 << BC(3, 2);
}

void TestEditorOffsets::offsetToCoord() {
  QFETCH(QString, lineBreak);
  QFETCH(int, offset);
  QFETCH(TBufferCoord, coord);
  TMEEdit edit;
  edit.SetText(QStringLiteral("ab") + lineBreak + QStringLiteral("cd"));
  QCOMPARE(Pos(edit.OffsetToCoord(offset)), Pos(coord));
}

void TestEditorOffsets::roundTripEveryPosition_data() {
  QTest::addColumn<QString>("lineBreak");
  QTest::newRow("crlf") << "\r\n";
  QTest::newRow("lf") << "\n";
  QTest::newRow("cr") << "\r";
}

// Every real position survives the trip to an offset and back, and offsets count the saved text.
void TestEditorOffsets::roundTripEveryPosition() {
  QFETCH(QString, lineBreak);
  TMEEdit edit;
  const QString text = QStringList{"abc", "", "de", ""}.join(lineBreak);
  edit.SetText(text);
  QCOMPARE(edit.GetText(), text);
  for (int line = 1; line <= edit.LineCount(); ++line) {
    for (int ch = 1; ch <= edit.LineText(line).size() + 1; ++ch) {
      const int offset = edit.CoordToOffset({ch, line});
      QCOMPARE(Pos(edit.OffsetToCoord(offset)), Pos({ch, line}));
      if (ch <= edit.LineText(line).size()) QCOMPARE(text[offset], edit.LineText(line)[ch - 1]);
    }
  }
}

void TestEditorOffsets::selectionOffsets() {
  TMEEdit edit;
  edit.SetText(QStringLiteral("ab\ncd"));
  edit.SelectAll();
  QCOMPARE(edit.SelStart(), 0);
  QCOMPARE(edit.SelEnd(), 5);
  QCOMPARE(edit.SelText(), QStringLiteral("ab\r\ncd"));

  edit.SetCaretAndSelection({1, 1}, {2, 2}, {1, 1});  // backward selection
  QCOMPARE(edit.SelStart(), 0);
  QCOMPARE(edit.SelEnd(), 4);

  edit.SetSelStart(4);
  QCOMPARE(DumpEdit(edit), QStringLiteral("ab|cd caret=(2,2) sel=(2,2)-(2,2)"));
  edit.SelectLine(1);
  edit.SetSelEnd(edit.SelStart());  // how Copy drops its temporary line selection
  QCOMPARE(DumpEdit(edit), QStringLiteral("ab|cd caret=(1,1) sel=(1,1)-(1,1)"));
}

void TestEditorOffsets::emptyDocument() {
  TMEEdit edit;
  QCOMPARE(edit.Lines().GetCount(), 0);
  QCOMPARE(Pos(edit.OffsetToCoord(5)), QStringLiteral("(1,1)"));
  QCOMPARE(edit.CoordToOffset({3, 1}), 0);
}

QTEST_MAIN(TestEditorOffsets)
#include "test_editor_offsets.moc"
