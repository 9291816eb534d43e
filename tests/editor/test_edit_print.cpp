// Printing an editor to a PDF file, read back with poppler's tools: the pages and their texts, where
// title, lines and page numbers stand, long lines kept on the paper, and colour against black.
#include "editor/EditPrint.h"
#include "editor/Edit.h"
#include "highlight/UniShim.h"
#include "tests/PdfRead.h"

#include <QImage>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct TWord {
  QString Text;
  double XMin, YMin, XMax, YMax;
};

struct TPdfPage {
  double Width = 0, Height = 0;
  std::vector<TWord> Words;
  const TWord *Find(const QString &text) const {
    for (const TWord &word : Words)
      if (word.Text == text) return &word;
    return nullptr;
  }
};

// Every word with its box, in points from the page's top left.
std::vector<TPdfPage> PageWords(const QString &pdf) {
  std::vector<TPdfPage> pages;
  const QString html = RunTool("pdftotext", {"-bbox", pdf, "-"});
  const QRegularExpression pageTag("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\">");
  const QRegularExpression wordTag(
      "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>");
  for (const QString &line : html.split(u'\n')) {
    if (const QRegularExpressionMatch m = pageTag.match(line); m.hasMatch()) {
      pages.push_back({m.captured(1).toDouble(), m.captured(2).toDouble(), {}});
    } else if (const QRegularExpressionMatch w = wordTag.match(line); w.hasMatch() && !pages.empty()) {
      pages.back().Words.push_back({w.captured(5), w.captured(1).toDouble(), w.captured(2).toDouble(),
                                    w.captured(3).toDouble(), w.captured(4).toDouble()});
    }
  }
  return pages;
}

// Pixels whose channels differ clearly: anything but black, grey and white.
int ColouredPixels(const QString &pdf, const QString &dir) {
  RunTool("pdftoppm", {"-r", "40", "-png", "-f", "1", "-l", "1", pdf, dir + "/page"});
  QImage image(dir + "/page-1.png");
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (qMax(c.red(), qMax(c.green(), c.blue())) - qMin(c.red(), qMin(c.green(), c.blue())) > 40) ++count;
    }
  return image.isNull() ? -1 : count;
}

QString Numbered(int count) {
  QStringList lines;
  for (int i = 1; i <= count; ++i) lines << QStringLiteral("line%1").arg(i);
  return lines.join(u'\n');
}

}  // namespace

class TestEditPrint : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void init();
  void printerFontSize_data();
  void printerFontSize();
  void nothingWithoutAnEditor();
  void pagesCarryTitleLinesAndNumbers();
  void finalLineBreakAddsNoPage();
  void decorationsStandWhereTheyBelong();
  void longLineStaysOnThePaper();
  void colourOrBlack();

 private:
  // Prints the editor's text to a PDF file and answers its path.
  QString PrintToPdf(TMEEdit &editor, const QString &title = "notes.txt", bool colour = true);
  std::unique_ptr<QTemporaryDir> FDir;
  int FPrints = 0;
};

void TestEditPrint::init() { FDir = std::make_unique<QTemporaryDir>(); }

QString TestEditPrint::PrintToPdf(TMEEdit &editor, const QString &title, bool colour) {
  const QString path = FDir->filePath(QStringLiteral("out%1.pdf").arg(++FPrints));
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  TMEEditPrint print;
  print.SetEditor(&editor);
  print.SetTitle(title);
  print.SetColorPrint(colour);
  if (!print.Print(printer)) return QString();
  return path;
}

void TestEditPrint::printerFontSize_data() {
  QTest::addColumn<QFont>("font");
  QTest::addColumn<qreal>("points");
  QFont font("DejaVu Sans Mono");
  font.setPointSizeF(5);
  QTest::newRow("belowEightPrintsAtTen") << font << 10.0;
  font.setPointSizeF(7.9);
  QTest::newRow("justBelowEightPrintsAtTen") << font << 10.0;
  font.setPointSizeF(8);
  QTest::newRow("eightStays") << font << 8.0;
  font.setPointSizeF(9);
  QTest::newRow("nineStays") << font << 9.0;
  font.setPixelSize(16);
  QTest::newRow("pixelsCountAt96PerInch") << font << 12.0;
}

void TestEditPrint::printerFontSize() {
  QFETCH(QFont, font);
  QFETCH(qreal, points);
  QCOMPARE(PrinterFontPoints(font), points);
}

void TestEditPrint::nothingWithoutAnEditor() {
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(FDir->filePath("none.pdf"));
  TMEEditPrint print;
  QVERIFY(!print.Print(printer));
  QVERIFY(!QFile::exists(FDir->filePath("none.pdf")));
}

void TestEditPrint::pagesCarryTitleLinesAndNumbers() {
  if (!HavePoppler()) QSKIP("poppler-utils is not installed (scripts/deps.sh installs it)");
  TMEEdit editor;
  editor.SetText(Numbered(150));
  const QString pdf = PrintToPdf(editor);
  QVERIFY(!pdf.isEmpty());
  const QStringList pages = PageTexts(pdf);
  QVERIFY(pages.size() >= 2);
  QCOMPARE(PageCount(pdf), pages.size());
  QStringList printed;
  for (int i = 0; i < pages.size(); ++i) {
    const QStringList words = pages[i].simplified().split(u' ');
    QCOMPARE(words.first(), QString("notes.txt"));
    QCOMPARE(words.mid(words.size() - 2), (QStringList{"Page", QString::number(i + 1)}));
    printed += words.filter(QRegularExpression("^line\\d+$"));
  }
  QCOMPARE(printed, Numbered(150).split(u'\n'));
}

void TestEditPrint::finalLineBreakAddsNoPage() {
  if (!HavePoppler()) QSKIP("poppler-utils is not installed (scripts/deps.sh installs it)");
  TMEEdit editor;
  editor.SetText(Numbered(150));
  const int perPage = int(PageTexts(PrintToPdf(editor)).first().count(QRegularExpression("line\\d+")));
  QVERIFY(perPage > 10);
  // Exactly a page of lines, then the line break that ends the file.
  editor.SetText(Numbered(perPage) + "\n");
  QCOMPARE(PageCount(PrintToPdf(editor)), 1);
  editor.SetText(Numbered(perPage + 1));
  QCOMPARE(PageCount(PrintToPdf(editor)), 2);
  editor.SetText(QString());
  const QString empty = PrintToPdf(editor);
  QCOMPARE(PageCount(empty), 1);
  QCOMPARE(PageTexts(empty).first().simplified(), QString("notes.txt Page 1"));
}

void TestEditPrint::decorationsStandWhereTheyBelong() {
  if (!HavePoppler()) QSKIP("poppler-utils is not installed (scripts/deps.sh installs it)");
  TMEEdit editor;
  editor.SetText("first\nsecond");
  const std::vector<TPdfPage> pages = PageWords(PrintToPdf(editor, "Title"));
  QCOMPARE(pages.size(), size_t(1));
  const TPdfPage &page = pages[0];
  const TWord *title = page.Find("Title"), *first = page.Find("first"), *second = page.Find("second");
  const TWord *pageWord = page.Find("Page"), *number = page.Find("1");
  QVERIFY(title && first && second && pageWord && number);
  // One left margin for title and text; lines one below the other under the title.
  QVERIFY(qAbs(title->XMin - first->XMin) < 1.0);
  QVERIFY(qAbs(first->XMin - second->XMin) < 1.0);
  QVERIFY(title->YMax < first->YMin);
  QVERIFY(first->YMax <= second->YMin + 0.5);
  // "Page 1" low on the page, centred between the margins.
  QVERIFY(pageWord->YMin > page.Height * 0.8);
  const double centre = (pageWord->XMin + number->XMax) / 2;
  QVERIFY2(qAbs(centre - page.Width / 2) < 3.0, qPrintable(QString::number(centre) + " of " + QString::number(page.Width)));
}

void TestEditPrint::longLineStaysOnThePaper() {
  if (!HavePoppler()) QSKIP("poppler-utils is not installed (scripts/deps.sh installs it)");
  TMEEdit editor;
  editor.SetText(QString(300, u'x') + "\nend");
  const std::vector<TPdfPage> pages = PageWords(PrintToPdf(editor));
  QCOMPARE(pages.size(), size_t(1));
  const TWord *title = pages[0].Find("notes.txt");
  QVERIFY(title);
  int xs = 0;
  double lastY = 0;
  for (const TWord &word : pages[0].Words) {
    if (!word.Text.startsWith(u'x')) continue;
    xs += int(word.Text.size());
    // Within the right margin, which mirrors the left one.
    QVERIFY2(word.XMax <= pages[0].Width - title->XMin + 1.0, qPrintable(QString::number(word.XMax)));
    QVERIFY(word.YMin > lastY);
    lastY = word.YMin;
  }
  QCOMPARE(xs, 300);
  QVERIFY(pages[0].Find("end")->YMin > lastY);
}

void TestEditPrint::colourOrBlack() {
  if (!HavePoppler()) QSKIP("poppler-utils is not installed (scripts/deps.sh installs it)");
  TMECppHighlighter cpp;
  TMEEdit editor;
  editor.SetHighlighter(&cpp);
  editor.SetText("const char *s = \"a string in colour, long enough to count\";");
  QVERIFY(ColouredPixels(PrintToPdf(editor, "c.cpp", true), FDir->path()) > 20);
  QCOMPARE(ColouredPixels(PrintToPdf(editor, "c.cpp", false), FDir->path()), 0);
}

QTEST_MAIN(TestEditPrint)
#include "test_edit_print.moc"
