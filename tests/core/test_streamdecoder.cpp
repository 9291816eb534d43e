// Decoding while reading: runs cut at line breaks and decoded one after another, on a helper
// thread or not, must give exactly what the line decoder gives for the whole data at once.
#include "CoreTestUtil.h"
#include "core/Encoding.h"
#include "core/LineDecoder.h"
#include "core/LineStream.h"

namespace {

// pattern repeated until the data reaches at least size bytes, between head and tail.
QByteArray Repeated(const QByteArray &head, const QByteArray &pattern, qsizetype size, const QByteArray &tail = {}) {
  QByteArray bytes = head;
  bytes.reserve(size + pattern.size() + tail.size());
  while (bytes.size() < size) bytes += pattern;
  return bytes + tail;
}

QByteArray Utf16(const TEncoding *encoding, const QString &text) { return encoding->Encode(text); }

// Past the UTF-8 test window, so the encoding is known before the first run is cut off.
constexpr qsizetype KBeyondWindow = KUtf8TestWindow + KUtf8TestWindow / 4;

struct TSplitting {
  qsizetype RunSize;
  qsizetype PieceSize;
  bool Helper;
};

// As the loader splits (1 MiB runs and reads), then runs and pieces that end at every offset of
// the patterns, some on this thread alone.
const TSplitting KSplittings[] = {
    {TLineStreamDecoder::KDefaultRunSize, 1048576, true},
    {4096, 4099, true},
    {64, 7, true},
    {100, 13, false},
    {3, 1, true},
};

}  // namespace

class TestStreamDecoder : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void runCut_data();
  void runCut();
  void sameAsWholeDecode_data();
  void sameAsWholeDecode();
};

void TestStreamDecoder::runCut_data() {
  QTest::addColumn<QByteArray>("data");
  QTest::addColumn<int>("from");
  QTest::addColumn<int>("road");
  QTest::addColumn<int>("cut");
  const int ansi = int(TLineRoad::Ansi), le = int(TLineRoad::Utf16LE), be = int(TLineRoad::Utf16BE);
  QTest::newRow("after_last_lf") << QByteArray("ab\ncd\nef") << 0 << ansi << 6;
  QTest::newRow("after_crlf") << QByteArray("ab\r\n") << 0 << ansi << 4;
  QTest::newRow("lone_cr_with_known_follower") << QByteArray("a\rb") << 0 << ansi << 2;
  QTest::newRow("cr_at_end_may_meet_lf") << QByteArray("ab\r") << 0 << ansi << 0;
  QTest::newRow("cr_at_end_falls_back_to_cr") << QByteArray("a\r\r") << 0 << ansi << 2;
  QTest::newRow("no_break") << QByteArray("abcdef") << 0 << ansi << 0;
  QTest::newRow("break_before_from_ignored") << QByteArray("a\nbcdef") << 2 << ansi << 0;
  QTest::newRow("break_at_from_counts") << QByteArray("ab\ncd") << 2 << ansi << 3;
  QTest::newRow("le_lf") << QByteArray("a\0\n\0b\0", 6) << 0 << le << 4;
  QTest::newRow("le_lf_byte_as_high_half_is_no_break") << QByteArray("A\x0A" "b\0", 4) << 0 << le << 0;
  QTest::newRow("le_cr_before_half_unit") << QByteArray("a\0\r\0x", 5) << 0 << le << 0;
  QTest::newRow("le_lf_before_half_unit") << QByteArray("a\0\n\0x", 5) << 0 << le << 4;
  QTest::newRow("le_crlf") << QByteArray("\r\0\n\0", 4) << 0 << le << 4;
  QTest::newRow("be_cr_then_unit") << QByteArray("\0\r\0b", 4) << 0 << be << 2;
  QTest::newRow("be_cr_at_end") << QByteArray("\0a\0\r", 4) << 0 << be << 0;
  QTest::newRow("be_lf_byte_as_low_half_is_no_break") << QByteArray("\x0D\x0A", 2) << 0 << be << 0;
}

void TestStreamDecoder::runCut() {
  QFETCH(QByteArray, data);
  QFETCH(int, from);
  QFETCH(int, road);
  QFETCH(int, cut);
  QCOMPARE(LineRunCut(data, from, TLineRoad(road)), qsizetype(cut));
}

void TestStreamDecoder::sameAsWholeDecode_data() {
  QTest::addColumn<QByteArray>("bytes");
  const QString longEmojiLine = u'x' + QString::fromUtf16(u"\U0001F600").repeated(40000);
  QTest::newRow("crlf_split_between_pieces") << Repeated({}, "abcdef\r\n", KBeyondWindow, "end");
  QTest::newRow("utf8_sequences_split") << Repeated({}, "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80\r\n", KBeyondWindow);
  QTest::newRow("utf8_bom_then_lf") << Repeated("\xEF\xBB\xBF", "\xC3\xA9t\xC3\xA9\n", KBeyondWindow, "\n");
  QTest::newRow("lines_over_65536_units")
      << Repeated({}, "short\n" + QByteArray(200000, 'w') + "\r\n" + longEmojiLine.toUtf8() + "\n", 3 * 1048576);
  QTest::newRow("one_line_over_several_runs") << QByteArray(KBeyondWindow, 'q');
  QTest::newRow("ansi_byte_late_in_test_window")
      << Repeated({}, "plain\n", KUtf8TestWindow - 100, Repeated("caf\xE9\n", "plain\n", KUtf8TestWindow / 2));
  QTest::newRow("cr_only_ansi") << Repeated({}, "caf\xE9\r", KBeyondWindow, "\r");
  QTest::newRow("lf_vote_across_runs") << Repeated("x\r\n", "y\nz\r\n", KBeyondWindow, "\r\nw\n");
  QTest::newRow("controls_and_bad_utf8_past_window")
      << Repeated({}, "plain\n", KUtf8TestWindow, QByteArray("a\x01" "b\xC0\xAF\x7F\r\n").repeated(50000));
  const QString mixed = QString::fromUtf16(u"ab\r\nc\u00e9\u20ac\r\rd\n\u0a41\u0d0a");
  QTest::newRow("utf16le_odd_byte") << Repeated("\xFF\xFE", Utf16(TEncoding::Utf16LE(), mixed), KBeyondWindow, "x");
  QTest::newRow("utf16be_long_lines")
      << Repeated("\xFE\xFF",
                  Utf16(TEncoding::Utf16BE(), QStringLiteral("\r\n") + longEmojiLine + QStringLiteral("\r\u0001") +
                                                  QString(70000, u'y') + u'\n'),
                  2 * 1048576);
  QTest::newRow("small_ends_with_cr") << QByteArray("a\r\nb\r");
  QTest::newRow("small_utf16_one_byte") << QByteArray("\xFF\xFE\x41", 3);
  QTest::newRow("bom_only") << QByteArray("\xEF\xBB\xBF");
  QTest::newRow("empty") << QByteArray();
}

void TestStreamDecoder::sameAsWholeDecode() {
  QFETCH(QByteArray, bytes);
  const TWholeDecode whole = WholeDecode(bytes);
  for (const TSplitting &splitting : KSplittings) {
    const QByteArray how = QByteArray::number(splitting.RunSize) + '/' + QByteArray::number(splitting.PieceSize) +
                           (splitting.Helper ? "+helper" : "");
    TLineStreamDecoder decoder(bytes.size(), splitting.RunSize, splitting.Helper);
    for (qsizetype pos = 0; pos < bytes.size(); pos += splitting.PieceSize)
      decoder.Append(QByteArrayView(bytes).sliced(pos, qMin(splitting.PieceSize, bytes.size() - pos)));
    decoder.Finish();
    const std::unique_ptr<QStringList> lines = decoder.TakeLines();
    QVERIFY2(lines, how);
    QVERIFY2(*lines == whole.Lines, how);
    QVERIFY2(decoder.Encoding() == whole.Detected.Encoding, how);
    QVERIFY2(decoder.BomLength() == whole.Detected.BomLength, how);
    QVERIFY2(decoder.LineEnding() == whole.Ending, how);
    QVERIFY2(decoder.Altered() == whole.Altered, how);
  }
}

QTEST_GUILESS_MAIN(TestStreamDecoder)
#include "test_streamdecoder.moc"
