// Word-wrap rows: where lines break, and the row of a position.
#include "core/LineStore.h"
#include "editor/RowMap.h"

#include <QRandomGenerator>
#include <QTest>

class TestEditorRows : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void wrapLine_data();
  void wrapLine();
  void rowOf_data();
  void rowOf();
  void rewrapMatchesBuild();
};

static QString S(const char16_t *text) { return QString::fromUtf16(text); }

static QString Wrapped(const QString &lines, int width, int tabWidth) {
  TMELineList store;
  store.SetText(QString(lines).replace(u'|', u'\n'));
  TMERowMap map;
  map.Build(store, width, tabWidth);
  return map.DebugDump();
}

void TestEditorRows::wrapLine_data() {
  QTest::addColumn<QString>("lines");
  QTest::addColumn<int>("width");
  QTest::addColumn<int>("tabWidth");
  QTest::addColumn<QString>("rows");
  QTest::newRow("empty_document_one_row") << "" << 10 << 4 << "(1,1,0)";
  QTest::newRow("empty_line_one_row") << "a||b" << 10 << 4 << "(1,1,1) (2,1,0) (3,1,1)";
  QTest::newRow("overflowing_space_stays_on_upper_row") << "aaaa bbbb cccc" << 10 << 4 << "(1,1,10) (1,11,4)";
  QTest::newRow("no_blank_breaks_hard") << QString(25, u'x') << 10 << 4 << "(1,1,10) (1,11,10) (1,21,5)";
  QTest::newRow("exact_fit_one_row") << QString(10, u'x') << 10 << 4 << "(1,1,10)";
  QTest::newRow("tab_wider_than_row_alone") << "\tab" << 3 << 4 << "(1,1,1) (1,2,2)";
  QTest::newRow("breaks_after_last_blank") << "ab cd efgh" << 8 << 4 << "(1,1,6) (1,7,4)";
  QTest::newRow("blank_at_row_start_not_a_break") << " abcdefgh" << 4 << 4 << "(1,1,4) (1,5,4) (1,9,1)";
  // Rows are measured as they are drawn: wide characters take two columns...
  QTest::newRow("cjk_measured_two_columns") << S(u"\u4E00\u4E01\u4E02") << 4 << 4 << "(1,1,2) (1,3,1)";
  QTest::newRow("zero_width_marks_take_no_column") << S(u"e\u0301e\u0301e\u0301") << 2 << 4 << "(1,1,4) (1,5,2)";
  // ...tabs stop at the line's own tab stops, not ones restarting per row...
  QTest::newRow("tab_stops_are_the_lines_own") << "abcdefg\thij" << 6 << 4 << "(1,1,6) (1,7,5)";
  // ...and a surrogate pair is never cut.
  QTest::newRow("hard_break_before_pair") << S(u"ab\U0001F600") << 3 << 4 << "(1,1,2) (1,3,2)";
  QTest::newRow("pair_wider_than_row_stays_whole") << S(u"\U0001F600a") << 1 << 4 << "(1,1,2) (1,3,1)";
  QTest::newRow("plain_pair_fills_one_column") << S(u"\U0001D11E\U0001D11E") << 1 << 4 << "(1,1,2) (1,3,2)";
}

void TestEditorRows::wrapLine() {
  QFETCH(QString, lines);
  QFETCH(int, width);
  QFETCH(int, tabWidth);
  QFETCH(QString, rows);
  QCOMPARE(Wrapped(lines, width, tabWidth), rows);
}

void TestEditorRows::rowOf_data() {
  QTest::addColumn<int>("ch");
  QTest::addColumn<int>("line");
  QTest::addColumn<int>("row");
  // Rows: (1,1,10) (1,11,4) (2,1,0) (3,1,3)
  QTest::newRow("line_start") << 1 << 1 << 1;
  QTest::newRow("before_line_start") << 0 << 1 << 1;
  QTest::newRow("wrap_point_belongs_to_upper_row") << 11 << 1 << 1;
  QTest::newRow("one_past_wrap_point_continuation") << 12 << 1 << 2;
  QTest::newRow("line_end") << 15 << 1 << 2;
  QTest::newRow("virtual_space_on_last_row_of_line") << 40 << 1 << 2;
  QTest::newRow("empty_line") << 1 << 2 << 3;
  QTest::newRow("line_before_first") << 1 << 0 << 1;
  QTest::newRow("line_after_last_gives_row_count") << 1 << 9 << 4;
}

void TestEditorRows::rowOf() {
  QFETCH(int, ch);
  QFETCH(int, line);
  QFETCH(int, row);
  TMELineList store;
  store.SetText(u"aaaa bbbb cccc\n\nxyz");
  TMERowMap map;
  map.Build(store, 10, 4);
  QCOMPARE(map.DebugDump(), QStringLiteral("(1,1,10) (1,11,4) (2,1,0) (3,1,3)"));
  QCOMPARE(map.RowOf({ch, line}), row);
}

// Replacing runs of lines and re-wrapping only them gives the rows of a full rebuild.
void TestEditorRows::rewrapMatchesBuild() {
  QRandomGenerator rng(7);
  const QString alphabet = S(u"ab  \t\u4E00\u0301x");
  const auto randomLine = [&] {
    QString line;
    const int n = int(rng.bounded(30));
    for (int i = 0; i < n; ++i) line += alphabet[int(rng.bounded(alphabet.size()))];
    return line;
  };
  TMELineList store;
  for (int i = 0; i < 20; ++i) store.Add(randomLine());
  TMERowMap map;
  map.Build(store, 7, 4);
  for (int step = 0; step < 300; ++step) {
    const int first = int(rng.bounded(store.GetCount()));
    const int oldCount = 1 + int(rng.bounded(qMin(3, store.GetCount() - first)));
    const int newCount = 1 + int(rng.bounded(3));
    store.DeleteLines(first + 1, oldCount - 1);
    store.Put(first, randomLine());
    QStringList added;
    for (int i = 1; i < newCount; ++i) added << randomLine();
    store.InsertLines(first + 1, std::move(added));
    map.Rewrap(store, first, oldCount, newCount);
    TMERowMap fresh;
    fresh.Build(store, 7, 4);
    QCOMPARE(map.DebugDump(), fresh.DebugDump());
    for (int line = 1; line <= store.GetCount(); ++line)
      QCOMPARE(map.RowOf({int(store.Get(line - 1).size()) + 1, line}), fresh.RowOf({int(store.Get(line - 1).size()) + 1, line}));
  }
}

QTEST_GUILESS_MAIN(TestEditorRows)
#include "test_editor_rows.moc"
