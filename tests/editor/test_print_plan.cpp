// Where printed pieces go, measured with a fixed width of 10 pixels per code unit on a page whose
// printable text area is 16 characters wide and 4 lines high: the decorations, page breaks, lines
// continued when they do not fit, tab stops, colours and styles, and cuts that keep characters whole.
#include "editor/PrintPlan.h"
#include "highlight/UniShim.h"

#include <QTest>

namespace {

constexpr int KUnit = 10;

class TFixedMeasure : public TPrintMeasure {
 public:
  int Width(const QString &text, TFontStyles) override { return int(text.size()) * KUnit; }
};

// h = 10, c = 10: P = (40, 10, 200, 90), text from y 30 to 70.
TPrintGeometry SmallPage() { return TPrintGeometry::ForPage(240, 100, KUnit, KUnit); }

struct TPlanned {
  std::vector<TPrintPage> Pages;
  bool Finished = false;
  int PageCount() const { return int(Pages.size()); }
  // Every page's text pieces, "x,y text" each.
  QStringList Texts(int page) const {
    QStringList out;
    for (const TPrintItem &item : Pages[size_t(page - 1)].Items)
      if (item.Kind == TPrintItemKind::Text) out << QStringLiteral("%1,%2 %3").arg(item.X).arg(item.Y).arg(item.Text);
    return out;
  }
  QString AllText() const {
    QString all;
    for (const TPrintPage &page : Pages)
      for (const TPrintItem &item : page.Items)
        if (item.Kind == TPrintItemKind::Text) all += item.Text;
    return all;
  }
};

TPlanned Plan(const QStringList &lines, TPrintJob job = {}, TPrintGeometry geometry = SmallPage()) {
  TFixedMeasure measure;
  TPlanned planned;
  planned.Finished = PlanPrint(lines, job, geometry, measure, [&planned](const TPrintPage &page) {
    planned.Pages.push_back(page);
    return true;
  });
  return planned;
}

QStringList Numbered(int count) {
  QStringList lines;
  for (int i = 1; i <= count; ++i) lines << QStringLiteral("line %1").arg(i);
  return lines;
}

}  // namespace

class TestPrintPlan : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void pageDecorations();
  void pageBreaks_data();
  void pageBreaks();
  void linesContinueWhenTheyDoNotFit_data();
  void linesContinueWhenTheyDoNotFit();
  void cutsKeepCharactersWhole_data();
  void cutsKeepCharactersWhole();
  void colorsAndStyles_data();
  void colorsAndStyles();
  void overlongLinePrintsItsBeginning();
  void refusedPageStopsThePrintout();
};

void TestPrintPlan::pageDecorations() {
  TPrintJob job;
  job.Title = "notes.txt";
  const TPlanned planned = Plan({"one"}, job);
  QVERIFY(planned.Finished);
  QCOMPARE(planned.PageCount(), 1);
  // Title at P's corner, the rule 1.5 lines below P's top, "Page 1" centred 2 lines above P's bottom.
  QCOMPARE(DumpPrintPage(planned.Pages[0]), QString("page 1\n"
                                                     "title 40,10 \"notes.txt\"\n"
                                                     "rule 40,25 w160\n"
                                                     "number 90,73 \"Page 1\"\n"
                                                     "text 40,30 #000000 - \"one\""));
  // Without a title there is none; the title is bold.
  QCOMPARE(Plan({}).Pages[0].Items.front().Kind, TPrintItemKind::Rule);
  QCOMPARE(planned.Pages[0].Items.front().Style, TFontStyles(fsBold));
}

void TestPrintPlan::pageBreaks_data() {
  QTest::addColumn<QStringList>("lines");
  QTest::addColumn<int>("pages");
  QTest::addColumn<QString>("firstOnLastPage");
  QTest::newRow("emptyTextGivesOnePage") << QStringList() << 1 << "";
  QTest::newRow("oneEmptyLineGivesOnePage") << QStringList{""} << 1 << "";
  QTest::newRow("fourLinesFillOnePage") << Numbered(4) << 1 << "40,30 line 1";
  QTest::newRow("fifthLineStartsPageTwo") << Numbered(5) << 2 << "40,30 line 5";
  QTest::newRow("finalBreakAfterFullPageAddsNoPage") << (Numbered(4) << "") << 1 << "40,30 line 1";
  QTest::newRow("emptyLineInsideStillPrintsItsPlace") << (Numbered(4) << "" << "last") << 2 << "40,40 last";
  QTest::newRow("nineLinesTakeThreePages") << Numbered(9) << 3 << "40,30 line 9";
}

void TestPrintPlan::pageBreaks() {
  QFETCH(QStringList, lines);
  QFETCH(int, pages);
  QFETCH(QString, firstOnLastPage);
  const TPlanned planned = Plan(lines);
  QCOMPARE(planned.PageCount(), pages);
  for (int i = 0; i < pages; ++i) {
    QCOMPARE(planned.Pages[size_t(i)].Number, i + 1);
    QVERIFY(DumpPrintPage(planned.Pages[size_t(i)]).contains(QStringLiteral("\"Page %1\"").arg(i + 1)));
  }
  const QStringList last = planned.Texts(pages);
  QCOMPARE(last.value(0), firstOnLastPage);
}

void TestPrintPlan::linesContinueWhenTheyDoNotFit_data() {
  QTest::addColumn<QString>("line");
  QTest::addColumn<int>("tabWidth");
  QTest::addColumn<QStringList>("pieces");
  // 16 characters fit a printed line.
  QTest::newRow("overwideChunkSplitsAtLastCharacterThatFits")
      << QString(40, u'a') << 4
      << QStringList{"40,30 " + QString(16, u'a'), "40,40 " + QString(16, u'a'), "40,50 " + QString(8, u'a')};
  QTest::newRow("chunkThatFitsALineMovesWhole")
      << "abcdefghi\tklmnopq" << 4 << QStringList{"40,30 abcdefghi", "130,30    ", "40,40 klmnopq"};
  QTest::newRow("tabStopsRestartOnTheContinuedLine")
      << QString(19, u'a') + "\tb" << 5
      << QStringList{"40,30 " + QString(16, u'a'), "40,40 aaa", "70,40   ", "90,40 b"};
  QTest::newRow("overwideChunkFillsTheRestOfAStartedLine")
      << "abc\t" + QString(20, u'x') << 4
      << QStringList{"40,30 abc", "70,30  ", "80,30 " + QString(12, u'x'), "40,40 " + QString(8, u'x')};
}

void TestPrintPlan::linesContinueWhenTheyDoNotFit() {
  QFETCH(QString, line);
  QFETCH(int, tabWidth);
  QFETCH(QStringList, pieces);
  TPrintJob job;
  job.TabWidth = tabWidth;
  const TPlanned planned = Plan({line}, job);
  QCOMPARE(planned.Texts(1), pieces);
  for (const TPrintItem &item : planned.Pages[0].Items)
    if (item.Kind == TPrintItemKind::Text) QVERIFY2(item.X + item.Text.size() * KUnit <= 200, qPrintable(item.Text));
}

void TestPrintPlan::cutsKeepCharactersWhole_data() {
  QTest::addColumn<QString>("line");
  QTest::addColumn<QString>("page");
  const QString face = QString::fromUtf16(u"\U0001F600");
  // Wide pages: only the 256-unit chunk limit cuts.
  QTest::newRow("chunkLimitInsideSurrogatePair") << QString(255, u'a') + face + "z" << "wide";
  QTest::newRow("chunkLimitAfterSurrogatePair") << QString(254, u'a') + face + "z" << "wide";
  // Small pages: the width cuts, between 16 and 17 units.
  QTest::newRow("widthCutInsideSurrogatePair") << QString(15, u'a') + face + "bb" << "small";
  QTest::newRow("widthCutInsideCombiningMark") << QString(15, u'a') + QString::fromUtf16(u"e\u0301") + "bb" << "small";
}

void TestPrintPlan::cutsKeepCharactersWhole() {
  QFETCH(QString, line);
  QFETCH(QString, page);
  const TPrintGeometry geometry = page == "wide" ? TPrintGeometry::ForPage(10000, 100, KUnit, KUnit) : SmallPage();
  const TPlanned planned = Plan({line}, {}, geometry);
  QCOMPARE(planned.AllText(), line);
  int pieces = 0;
  for (const TPrintItem &item : planned.Pages[0].Items) {
    if (item.Kind != TPrintItemKind::Text) continue;
    ++pieces;
    QVERIFY2(!item.Text.back().isHighSurrogate() && !item.Text.front().isLowSurrogate(), qPrintable(item.Text));
    QVERIFY2(item.Text.front().category() != QChar::Mark_NonSpacing, qPrintable(item.Text));
  }
  QCOMPARE(pieces, 2);
}

void TestPrintPlan::colorsAndStyles_data() {
  QTest::addColumn<bool>("darkPalette");
  QTest::addColumn<bool>("colorPrint");
  QTest::addColumn<QStringList>("pieces");
  // Keywords have no colour of their own in either palette: black, bold. Text between tokens
  // prints black and regular.
  const QStringList plain{"text 40,30 #000000 b \"return\"", "text 100,30 #000000 - \" \"",
                          "text 110,30 #000000 - \"x\"",      "text 120,30 #000000 - \";\"",
                          "text 130,30 #000000 - \" \""};
  QTest::newRow("lightPalette") << false << true
                                << (plain + QStringList{"text 140,30 #854F0B - \"42\"", "text 160,30 #898989 i \"//c\""});
  QTest::newRow("darkPalettePrintsLightColours")
      << true << true << (plain + QStringList{"text 140,30 #854F0B - \"42\"", "text 160,30 #898989 i \"//c\""});
  QTest::newRow("blackOnlyKeepsStyles")
      << false << false << (plain + QStringList{"text 140,30 #000000 - \"42\"", "text 160,30 #000000 i \"//c\""});
}

void TestPrintPlan::colorsAndStyles() {
  QFETCH(bool, darkPalette);
  QFETCH(bool, colorPrint);
  QFETCH(QStringList, pieces);
  TMECppHighlighter cpp;
  cpp.ApplyPalette(darkPalette);
  TPrintJob job;
  job.Highlighter = &cpp;
  job.ColorPrint = colorPrint;
  const TPlanned planned = Plan({"return x; 42//c"}, job, TPrintGeometry::ForPage(1000, 100, KUnit, KUnit));
  QStringList texts = DumpPrintPage(planned.Pages[0]).split('\n').filter(QRegularExpression("^text "));
  QCOMPARE(texts.join("\n"), pieces.join("\n"));
}

void TestPrintPlan::overlongLinePrintsItsBeginning() {
  const QString line = QString(65536, u'a') + QString(34464, u'b');
  const TPlanned planned = Plan({line}, {}, TPrintGeometry::ForPage(100000, 100000, KUnit, KUnit));
  const QString printed = planned.AllText();
  QCOMPARE(printed.size(), 65536);
  QVERIFY(!printed.contains(u'b'));
}

void TestPrintPlan::refusedPageStopsThePrintout() {
  TFixedMeasure measure;
  int handed = 0;
  const bool finished = PlanPrint(Numbered(20), {}, SmallPage(), measure, [&handed](const TPrintPage &) {
    ++handed;
    return handed < 2;
  });
  QVERIFY(!finished);
  QCOMPARE(handed, 2);
}

QTEST_MAIN(TestPrintPlan)
#include "test_print_plan.moc"
