// Word-wrap rows: where lines break, and the row of a position.
#include "core/LineStore.h"
#include "editor/CellWidth.h"
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
  void wrapLineMatchesPlainWalk_data();
  void wrapLineMatchesPlainWalk();
  void rewrapMatchesBuild_data();
  void rewrapMatchesBuild();
};

static QString S(const char16_t *text) { return QString::fromUtf16(text); }

static QString RowText(const TMERow &row) { return QStringLiteral("(%1,%2,%3)").arg(row.Line).arg(row.StartChar).arg(row.Len); }

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

// The row walk as first written: measure a row, look back for a blank, then measure the row again
// to find the next row's starting column.
static QString PlainWrap(QStringView text, int width, int tabWidth) {
  const auto cellAt = [&](int i, int col) {
    return text[i - 1] == u'\t' ? TCellWidth{TabCells(col, tabWidth), 1} : CellWidthAt(text, i);
  };
  const auto blank = [&](int i) { return text[i - 1] == u' ' || text[i - 1] == u'\t'; };
  const int n = int(text.size());
  if (n == 0) return QStringLiteral("(1,0)");
  QString out;
  int s = 1, rowCol = 0;
  while (s <= n) {
    int col = rowCol, i = s;
    while (i <= n) {
      const TCellWidth cell = cellAt(i, col);
      if (col + cell.Width - rowCol > width) break;
      col += cell.Width;
      i += cell.Units;
    }
    int e = n;
    if (i <= n) {
      e = i;
      while (e > s && !blank(e)) --e;
      if (e <= s) e = i - 1;
      if (e < s) e = s + CellWidthAt(text, s).Units - 1;
    }
    out += QStringLiteral("(%1,%2)").arg(s).arg(e - s + 1);
    col = rowCol;
    for (int k = s; k <= e;) {
      const TCellWidth cell = cellAt(k, col);
      col += cell.Width;
      k += cell.Units;
    }
    rowCol = col;
    s = e + 1;
  }
  return out;
}

static QString Spans(QStringView text, int width, int tabWidth) {
  std::vector<TMERowSpan> spans;
  const int count = TMERowMap::WrapLine(text, width, tabWidth, spans);
  QString out;
  for (const TMERowSpan &span : spans) out += QStringLiteral("(%1,%2)").arg(span.StartChar).arg(span.Len);
  return count == int(spans.size()) ? out : QStringLiteral("count %1 for %2 rows").arg(count).arg(spans.size());
}

void TestEditorRows::wrapLineMatchesPlainWalk_data() {
  QTest::addColumn<QString>("alphabet");
  QTest::addColumn<int>("width");
  QTest::addColumn<int>("tabWidth");
  QTest::newRow("words_and_spaces") << "abc   " << 7 << 4;
  QTest::newRow("tabs_at_line_stops") << "ab\t\t " << 6 << 4;
  QTest::newRow("tab_wider_than_row") << "a\t " << 3 << 8;
  QTest::newRow("one_column_rows") << "a \t" << 1 << 4;
  QTest::newRow("wide_characters") << S(u"\u4E00\u4E01a ") << 5 << 4;
  QTest::newRow("zero_width_marks") << S(u"e\u0301\u20D0 ") << 3 << 4;
  QTest::newRow("surrogate_pairs_wide_and_plain") << S(u"\U0001F600\U0001D11Ex ") << 4 << 4;
  QTest::newRow("lone_surrogate_halves") << S(u"a \xD83D\xDE00\xD83D") << 4 << 4;
  QTest::newRow("everything_mixed") << S(u"ab \t\u4E00\u0301\U0001F600x") << 9 << 3;
}

// The one-pass row walk breaks every line exactly where the plain walk does.
void TestEditorRows::wrapLineMatchesPlainWalk() {
  QFETCH(QString, alphabet);
  QFETCH(int, width);
  QFETCH(int, tabWidth);
  QRandomGenerator rng(11);
  for (int step = 0; step < 2000; ++step) {
    QString line;
    const int n = int(rng.bounded(40));
    for (int i = 0; i < n; ++i) line += alphabet[int(rng.bounded(alphabet.size()))];
    QCOMPARE(Spans(line, width, tabWidth), PlainWrap(line, width, tabWidth));
  }
}

void TestEditorRows::rewrapMatchesBuild_data() {
  QTest::addColumn<int>("blockLines");
  QTest::addColumn<int>("maxOld");
  QTest::addColumn<int>("maxNew");
  QTest::newRow("one_block_small_edits") << TMERowMap::KDefaultBlockLines << 3 << 3;
  QTest::newRow("many_blocks_small_edits") << 4 << 3 << 3;
  QTest::newRow("many_blocks_pastes_and_cuts") << 4 << 40 << 40;
  QTest::newRow("one_line_blocks") << 1 << 5 << 5;
  QTest::newRow("odd_blocks_pastes_and_cuts") << 7 << 60 << 30;
}

// Replacing runs of lines and re-wrapping only them gives the rows of a full rebuild, whichever
// blocks the runs cross; each row and the row of each line end read as from a plain row list.
void TestEditorRows::rewrapMatchesBuild() {
  QFETCH(int, blockLines);
  QFETCH(int, maxOld);
  QFETCH(int, maxNew);
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
  TMERowMap map(blockLines);
  map.Build(store, 7, 4);
  for (int step = 0; step < 300; ++step) {
    const int first = int(rng.bounded(store.GetCount()));
    const int oldCount = 1 + int(rng.bounded(qMin(maxOld, store.GetCount() - first)));
    const int newCount = 1 + int(rng.bounded(maxNew));
    store.DeleteLines(first + 1, oldCount - 1);
    store.Put(first, randomLine());
    QStringList added;
    for (int i = 1; i < newCount; ++i) added << randomLine();
    store.InsertLines(first + 1, std::move(added));
    map.Rewrap(store, first, oldCount, newCount);
    TMERowMap fresh;
    fresh.Build(store, 7, 4);
    QCOMPARE(map.DebugDump(), fresh.DebugDump());
    QCOMPARE(map.LineCount(), store.GetCount());

    // The plain row list: every line's rows in order, and where each line's rows start.
    std::vector<TMERow> plain;
    std::vector<int> lineStart;
    for (int line = 1; line <= store.GetCount(); ++line) {
      lineStart.push_back(int(plain.size()));
      std::vector<TMERowSpan> spans;
      TMERowMap::WrapLine(store.Get(line - 1), 7, 4, spans);
      for (const TMERowSpan &span : spans) plain.push_back({line, span.StartChar, span.Len});
    }
    lineStart.push_back(int(plain.size()));
    QCOMPARE(map.Count(), int(plain.size()));
    for (int k = 0; k < map.Count(); ++k) QCOMPARE(RowText(map.At(k)), RowText(plain[size_t(k)]));
    // The row walk of a position: the first row of its line that reaches it, else the line's last.
    for (int line = 1; line <= store.GetCount(); ++line)
      for (int ch = 0; ch <= store.Get(line - 1).size() + 2; ++ch) {
        int row = lineStart[size_t(line)];
        for (int k = lineStart[size_t(line - 1)]; k < lineStart[size_t(line)]; ++k)
          if (ch <= plain[size_t(k)].StartChar + plain[size_t(k)].Len) {
            row = k + 1;
            break;
          }
        QCOMPARE(map.RowOf({ch, line}), row);
      }

    // Blocks stay between half full and full, so an edit rewrites a bounded number of rows.
    const std::vector<int> sizes = map.BlockSizes();
    for (size_t b = 0; b < sizes.size(); ++b) {
      QVERIFY2(sizes[b] <= blockLines, qPrintable(QStringLiteral("block %1 holds %2").arg(b).arg(sizes[b])));
      QVERIFY2(sizes[b] >= (b + 1 < sizes.size() ? qMax(1, blockLines / 2) : 1),
               qPrintable(QStringLiteral("block %1 holds %2").arg(b).arg(sizes[b])));
    }
  }
}

QTEST_GUILESS_MAIN(TestEditorRows)
#include "test_editor_rows.moc"
