// Internationalised domain names, line by line, with libidn2 under the TR46 non-transitional rules.
#include "ToolsTestUtil.h"
#include "tools/IdnCodec.h"

namespace {
QString U(const char16_t *text) { return QString::fromUtf16(text); }
}  // namespace

class TestIdn : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void encode_data();
  void encode();
  void decode_data();
  void decode();
};

void TestIdn::encode_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("encoded");
  QTest::newRow("lower_case_name") << U(u"b\u00FCcher.example") << "xn--bcher-kva.example";
  QTest::newRow("capitals_are_mapped") << U(u"B\u00FCcher.example") << "xn--bcher-kva.example";
  QTest::newRow("decomposed_input_normalized") << U(u"bu\u0308cher.example") << "xn--bcher-kva.example";
  QTest::newRow("surrounding_blanks_kept") << U(u"  b\u00FCcher.example \t") << "  xn--bcher-kva.example \t";
  QTest::newRow("every_line_and_break_kept") << U(u"b\u00FCcher.example\r\n\r\nexample.com\n\u00E9.fr\r")
                                             << "xn--bcher-kva.example\r\n\r\nexample.com\nxn--9ca.fr\r";
  QTest::newRow("sharp_s_kept_non_transitional") << U(u"fa\u00DF.de") << "xn--fa-hia.de";
  QTest::newRow("ascii_name_unchanged") << "example.com" << "example.com";
  QTest::newRow("unassigned_code_point_left_as_is") << U(u"a\U000E0080b.example") << U(u"a\U000E0080b.example");
  QTest::newRow("bidi_override_left_as_is") << U(u"a\u202Eb.example") << U(u"a\u202Eb.example");
  QTest::newRow("space_inside_name_left_as_is") << U(u"visit b\u00FCcher.example") << U(u"visit b\u00FCcher.example");
  QTest::newRow("over_long_label_left_as_is") << U(u"\u00E9").repeated(60) << U(u"\u00E9").repeated(60);
  QTest::newRow("blank_line_unchanged") << " \t " << " \t ";
}

void TestIdn::encode() {
  QFETCH(QString, text);
  QFETCH(QString, encoded);
  QCOMPARE(Visible(IdnEncode(text)), Visible(encoded));
}

void TestIdn::decode_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("decoded");
  QTest::newRow("ace_name") << "xn--bcher-kva.example" << U(u"b\u00FCcher.example");
  QTest::newRow("upper_case_ace_name_keeps_its_ascii_case") << "XN--BCHER-KVA.EXAMPLE" << U(u"B\u00FCCHER.EXAMPLE");
  QTest::newRow("surrounding_blanks_kept") << " xn--9ca.fr\r\nxn--fa-hia.de" << U(u" \u00E9.fr\r\nfa\u00DF.de");
  QTest::newRow("plain_name_unchanged") << "example.com" << "example.com";
  QTest::newRow("label_decoding_to_bidi_override_refused") << "xn--ab-g4t.example" << "xn--ab-g4t.example";
  QTest::newRow("broken_punycode_left_as_is") << "xn--.example" << "xn--.example";
}

void TestIdn::decode() {
  QFETCH(QString, text);
  QFETCH(QString, decoded);
  QCOMPARE(Visible(IdnDecode(text)), Visible(decoded));
}

QTEST_GUILESS_MAIN(TestIdn)
#include "test_idn.moc"
