// File › Print and the tab menu's Print: "No printer is installed." when there is none, nothing
// when the print dialog is cancelled or the document closes while it is open, a failed print told
// as one, a document still loading refused, and otherwise the document's lines under its name, written here to a PDF file.
#include "AppTestUtil.h"

#include "app/menus/PrintCommand.h"
#include "app/menus/TabMenu.h"
#include "tests/PdfRead.h"

#include <QMenu>
#include <QPrinter>

class TestPrintCommand : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void init();
  void noPrinterIsTold();
  void cancelledDialogPrintsNothing();
  void printsTheActiveDocument();
  void tabMenuPrintsItsDocument();
  void documentClosedDuringTheDialogIsNotPrinted();
  void failedPrintIsTold();
  void loadingDocumentIsNotPrinted();

 private:
  // A window with a.txt (three lines) and b.txt (two), b active; the print dialog, when asked,
  // chooses a PDF file at FPdf.
  std::unique_ptr<TfrmMain> MakePrintingWindow();
  std::unique_ptr<QTemporaryDir> FDir;
  QString FPdf;
  int FDialogs = 0;
};

void TestPrintCommand::init() {
  FDir = std::make_unique<QTemporaryDir>();
  FPdf = FDir->filePath("out.pdf");
  FDialogs = 0;
}

std::unique_ptr<TfrmMain> TestPrintCommand::MakePrintingWindow() {
  auto w = MakeWindow(*FDir);
  w->OpenFile(MakeFile(*FDir, "a.txt", "alpha one\nalpha two\nalpha three\n"));
  w->OpenFile(MakeFile(*FDir, "b.txt", "beta one\nbeta two\n"));
  w->PrintCommand().HasPrinter = [] { return true; };
  w->PrintCommand().SetUpPrinter = [this](QPrinter &printer) {
    ++FDialogs;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(FPdf);
    return true;
  };
  return w;
}

void TestPrintCommand::noPrinterIsTold() {
  TScriptedBoxes boxes;
  auto w = MakePrintingWindow();
  w->PrintCommand().HasPrinter = [] { return false; };
  RunCommand(*w, "miPrint");
  QCOMPARE(boxes.Texts(), QStringList{"No printer is installed."});
  QCOMPARE(boxes.Asked[0].Kind, TMessageKind::Information);
  QCOMPARE(FDialogs, 0);
  QVERIFY(!QFile::exists(FPdf));
}

void TestPrintCommand::cancelledDialogPrintsNothing() {
  TScriptedBoxes boxes;
  auto w = MakePrintingWindow();
  w->PrintCommand().SetUpPrinter = [this](QPrinter &printer) {
    ++FDialogs;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(FPdf);
    return false;
  };
  RunCommand(*w, "miPrint");
  QCOMPARE(FDialogs, 1);
  QVERIFY(!QFile::exists(FPdf));
  QVERIFY(boxes.Asked.isEmpty());
}

void TestPrintCommand::printsTheActiveDocument() {
  if (!HavePoppler()) QSKIP("poppler-utils is not installed (scripts/deps.sh installs it)");
  TScriptedBoxes boxes;
  auto w = MakePrintingWindow();
  RunCommand(*w, "miPrint");
  QVERIFY(boxes.Asked.isEmpty());
  QCOMPARE(PageCount(FPdf), 1);
  QCOMPARE(PageTexts(FPdf).first().simplified(), "b.txt beta one beta two Page 1");
}

void TestPrintCommand::tabMenuPrintsItsDocument() {
  if (!HavePoppler()) QSKIP("poppler-utils is not installed (scripts/deps.sh installs it)");
  TScriptedBoxes boxes;
  auto w = MakePrintingWindow();
  w->TabMenu().Popup(w->TabOrder().at(0), w->mapToGlobal(QPoint(10, 10)));
  w->TabMenu().Menu()->hide();
  w->Tabs()->setCurrentIndex(1);
  RunCommand(*w, "pmPrint");
  QVERIFY(boxes.Asked.isEmpty());
  QCOMPARE(PageTexts(FPdf).first().simplified(), "a.txt alpha one alpha two alpha three Page 1");
  QCOMPARE(w->ActiveDoc()->DisplayName(), "a.txt");
}

void TestPrintCommand::documentClosedDuringTheDialogIsNotPrinted() {
  TScriptedBoxes boxes;
  auto w = MakePrintingWindow();
  TfrmMain *window = w.get();
  w->PrintCommand().SetUpPrinter = [this, window](QPrinter &printer) {
    window->DiscardDoc(window->ActiveDoc());
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(FPdf);
    return true;
  };
  RunCommand(*w, "miPrint");
  QVERIFY(!QFile::exists(FPdf));
  QVERIFY(boxes.Asked.isEmpty());
  QCOMPARE(w->ActiveDoc()->DisplayName(), "a.txt");
}

// The output's folder is a regular file: no one can write there.
void TestPrintCommand::failedPrintIsTold() {
  TScriptedBoxes boxes;
  auto w = MakePrintingWindow();
  QVERIFY(WriteBytes(FDir->filePath("blocker"), "a file, not a folder"));
  FPdf = FDir->filePath("blocker/out.pdf");
  RunCommand(*w, "miPrint");
  QCOMPARE(boxes.Texts(), QStringList{"Could not print \"b.txt\"."});
  QCOMPARE(boxes.Asked[0].Kind, TMessageKind::Error);
}

// Its text is not all there yet: printing it would pass half a file off as the whole.
void TestPrintCommand::loadingDocumentIsNotPrinted() {
  TScriptedBoxes boxes;
  auto w = MakePrintingWindow();
  w->OpenFile(MakeFile(*FDir, "big.log", QByteArray("line\n").repeated(600000)));
  QCOMPARE(w->ActiveLoads(), 1);
  RunCommand(*w, "miPrint");
  QCOMPARE(boxes.Texts(), QStringList{"\"big.log\" is still loading. Try again when it has loaded."});
  QCOMPARE(FDialogs, 0);
  QVERIFY(WaitForLoads(*w));
  QVERIFY(!QFile::exists(FPdf));
}

QTEST_MAIN(TestPrintCommand)
#include "test_print_command.moc"
