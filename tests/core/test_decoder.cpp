// Decoding bytes into lines: the line decoder, the whole-text road, reading files.
#include "CoreTestUtil.h"
#include "core/Encoding.h"
#include "core/FileRead.h"
#include "core/LineDecoder.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

#include <sys/stat.h>

class TestDecoder : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void lineDecoderOnFixture_data();
  void lineDecoderOnFixture();
  void lineRoadMatchesWholeTextRoad_data();
  void lineRoadMatchesWholeTextRoad();
  void invalidUtf8PastTestWindowBecomesReplacement();
  void longLineInFileIsCut();
  void wholeTextRoad_data();
  void wholeTextRoad();
  void wholeTextWithChosenEncoding();
  void loadFromFile();
  void loadFailureKeepsLines();
  void readStopsAtShrunkEnd();
  void readRefusesTwoGibibytes();
  void readRefusesFifoWithoutWaiting();
};

void TestDecoder::lineDecoderOnFixture_data() {
  QTest::addColumn<QString>("fixture");
  QTest::addColumn<QString>("lines");
  QTest::addColumn<int>("ending");
  QTest::addColumn<bool>("altered");
  QTest::newRow("empty_no_lines") << "empty.txt" << "" << int(leCRLF) << false;
  QTest::newRow("bom_only_no_lines") << "utf8-bom-only.txt" << "" << int(leCRLF) << false;
  QTest::newRow("utf8_bom_skipped") << "utf8-bom-two-lines.txt" << "<00E9>t<00E9>|x" << int(leLF) << false;
  QTest::newRow("utf8_plane1") << "utf8-no-bom.txt" << "na<00EF>ve|<65E5><672C><8A9E> <D83D><DE00>" << int(leCRLF)
                               << false;
  QTest::newRow("one_of_each_break") << "mixed-breaks.txt" << "A|B|C|" << int(leCRLF) << false;
  QTest::newRow("lf_majority_votes_lf") << "crlf-once-lf-ten.txt" << "a|b|b|b|b|b|b|b|b|b|b|" << int(leLF) << false;
  QTest::newRow("controls_shown_as_dots") << "controls.txt" << "a<00B7>b<00B7>c<00B7>d<0009>e" << int(leCRLF) << true;
  QTest::newRow("overlong_becomes_replacement") << "utf8-overlong-pair.txt"
                                                << QString(60, u'A') + "<FFFD><FFFD>" + QString(38, u'B') << int(leCRLF)
                                                << true;
  QTest::newRow("ansi_cafe") << "ansi-cafe.txt" << "caf<00E9>" << int(leCRLF) << false;
  QTest::newRow("ansi_specials") << "ansi-1252-specials.txt" << "<20AC><0081><008D><008F><0090><009D><0178><00A0><00FF>"
                                 << int(leCRLF) << false;
  QTest::newRow("utf16le") << "utf16le-bom.txt" << "A|B<20AC>" << int(leCRLF) << false;
  QTest::newRow("utf16be") << "utf16be-bom.txt" << "A|B<D83D><DE00>" << int(leLF) << false;
  QTest::newRow("utf16_odd_byte_dropped") << "utf16le-odd-byte.txt" << "AB" << int(leCRLF) << true;
  QTest::newRow("utf16_one_byte_one_empty_line") << "utf16le-one-byte.txt" << "" << int(leCRLF) << true;
  QTest::newRow("utf32le_mark_as_utf16le") << "utf32le-mark.txt" << "<00B7>A<00B7>" << int(leCRLF) << true;
}

void TestDecoder::lineDecoderOnFixture() {
  QFETCH(QString, fixture);
  QFETCH(QString, lines);
  QFETCH(int, ending);
  QFETCH(bool, altered);
  const QByteArray bytes = FixtureBytes(fixture.toLatin1().constData());
  const TDetectedEncoding detected = DetectTextEncoding(bytes);
  QStringList list;
  bool changed = !altered;
  QCOMPARE(int(DecodeBytesToLines(bytes, detected.BomLength, detected.Encoding, list, &changed)), ending);
  QCOMPARE(DumpLines(list), lines);
  const bool noLines = fixture == "empty.txt" || fixture == "utf8-bom-only.txt";
  QCOMPARE(list.isEmpty(), noLines);
  QCOMPARE(changed, altered);
}

void TestDecoder::lineRoadMatchesWholeTextRoad_data() {
  QTest::addColumn<int>("codePage");
  QTest::newRow("ansi") << 1252;
  QTest::newRow("utf8") << 65001;
  QTest::newRow("utf16le") << 1200;
  QTest::newRow("utf16be") << 1201;
}

// Random texts over an alphabet rich in breaks, controls and non-ASCII, long enough to cross the
// decoder's sixteen-byte blocks at every offset: the line road must split exactly as SetText does.
void TestDecoder::lineRoadMatchesWholeTextRoad() {
  QFETCH(int, codePage);
  const TEncoding *encoding = codePage == 1252    ? TEncoding::Ansi()
                              : codePage == 65001 ? TEncoding::Utf8()
                              : codePage == 1200  ? TEncoding::Utf16LE()
                                                  : TEncoding::Utf16BE();
  const QString alphabet = QString::fromUtf16(u"aaaaaaaaaaaabc \t\r\n\r\n\u0001\u007f\u00e9\u20ac\u00ff");
  QRandomGenerator random(codePage);
  for (int round = 0; round < 400; ++round) {
    QString text;
    const int length = int(random.bounded(120));
    for (int i = 0; i < length; ++i) text += alphabet[int(random.bounded(int(alphabet.size())))];
    if (codePage == 1252) text.replace(QChar(0x00FF), QChar(0x00E8));
    const QByteArray bytes = encoding->Encode(text);
    QStringList lines;
    bool altered = false;
    const TMELineEnding ending = DecodeBytesToLines(bytes, 0, encoding, lines, &altered);
    TMELineList reference;
    bool referenceAltered = false;
    reference.SetText(text, &referenceAltered);
    if (text.isEmpty()) {
      QVERIFY(lines.isEmpty());
      continue;
    }
    QCOMPARE(DumpLines(lines), DumpLines(reference.Lines()));
    QCOMPARE(int(ending), int(reference.LineEnding()));
    QCOMPARE(altered, referenceAltered);
  }
}

void TestDecoder::invalidUtf8PastTestWindowBecomesReplacement() {
  QByteArray bytes = QByteArray("abcdefg\n").repeated(KUtf8TestWindow / 8);
  bytes += "x\xE9y\xC0\xAF";
  const TDetectedEncoding detected = DetectTextEncoding(bytes);
  QCOMPARE(detected.Encoding, TEncoding::Utf8());
  QStringList lines;
  bool altered = false;
  DecodeBytesToLines(bytes, 0, detected.Encoding, lines, &altered);
  QCOMPARE(lines.size(), KUtf8TestWindow / 8 + 1);
  QCOMPARE(DumpLines({lines.last()}), "x<FFFD>y<FFFD><FFFD>");
  QVERIFY(altered);
}

void TestDecoder::longLineInFileIsCut() {
  QByteArray bytes(200000, 'z');
  bytes += "\r\nend";
  QStringList lines;
  bool altered = false;
  DecodeBytesToLines(bytes, 0, TEncoding::Utf8(), lines, &altered);
  QList<qsizetype> lengths;
  for (const QString &line : lines) lengths.append(line.size());
  QCOMPARE(lengths, (QList<qsizetype>{65536, 65536, 65536, 3392, 3}));
  QVERIFY(altered);
}

void TestDecoder::wholeTextRoad_data() {
  QTest::addColumn<QString>("fixture");
  QTest::addColumn<bool>("ok");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("eol");
  QTest::newRow("overlong_fails") << "utf8-overlong-pair.txt" << false << "" << "";
  QTest::newRow("one_byte_after_utf16_mark_fails") << "utf16le-one-byte.txt" << false << "" << "";
  QTest::newRow("one_crlf_decides_the_document_break") << "crlf-once-lf-ten.txt" << true
                                                       << "a\r\n" + QString("b\n").repeated(10) << "\r\n";
  QTest::newRow("ansi_cafe_opens") << "ansi-cafe.txt" << true << QString::fromUtf16(u"caf\u00e9") << "\r\n";
  QTest::newRow("bom_skipped") << "utf8-bom-two-lines.txt" << true << QString::fromUtf16(u"\u00e9t\u00e9\nx") << "\n";
  QTest::newRow("cr_only") << "mixed-breaks.txt" << true << "A\r\nB\nC\r" << "\r\n";
  QTest::newRow("empty") << "empty.txt" << true << "" << "\r\n";
}

void TestDecoder::wholeTextRoad() {
  QFETCH(QString, fixture);
  QFETCH(bool, ok);
  QFETCH(QString, text);
  QFETCH(QString, eol);
  TWholeText whole;
  QString error;
  QCOMPARE(DecodeWholeText(FixtureBytes(fixture.toLatin1().constData()), whole, &error), ok);
  if (!ok) {
    QCOMPARE(error, "No mapping for the Unicode character exists in the target multi-byte code page");
    return;
  }
  QCOMPARE(whole.Text, text);
  QCOMPARE(whole.EOL, eol);
}

void TestDecoder::wholeTextWithChosenEncoding() {
  TWholeText whole;
  QVERIFY(DecodeWholeText(FixtureBytes("utf8-bom-two-lines.txt"), whole, nullptr, TEncoding::Ansi()));
  QCOMPARE(whole.Encoding, TEncoding::Ansi());
  QVERIFY(!whole.HasBOM);  // ANSI has no mark, so the UTF-8 mark's bytes are text
  QVERIFY(whole.Text.startsWith(QString::fromUtf16(u"\u00ef\u00bb\u00bf\u00c3\u00a9")));
  QVERIFY(DecodeWholeText(FixtureBytes("utf16le-bom.txt"), whole, nullptr, TEncoding::Utf16LE()));
  QVERIFY(whole.HasBOM);
  QCOMPARE(whole.Text, QString::fromUtf16(u"A\r\nB\u20ac"));
}

void TestDecoder::loadFromFile() {
  TMELineList store;
  QString error;
  QVERIFY(store.LoadFromFile(FixturePath("utf16be-bom.txt"), &error));
  QCOMPARE(store.GetEncoding(), TEncoding::Utf16BE());
  QVERIFY(store.HasBOM());
  QCOMPARE(store.LineEnding(), leLF);
  QCOMPARE(store.GetCount(), 2);

  bool altered = true;
  QVERIFY(store.LoadFromFile(FixturePath("ansi-cafe.txt"), &error, TEncoding::Utf16LE(), &altered));
  QVERIFY(!store.HasBOM());  // the file lacks that encoding's mark: read from offset 0
  QCOMPARE(store.Get(0), QString(QChar(0x6163)) + QChar(0xE966));
  QVERIFY(!altered);

  QVERIFY(store.LoadFromFile(FixturePath("utf8-bom-two-lines.txt"), &error, TEncoding::Utf8()));
  QVERIFY(store.HasBOM());
  QCOMPARE(store.Get(0), QString::fromUtf16(u"\u00e9t\u00e9"));
}

void TestDecoder::loadFailureKeepsLines() {
  TMELineList store;
  store.SetText(u"keep me");
  QString error;
  QVERIFY(!store.LoadFromFile(FixturePath("no-such-file.txt"), &error));
  QVERIFY(!error.isEmpty());
  QCOMPARE(store.GetText(), "keep me");
  QVERIFY(!store.LoadFromFile(QStringLiteral(QUENNET_FIXTURES), &error));  // a folder
  QCOMPARE(store.GetText(), "keep me");
}

void TestDecoder::readStopsAtShrunkEnd() {
  QTemporaryDir dir;
  const QString path = dir.filePath("shrinking.log");
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(QByteArray(3 * KReadPieceSize, 'x'));
  file.close();
  QByteArray bytes;
  QList<qint64> seen;
  const TReadResult result = ReadFileBytes(path, bytes, nullptr, [&](qint64 pos, qint64 size) {
    seen.append(pos);
    if (seen.size() == 1) QFile::resize(path, KReadPieceSize + KReadPieceSize / 2);
    return size == 3 * KReadPieceSize;
  });
  QCOMPARE(result, TReadResult::Done);
  QCOMPARE(seen, (QList<qint64>{KReadPieceSize, KReadPieceSize + KReadPieceSize / 2}));
  QCOMPARE(bytes.size(), KReadPieceSize + KReadPieceSize / 2);
  QVERIFY(!bytes.contains('\0'));
}

void TestDecoder::readRefusesTwoGibibytes() {
  QTemporaryDir dir;
  const QString path = dir.filePath("huge.bin");
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  QVERIFY(file.resize(KMaxLoadableFileSize));  // sparse: no disk used
  file.close();
  QByteArray bytes;
  QString error;
  bool called = false;
  QCOMPARE(ReadFileBytes(path, bytes, &error, [&](qint64, qint64) { return called = true; }), TReadResult::Failed);
  QVERIFY(!called);
  QCOMPARE(error, "The file is too large to open (2 GiB or more).");
}

void TestDecoder::readRefusesFifoWithoutWaiting() {
  QTemporaryDir dir;
  const QString path = dir.filePath("pipe");
  QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
  QByteArray bytes;
  QString error;
  QCOMPARE(ReadFileBytes(path, bytes, &error), TReadResult::Failed);
  QCOMPARE(error, "This is not a regular file.");
}

QTEST_GUILESS_MAIN(TestDecoder)
#include "test_decoder.moc"

