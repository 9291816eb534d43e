// The fetch layer against a local server: the profile's headers, error pages as pages, the size
// limit at exactly its bound for announced, unknown, chunked and compressed bodies, redirects
// within limits and schemes, time-outs for stalls and trickles, certificates checked with a one-off
// exception, no cookies between fetches, and silence once a fetch is deleted.
#include "../NetTestServer.h"
#include "../TestCertificates.h"
#include "platform/HttpFetch.h"

#include <QSignalSpy>
#include <QTest>

Q_DECLARE_METATYPE(TFetchResult)
Q_DECLARE_METATYPE(TFetchStatus)

namespace {

constexpr qint64 KLimit = 5242880;

TFetchResult Fetch(TFetchRequest request) {
  THttpFetch *fetch = THttpFetch::Start(std::move(request), nullptr);
  QSignalSpy finished(fetch, &THttpFetch::Finished);
  if (!finished.wait(30000)) qFatal("fetch did not finish");
  return finished.first().first().value<TFetchResult>();
}

TFetchResult Fetch(const QUrl &url, TFetchProfile profile = {}) { return Fetch(TFetchRequest{url, profile, {}}); }

QByteArray HeaderOf(const QByteArray &head, const QByteArray &name) {
  for (const QByteArray &line : head.split('\n'))
    if (line.toLower().startsWith(name.toLower() + ":")) return line.mid(name.size() + 1).trimmed();
  return QByteArray();
}

}  // namespace

class TestHttpFetch : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void initTestCase();
  void profileHeaders();
  void errorPagesArePages_data();
  void errorPagesArePages();
  void sizeLimit_data();
  void sizeLimit();
  void announcedTooLargeIsRefusedBeforeItsBody();
  void compressedBodyRefused();
  void redirects_data();
  void redirects();
  void stallsAndTrickles_data();
  void stallsAndTrickles();
  void onlyWebSchemes_data();
  void onlyWebSchemes();
  void certificates();
  void noCookiesBetweenFetches();
  void deletedFetchReportsNothing();

 private:
  TTestHttpServer FHttp;
};

void TestHttpFetch::initTestCase() { qRegisterMetaType<TFetchResult>(); }

void TestHttpFetch::profileHeaders() {
  TServedPage page;
  page.Body = "<title>Hi</title>";
  page.ContentType = "text/html; charset=utf-8";
  FHttp.Serve("/headers", page);
  const TFetchResult result = Fetch(FHttp.Url("/headers"));
  QCOMPARE(result.Status, TFetchStatus::Ok);
  QCOMPARE(result.HttpStatus, 200);
  QCOMPARE(result.Body, page.Body);
  QCOMPARE(result.ContentType, page.ContentType);
  const QByteArray head = FHttp.Requests().last();
  QVERIFY(head.startsWith("GET /headers HTTP/1.1"));
  QCOMPARE(HeaderOf(head, "User-Agent"), TFetchProfile().UserAgent);
  QCOMPARE(HeaderOf(head, "Accept-Encoding"), "identity");
}

void TestHttpFetch::errorPagesArePages_data() {
  QTest::addColumn<int>("status");
  QTest::newRow("not_found") << 404;
  QTest::newRow("server_error") << 500;
  QTest::newRow("forbidden") << 403;
}

void TestHttpFetch::errorPagesArePages() {
  QFETCH(int, status);
  TServedPage page;
  page.Status = status;
  page.Body = "<title>Error page</title>";
  FHttp.Serve("/error", page);
  const TFetchResult result = Fetch(FHttp.Url("/error"));
  QCOMPARE(result.Status, TFetchStatus::Ok);
  QCOMPARE(result.HttpStatus, status);
  QCOMPARE(result.Body, page.Body);
}

void TestHttpFetch::sizeLimit_data() {
  QTest::addColumn<int>("framing");
  QTest::addColumn<qint64>("size");
  QTest::addColumn<TFetchStatus>("status");
  for (const auto &[name, framing] : {std::pair{"announced", TServedPage::Length}, std::pair{"chunked", TServedPage::Chunked},
                                      std::pair{"unknown_length", TServedPage::UntilClose}}) {
    QTest::addRow("%s_exactly_at_the_limit", name) << int(framing) << KLimit << TFetchStatus::Ok;
    QTest::addRow("%s_one_byte_over", name) << int(framing) << KLimit + 1 << TFetchStatus::TooLarge;
  }
  QTest::newRow("unknown_length_six_million") << int(TServedPage::UntilClose) << qint64(6000000) << TFetchStatus::TooLarge;
}

void TestHttpFetch::sizeLimit() {
  QFETCH(int, framing);
  QFETCH(qint64, size);
  QFETCH(TFetchStatus, status);
  TServedPage page;
  page.Framing = TServedPage::TFraming(framing);
  page.Body = QByteArray(size, 'x');
  FHttp.Serve("/big", page);
  const TFetchResult result = Fetch(FHttp.Url("/big"));
  QCOMPARE(result.Status, status);
  QCOMPARE(result.Body.size(), status == TFetchStatus::Ok ? size : 0);
}

// The server announces 6,000,000 bytes and then sends nothing: only the announcement can end the
// fetch before its generous time-outs.
void TestHttpFetch::announcedTooLargeIsRefusedBeforeItsBody() {
  TServedPage page;
  page.AnnouncedLength = 6000000;
  page.StallAfterHeaders = true;
  FHttp.Serve("/announced", page);
  TFetchProfile patient;
  patient.ResponseTimeoutMs = 600000;
  patient.DeadlineMs = 600000;
  const TFetchResult result = Fetch(FHttp.Url("/announced"), patient);
  QCOMPARE(result.Status, TFetchStatus::TooLarge);
}

void TestHttpFetch::compressedBodyRefused() {
  TServedPage page;
  page.Headers << "Content-Encoding: gzip";
  page.Body = QByteArray::fromHex("1f8b08000000000000ff4b4c0400c241242d02000000");  // "aa" gzipped
  FHttp.Serve("/gzip", page);
  const TFetchResult result = Fetch(FHttp.Url("/gzip"));
  QCOMPARE(result.Status, TFetchStatus::Failed);
  QVERIFY(result.Error.contains("compressed"));
}

void TestHttpFetch::redirects_data() {
  QTest::addColumn<int>("hops");
  QTest::addColumn<QString>("finalTarget");  // "page", or a foreign address
  QTest::addColumn<TFetchStatus>("status");
  QTest::newRow("five_hops_followed") << 5 << "page" << TFetchStatus::Ok;
  QTest::newRow("six_hops_refused") << 6 << "page" << TFetchStatus::Failed;
  QTest::newRow("to_file_scheme_refused") << 1 << "file:///etc/passwd" << TFetchStatus::Failed;
  QTest::newRow("to_ftp_refused") << 1 << "ftp://127.0.0.1/x" << TFetchStatus::Failed;
}

void TestHttpFetch::redirects() {
  QFETCH(int, hops);
  QFETCH(QString, finalTarget);
  QFETCH(TFetchStatus, status);
  TServedPage page;
  page.Body = "<title>Arrived</title>";
  FHttp.Serve("/arrived", page);
  const QUrl target = finalTarget == "page" ? FHttp.Url("/arrived") : QUrl(finalTarget);
  for (int hop = hops; hop >= 1; --hop)
    FHttp.Serve(QString("/hop%1").arg(hop), Redirect(hop == hops ? target : FHttp.Url(QString("/hop%1").arg(hop + 1))));
  const TFetchResult result = Fetch(FHttp.Url("/hop1"));
  QCOMPARE(result.Status, status);
  QCOMPARE(result.HttpStatus, status == TFetchStatus::Ok ? 200 : 0);
  if (status == TFetchStatus::Ok) QCOMPARE(result.Body, page.Body);
}

void TestHttpFetch::stallsAndTrickles_data() {
  QTest::addColumn<bool>("stall");
  QTest::addColumn<int>("trickleMs");
  QTest::addColumn<int>("responseTimeoutMs");
  QTest::addColumn<int>("deadlineMs");
  QTest::addColumn<QString>("error");
  QTest::newRow("stall_after_headers") << true << 0 << 300 << 600000 << "did not answer in time";
  QTest::newRow("trickle_outlasts_the_deadline") << false << 20 << 600000 << 500 << "took too long";
}

void TestHttpFetch::stallsAndTrickles() {
  QFETCH(bool, stall);
  QFETCH(int, trickleMs);
  QFETCH(int, responseTimeoutMs);
  QFETCH(int, deadlineMs);
  QFETCH(QString, error);
  TServedPage page;
  page.Body = QByteArray(100000, 'y');
  page.StallAfterHeaders = stall;
  page.TrickleMs = trickleMs;
  FHttp.Serve("/slow", page);
  TFetchProfile profile;
  profile.ResponseTimeoutMs = responseTimeoutMs;
  profile.DeadlineMs = deadlineMs;
  const TFetchResult result = Fetch(FHttp.Url("/slow"), profile);
  QCOMPARE(result.Status, TFetchStatus::Failed);
  QVERIFY2(result.Error.contains(error), qPrintable(result.Error));
}

void TestHttpFetch::onlyWebSchemes_data() {
  QTest::addColumn<QUrl>("url");
  QTest::newRow("file") << QUrl("file:///etc/hostname");
  QTest::newRow("data") << QUrl("data:text/plain,hello");
  QTest::newRow("no_host") << QUrl("http:///path");
  QTest::newRow("relative") << QUrl("example.com/page");
}

void TestHttpFetch::onlyWebSchemes() {
  QFETCH(QUrl, url);
  const TFetchResult result = Fetch(url);
  QCOMPARE(result.Status, TFetchStatus::Failed);
  QVERIFY(result.Body.isEmpty());
}

// A self-signed and an expired certificate are refused with their problems named; the one the
// user accepted is taken for its host, and no other certificate rides on that exception.
void TestHttpFetch::certificates() {
  const TTestCertificate selfSigned = MakeTestCertificate("self-signed.test");
  TTestHttpServer https(selfSigned.CertificatePem(), selfSigned.KeyPem());
  TServedPage page;
  page.Body = "<title>Secret</title>";
  https.Serve("/", page);
  https.Serve("/down", Redirect(FHttp.Url("/arrived")));
  TServedPage arrived;
  arrived.Body = "plain";
  FHttp.Serve("/arrived", arrived);

  const TFetchResult refused = Fetch(https.Url("/"));
  QCOMPARE(refused.Status, TFetchStatus::CertificateRejected);
  QVERIFY(refused.Body.isEmpty());
  QCOMPARE(refused.Host, "127.0.0.1");
  QCOMPARE(refused.Certificate, QSslCertificate(selfSigned.CertificatePem()));
  QVERIFY(!refused.CertificateProblems.isEmpty());
  QVERIFY(refused.Error.contains("127.0.0.1"));

  const TFetchResult accepted = Fetch(TFetchRequest{https.Url("/"), {}, TCertificateException{refused.Host, refused.Certificate}});
  QCOMPARE(accepted.Status, TFetchStatus::Ok);
  QCOMPARE(accepted.Body, page.Body);

  const TTestCertificate other = MakeTestCertificate("other.test");
  const TFetchResult wrongCertificate = Fetch(
      TFetchRequest{https.Url("/"), {}, TCertificateException{"127.0.0.1", QSslCertificate(other.CertificatePem())}});
  QCOMPARE(wrongCertificate.Status, TFetchStatus::CertificateRejected);
  const TFetchResult wrongHost =
      Fetch(TFetchRequest{https.Url("/"), {}, TCertificateException{"localhost", refused.Certificate}});
  QCOMPARE(wrongHost.Status, TFetchStatus::CertificateRejected);

  const TFetchResult downgrade = Fetch(TFetchRequest{https.Url("/down"), {}, TCertificateException{refused.Host, refused.Certificate}});
  QCOMPARE(downgrade.Status, TFetchStatus::Failed);
  QVERIFY(downgrade.Body.isEmpty());

  const TTestCertificate expired = MakeTestCertificate("expired.test", -60, -30);
  TTestHttpServer old(expired.CertificatePem(), expired.KeyPem());
  old.Serve("/", page);
  const TFetchResult stale = Fetch(old.Url("/"));
  QCOMPARE(stale.Status, TFetchStatus::CertificateRejected);
  QVERIFY2(stale.CertificateProblems.join(' ').contains("expired"), qPrintable(stale.CertificateProblems.join(' ')));
}

void TestHttpFetch::noCookiesBetweenFetches() {
  TServedPage page;
  page.Headers << "Set-Cookie: session=abc; Path=/";
  page.Body = "x";
  FHttp.Serve("/cookie", page);
  QCOMPARE(Fetch(FHttp.Url("/cookie")).Status, TFetchStatus::Ok);
  QCOMPARE(Fetch(FHttp.Url("/cookie")).Status, TFetchStatus::Ok);
  QVERIFY(HeaderOf(FHttp.Requests().last(), "Cookie").isEmpty());
}

void TestHttpFetch::deletedFetchReportsNothing() {
  TServedPage page;
  page.Body = "never sent";
  page.StallAfterHeaders = true;
  FHttp.Serve("/held", page);
  QObject owner;
  const qsizetype before = FHttp.Requests().size();
  THttpFetch *fetch = THttpFetch::Start({FHttp.Url("/held"), {}, {}}, &owner);
  QSignalSpy finished(fetch, &THttpFetch::Finished);
  QTRY_COMPARE(FHttp.Requests().size(), before + 1);
  delete fetch;
  // The server sees the client leave; nothing was reported meanwhile or after.
  QTRY_COMPARE(FHttp.OpenConnections(), 0);
  QCoreApplication::processEvents();
  QCOMPARE(finished.count(), 0);
}

QTEST_GUILESS_MAIN(TestHttpFetch)
#include "test_http_fetch.moc"
