// The page-source window against a local server: the fetched text shown, copied, saved and opened
// as it arrived (not as the viewer's cut and dotted lines), error pages shown, the size message,
// failures as two comment lines, an untrusted certificate refused until the user accepts it once,
// and the Tools and context commands that open the window.
#include "../app/AppTestUtil.h"
#include "../TestCertificates.h"
#include "app/menus/PageSourceCommands.h"
#include "app/net/URLPageSourceForm.h"
#include "platform/Clipboard.h"
#include "platform/Prompts.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

TServedPage Page(const QByteArray &body, int status = 200) {
  TServedPage page;
  page.Body = body;
  page.Status = status;
  page.ContentType = "text/html; charset=utf-8";
  return page;
}

}  // namespace

class TestPageSource : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void init();
  void cleanup();
  void showsFetchedText_data();
  void showsFetchedText();
  void tooLargeShowsTheMessageAndNothingElse();
  void failureShowsTwoCommentLines();
  void copySaveAndOpenTakeTheTextAsFetched();
  void untrustedCertificateLoadsOnlyWhenAccepted();
  void enterWhileBusyDoesNothing();
  void toolsCommandTakesASelectedAddress_data();
  void toolsCommandTakesASelectedAddress();

 private:
  TfrmURLPageSource *Fetched(const QUrl &url);

  std::unique_ptr<QTemporaryDir> FDir;
  std::unique_ptr<TfrmMain> FWindow;
  TTestHttpServer FHttp;
};

void TestPageSource::init() {
  FDir = std::make_unique<QTemporaryDir>();
  FWindow = MakeWindow(*FDir);
}

void TestPageSource::cleanup() { FWindow.reset(); }

TfrmURLPageSource *TestPageSource::Fetched(const QUrl &url) {
  auto *form = new TfrmURLPageSource(FWindow.get());
  form->ShowFor(url.toString());
  if (!form->Busy()) qFatal("no fetch started");
  QDeadlineTimer deadline(20000);
  while (form->Busy() && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  return form;
}

void TestPageSource::showsFetchedText_data() {
  QTest::addColumn<int>("status");
  QTest::newRow("ok") << 200;
  QTest::newRow("not_found_page_is_shown") << 404;
  QTest::newRow("server_error_page_is_shown") << 500;
}

void TestPageSource::showsFetchedText() {
  QFETCH(int, status);
  TScriptedBoxes boxes;
  FHttp.Serve("/p", Page("<html>\r\n<title>T</title>\r\n</html>", status));
  TfrmURLPageSource *form = Fetched(FHttp.Url("/p"));
  QCOMPARE(form->ShownText(), "<html>\r\n<title>T</title>\r\n</html>");
  QCOMPARE(form->Viewer()->LineCount(), 3);
  QCOMPARE(form->Viewer()->LineText(2), "<title>T</title>");
  QVERIFY(form->Viewer()->ReadOnly());
  QCOMPARE(form->ViewButton()->text(), "View Page Source");
  QVERIFY(form->ViewButton()->isEnabled() && form->UrlBox()->isEnabled());
  QVERIFY(boxes.Asked.isEmpty());
  // Esc closes (hides) the window from any of its controls, the viewer too.
  QVERIFY(QTest::qWaitForWindowActive(form));
  QTest::keyClick(form->Viewer(), Qt::Key_Escape);
  QVERIFY(!form->isVisible());
}

void TestPageSource::tooLargeShowsTheMessageAndNothingElse() {
  TScriptedBoxes boxes;
  FHttp.Serve("/big", Page(QByteArray(5242881, 'x')));
  TfrmURLPageSource *form = Fetched(FHttp.Url("/big"));
  QCOMPARE(boxes.Texts(), QStringList{"Remote content is higher than 5MB limit."});
  QCOMPARE(form->ShownText(), "");
  QCOMPARE(form->Viewer()->GetText(), "");
  const int tabs = FWindow->Tabs()->count();
  bool opened = false;
  form->FOnOpenInEditor = [&opened](const QString &, const QString &) { opened = true; };
  form->btnOpenInEditorClick();
  QVERIFY(!opened);
  QCOMPARE(FWindow->Tabs()->count(), tabs);
}

void TestPageSource::failureShowsTwoCommentLines() {
  TScriptedBoxes boxes;
  TfrmURLPageSource *form = Fetched(QUrl("http://127.0.0.1:1/"));
  QVERIFY2(form->ShownText().startsWith("// Failed to fetch URL:\r\n// "), qPrintable(form->ShownText()));
  QCOMPARE(form->Viewer()->LineCount(), 2);
  QVERIFY(boxes.Asked.isEmpty());
  bool opened = false;
  form->FOnOpenInEditor = [&opened](const QString &, const QString &) { opened = true; };
  form->btnOpenInEditorClick();
  QVERIFY(!opened);
  // Copy works on the shown lines.
  form->btnCopyClick();
  QCOMPARE(ClipboardText(), form->ShownText());
}

// A line longer than the editor keeps and a control character: the viewer cuts the one and shows
// the other as a dot; the clipboard, the saved file and the new document get them as fetched.
void TestPageSource::copySaveAndOpenTakeTheTextAsFetched() {
  TScriptedBoxes boxes;
  const QByteArray body = "first\x01line\n" + QByteArray(70000, 'L') + "\nCaf\xC3\xA9";
  const QString text = QString::fromUtf8(body);
  FHttp.Serve("/odd", Page(body));
  TfrmURLPageSource *form = Fetched(FHttp.Url("/odd"));
  QCOMPARE(form->ShownText(), text);
  QVERIFY(form->Viewer()->GetText() != text);

  form->btnCopyClick();
  QCOMPARE(ClipboardText(), text);

  SetPromptAnswerer([this](const TPromptRequest &request) -> std::optional<QString> {
    if (request.Kind != TPromptKind::SaveFile || request.Title != "Save Page Source As" || request.DefaultSuffix != "txt")
      return std::nullopt;
    return FDir->filePath("page.txt");
  });
  form->btnSaveAsClick();
  SetPromptAnswerer(nullptr);
  QCOMPARE(ReadBytes(FDir->filePath("page.txt")), "\xEF\xBB\xBF" + body);

  const int tabs = FWindow->Tabs()->count();
  form->FOnOpenInEditor = [this](const QString &, const QString &content) {
    FWindow->PageSource().OpenUrlContentInEditor(content);
  };
  form->btnOpenInEditorClick();
  QCOMPARE(FWindow->Tabs()->count(), tabs + 1);
  TMEEdit *opened = FWindow->ActiveEditor();
  QVERIFY(opened->Modified());
  QCOMPARE(opened->LineText(1).size(), QString("first?line").size());
  QCOMPARE(opened->LineText(opened->LineCount()), QString::fromUtf16(u"Caf\u00E9"));
  QVERIFY(!form->isVisible());
  QVERIFY(FWindow->Tabs()->tabText(FWindow->Tabs()->currentIndex()).startsWith(QString::fromUtf16(u"\u2022 ")));
}

void TestPageSource::untrustedCertificateLoadsOnlyWhenAccepted() {
  const TTestCertificate selfSigned = MakeTestCertificate("self.test");
  TTestHttpServer https(selfSigned.CertificatePem(), selfSigned.KeyPem());
  https.Serve("/", Page("<title>Secure page</title>"));
  {
    TScriptedBoxes boxes;
    boxes.Answers = {TAnswer::No};
    TfrmURLPageSource *form = Fetched(https.Url("/"));
    QCOMPARE(boxes.Asked.size(), 1);
    QCOMPARE(boxes.Asked[0].Kind, TMessageKind::Warning);
    QVERIFY(boxes.Asked[0].Text.contains("127.0.0.1"));
    QVERIFY(form->ShownText().startsWith("// Failed to fetch URL:"));
  }
  {
    TScriptedBoxes boxes;
    boxes.Answers = {TAnswer::Yes};
    TfrmURLPageSource *form = Fetched(https.Url("/"));
    QTRY_VERIFY(!form->Busy());
    QTRY_COMPARE(form->ShownText(), "<title>Secure page</title>");
    QCOMPARE(boxes.Asked.size(), 1);
  }
}

void TestPageSource::enterWhileBusyDoesNothing() {
  TServedPage held = Page("<title>slow</title>");
  held.TrickleMs = 10;
  FHttp.Serve("/held", held);
  auto *form = new TfrmURLPageSource(FWindow.get());
  const qsizetype before = FHttp.Requests().size();
  form->ShowFor(FHttp.Url("/held").toString());
  QVERIFY(form->Busy());
  QCOMPARE(form->ViewButton()->text(), "Loading...");
  QVERIFY(!form->UrlBox()->isEnabled());
  form->btnViewClick();
  QTest::keyClick(form->UrlBox(), Qt::Key_Return);
  QTRY_VERIFY_WITH_TIMEOUT(!form->Busy(), 20000);
  QCOMPARE(FHttp.Requests().size(), before + 1);
  QCOMPARE(form->ShownText(), "<title>slow</title>");
}

void TestPageSource::toolsCommandTakesASelectedAddress_data() {
  QTest::addColumn<QString>("selection");
  QTest::addColumn<bool>("fetches");
  QTest::newRow("https_address_with_blanks") << "  %1  " << true;
  QTest::newRow("whole_line_with_its_break") << "%1\r\n" << true;
  QTest::newRow("address_running_into_a_second_line") << "%1\r\nmore" << false;
  QTest::newRow("plain_text") << "just words" << false;
}

void TestPageSource::toolsCommandTakesASelectedAddress() {
  QFETCH(QString, selection);
  QFETCH(bool, fetches);
  TScriptedBoxes boxes;
  FHttp.Serve("/sel", Page("<title>Selected</title>"));
  const QString url = FHttp.Url("/sel").toString();
  TMEEdit *editor = FWindow->ActiveEditor();
  Type(editor, selection.arg(url));
  editor->SelectAll();
  RunCommand(*FWindow, "miViewPageSourceTool");
  const auto &windows = FWindow->PageSource().Windows();
  QCOMPARE(windows.size(), size_t(1));
  TfrmURLPageSource *form = windows.front();
  QVERIFY(form->isVisible());
  QCOMPARE(form->UrlBox()->text(), fetches ? url : QString());
  QCOMPARE(form->Busy(), fetches);
  if (fetches) QTRY_COMPARE_WITH_TIMEOUT(form->ShownText(), "<title>Selected</title>", 20000);
}

QTEST_MAIN(TestPageSource)
#include "test_page_source.moc"
