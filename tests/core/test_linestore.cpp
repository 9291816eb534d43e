// The line store: splitting and its break vote, sanitizing, range rules, block edits, splices.
#include "CoreTestUtil.h"
#include "core/LineStore.h"

class TestLineStore : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void setTextSplitsAndVotes_data();
  void setTextSplitsAndVotes();
  void longLinesAreCut_data();
  void longLinesAreCut();
  void singleLineWritesAreSanitized_data();
  void singleLineWritesAreSanitized();
  void outOfRangeIsHarmless();
  void getTextRoundTrip();
  void adoptLinesTakesOwnership();
  void lineEndingOf_data();
  void lineEndingOf();
  void insertLinesAsBlock_data();
  void insertLinesAsBlock();
  void deleteLinesAsBlock_data();
  void deleteLinesAsBlock();
  void spliceLeavesSharedCopiesAlone_data();
  void spliceLeavesSharedCopiesAlone();
};

void TestLineStore::setTextSplitsAndVotes_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("lines");
  QTest::addColumn<int>("ending");
  QTest::addColumn<bool>("altered");
  QTest::newRow("empty_text_no_lines") << QString() << QString() << int(leLF) << false;
  QTest::newRow("single_char") << "a" << "a" << int(leCRLF) << false;
  QTest::newRow("trailing_crlf_gives_empty_last_line") << "a\r\n" << "a|" << int(leCRLF) << false;
  QTest::newRow("one_each_votes_crlf") << "a\rb\nc\r\nd" << "a|b|c|d" << int(leCRLF) << false;
  QTest::newRow("two_lf_beat_one_crlf") << "a\nb\nc\r\nd" << "a|b|c|d" << int(leLF) << false;
  QTest::newRow("two_cr_beat_one_lf") << "a\rb\rc\nd" << "a|b|c|d" << int(leCR) << false;
  QTest::newRow("lf_ties_cr_wins") << "a\nb\rc" << "a|b|c" << int(leLF) << false;
  QTest::newRow("no_break_votes_crlf") << "abc" << "abc" << int(leCRLF) << false;
  QTest::newRow("cr_at_end") << "a\r" << "a|" << int(leCR) << false;
  QTest::newRow("controls_sanitized") << QString::fromUtf16(u"a\u0000b\u001bc\u007f\td", 8) << "a<00B7>b<00B7>c<00B7><0009>d"
                                      << int(leCRLF) << true;
}

void TestLineStore::setTextSplitsAndVotes() {
  QFETCH(QString, text);
  QFETCH(QString, lines);
  QFETCH(int, ending);
  QFETCH(bool, altered);
  TMELineList store;
  store.SetLineBreak(u"\n");  // an empty text must keep the previous break
  bool changed = !altered;
  store.SetText(text, &changed);
  QCOMPARE(DumpLines(store.Lines()), lines);
  QCOMPARE(store.GetCount(), text.isEmpty() ? 0 : int(lines.count(u'|')) + 1);
  QCOMPARE(int(store.LineEnding()), ending);
  QCOMPARE(changed, altered);
}

void TestLineStore::longLinesAreCut_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QList<int>>("lengths");
  QTest::newRow("exactly_65536_stays_one") << QString(65536, u'x') << QList<int>{65536};
  QTest::newRow("65537_cut_in_two") << QString(65537, u'x') << QList<int>{65536, 1};
  QTest::newRow("131072_two_full_pieces") << QString(131072, u'x') << QList<int>{65536, 65536};
  QTest::newRow("200000_four_pieces") << QString(200000, u'x') << QList<int>{65536, 65536, 65536, 3392};
  QString pair = QString(65535, u'x') + QString::fromUtf16(u"\U0001F600") + u'y';
  QTest::newRow("pair_across_the_cut_stays_whole") << pair << QList<int>{65535, 3};
}

void TestLineStore::longLinesAreCut() {
  QFETCH(QString, text);
  QFETCH(QList<int>, lengths);
  TMELineList store;
  bool altered = false;
  store.SetText(text + QStringLiteral("\nz"), &altered);
  QList<int> got;
  for (const QString &line : store.Lines()) got.append(int(line.size()));
  QCOMPARE(got, lengths + QList<int>{1});
  QCOMPARE(altered, lengths.size() > 1);
  QCOMPARE(store.Lines().join(QString()), text + u'z');
}

void TestLineStore::singleLineWritesAreSanitized_data() {
  QTest::addColumn<QString>("line");
  QTest::addColumn<QString>("stored");
  QTest::newRow("nul") << QString::fromUtf16(u"a\u0000b", 3) << "a<00B7>b";
  QTest::newRow("esc") << QString::fromUtf16(u"\u001b[0m") << "<00B7>[0m";
  QTest::newRow("lone_cr_and_lf") << "a\rb\nc" << "a<00B7>b<00B7>c";
  QTest::newRow("del") << QString::fromUtf16(u"\u007f") << "<00B7>";
  QTest::newRow("tab_kept") << "\tx" << "<0009>x";
  QTest::newRow("long_line_not_cut") << QString(70000, u'q') << QString(70000, u'q');
  // Long lines are tested in blocks: a control unit in any block, or in the tail, is found.
  for (int at : {0, 31, 32, 63, 64, 69}) {
    QString line(70, u'q');
    line[at] = QChar(0x1F);
    QString stored = line;
    stored.replace(at, 1, QStringLiteral("<00B7>"));
    QTest::addRow("control_at_%d_of_70", at) << line << stored;
  }
}

void TestLineStore::singleLineWritesAreSanitized() {
  QFETCH(QString, line);
  QFETCH(QString, stored);
  TMELineList store;
  store.Add(line);
  store.Insert(0, line);
  store.Put(1, line);
  QCOMPARE(store.GetCount(), 2);
  QCOMPARE(DumpLines({store.Get(0)}), stored);
  QCOMPARE(DumpLines({store.Get(1)}), stored);
}

void TestLineStore::outOfRangeIsHarmless() {
  TMELineList store;
  store.SetText(u"a\nb");
  QCOMPARE(store.Get(-1), QString());
  QCOMPARE(store.Get(2), QString());
  store.Delete(2);
  store.Delete(-1);
  store.Put(2, QStringLiteral("x"));
  store.Insert(3, QStringLiteral("x"));
  store.Insert(-1, QStringLiteral("x"));
  QCOMPARE(store.Lines(), QStringList({QStringLiteral("a"), QStringLiteral("b")}));
  store.Insert(2, QStringLiteral("c"));  // at the count: appends
  QCOMPARE(store.Get(2), QStringLiteral("c"));
}

void TestLineStore::getTextRoundTrip() {
  TMELineList store;
  QCOMPARE(store.GetText(), QString());
  const QString text = QStringLiteral("first\r\n\r\nthird\nfourth\r\n");
  store.SetText(text);
  QCOMPARE(store.GetText(), QStringLiteral("first\r\n\r\nthird\r\nfourth\r\n"));
  store.SetLineBreak(u"\r");
  QCOMPARE(store.GetText(), QStringLiteral("first\r\rthird\rfourth\r"));
  store.SetText(u"\n");
  QCOMPARE(store.GetCount(), 2);
  QCOMPARE(store.GetText(), QStringLiteral("\n"));
}

void TestLineStore::adoptLinesTakesOwnership() {
  TMELineList store;
  std::unique_ptr<QStringList> none;
  store.AdoptLines(none, leLF);
  QCOMPARE(int(store.LineEnding()), int(leCRLF));

  auto lines = std::make_unique<QStringList>(QStringList{QStringLiteral("x"), QStringLiteral("y")});
  const QChar *data = lines->at(0).constData();
  store.AdoptLines(lines, leCR);
  QVERIFY(!lines);
  QCOMPARE(store.GetText(), QStringLiteral("x\ry"));
  QCOMPARE(store.Lines().at(0).constData(), data);  // taken over, not copied
}

void TestLineStore::lineEndingOf_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("ending");
  QTest::newRow("lf") << "\n" << int(leLF);
  QTest::newRow("cr") << "\r" << int(leCR);
  QTest::newRow("crlf") << "\r\n" << int(leCRLF);
  QTest::newRow("empty") << "" << int(leCRLF);
  QTest::newRow("other") << "x" << int(leCRLF);
}

void TestLineStore::lineEndingOf() {
  QFETCH(QString, text);
  QFETCH(int, ending);
  QCOMPARE(int(TMELineList::LineEndingOf(text)), ending);
  QCOMPARE(TMELineList::LineBreakOf(TMELineEnding(ending)), ending == leLF ? "\n" : ending == leCR ? "\r" : "\r\n");
}

void TestLineStore::insertLinesAsBlock_data() {
  QTest::addColumn<int>("index");
  QTest::addColumn<QStringList>("lines");
  QTest::addColumn<QString>("result");
  QTest::newRow("middle_keeps_order") << 1 << QStringList{"x", "y"} << "a|x|y|b|c";
  QTest::newRow("at_start") << 0 << QStringList{"x"} << "x|a|b|c";
  QTest::newRow("at_count_appends") << 3 << QStringList{"x", ""} << "a|b|c|x|";
  QTest::newRow("each_line_sanitized") << 1 << QStringList{QString::fromUtf16(u"x\u0000y", 3), "\tz\r"}
                                       << "a|x<00B7>y|<0009>z<00B7>|b|c";
  QTest::newRow("past_count_ignored") << 4 << QStringList{"x"} << "a|b|c";
  QTest::newRow("negative_ignored") << -1 << QStringList{"x"} << "a|b|c";
  QTest::newRow("nothing_to_insert") << 1 << QStringList{} << "a|b|c";
}

void TestLineStore::insertLinesAsBlock() {
  QFETCH(int, index);
  QFETCH(QStringList, lines);
  QFETCH(QString, result);
  TMELineList store;
  store.SetText(u"a\nb\nc");
  store.InsertLines(index, std::move(lines));
  QCOMPARE(DumpLines(store.Lines()), result);
}

void TestLineStore::deleteLinesAsBlock_data() {
  QTest::addColumn<int>("index");
  QTest::addColumn<int>("count");
  QTest::addColumn<QString>("result");
  QTest::newRow("middle") << 1 << 2 << "a|d";
  QTest::newRow("all") << 0 << 4 << "";
  QTest::newRow("count_clipped_at_end") << 2 << 100 << "a|b";
  QTest::newRow("huge_count_does_not_overflow") << 3 << 2147483647 << "a|b|c";
  QTest::newRow("negative_start_clipped") << -1 << 2 << "b|c|d";
  QTest::newRow("zero_count") << 1 << 0 << "a|b|c|d";
  QTest::newRow("at_count") << 4 << 1 << "a|b|c|d";
}

void TestLineStore::deleteLinesAsBlock() {
  QFETCH(int, index);
  QFETCH(int, count);
  QFETCH(QString, result);
  TMELineList store;
  store.SetText(u"a\nb\nc\nd");
  store.DeleteLines(index, count);
  QCOMPARE(DumpLines(store.Lines()), result);
}

void TestLineStore::spliceLeavesSharedCopiesAlone_data() {
  QTest::addColumn<int>("offset");
  QTest::addColumn<int>("length");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("line");
  QTest::newRow("same_length") << 4 << 5 << "QUICK" << "the QUICK fox";
  QTest::newRow("shorter") << 4 << 6 << "" << "the fox";
  QTest::newRow("longer") << 4 << 5 << "very slow" << "the very slow fox";
  QTest::newRow("at_the_end") << 13 << 0 << "es" << "the quick foxes";
}

// Replace All changes lines in place: a copy taken before (a snapshot, an undo record) keeps the
// old text, and a line made longer holds no more than it needs.
void TestLineStore::spliceLeavesSharedCopiesAlone() {
  QFETCH(int, offset);
  QFETCH(int, length);
  QFETCH(QString, text);
  QFETCH(QString, line);
  TMELineList store;
  store.SetText(u"first\nthe quick fox");
  const QStringList snapshot = store.Lines();
  store.Splice(1, offset, length, text);
  QCOMPARE(store.Get(1), line);
  QCOMPARE(store.Get(0), "first");
  QCOMPARE(snapshot.at(1), "the quick fox");
  QVERIFY(store.Lines().at(1).capacity() <= qMax<qsizetype>(line.size(), 13));
  store.Splice(1, offset, int(text.size()), snapshot.at(1).mid(offset, length));
  QCOMPARE(store.Get(1), "the quick fox");
}

QTEST_GUILESS_MAIN(TestLineStore)
#include "test_linestore.moc"
