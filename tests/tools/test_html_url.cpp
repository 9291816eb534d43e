// HTML character references and URL percent-encoding.
#include "ToolsTestUtil.h"
#include "tools/HtmlCodec.h"
#include "tools/UrlCodec.h"

#include <QRandomGenerator>
#include <QStringDecoder>

namespace {
QString U(const char16_t *text) { return QString::fromUtf16(text); }

// A large percent-encoded text and the bytes the rule says it stands for: groups of either case
// (now and then of bytes that are not UTF-8), "+", "%%", and literal characters of every size,
// lone surrogates (written as U+FFFD) included.
struct TEncodedSample {
  QString Text;
  QByteArray Bytes;
};

TEncodedSample RandomEncoded(QRandomGenerator &random, bool broken) {
  static const QByteArray groupBytes[] = {"\xC3\xA9", "\xF0\x9F\x98\x80", "A", "\xE2\x82\xAC", " "};
  static const QByteArray wrong[] = {"\x80", "\xE2\x82", "\xFF"};
  static const char16_t *literals[] = {u"word", u"\u00FC", u"\U0001F600", u"\xD800", u"~"};
  TEncodedSample sample;
  const int count = 150000 + int(random.bounded(150000));
  const int wrongAt = broken ? int(random.bounded(count)) : -1;
  const auto putGroups = [&](const QByteArray &bytes) {
    for (const char byte : bytes) {
      const QString hex = QStringLiteral("%%1").arg(uint(uchar(byte)), 2, 16, QChar(u'0'));
      sample.Text += random.bounded(2) ? hex.toUpper() : hex;
      sample.Bytes += byte;
    }
  };
  for (int i = 0; i < count; ++i) {
    switch (random.bounded(4)) {
      case 0: putGroups(groupBytes[random.bounded(int(std::size(groupBytes)))]); break;
      case 1: {
        const QString literal = QString::fromUtf16(literals[random.bounded(int(std::size(literals)))]);
        sample.Text += literal;
        sample.Bytes += literal == QChar(0xD800) ? QByteArray("\xEF\xBF\xBD") : literal.toUtf8();
        break;
      }
      case 2:
        sample.Text += u'+';
        sample.Bytes += ' ';
        break;
      default:
        sample.Text += QStringLiteral("%%");
        sample.Bytes += '%';
        break;
    }
    if (i == wrongAt) putGroups(wrong[random.bounded(int(std::size(wrong)))]);
  }
  return sample;
}
}  // namespace

class TestHtmlUrl : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void htmlEncode_data();
  void htmlEncode();
  void htmlDecode_data();
  void htmlDecode();
  void htmlRoundTrip();
  void urlEncode_data();
  void urlEncode();
  void urlDecode_data();
  void urlDecode();
  void urlRoundTrip();
  void largeUrlTextsDecodeAsTheirWholeBytes();
};

void TestHtmlUrl::htmlEncode_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("encoded");
  QTest::newRow("four_characters_encoded") << "<a href=\"x\">&</a>" << "&lt;a href=&quot;x&quot;&gt;&amp;&lt;/a&gt;";
  QTest::newRow("apostrophe_kept") << "it's" << "it's";
  QTest::newRow("nothing_to_encode") << U(u"\u00E9\U0001F600") << U(u"\u00E9\U0001F600");
  QTest::newRow("nul_does_not_end_the_text") << QString::fromUtf16(u"a\u0000<b", 4) << QString::fromUtf16(u"a\u0000&lt;b", 7);
}

void TestHtmlUrl::htmlEncode() {
  QFETCH(QString, text);
  QFETCH(QString, encoded);
  QCOMPARE(Visible(HtmlEncode(text)), Visible(encoded));
}

void TestHtmlUrl::htmlDecode_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("decoded");
  QTest::newRow("decimal_reference") << "&#65;" << "A";
  QTest::newRow("hex_reference") << "&#x41;&#X42;" << "AB";
  QTest::newRow("integer_reading_forms") << "&#$43;&#0x44;&#+69;" << "CDE";
  QTest::newRow("astral_reference_is_a_pair") << "&#x1F600;" << U(u"\U0001F600");
  QTest::newRow("highest_scalar_value") << "&#x10FFFF;" << U(u"\U0010FFFF");
  QTest::newRow("named_references") << "&amp;&apos;&gt;&lt;&quot;" << "&'><\"";
  QTest::newRow("named_only_lower_case") << "&AMP;&Lt;" << "&AMP;&Lt;";
  QTest::newRow("unknown_name_kept") << "&foo;" << "&foo;";
  QTest::newRow("surrogate_reference_kept") << "&#xD800;" << "&#xD800;";
  QTest::newRow("beyond_unicode_kept") << "&#x110000;" << "&#x110000;";
  QTest::newRow("negative_reference_kept") << "&#-1;" << "&#-1;";
  QTest::newRow("zero_reference_kept") << "&#0;" << "&#0;";
  QTest::newRow("not_a_number_kept") << "&#1a;x" << "&#1a;x";
  QTest::newRow("no_semicolon_nearby_copies_ampersand") << "&#65 and more text;" << "&#65 and more text;";
  QTest::newRow("run_of_ampersand_hash_without_semicolon") << QStringLiteral("&#").repeated(1000)
                                                          << QStringLiteral("&#").repeated(1000);
  QTest::newRow("reference_after_failed_one") << "&#&#66;" << "&#B";
  QTest::newRow("double_escaped_decodes_once") << "&amp;lt;" << "&lt;";
  QTest::newRow("nul_does_not_end_the_text") << QString::fromUtf16(u"\u0000&lt;", 5) << QString::fromUtf16(u"\u0000<", 2);
}

void TestHtmlUrl::htmlDecode() {
  QFETCH(QString, text);
  QFETCH(QString, decoded);
  QCOMPARE(Visible(HtmlDecode(text)), Visible(decoded));
}

void TestHtmlUrl::htmlRoundTrip() {
  const QString text = U(u"<p class=\"x\">Tom & Jerry's \U0001F600 &amp;</p>");
  QCOMPARE(HtmlDecode(HtmlEncode(text)), text);
}

void TestHtmlUrl::urlEncode_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("encoded");
  QTest::newRow("space_plus_tilde_encoded") << "a b~" << "a+b%7E";
  QTest::newRow("copied_characters") << "AZaz09!$'()*-.@_" << "AZaz09!$'()*-.@_";
  QTest::newRow("reserved_characters") << "a=1&b=/?#%+" << "a%3D1%26b%3D%2F%3F%23%25%2B";
  QTest::newRow("controls_encoded") << "\t\r\n" << "%09%0D%0A";
  QTest::newRow("two_byte_utf8") << U(u"\u00FC") << "%C3%BC";
  QTest::newRow("three_byte_utf8") << U(u"\u20AC") << "%E2%82%AC";
  QTest::newRow("surrogate_pair_together") << U(u"\U0001F600") << "%F0%9F%98%80";
  QTest::newRow("lone_surrogate_as_replacement") << QString(QChar(0xDC00)) << "%EF%BF%BD";
}

void TestHtmlUrl::urlEncode() {
  QFETCH(QString, text);
  QFETCH(QString, encoded);
  QCOMPARE(UrlEncode(text), encoded);
}

void TestHtmlUrl::urlDecode_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("outcome");
  QTest::newRow("plus_and_groups") << "a+b%7e%7E" << "ok:a b~~";
  QTest::newRow("double_percent_is_percent") << "100%%" << "ok:100%";
  QTest::newRow("encoded_emoji") << "%F0%9F%98%80" << QStringLiteral("ok:") + U(u"\U0001F600");
  QTest::newRow("literal_emoji_kept_whole") << U(u"x\U0001F600y") << QStringLiteral("ok:") + U(u"x\U0001F600y");
  QTest::newRow("literal_non_ascii") << U(u"\u00FC%C3%BC") << QStringLiteral("ok:") + U(u"\u00FC\u00FC");
  QTest::newRow("percent_at_end") << "100%" << "error:Error decoding URL style (%XX) encoded string at position 4";
  QTest::newRow("one_digit_after_percent") << "ab%4" << "error:Error decoding URL style (%XX) encoded string at position 3";
  QTest::newRow("not_hexadecimal") << "a%G1" << "error:Invalid URL encoded character (%G1) at position 2";
  QTest::newRow("pair_in_bad_group_named_whole") << U(u"%4\U0001F600")
                                                 << QStringLiteral("error:Invalid URL encoded character (%4") +
                                                        U(u"\U0001F600") + ") at position 1";
  QTest::newRow("bytes_not_utf8") << "%FF"
                                  << "error:No mapping for the Unicode character exists in the target multi-byte code page";
  QTest::newRow("split_sequence_not_utf8") << "%C3x%BC"
                                           << "error:No mapping for the Unicode character exists in the target multi-byte code page";
  // The bytes are decoded a buffer at a time, but a mistake in the groups is still the one named.
  QTest::newRow("bad_group_named_before_earlier_bytes_not_utf8")
      << "%FF" + QString(200000, u'a') + "%G1" << "error:Invalid URL encoded character (%G1) at position 200004";
}

void TestHtmlUrl::urlDecode() {
  QFETCH(QString, text);
  QFETCH(QString, outcome);
  QCOMPARE(Visible(Outcome(UrlDecode(text))), Visible(outcome));
}

void TestHtmlUrl::urlRoundTrip() {
  const QString text = U(u"https://example.org/a b?q=\u00E9t\u00E9&x=\U0001F600~");
  const TTextResult decoded = UrlDecode(UrlEncode(text));
  QVERIFY(decoded.IsOk());
  QCOMPARE(decoded.Value(), text);
}

// The decoder works through a small buffer; on large random texts it gives exactly what one whole
// UTF-8 conversion of the bytes gives.
void TestHtmlUrl::largeUrlTextsDecodeAsTheirWholeBytes() {
  QRandomGenerator random(8);
  for (int round = 0; round < 6; ++round) {
    const TEncodedSample sample = RandomEncoded(random, round % 2 == 1);
    QStringDecoder whole(QStringConverter::Utf8, QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    const QString text = whole.decode(sample.Bytes);
    const TTextResult decoded = UrlDecode(sample.Text);
    QCOMPARE(decoded.IsOk(), !whole.hasError());
    if (decoded.IsOk()) QVERIFY(decoded.Value() == text);
  }
}

QTEST_GUILESS_MAIN(TestHtmlUrl)
#include "test_html_url.moc"
