// Encodings: classification of a file's bytes, strict conversions, encoding back, names and breaks.
#include "CoreTestUtil.h"
#include "core/Encoding.h"

class TestEncoding : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void detectsFixture_data();
  void detectsFixture();
  void utf8CutAtTestWindow();
  void utf8Shape_data();
  void utf8Shape();
  void strictDecode_data();
  void strictDecode();
  void encodeBytes_data();
  void encodeBytes();
  void kindsAndNames();
  void detectEol_data();
  void detectEol();
};

void TestEncoding::detectsFixture_data() {
  QTest::addColumn<QString>("fixture");
  QTest::addColumn<int>("codePage");
  QTest::addColumn<int>("bomLength");
  QTest::newRow("empty_is_utf8") << "empty.txt" << 65001 << 0;
  QTest::newRow("utf8_bom_only") << "utf8-bom-only.txt" << 65001 << 3;
  QTest::newRow("utf8_without_bom") << "utf8-no-bom.txt" << 65001 << 0;
  QTest::newRow("overlong_pair_passes_shape_test") << "utf8-overlong-pair.txt" << 65001 << 0;
  QTest::newRow("ansi_accent_at_end_of_small_file") << "ansi-cafe.txt" << 1252 << 0;
  QTest::newRow("utf8_cut_at_end_of_small_file") << "utf8-cut-at-end.txt" << 1252 << 0;
  QTest::newRow("ansi_specials") << "ansi-1252-specials.txt" << 1252 << 0;
  QTest::newRow("utf16le_bom") << "utf16le-bom.txt" << 1200 << 2;
  QTest::newRow("utf16be_bom") << "utf16be-bom.txt" << 1201 << 2;
  QTest::newRow("utf32le_mark_reads_as_utf16le") << "utf32le-mark.txt" << 1200 << 2;
  QTest::newRow("controls_are_ascii") << "controls.txt" << 65001 << 0;
}

void TestEncoding::detectsFixture() {
  QFETCH(QString, fixture);
  QFETCH(int, codePage);
  QFETCH(int, bomLength);
  const TDetectedEncoding d = DetectTextEncoding(FixtureBytes(fixture.toLatin1().constData()));
  QCOMPARE(d.Encoding->CodePage(), codePage);
  QCOMPARE(d.BomLength, bomLength);
}

void TestEncoding::utf8CutAtTestWindow() {
  // A sequence cut by the 1 MiB window is no reason to call the file ANSI when the data goes on.
  QByteArray bytes(KUtf8TestWindow - 1, 'a');
  bytes += "\xE6\x97\xA5";
  QVERIFY(IsValidUtf8Prefix(bytes));
  QCOMPARE(DetectTextEncoding(bytes).Encoding, TEncoding::Utf8());
  // Whatever lies past the window is not looked at.
  QByteArray latinTail(KUtf8TestWindow, 'a');
  latinTail += "\xE9\xE9";
  QCOMPARE(DetectTextEncoding(latinTail).Encoding, TEncoding::Utf8());
  // The same cut sequence ending the whole data is broken.
  QVERIFY(!IsValidUtf8Prefix(QByteArray(100, 'a') + "\xE6\x97"));
}

void TestEncoding::utf8Shape_data() {
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<bool>("valid");
  QTest::newRow("ascii") << QByteArray("plain") << true;
  QTest::newRow("two_three_four_byte") << QByteArray("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80") << true;
  QTest::newRow("lone_continuation") << QByteArray("a\x80") << false;
  QTest::newRow("lead_F8") << QByteArray("\xF8\x88\x80\x80\x80") << false;
  QTest::newRow("missing_continuation") << QByteArray("\xC3" "a") << false;
  QTest::newRow("surrogate_code_point_passes") << QByteArray("\xED\xA0\x80") << true;
  QTest::newRow("lead_F5_passes") << QByteArray("\xF5\x80\x80\x80") << true;
}

void TestEncoding::utf8Shape() {
  QFETCH(QByteArray, bytes);
  QFETCH(bool, valid);
  QCOMPARE(IsValidUtf8Prefix(bytes), valid);
}

void TestEncoding::strictDecode_data() {
  QTest::addColumn<int>("codePage");
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<bool>("ok");
  QTest::addColumn<QString>("text");
  const QString none;
  QTest::newRow("utf8_valid_keeps_leading_bom_char") << 65001 << QByteArray("\xEF\xBB\xBFx\xC3\xA9") << true
                                                     << QChar(0xFEFF) + QString::fromUtf16(u"x\u00E9");
  QTest::newRow("utf8_overlong") << 65001 << QByteArray("a\xC0\xAF") << false << none;
  QTest::newRow("utf8_surrogate") << 65001 << QByteArray("\xED\xA0\x80") << false << none;
  QTest::newRow("utf8_above_10FFFF") << 65001 << QByteArray("\xF4\x90\x80\x80") << false << none;
  QTest::newRow("utf8_cut_at_end") << 65001 << QByteArray("ab\xE6\x97") << false << none;
  QTest::newRow("utf16le_one_byte") << 1200 << QByteArray("A") << false << none;
  QTest::newRow("utf16le_odd_byte_ignored") << 1200 << QByteArray("A\0B\0C", 5) << true << "AB";
  QTest::newRow("utf16be") << 1201 << QByteArray("\0A\xD8\x3D\xDE\x00", 6) << true << QString::fromUtf16(u"A\U0001F600");
  QTest::newRow("ansi_1252_specials") << 1252 << QByteArray("\x80\x81\x8D\x8F\x90\x9D\x9F\xA0\xFF")
                                      << true << QString::fromUtf16(u"\u20AC\u0081\u008D\u008F\u0090\u009D\u0178\u00A0\u00FF");
  QTest::newRow("empty") << 65001 << QByteArray() << true << "";
}

static const TEncoding *ByCodePage(int codePage) {
  for (const TEncoding *e : {TEncoding::Ansi(), TEncoding::Utf8(), TEncoding::Utf16LE(), TEncoding::Utf16BE()})
    if (e->CodePage() == codePage) return e;
  return nullptr;
}

void TestEncoding::strictDecode() {
  QFETCH(int, codePage);
  QFETCH(QByteArray, bytes);
  QFETCH(bool, ok);
  QFETCH(QString, text);
  QString got, error;
  QCOMPARE(ByCodePage(codePage)->Decode(bytes, got, &error), ok);
  if (ok) QCOMPARE(got, text);
  else QCOMPARE(error, "No mapping for the Unicode character exists in the target multi-byte code page");
}

void TestEncoding::encodeBytes_data() {
  QTest::addColumn<int>("codePage");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QByteArray>("bytes");
  QTest::newRow("ansi_round_trip_of_specials") << 1252 << QString::fromUtf16(u"\u20AC\u0081\u0178\u00E9")
                                               << QByteArray("\x80\x81\x9F\xE9");
  QTest::newRow("ansi_unmappable_is_question_mark") << 1252 << QString::fromUtf16(u"a\u0100\U0001F600b")
                                                    << QByteArray("a??b");
  QTest::newRow("utf8_lone_surrogate") << 65001 << QString(QChar(0xD800)) << QByteArray("\xEF\xBF\xBD");
  QTest::newRow("utf8_keeps_bom_char") << 65001 << QChar(0xFEFF) + QStringLiteral("a") << QByteArray("\xEF\xBB\xBF" "a");
  QTest::newRow("utf16le") << 1200 << QString::fromUtf16(u"A\u20AC") << QByteArray("A\0\xAC\x20", 4);
  QTest::newRow("utf16be") << 1201 << QString::fromUtf16(u"A\u20AC") << QByteArray("\0A\x20\xAC", 4);
}

void TestEncoding::encodeBytes() {
  QFETCH(int, codePage);
  QFETCH(QString, text);
  QFETCH(QByteArray, bytes);
  QCOMPARE(ByCodePage(codePage)->Encode(text), bytes);
}

void TestEncoding::kindsAndNames() {
  QCOMPARE(EncKindOf(TEncoding::Utf16LE(), false), ekUtf16LeBom);
  QCOMPARE(EncKindOf(TEncoding::Utf16BE(), true), ekUtf16BeBom);
  QCOMPARE(EncKindOf(TEncoding::Utf8(), true), ekUtf8Bom);
  QCOMPARE(EncKindOf(TEncoding::Utf8(), false), ekUtf8);
  QCOMPARE(EncKindOf(TEncoding::Ansi(), true), ekAnsi);
  QCOMPARE(EncKindOf(nullptr, false), ekAnsi);
  const QStringList names = {"ANSI", "UTF-8", "UTF-8-BOM", "UTF-16 BE BOM", "UTF-16 LE BOM", "UTF-8", "UTF-8"};
  const QList<int> kinds = {0, 1, 2, 3, 4, 5, -1};
  for (qsizetype i = 0; i < kinds.size(); ++i) QCOMPARE(EncKindName(kinds[i]), names[i]);
  QCOMPARE(EncodingOfKind(7), TEncoding::Utf8());
  QCOMPARE(EncodingOfKind(ekUtf16BeBom), TEncoding::Utf16BE());
  QVERIFY(SameEncoding(TEncoding::Ansi(), TEncoding::Ansi()));
  QVERIFY(!SameEncoding(TEncoding::Ansi(), nullptr));
  QVERIFY(SameEncoding(nullptr, nullptr));
  QCOMPARE(EolString(1), "\n");
  QCOMPARE(EolString(2), "\r");
  QCOMPARE(EolString(-1), "\r\n");
  QCOMPARE(EolDisplayName(u"\n"), "Unix (LF)");
  QCOMPARE(EolDisplayName(u"\r"), "Macintosh (CR)");
  QCOMPARE(EolDisplayName(u"\r\n"), "Windows (CR LF)");
  QCOMPARE(EolDisplayName(u"x"), "Windows (CR LF)");
}

void TestEncoding::detectEol_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("eol");
  QTest::newRow("any_crlf_wins") << "a\nb\nc\nd\r\ne" << 0;
  QTest::newRow("lf") << "a\nb" << 1;
  QTest::newRow("lf_ties_cr") << "a\nb\rc" << 1;
  QTest::newRow("cr") << "a\rb\rc\nd" << 2;
  QTest::newRow("none") << "abc" << -1;
  QTest::newRow("cr_then_lf_apart") << "\r\r\n" << 0;
}

void TestEncoding::detectEol() {
  QFETCH(QString, text);
  QFETCH(int, eol);
  QCOMPARE(DetectEol(text), eol);
}

QTEST_GUILESS_MAIN(TestEncoding)
#include "test_encoding.moc"
