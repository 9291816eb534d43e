// Base64 of a text's UTF-8 bytes, checked against coreutils' base64 where both agree.
#include "ToolsTestUtil.h"
#include "tools/Base64Codec.h"

#include <QRandomGenerator>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {
QString Repeat(const char *unit, int count) { return QString::fromUtf8(unit).repeated(count); }

// Base64 of bytes as the encoder lays it out: CR LF after every complete line of 76.
QString Base64Lines(const QByteArray &bytes) {
  QString text = QString::fromLatin1(bytes.toBase64());
  for (qsizetype at = 76; at <= text.size(); at += 78) text.insert(at, QStringLiteral("\r\n"));
  return text;
}

// Random bytes of hundreds of kilobytes, so characters fall across every buffer the conversions
// work in: ASCII runs and characters of two to four bytes, and, when broken, a few bytes that
// are not UTF-8 (a stray continuation, a cut character, an encoded surrogate).
QByteArray RandomUtf8(QRandomGenerator &random, bool broken) {
  static const QByteArray pieces[] = {"plain ascii text ", "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80",
                                      "\xEF\xBB\xBF", "\r\n"};
  static const QByteArray wrong[] = {"\x80", "\xE2\x82", "\xED\xA0\x80", "\xC0\x80", "\xFF"};
  QByteArray bytes;
  const int count = 20000 + int(random.bounded(40000));
  const int wrongAt = broken ? int(random.bounded(count)) : -1;
  for (int i = 0; i < count; ++i) {
    bytes += pieces[random.bounded(int(std::size(pieces)))];
    if (i == wrongAt) bytes += wrong[random.bounded(int(std::size(wrong)))];
  }
  return bytes;
}

// Random UTF-16 with pairs and lone surrogates anywhere, so some fall on the pieces' boundaries.
QString RandomUtf16(QRandomGenerator &random) {
  static const char16_t units[] = {u'a', u' ', 0xE9, 0x20AC, 0xD83D, 0xDE00, 0xFEFF, u'\n'};
  QString text;
  const int count = 30000 + int(random.bounded(60000));
  for (int i = 0; i < count; ++i) text += QChar(units[random.bounded(int(std::size(units)))]);
  return text;
}
}  // namespace

class TestBase64 : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void encode_data();
  void encode();
  void encodeMatchesCoreutils_data();
  void encodeMatchesCoreutils();
  void decode_data();
  void decode();
  void decodeAgreesWithCoreutils_data();
  void decodeAgreesWithCoreutils();
  void largeTextsMatchWholeConversions();
};

void TestBase64::encode_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("encoded");
  QTest::newRow("empty") << "" << "";
  QTest::newRow("one_padding") << "Hi" << "SGk=";
  QTest::newRow("two_paddings") << "A" << "QQ==";
  QTest::newRow("utf8_bytes") << QString::fromUtf16(u"\u00FC") << "w7w=";
  QTest::newRow("surrogate_pair_is_one_character") << QString::fromUtf16(u"\U0001F600") << "8J+YgA==";
  QTest::newRow("lone_surrogate_as_replacement_character") << QString(QChar(0xD800)) << "77+9";
  QTest::newRow("57_bytes_end_with_a_break") << Repeat("a", 57) << Repeat("YWFh", 19) + "\r\n";
  QTest::newRow("58_bytes_continue_after_the_break") << Repeat("a", 58) << Repeat("YWFh", 19) + "\r\nYQ==";
}

void TestBase64::encode() {
  QFETCH(QString, text);
  QFETCH(QString, encoded);
  QCOMPARE(Visible(Base64Encode(text)), Visible(encoded));
}

void TestBase64::encodeMatchesCoreutils_data() {
  QTest::addColumn<QString>("text");
  QTest::newRow("short") << "Quennet";
  QTest::newRow("several_lines_of_output") << Repeat("line of text\r\n", 40);
  QTest::newRow("mixed_scripts") << QString::fromUtf16(u"\u00E9t\u00E9 \u65E5\u672C \U0001F600 \u0416");
  // A pair that straddles the piece boundary of the UTF-8 conversion.
  QTest::newRow("pair_across_a_piece_boundary")
      << Repeat("a", (1 << 20) - 1) + QString::fromUtf16(u"\U0001F600") + Repeat("b", 100);
}

void TestBase64::encodeMatchesCoreutils() {
  // coreutils ends lines with LF and always ends its output with one; we write CR LF, and only
  // after a complete line of 76.
  REQUIRE_PROGRAM("base64");
  QFETCH(QString, text);
  QString ours = Base64Encode(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  if (!ours.endsWith(u'\n')) ours += u'\n';
  const TProgramRun run = RunProgram(QStringLiteral("base64"), {QStringLiteral("-w"), QStringLiteral("76")}, text.toUtf8());
  QCOMPARE(run.ExitCode, 0);
  QCOMPARE(ours, QString::fromLatin1(run.Output));
}

void TestBase64::decode_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("outcome");
  const QString noMapping = QStringLiteral("error:No mapping for the Unicode character exists in the target multi-byte code page");
  QTest::newRow("padded") << "SGk=" << "ok:Hi";
  QTest::newRow("missing_padding_accepted") << "SGk" << "ok:Hi";
  QTest::newRow("blanks_anywhere_skipped") << " S G\r\nk= \t" << "ok:Hi";
  QTest::newRow("padding_ends_a_group") << "QQ==QUI=" << "ok:AAB";
  QTest::newRow("empty") << "" << "ok:";
  QTest::newRow("surrogate_pair") << "8J+YgA==" << QStringLiteral("ok:") + QString::fromUtf16(u"\U0001F600");
  QTest::newRow("byte_order_mark_kept") << "77u/QQ==" << QStringLiteral("ok:") + QChar(0xFEFF) + u'A';
  QTest::newRow("lone_leftover_character") << "QUJD\nR"
                                           << "error:A single character is left over at position 6; a group needs at least two.";
  QTest::newRow("single_character") << "Q" << "error:A single character is left over at position 1; a group needs at least two.";
  QTest::newRow("data_after_padding_in_a_group") << "QQ=Q" << "error:Incomplete padding at position 3.";
  QTest::newRow("padding_cut_short_at_end") << "QQ=" << "error:Incomplete padding at position 3.";
  QTest::newRow("padding_after_one_character") << "Q===" << "error:Unexpected padding at position 2.";
  QTest::newRow("padding_first") << "=QQ=" << "error:Unexpected padding at position 1.";
  QTest::newRow("padding_after_complete_group") << "QQ===" << "error:Unexpected padding at position 5.";
  QTest::newRow("character_outside_alphabet") << "SG!k" << "error:Invalid character '!' at position 3.";
  QTest::newRow("url_safe_alphabet_refused") << "SG-k" << "error:Invalid character '-' at position 3.";
  QTest::newRow("non_ascii_character_named_whole")
      << QString::fromUtf16(u"SG\U0001F600k") << QStringLiteral("error:Invalid character '") + QString::fromUtf16(u"\U0001F600") + "' at position 3.";
  QTest::newRow("bytes_not_utf8") << "/w==" << noMapping;
  QTest::newRow("encoded_surrogate_not_utf8") << "7aCA" << noMapping;
  QTest::newRow("overlong_form_not_utf8") << "wIA=" << noMapping;
  // The bytes are decoded a buffer at a time, but a mistake in the Base64 is still the one named.
  QTest::newRow("mistake_named_before_earlier_bytes_not_utf8")
      << "/w==" + Repeat("QUJD", 40000) + "!" << "error:Invalid character '!' at position 160005.";
  QTest::newRow("character_cut_at_the_end_of_many_buffers") << Base64Lines(QByteArray(200000, 'a') + "\xE2\x82")
                                                            << noMapping;
}

void TestBase64::decode() {
  QFETCH(QString, text);
  QFETCH(QString, outcome);
  QCOMPARE(Visible(Outcome(Base64Decode(text))), Visible(outcome));
}

void TestBase64::decodeAgreesWithCoreutils_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("valid");
  QTest::newRow("padded") << "SGVsbG8sIHdvcmxkIQ==" << true;
  QTest::newRow("lines_of_76") << Base64Encode(Repeat("0123456789", 30)) << true;
  QTest::newRow("concatenated_pieces") << "QQ==QUI=" << true;
  QTest::newRow("lone_character") << "QUJDR" << false;
  QTest::newRow("garbage_character") << "SG!k" << false;
  QTest::newRow("data_inside_padding") << "QQ=Q" << false;
}

// Where we deliberately differ: coreutils refuses a final group without its padding ("QUI");
// we decode it, dropping the bits of the incomplete group.
void TestBase64::decodeAgreesWithCoreutils() {
  REQUIRE_PROGRAM("base64");
  QFETCH(QString, text);
  QFETCH(bool, valid);
  const TTextResult ours = Base64Decode(text);
  // coreutils takes LF between lines but not CR; we skip both.
  const TProgramRun run =
      RunProgram(QStringLiteral("base64"), {QStringLiteral("-d")}, text.toUtf8().replace("\r\n", "\n"));
  QCOMPARE(ours.IsOk(), valid);
  QCOMPARE(run.ExitCode == 0, valid);
  if (valid) QCOMPARE(ours.Value().toUtf8(), run.Output);
}

// Encoding and decoding work through small buffers; on large random texts they give exactly what
// one whole conversion gives (Qt's UTF-8 and Base64 of the whole).
void TestBase64::largeTextsMatchWholeConversions() {
  QRandomGenerator random(5);
  for (int round = 0; round < 6; ++round) {
    const QByteArray bytes = RandomUtf8(random, round % 2 == 1);
    QStringDecoder whole(QStringConverter::Utf8, QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    const QString text = whole.decode(bytes);
    const TTextResult decoded = Base64Decode(Base64Lines(bytes));
    QCOMPARE(decoded.IsOk(), !whole.hasError());
    if (decoded.IsOk()) QVERIFY(decoded.Value() == text);

    const QString units = RandomUtf16(random);
    QStringEncoder encoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QVERIFY(Base64Encode(units) == Base64Lines(encoder.encode(units)));
  }
}

QTEST_GUILESS_MAIN(TestBase64)
#include "test_base64.moc"
