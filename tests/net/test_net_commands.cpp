// The network inserts in a window, against a local server and a resolver of the test's own: what
// each inserts or which message it shows, inputs read strictly, results delivered to the document
// each command started in (none to a closed one), concurrent requests kept apart, and the title
// and description fetches serialised.
#include "../app/AppTestUtil.h"
#include "../TestCertificates.h"
#include "FakeResolver.h"
#include "platform/Prompts.h"

#include <QFutureWatcher>

Q_DECLARE_METATYPE(TServedPage)

namespace {

// Answers the prompts from a queue (nullopt: Cancel) and keeps every request.
struct TScriptedPrompts {
  std::deque<std::optional<QString>> Answers;
  QList<TPromptRequest> Asked;
  TScriptedPrompts() {
    SetPromptAnswerer([this](const TPromptRequest &request) -> std::optional<QString> {
      Asked << request;
      if (Answers.empty()) return std::nullopt;
      const std::optional<QString> answer = Answers.front();
      Answers.pop_front();
      return answer;
    });
  }
  ~TScriptedPrompts() { SetPromptAnswerer(nullptr); }
};

TServedPage Page(const QByteArray &body, const QByteArray &contentType = "text/html; charset=utf-8") {
  TServedPage page;
  page.Body = body;
  page.ContentType = contentType;
  return page;
}

}  // namespace

class TestNetCommands : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void init();
  void cleanup();
  void myIpAddress_data();
  void myIpAddress();
  void myIpRefusesAnUntrustedCertificate();
  void websiteIp_data();
  void websiteIp();
  void ipToHostname_data();
  void ipToHostname();
  void resultGoesToTheDocumentItStartedIn();
  void closedDocumentGetsNothing();
  void concurrentLookupsKeepTheirOwnResults();
  void pageTitleAndDescription_data();
  void pageTitleAndDescription();
  void titleFetchesAreSerialised();
  void schemeAloneFetchesNothing();

 private:
  // Waits until the editor's text is text or a box was shown.
  bool WaitForOutcome(TMEEdit *editor, const TScriptedBoxes &boxes, int before = 0);

  std::unique_ptr<QTemporaryDir> FDir;
  std::unique_ptr<TfrmMain> FWindow;
  std::shared_ptr<TFakeResolver> FResolver;
  TTestHttpServer FHttp;
};

void TestNetCommands::init() {
  FDir = std::make_unique<QTemporaryDir>();
  FWindow = MakeWindow(*FDir);
  FResolver = std::make_shared<TFakeResolver>();
  FWindow->NetInserts().Resolver = FResolver;
}

void TestNetCommands::cleanup() {
  FResolver->Open(100);  // lets any held lookup end
  FWindow.reset();
}

bool TestNetCommands::WaitForOutcome(TMEEdit *editor, const TScriptedBoxes &boxes, int before) {
  QDeadlineTimer deadline(20000);
  while (!deadline.hasExpired()) {
    if (!editor->GetText().isEmpty() || boxes.Asked.size() > before) return true;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return false;
}

void TestNetCommands::myIpAddress_data() {
  QTest::addColumn<TServedPage>("page");
  QTest::addColumn<QString>("inserted");
  QTest::addColumn<QString>("message");
  QTest::newRow("plain_address") << Page("203.0.113.9\n", "text/plain") << "203.0.113.9" << "";
  QTest::newRow("ipv6_address") << Page("2001:db8::9", "text/plain") << "2001:db8::9" << "";
  TServedPage notFound = Page("203.0.113.9");
  notFound.Status = 404;
  QTest::newRow("not_status_200") << notFound << "" << "Failed to retrieve your IP address.";
  QTest::newRow("html_instead_of_an_address") << Page("<script>alert(1)</script>") << ""
                                              << "Failed to retrieve your IP address.";
  QTest::newRow("long_body") << Page(QByteArray(5000, '1')) << "" << "Failed to retrieve your IP address.";
}

void TestNetCommands::myIpAddress() {
  QFETCH(TServedPage, page);
  QFETCH(QString, inserted);
  QFETCH(QString, message);
  TScriptedBoxes boxes;
  FHttp.Serve("/ip", page);
  FWindow->NetInserts().MyIpService = FHttp.Url("/ip");
  TMEEdit *editor = FWindow->ActiveEditor();
  RunCommand(*FWindow, "cmInsMyIP");
  QVERIFY(WaitForOutcome(editor, boxes));
  QCOMPARE(editor->GetText(), inserted);
  QCOMPARE(boxes.Texts().join('|'), message);
  QCOMPARE(editor->Modified(), !inserted.isEmpty());
}

void TestNetCommands::myIpRefusesAnUntrustedCertificate() {
  TScriptedBoxes boxes;
  const TTestCertificate selfSigned = MakeTestCertificate("forged-ip.test");
  TTestHttpServer https(selfSigned.CertificatePem(), selfSigned.KeyPem());
  https.Serve("/", Page("198.51.100.1", "text/plain"));
  FWindow->NetInserts().MyIpService = https.Url("/");
  TMEEdit *editor = FWindow->ActiveEditor();
  RunCommand(*FWindow, "cmInsMyIP");
  QVERIFY(WaitForOutcome(editor, boxes));
  QCOMPARE(boxes.Texts(), QStringList{"Failed to retrieve your IP address."});
  QCOMPARE(editor->GetText(), "");
}

void TestNetCommands::websiteIp_data() {
  QTest::addColumn<QString>("input");
  QTest::addColumn<QStringList>("asked");
  QTest::addColumn<QString>("inserted");
  const QString failed = "Failed to get IP from website.";
  QTest::newRow("ipv4_preferred") << "example.test" << QStringList{"example.test"} << "192.0.2.1";
  QTest::newRow("ipv6_only_host") << "v6.test" << QStringList{"v6.test"} << "2001:db8::6";
  QTest::newRow("scheme_port_path_query_dropped") << "HTTPS://example.test:8443/a?b=c" << QStringList{"example.test"}
                                                   << "192.0.2.1";
  QTest::newRow("user_information_dropped") << "user:pw@example.test" << QStringList{"example.test"} << "192.0.2.1";
  QTest::newRow("unknown_name") << "nowhere.test" << QStringList{"nowhere.test"} << failed;
  QTest::newRow("bare_ipv6_taken_as_it_is") << "2001:DB8::1" << QStringList{} << "2001:db8::1";
  QTest::newRow("bracketed_ipv6_with_port") << "[2001:db8::1]:80" << QStringList{} << "2001:db8::1";
  QTest::newRow("short_ipv4_never_resolved") << "8.8.8" << QStringList{} << failed;
  QTest::newRow("idn_converted_before_lookup") << QString::fromUtf16(u"b\u00FCcher.test") << QStringList{"xn--bcher-kva.test"}
                                               << "192.0.2.8";
}

void TestNetCommands::websiteIp() {
  QFETCH(QString, input);
  QFETCH(QStringList, asked);
  QFETCH(QString, inserted);
  TScriptedBoxes boxes;
  TScriptedPrompts prompts;
  prompts.Answers = {input};
  FResolver->Forward = {{"example.test", {"2001:db8::1", "192.0.2.1", "192.0.2.2"}},
                        {"v6.test", {"2001:db8::6", "2001:db8::7"}},
                        {"xn--bcher-kva.test", {"192.0.2.8"}}};
  TMEEdit *editor = FWindow->ActiveEditor();
  RunCommand(*FWindow, "cmInsWebsiteIP");
  QVERIFY(WaitForOutcome(editor, boxes));
  QCOMPARE(prompts.Asked.size(), 1);
  QCOMPARE(prompts.Asked[0].Title, "Website IP Address");
  QVERIFY(prompts.Asked[0].Label.startsWith("Website address (e.g. "));
  QCOMPARE(FResolver->Asked(), asked);
  if (inserted.startsWith("Failed")) {
    QCOMPARE(boxes.Texts(), QStringList{inserted});
    QCOMPARE(editor->GetText(), "");
  } else {
    QCOMPARE(editor->GetText(), inserted);
    QVERIFY(boxes.Asked.isEmpty());
  }
}

void TestNetCommands::ipToHostname_data() {
  QTest::addColumn<QString>("input");
  QTest::addColumn<QStringList>("asked");
  QTest::addColumn<QString>("inserted");
  const QString failed = "Failed to get IP hostname.";
  QTest::newRow("ipv4") << " 8.8.8.8 " << QStringList{"8.8.8.8"} << "dns.google";
  QTest::newRow("ipv6_canonical") << "2001:4860:4860:0:0:0:0:8888" << QStringList{"2001:4860:4860::8888"}
                                  << "dns.google";
  QTest::newRow("no_reverse_name") << "192.0.2.50" << QStringList{"192.0.2.50"} << failed;
  QTest::newRow("host_name_instead_of_address") << "dns.google" << QStringList{} << failed;
  QTest::newRow("short_form_refused") << "8.8.8" << QStringList{} << failed;
  QTest::newRow("markup_in_reverse_name_refused") << "192.0.2.66" << QStringList{"192.0.2.66"} << failed;
}

void TestNetCommands::ipToHostname() {
  QFETCH(QString, input);
  QFETCH(QStringList, asked);
  QFETCH(QString, inserted);
  TScriptedBoxes boxes;
  TScriptedPrompts prompts;
  prompts.Answers = {input};
  FResolver->Reverse = {{"8.8.8.8", "dns.google"}, {"2001:4860:4860::8888", "dns.google."},
                        {"192.0.2.66", "<img src=x>.example"}};
  TMEEdit *editor = FWindow->ActiveEditor();
  RunCommand(*FWindow, "cmInsIPHost");
  QVERIFY(WaitForOutcome(editor, boxes));
  QCOMPARE(prompts.Asked[0].Label, "IP address (e.g. 8.8.8.8):");
  QCOMPARE(FResolver->Asked(), asked);
  if (inserted.startsWith("Failed")) QCOMPARE(boxes.Texts(), QStringList{inserted});
  else QCOMPARE(editor->GetText(), inserted);
}

void TestNetCommands::resultGoesToTheDocumentItStartedIn() {
  TScriptedBoxes boxes;
  TScriptedPrompts prompts;
  prompts.Answers = {"example.test"};
  FResolver->Forward = {{"example.test", {"192.0.2.1"}}};
  FResolver->Gated = true;
  TMEEdit *first = FWindow->ActiveEditor();
  Type(first, "A:");
  RunCommand(*FWindow, "cmInsWebsiteIP");
  QTRY_COMPARE(FResolver->Asked().size(), 1);
  FWindow->NewDoc();
  TMEEdit *second = FWindow->ActiveEditor();
  QVERIFY(second != first);
  FResolver->Open();
  QTRY_COMPARE(first->GetText(), "A:192.0.2.1");
  QCOMPARE(second->GetText(), "");
  QVERIFY(!second->Modified());
}

void TestNetCommands::closedDocumentGetsNothing() {
  TScriptedBoxes boxes;
  TScriptedPrompts prompts;
  prompts.Answers = {"nowhere.test"};
  FResolver->Gated = true;
  FWindow->NewDoc();
  TEditorDoc *doc = FWindow->ActiveDoc();
  RunCommand(*FWindow, "cmInsWebsiteIP");
  QTRY_COMPARE(FResolver->Asked().size(), 1);
  QVERIFY(FWindow->CloseDoc(doc));
  TMEEdit *remaining = FWindow->ActiveEditor();
  FResolver->Open();
  // The lookup has ended and was handed over (its watcher goes then): neither its failure nor any
  // text arrived anywhere.
  QTRY_VERIFY(FWindow->NetInserts().findChildren<QFutureWatcherBase *>().isEmpty());
  QCOMPARE(remaining->GetText(), "");
  QVERIFY(boxes.Asked.isEmpty());
}

void TestNetCommands::concurrentLookupsKeepTheirOwnResults() {
  TScriptedBoxes boxes;
  TScriptedPrompts prompts;
  prompts.Answers = {"a.test", "b.test"};
  FResolver->Forward = {{"a.test", {"192.0.2.10"}}, {"b.test", {"192.0.2.20"}}};
  FResolver->Gated = true;
  TMEEdit *first = FWindow->ActiveEditor();
  RunCommand(*FWindow, "cmInsWebsiteIP");
  FWindow->NewDoc();
  TMEEdit *second = FWindow->ActiveEditor();
  RunCommand(*FWindow, "cmInsWebsiteIP");
  QTRY_COMPARE(FResolver->Asked().size(), 2);
  FResolver->Open(2);
  QTRY_COMPARE(first->GetText(), "192.0.2.10");
  QTRY_COMPARE(second->GetText(), "192.0.2.20");
}

void TestNetCommands::pageTitleAndDescription_data() {
  QTest::addColumn<QString>("command");
  QTest::addColumn<TServedPage>("page");
  QTest::addColumn<QString>("inserted");
  QTest::addColumn<QString>("message");
  QTest::newRow("title_across_lines_with_entities")
      << "cmInsUrlTitle" << Page("<html><title>\n   A &amp; B&#39;s\n   page </title>") << "A & B's page" << "";
  QTest::newRow("title_in_meta_declared_charset")
      << "cmInsUrlTitle" << Page("<meta charset=\"windows-1252\"><title>Caf\xE9</title>", "text/html")
      << QString::fromUtf16(u"Caf\u00E9") << "";
  QTest::newRow("title_of_404_page") << "cmInsUrlTitle" << [] {
    TServedPage page = Page("<title>Gone</title>");
    page.Status = 404;
    return page;
  }() << "Gone" << "";
  QTest::newRow("no_title") << "cmInsUrlTitle" << Page("<p>x</p>") << ""
                            << "URL page title not found or failed to extract.";
  QTest::newRow("meta_description_unquoted_content_first")
      << "cmInsUrlMetaDesc" << Page("<meta content=Plain name=description>") << "Plain" << "";
  QTest::newRow("meta_description_empty_content")
      << "cmInsUrlMetaDesc" << Page("<meta name=\"description\" content=\"\">") << ""
      << "URL meta description not found or failed to extract.";
  QTest::newRow("announced_too_large") << "cmInsUrlTitle" << [] {
    TServedPage page = Page("<title>x</title>");
    page.AnnouncedLength = 6000000;
    page.StallAfterHeaders = true;
    return page;
  }() << "" << "Remote content is higher than 5MB limit.";
  QTest::newRow("exactly_at_the_limit") << "cmInsUrlTitle"
                                        << Page("<title>Big</title>" + QByteArray(5242880 - 18, ' ')) << "Big" << "";
}

void TestNetCommands::pageTitleAndDescription() {
  QFETCH(QString, command);
  QFETCH(TServedPage, page);
  QFETCH(QString, inserted);
  QFETCH(QString, message);
  TScriptedBoxes boxes;
  TScriptedPrompts prompts;
  FHttp.Serve("/page", page);
  prompts.Answers = {FHttp.Url("/page").toString()};
  TMEEdit *editor = FWindow->ActiveEditor();
  RunCommand(*FWindow, command);
  QVERIFY(FWindow->NetInserts().UrlExtractBusy());
  QVERIFY(WaitForOutcome(editor, boxes));
  QCOMPARE(prompts.Asked[0].Title, command == "cmInsUrlTitle" ? "Insert URL Page Title" : "Insert URL Meta Description");
  QCOMPARE(prompts.Asked[0].Label, "Enter URL:");
  QCOMPARE(prompts.Asked[0].Initial, "https://");
  QCOMPARE(editor->GetText(), inserted);
  QCOMPARE(boxes.Texts().join('|'), message);
  QVERIFY(!FWindow->NetInserts().UrlExtractBusy());
}

void TestNetCommands::titleFetchesAreSerialised() {
  TScriptedBoxes boxes;
  TScriptedPrompts prompts;
  TServedPage held = Page("<title>Held</title>");
  held.TrickleMs = 5;
  FHttp.Serve("/held", held);
  const TTestCertificate selfSigned = MakeTestCertificate("untrusted.test");
  TTestHttpServer https(selfSigned.CertificatePem(), selfSigned.KeyPem());
  https.Serve("/", Page("<title>Forged</title>"));
  prompts.Answers = {FHttp.Url("/held").toString(), https.Url("/").toString()};
  TMEEdit *editor = FWindow->ActiveEditor();
  RunCommand(*FWindow, "cmInsUrlTitle");
  RunCommand(*FWindow, "cmInsUrlMetaDesc");  // refused while the first runs: no prompt
  QCOMPARE(prompts.Asked.size(), 1);
  QTRY_COMPARE_WITH_TIMEOUT(editor->GetText(), "Held", 20000);
  // An untrusted certificate fails the fetch: a forged title never reaches the document.
  RunCommand(*FWindow, "cmInsUrlTitle");
  QTRY_COMPARE_WITH_TIMEOUT(boxes.Texts(), QStringList{"Failed to fetch remote URL"}, 20000);
  QCOMPARE(editor->GetText(), "Held");
}

void TestNetCommands::schemeAloneFetchesNothing() {
  TScriptedBoxes boxes;
  TScriptedPrompts prompts;
  prompts.Answers = {" HTTP:// "};
  const qsizetype before = FHttp.Requests().size();
  RunCommand(*FWindow, "cmInsUrlTitle");
  QCOMPARE(prompts.Asked.size(), 1);
  QVERIFY(!FWindow->NetInserts().UrlExtractBusy());
  QCOMPARE(FHttp.Requests().size(), before);
  QVERIFY(boxes.Asked.isEmpty());
}

QTEST_MAIN(TestNetCommands)
#include "test_net_commands.moc"
