// Hexadecimal, ROT13 and defanging, checked against basenc and tr where they agree.
#include "ToolsTestUtil.h"
#include "tools/Defang.h"
#include "tools/HexCodec.h"
#include "tools/Rot13.h"

namespace {
QString U(const char16_t *text) { return QString::fromUtf16(text); }
}  // namespace

class TestSmallCodecs : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void asciiToHex_data();
  void asciiToHex();
  void hexMatchesBasenc();
  void hexToAscii_data();
  void hexToAscii();
  void rot13_data();
  void rot13();
  void rot13MatchesTr();
  void defang_data();
  void defang();
  void refangRestoresDefanged();
};

void TestSmallCodecs::asciiToHex_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("hex");
  QTest::newRow("ascii") << "Hi" << "4869";
  QTest::newRow("utf8_bytes_upper_case") << U(u"\u00FC") << "C3BC";
  QTest::newRow("surrogate_pair_together") << U(u"\U0001F600") << "F09F9880";
  QTest::newRow("empty") << "" << "";
}

void TestSmallCodecs::asciiToHex() {
  QFETCH(QString, text);
  QFETCH(QString, hex);
  QCOMPARE(AsciiToHex(text), hex);
}

void TestSmallCodecs::hexMatchesBasenc() {
  // basenc -w0 writes one unbroken run of upper-case digits, as we do.
  REQUIRE_PROGRAM("basenc");
  const QString text = U(u"line one\r\nzwei \u00FC\u00DF \u65E5\u672C \U0001F600 ").repeated(20);
  const TProgramRun run = RunProgram(QStringLiteral("basenc"), {QStringLiteral("--base16"), QStringLiteral("-w0")}, text.toUtf8());
  QCOMPARE(run.ExitCode, 0);
  QCOMPARE(AsciiToHex(text), QString::fromLatin1(run.Output));
  const TTextResult back = HexToAscii(QString::fromLatin1(run.Output));
  QVERIFY(back.IsOk());
  QCOMPARE(back.Value(), text);
}

void TestSmallCodecs::hexToAscii_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("outcome");
  const QString even = QStringLiteral("error:Selection is not valid HEX (need an even number of hex digits).");
  QTest::newRow("0x_prefixes") << "0x48 0X69" << "ok:Hi";
  QTest::newRow("colon_separated") << "48:69" << "ok:Hi";
  QTest::newRow("dollar_prefixes") << "$48$69" << "ok:Hi";
  QTest::newRow("separators_skipped") << "48,\t69;\r\n-" << "ok:Hi";
  QTest::newRow("lower_case_digits") << "c3bc" << QStringLiteral("ok:") + U(u"\u00FC");
  QTest::newRow("odd_count") << "486" << even;
  QTest::newRow("no_digits") << " : " << even;
  QTest::newRow("invalid_character_named") << "48g9" << "error:Invalid character 'g' in HEX input.";
  QTest::newRow("invalid_pair_named_whole") << U(u"48\U0001F600") << QStringLiteral("error:Invalid character '") +
                                                                         U(u"\U0001F600") + "' in HEX input.";
  QTest::newRow("bytes_not_utf8") << "FF" << "error:No mapping for the Unicode character exists in the target multi-byte code page";
}

void TestSmallCodecs::hexToAscii() {
  QFETCH(QString, text);
  QFETCH(QString, outcome);
  QCOMPARE(Outcome(HexToAscii(text)), outcome);
}

void TestSmallCodecs::rot13_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("rotated");
  QTest::newRow("both_halves_both_cases") << "Hello, World! AMNZ amnz" << "Uryyb, Jbeyq! NZAM nzam";
  QTest::newRow("non_ascii_letters_copied") << U(u"\u00E9\u00C9 \U0001F600") << U(u"\u00E9\u00C9 \U0001F600");
}

void TestSmallCodecs::rot13() {
  QFETCH(QString, text);
  QFETCH(QString, rotated);
  QCOMPARE(Rot13(text), rotated);
  QCOMPARE(Rot13(rotated), text);
}

void TestSmallCodecs::rot13MatchesTr() {
  REQUIRE_PROGRAM("tr");
  QString text;
  for (char16_t c = 0x20; c < 0x7F; ++c) text += QChar(c);
  const TProgramRun run = RunProgram(QStringLiteral("tr"), {QStringLiteral("A-Za-z"), QStringLiteral("N-ZA-Mn-za-m")},
                                     text.toLatin1());
  QCOMPARE(run.ExitCode, 0);
  QCOMPARE(Rot13(text), QString::fromLatin1(run.Output));
}

void TestSmallCodecs::defang_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("defanged");
  QTest::newRow("https_address") << "https://evil.example/a" << "hxxps[://]evil[.]example/a";
  QTest::newRow("http_any_case_lowered") << "HTTP://a.b HtTpS://c" << "hxxp[://]a[.]b hxxps[://]c";
  QTest::newRow("every_dot_bracketed") << "v1.2 end." << "v1[.]2 end[.]";
  QTest::newRow("twice_brackets_again") << "a[.]b" << "a[[.]]b";
  QTest::newRow("only_ascii_letters_match") << U(u"http\u017F://x") << U(u"hxxp\u017F[://]x");
}

void TestSmallCodecs::defang() {
  QFETCH(QString, text);
  QFETCH(QString, defanged);
  QCOMPARE(DefangUrls(text), defanged);
}

void TestSmallCodecs::refangRestoresDefanged() {
  const QString address = QStringLiteral("https://a.example.org/x.html and http://b.test");
  QCOMPARE(RefangUrls(DefangUrls(address)), address);
  QCOMPARE(RefangUrls(QStringLiteral("HXXPS[://]a[.]b")), QStringLiteral("https://a.b"));
}

QTEST_GUILESS_MAIN(TestSmallCodecs)
#include "test_small_codecs.moc"
