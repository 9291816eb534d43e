// The cell model: widths of characters, columns before a position, the character at a column.
#include "core/TextSplit.h"
#include "editor/CellWidth.h"

#include <QTest>

class TestEditorCells : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void cellWidthAt_data();
  void cellWidthAt();
  void columnsBefore_data();
  void columnsBefore();
  void charAtColumn_data();
  void charAtColumn();
  void pairHalves_data();
  void pairHalves();
};

static QString S(const char16_t *text) { return QString::fromUtf16(text); }

void TestEditorCells::cellWidthAt_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("index");
  QTest::addColumn<int>("width");
  QTest::addColumn<int>("units");
  QTest::newRow("ascii_one") << "a" << 1 << 1 << 1;
  QTest::newRow("tab_is_a_plain_unit_here") << "\t" << 1 << 1 << 1;
  QTest::newRow("combining_acute_zero") << S(u"e\u0301") << 2 << 0 << 1;
  QTest::newRow("zero_width_joiner_zero") << S(u"\u200D") << 1 << 0 << 1;
  QTest::newRow("variation_selector_zero") << S(u"\uFE0F") << 1 << 0 << 1;
  QTest::newRow("first_after_zero_range_is_one") << S(u"\u0370") << 1 << 1 << 1;
  QTest::newRow("cjk_ideograph_two") << S(u"\u4E00") << 1 << 2 << 1;
  QTest::newRow("hangul_last_wide") << S(u"\uD7A3") << 1 << 2 << 1;
  QTest::newRow("hangul_after_range_one") << S(u"\uD7A4") << 1 << 1 << 1;
  QTest::newRow("fullwidth_form_two") << S(u"\uFF21") << 1 << 2 << 1;
  QTest::newRow("emoji_pair_two_units_two_cells") << S(u"\U0001F600") << 1 << 2 << 2;
  QTest::newRow("cjk_extension_b_pair") << S(u"\U00020000") << 1 << 2 << 2;
  QTest::newRow("pair_outside_tables_one") << S(u"\U0001D11E") << 1 << 1 << 2;
  QTest::newRow("lone_high_at_end") << S(u"a\xD83D") << 2 << 1 << 1;
  QTest::newRow("high_before_non_low") << S(u"\xD83Dx") << 1 << 1 << 1;
  QTest::newRow("lone_low") << S(u"\xDE00") << 1 << 1 << 1;
}

void TestEditorCells::cellWidthAt() {
  QFETCH(QString, text);
  QFETCH(int, index);
  QFETCH(int, width);
  QFETCH(int, units);
  const TCellWidth cell = CellWidthAt(text, index);
  QCOMPARE(cell.Width, width);
  QCOMPARE(cell.Units, units);
}

void TestEditorCells::columnsBefore_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("ch");
  QTest::addColumn<int>("tabWidth");
  QTest::addColumn<int>("columns");
  QTest::newRow("line_start_zero") << "abc" << 1 << 4 << 0;
  QTest::newRow("tab_then_ab_before_char3") << "\tab" << 3 << 4 << 5;
  QTest::newRow("virtual_columns_past_end") << "ab" << 5 << 4 << 4;
  QTest::newRow("tab_advances_to_next_stop") << "ab\tc" << 4 << 4 << 4;
  QTest::newRow("tab_on_a_stop_takes_full_width") << "abcd\t" << 6 << 4 << 8;
  QTest::newRow("tab_width_one") << "a\t\tb" << 4 << 1 << 3;
  QTest::newRow("cjk_two_columns") << S(u"\u4E00a") << 2 << 4 << 2;
  QTest::newRow("combining_mark_no_column") << S(u"e\u0301x") << 3 << 4 << 1;
  QTest::newRow("pair_counts_once") << S(u"\U0001F600a") << 3 << 4 << 2;
  QTest::newRow("tab_after_wide_uses_its_column") << S(u"\u4E00\u4E00\u4E00\tx") << 5 << 4 << 8;
}

void TestEditorCells::columnsBefore() {
  QFETCH(QString, text);
  QFETCH(int, ch);
  QFETCH(int, tabWidth);
  QFETCH(int, columns);
  QCOMPARE(ColumnsBefore(text, ch, tabWidth), columns);
}

void TestEditorCells::charAtColumn_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("target");
  QTest::addColumn<int>("ch");
  QTest::newRow("first_cell") << "abc" << 0 << 1;
  QTest::newRow("inside_tab_cell_gives_the_tab") << "a\tb" << 2 << 2;
  QTest::newRow("after_tab") << "a\tb" << 4 << 3;
  QTest::newRow("column8_on_5_units_gives_char9") << "abcde" << 8 << 9;
  QTest::newRow("just_past_end") << "abcde" << 5 << 6;
  QTest::newRow("second_cell_of_wide_gives_the_wide") << S(u"\u4E00b") << 1 << 1;
  QTest::newRow("after_pair_skips_both_units") << S(u"\U0001F600b") << 2 << 3;
  QTest::newRow("second_cell_of_pair_never_the_low_half") << S(u"\U0001F600b") << 1 << 1;
  QTest::newRow("zero_width_never_hit") << S(u"e\u0301x") << 1 << 3;
}

void TestEditorCells::charAtColumn() {
  QFETCH(QString, text);
  QFETCH(int, target);
  QFETCH(int, ch);
  QCOMPARE(CharAtColumn(text, target, 4), ch);
}

void TestEditorCells::pairHalves_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("ch");
  QTest::addColumn<int>("unitsBefore");
  QTest::addColumn<bool>("splits");
  QTest::newRow("after_pair") << S(u"a\U0001F600b") << 4 << 2 << false;
  QTest::newRow("between_halves") << S(u"a\U0001F600b") << 3 << 1 << true;
  QTest::newRow("before_pair") << S(u"a\U0001F600b") << 2 << 1 << false;
  QTest::newRow("line_end_after_pair") << S(u"\U0001F600") << 3 << 2 << false;
  QTest::newRow("virtual_space") << S(u"\U0001F600") << 5 << 1 << false;
  QTest::newRow("two_lows_are_no_pair") << S(u"\xDE00\xDE00") << 3 << 1 << false;
}

void TestEditorCells::pairHalves() {
  QFETCH(QString, text);
  QFETCH(int, ch);
  QFETCH(int, unitsBefore);
  QFETCH(bool, splits);
  QCOMPARE(UnitsBefore(text, ch), unitsBefore);
  QCOMPARE(SplitsPair(text, ch), splits);
}

QTEST_GUILESS_MAIN(TestEditorCells)
#include "test_editor_cells.moc"
