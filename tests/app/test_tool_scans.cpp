// Extraction windows and Locate Signals: results arrive for the window and the document they were
// started for, looked up by id; a window closed, a document closed or the main window destroyed
// before a scan ends leaves nothing behind and nothing delivered; the prefix/suffix dialog and the
// result window as a user sees them.
#include "AppTestUtil.h"

#include "app/menus/EditMenu.h"
#include "app/search/ResultsPanel.h"
#include "app/tools/ExtractWindow.h"
#include "app/tools/ExtractWindows.h"
#include "app/tools/PrefixSuffixDialog.h"
#include "app/tools/SignalScan.h"
#include "platform/Clipboard.h"
#include "platform/Prompts.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

namespace {

QStringList TreeLines(QTreeWidget *tree) {
  QStringList lines;
  for (int i = 0; i < tree->topLevelItemCount(); ++i) {
    QTreeWidgetItem *root = tree->topLevelItem(i);
    lines << root->text(0);
    for (int j = 0; j < root->childCount(); ++j) lines << "  " + root->child(j)->text(0);
  }
  return lines;
}

TfrmExtract *LastExtractWindow() {
  TfrmExtract *last = nullptr;
  for (QWidget *widget : QApplication::topLevelWidgets())
    if (auto *window = qobject_cast<TfrmExtract *>(widget)) last = window;
  return last;
}

// Many lines for scans that must still run when the test acts.
QString ManyLines(int count) {
  return QStringLiteral("10.0.0.1 timeout kernel panic 8.8.8.8 http://host/x\n").repeated(count);
}

}  // namespace

class TestToolScans : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void init() { FDir = std::make_unique<QTemporaryDir>(); }
  void extractShowsDistinctValuesAndCounts_data();
  void extractShowsDistinctValuesAndCounts();
  void extractOfASelectionScansOnlyIt();
  void extractWindowClosedDuringScanGetsNothing();
  void signalsGroupedByCategoryForTheStartingDocument();
  void signalScanOfAClosedDocumentGoesNowhere();
  void signalScanCancelShowsWhatWasFound();
  void windowDestroyedDuringScansStopsThem();
  void prefixSuffixDialogAnswers();

 private:
  std::unique_ptr<QTemporaryDir> FDir;
};

void TestToolScans::extractShowsDistinctValuesAndCounts_data() {
  QTest::addColumn<QString>("command");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QStringList>("values");
  QTest::addColumn<QString>("info");
  QTest::newRow("public_addresses_only") << "miExtractPublicIPv4" << "10.1.2.3 8.8.8.8\n172.20.0.1 224.0.0.1 8.8.8.8"
                                         << QStringList{"8.8.8.8"} << "2 match(es), 1 unique";
  QTest::newRow("counts_sorted_by_count_then_address")
      << "miExtractIPv4Count" << "8.8.8.8 1.1.1.1\n8.8.8.8 1.1.1.1\n9.9.9.9 1.1.1.1 8.8.8.8"
      << QStringList{"3  1.1.1.1", "3  8.8.8.8", "1  9.9.9.9"} << "7 match(es), 3 unique";
  QTest::newRow("nothing_found") << "miExtractEmails" << "no address here" << QStringList() << "No matches found.";
}

void TestToolScans::extractShowsDistinctValuesAndCounts() {
  QFETCH(QString, command);
  QFETCH(QString, text);
  QFETCH(QStringList, values);
  QFETCH(QString, info);
  auto w = MakeWindow(*FDir);
  w->ActiveEditor()->SetText(text);
  RunCommand(*w, command);
  QPointer<TfrmExtract> window = LastExtractWindow();
  QVERIFY(window);
  QTRY_VERIFY(window->Done());
  QCOMPARE(window->findChild<QLabel *>("lblInfo")->text(), info);
  const QAbstractItemModel *model = window->findChild<QListView *>("lvResults")->model();
  QStringList shown;
  for (int row = 0; row < model->rowCount(); ++row) shown << model->index(row, 0).data().toString();
  QCOMPARE(shown, values);
  QCOMPARE(window->findChild<QPushButton *>("btnCopy")->isEnabled(), !values.isEmpty());
  window->btnCopyClick();
  if (!values.isEmpty()) QCOMPARE(ClipboardText(), values.join("\r\n") + "\r\n");
  window->close();
  QTRY_VERIFY(!window);
}

void TestToolScans::extractOfASelectionScansOnlyIt() {
  auto w = MakeWindow(*FDir);
  TMEEdit *editor = w->ActiveEditor();
  editor->SetText("1.1.1.1 2.2.2.2\n3.3.3.3 4.4.4.4");
  editor->SetCaretAndSelection({5, 2}, {9, 1}, {8, 2});
  RunCommand(*w, "miExtractIPv4");
  TfrmExtract *window = LastExtractWindow();
  QTRY_VERIFY(window->Done());
  QCOMPARE(window->ResultText(), "2.2.2.2\r\n3.3.3.3\r\n");
  QCOMPARE(window->windowTitle(), "Extract: IPv4 Addresses");
  const QString saved = FDir->filePath("saved.txt");
  SetPromptAnswerer([&](const TPromptRequest &request) {
    return request.Title == "Save Extracted Results As" ? std::optional<QString>(saved) : std::nullopt;
  });
  window->btnSaveAsClick();
  SetPromptAnswerer(nullptr);
  QCOMPARE(ReadBytes(saved), "\xEF\xBB\xBF" "2.2.2.2\r\n3.3.3.3\r\n");
  delete window;
}

// The window goes while its scan runs: the scan is stopped and joined, and the reports it had
// already sent find no window.
void TestToolScans::extractWindowClosedDuringScanGetsNothing() {
  auto w = MakeWindow(*FDir);
  w->ActiveEditor()->SetText(ManyLines(300000));
  RunCommand(*w, "miExtractUrls");
  QPointer<TfrmExtract> window = LastExtractWindow();
  QVERIFY(window && !window->Done());
  const quint64 id = window->Id();
  window->close();
  QTRY_VERIFY(!window);
  QVERIFY(!w->EditMenu().ExtractWindows().Find(id));
  QTest::qWait(0);
  QCoreApplication::processEvents();
  QVERIFY(!LastExtractWindow());
}

void TestToolScans::signalsGroupedByCategoryForTheStartingDocument() {
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  TEditorDoc *logDoc = w->ActiveDoc();
  logDoc->Editor->SetText("ok\n  Kernel PANIC at boot  \nTimeouts here\nnothing");
  RunCommand(*w, "miSigAll");
  w->NewDoc();  // the scan's document stays the one it started on
  TResultsPanel *panel = w->ResultsPanel();
  QTRY_VERIFY(!panel->Scanning());
  QCOMPARE(TreeLines(panel->Tree()),
           QStringList({"System Errors - Found (1) lines", "  Line 2: Kernel PANIC at boot",
                        "Network Failures - Found (1) lines", "  Line 3: Timeouts here",
                        "Application Crashes - Found (1) lines", "  Line 2: Kernel PANIC at boot"}));
  QCOMPARE(panel->findChild<QLabel *>("lblResultsTitle")->text(), "Locate Signals - 3 line(s)");
  const TSearchHit *hit = panel->HitOf(panel->Tree()->topLevelItem(0)->child(0));
  QVERIFY(hit);
  QCOMPARE(hit->Doc, logDoc->Id);
  QCOMPARE(hit->Line, 2);
  panel->Tree()->setCurrentItem(panel->Tree()->topLevelItem(1)->child(0));
  panel->GotoSelected();
  QCOMPARE(w->ActiveDoc(), logDoc);
  QCOMPARE(logDoc->Editor->CaretY(), 3);
  QCOMPARE(logDoc->Editor->SelText(), "Timeout");
  w->ActiveEditor()->SetText("calm");
  RunCommand(*w, "miSigSystemErrors");
  QTRY_VERIFY(!panel->Scanning());
  QCOMPARE(TreeLines(panel->Tree()), QStringList{"No signals found."});
  QCOMPARE(panel->findChild<QLabel *>("lblResultsTitle")->text(), "Locate Signals");
}

void TestToolScans::signalScanOfAClosedDocumentGoesNowhere() {
  TScriptedBoxes boxes;
  auto w = MakeWindow(*FDir);
  w->NewDoc();
  TEditorDoc *doc = w->ActiveDoc();
  doc->Editor->SetText(ManyLines(200000));
  doc->Editor->SetModified(false);
  const TDocId id = doc->Id;
  RunCommand(*w, "miSigNetworkFailures");
  QVERIFY(w->CloseDoc(doc));
  TResultsPanel *panel = w->ResultsPanel();
  QTRY_VERIFY_WITH_TIMEOUT(!panel->Scanning(), 20000);
  QTreeWidgetItem *first = panel->Tree()->topLevelItem(0)->child(0);
  QCOMPARE(panel->HitOf(first)->Doc, id);
  TEditorDoc *other = w->ActiveDoc();
  panel->Tree()->setCurrentItem(first);
  panel->GotoSelected();
  QCOMPARE(w->ActiveDoc(), other);
  QVERIFY(boxes.Asked.isEmpty());
}

void TestToolScans::signalScanCancelShowsWhatWasFound() {
  auto w = MakeWindow(*FDir);
  w->ActiveEditor()->SetText(ManyLines(400000));
  RunCommand(*w, "miSigAll");
  TResultsPanel *panel = w->ResultsPanel();
  QVERIFY(panel->Scanning());
  RunCommand(*w, "miSigAll");  // a second request while one runs is ignored
  panel->findChild<QToolButton *>("btnScanCancel")->click();
  QTRY_VERIFY(!panel->Scanning());
  QVERIFY(!w->EditMenu().SignalScan().Running());
  QVERIFY(panel->Tree()->topLevelItemCount() >= 1);
}

void TestToolScans::windowDestroyedDuringScansStopsThem() {
  auto w = MakeWindow(*FDir);
  w->ActiveEditor()->SetText(ManyLines(300000));
  RunCommand(*w, "miSigAll");
  RunCommand(*w, "miExtractIPv4Count");
  QPointer<TfrmExtract> window = LastExtractWindow();
  QVERIFY(window && !window->Done());
  w.reset();
  QVERIFY(!window);
  QCoreApplication::processEvents();
}

void TestToolScans::prefixSuffixDialogAnswers() {
  for (const bool apply : {true, false}) {
    QString prefix = "old", suffix = "old";
    QTimer::singleShot(0, [apply] {
      auto *dialog = qobject_cast<TfrmPrefixSuffix *>(QApplication::activeModalWidget());
      QVERIFY(dialog);
      QCOMPARE(dialog->windowTitle(), "Remove Prefix/Suffix from Lines");
      QCOMPARE(dialog->size(), QSize(380, 160));
      dialog->findChild<QLineEdit *>("edPrefix")->setText(" <");
      dialog->findChild<QLineEdit *>("edSuffix")->setText("> ");
      dialog->findChild<QPushButton *>(apply ? "btnApply" : "btnCancel")->click();
    });
    QCOMPARE(TfrmPrefixSuffix::Execute(nullptr, "Remove Prefix/Suffix from Lines", "Apply", prefix, suffix), apply);
    QCOMPARE(prefix, apply ? " <" : "");
    QCOMPARE(suffix, apply ? "> " : "");
  }
}

QTEST_MAIN(TestToolScans)
#include "test_tool_scans.moc"
