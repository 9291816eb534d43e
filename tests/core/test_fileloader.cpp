// The background loader: progress steps, the hand-over on the creating thread, failures, clean-up.
#include "CoreTestUtil.h"
#include "core/Encoding.h"
#include "core/FileLoader.h"
#include "core/LineDecoder.h"

#include <QPointer>
#include <QTemporaryDir>

namespace {

struct TLoadOutcome {
  QList<int> Progress;
  bool Done = false;
  bool Success = false;
  bool HasBOM = false;
  bool OnCreatingThread = true;
  bool Altered = false;
  QString Error;
  QString EOL;
  const TEncoding *Encoding = nullptr;
  TMELineList Store;
};

// Starts a loader that records everything it hands over and adopts the lines as a document would.
QPointer<TFileLoaderThread> StartLoader(const QString &path, TLoadOutcome &out) {
  QThread *creator = QThread::currentThread();
  auto *loader = new TFileLoaderThread(
      path,
      [&out, creator](TFileLoaderThread *sender, std::unique_ptr<QStringList> &lines, const QString &eol,
                      const QString &error, bool success, bool hasBOM, const TEncoding *encoding) {
        out.OnCreatingThread &= QThread::currentThread() == creator;
        out.Done = true;
        out.Success = success;
        out.Error = error;
        out.EOL = eol;
        out.HasBOM = hasBOM;
        out.Encoding = encoding;
        out.Altered = sender->DecodeAltered();
        if (success) out.Store.AdoptLines(lines, TMELineList::LineEndingOf(eol));
      },
      [&out, creator](TFileLoaderThread *, int percent) {
        out.OnCreatingThread &= QThread::currentThread() == creator;
        out.Progress.append(percent);
      });
  loader->start();
  return loader;
}

}  // namespace

class TestFileLoader : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void loadsLargeFileWithProgress();
  void emptyFileReportsNothingUntilDone();
  void missingFileFails();
  void twoLoadersAtOnce();
  void callbackLeavingLinesFreesThem();
  void sameAsWholeDecodeAcrossReads_data();
  void sameAsWholeDecodeAcrossReads();
  void interruptionStopsWithoutHandOver();
  void fileShrinkingDuringLoadGivesBytesRead();

 private:
  QString WriteFile(const char *name, const QByteArray &bytes) {
    const QString path = FDir.filePath(QString::fromLatin1(name));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) qFatal("cannot write %s", name);
    return path;
  }
  QTemporaryDir FDir;
};

void TestFileLoader::loadsLargeFileWithProgress() {
  // 3 MiB of UTF-16 BE with a mark: three reads, so 33, 66 and 100 percent.
  QByteArray bytes("\xFE\xFF", 2);
  const QByteArray line = TEncoding::Utf16BE()->Encode(u"log line\u00e9\u0001\n");
  while (bytes.size() + line.size() <= 3 * 1048576 - 2) bytes += line;
  bytes += QByteArray(3 * 1048576 - bytes.size() - 2, '\0') + QByteArray("\0x", 2);
  const QString path = WriteFile("big.log", bytes);
  TLoadOutcome out;
  QPointer<TFileLoaderThread> loader = StartLoader(path, out);
  QTRY_VERIFY_WITH_TIMEOUT(loader.isNull(), 20000);  // it deletes itself once finished
  QVERIFY(out.Done);
  QVERIFY(out.Success);
  QVERIFY(out.OnCreatingThread);
  QCOMPARE(out.Progress, (QList<int>{33, 66, 100}));
  QCOMPARE(out.Encoding, TEncoding::Utf16BE());
  QVERIFY(out.HasBOM);
  QCOMPARE(out.EOL, "\n");
  QVERIFY(out.Altered);  // the control characters
  QCOMPARE(out.Store.Get(0), QString::fromUtf16(u"log line\u00e9\u00b7"));
  QCOMPARE(out.Store.LineEnding(), leLF);
  QVERIFY(out.Store.Get(out.Store.GetCount() - 1).endsWith(u'x'));
}

void TestFileLoader::emptyFileReportsNothingUntilDone() {
  TLoadOutcome out;
  QPointer<TFileLoaderThread> loader = StartLoader(WriteFile("empty.txt", QByteArray()), out);
  QTRY_VERIFY_WITH_TIMEOUT(loader.isNull(), 20000);
  QVERIFY(out.Success);
  QVERIFY(out.Progress.isEmpty());
  QCOMPARE(out.Store.GetCount(), 0);
  QCOMPARE(EncKindOf(out.Encoding, out.HasBOM), ekUtf8);
  QCOMPARE(out.EOL, "\r\n");
}

void TestFileLoader::missingFileFails() {
  TLoadOutcome out;
  QPointer<TFileLoaderThread> loader = StartLoader(FDir.filePath("absent.txt"), out);
  QTRY_VERIFY_WITH_TIMEOUT(loader.isNull(), 20000);
  QVERIFY(out.Done);
  QVERIFY(!out.Success);
  QVERIFY(!out.Error.isEmpty());
  QVERIFY(out.Progress.isEmpty());
  QCOMPARE(out.Store.GetCount(), 0);
}

void TestFileLoader::twoLoadersAtOnce() {
  const QString first = WriteFile("one.txt", QByteArray("1\r\n").repeated(900000));
  const QString second = WriteFile("two.txt", QByteArray("caf\xE9\r").repeated(500000));
  TLoadOutcome a, b;
  QPointer<TFileLoaderThread> la = StartLoader(first, a);
  QPointer<TFileLoaderThread> lb = StartLoader(second, b);
  QTRY_VERIFY_WITH_TIMEOUT(la.isNull() && lb.isNull(), 20000);
  QCOMPARE(a.Store.GetCount(), 900001);
  QCOMPARE(a.Store.LineEnding(), leCRLF);
  QCOMPARE(b.Encoding, TEncoding::Ansi());
  QCOMPARE(b.Store.Get(499999), QString::fromUtf16(u"caf\u00e9"));
  QCOMPARE(b.Store.LineEnding(), leCR);
  QCOMPARE(a.Progress.last(), 100);
  QCOMPARE(b.Progress.last(), 100);
}

void TestFileLoader::callbackLeavingLinesFreesThem() {
  // A document closed while its file loads does not take the lines; the loader frees them.
  const QString path = WriteFile("orphan.txt", QByteArray("x\n").repeated(600000));
  bool called = false;
  QPointer<TFileLoaderThread> loader = new TFileLoaderThread(
      path,
      [&](TFileLoaderThread *, std::unique_ptr<QStringList> &lines, const QString &, const QString &, bool success,
          bool, const TEncoding *) { called = success && lines && lines->size() == 600001; },
      {});
  loader->start();
  QTRY_VERIFY_WITH_TIMEOUT(loader.isNull(), 20000);
  QVERIFY(called);
}

namespace {

// Filler lines of ASCII text, or of UTF-16 code units after a mark, with pieces written over them at
// byte offsets: the file reads in 1 MiB pieces, so offsets near multiples of 1 MiB straddle reads.
QByteArray Patched(const TEncoding *encoding, qsizetype size, const QList<QPair<qsizetype, QByteArray>> &patches) {
  const QByteArray mark = encoding->IsUtf16() ? encoding->Preamble() : QByteArray();
  const QByteArray line = encoding->IsUtf16() ? encoding->Encode(u"filler line\r\n") : QByteArray("filler line\r\n");
  QByteArray bytes = mark;
  while (bytes.size() < size) bytes += line;
  bytes.truncate(size);
  for (const auto &[at, what] : patches) bytes.replace(at, what.size(), what);
  return bytes;
}

}  // namespace

void TestFileLoader::sameAsWholeDecodeAcrossReads_data() {
  QTest::addColumn<QByteArray>("bytes");
  constexpr qsizetype KMiB = 1048576;
  const TEncoding *le = TEncoding::Utf16LE(), *be = TEncoding::Utf16BE();
  QTest::newRow("crlf_split_between_reads")
      << Patched(TEncoding::Utf8(), 3 * KMiB + 5, {{KMiB - 1, "\r\n"}, {2 * KMiB - 1, "\r\n"}});
  QTest::newRow("utf8_sequence_split_between_reads")
      << Patched(TEncoding::Utf8(), 3 * KMiB, {{KMiB - 2, "\xF0\x9F\x98\x80"}, {2 * KMiB - 1, "\xE2\x82\xAC\n"}});
  QTest::newRow("long_line_over_a_read") << Patched(TEncoding::Utf8(), 3 * KMiB + 1,
                                                    {{2 * KMiB - 100000, QByteArray(200000, 'L')}, {3 * KMiB, "\r"}});
  QTest::newRow("utf16le_crlf_and_pair_split")
      << Patched(le, 3 * KMiB + 1, {{2 * KMiB - 2, le->Encode(u"\r\n")}, {3 * KMiB - 2, le->Encode(u"\U0001F600")}});
  QTest::newRow("utf16be_crlf_split_and_long_line") << Patched(
      be, 3 * KMiB + 4, {{2 * KMiB - 2, be->Encode(u"\r\n")}, {3 * KMiB - 80000, be->Encode(QString(80000, u'z'))}});
}

void TestFileLoader::sameAsWholeDecodeAcrossReads() {
  QFETCH(QByteArray, bytes);
  const TWholeDecode whole = WholeDecode(bytes);
  TLoadOutcome out;
  QPointer<TFileLoaderThread> loader = StartLoader(WriteFile("pieces.log", bytes), out);
  QTRY_VERIFY_WITH_TIMEOUT(loader.isNull(), 20000);
  QVERIFY(out.Success);
  QCOMPARE(out.Store.Lines(), whole.Lines);
  QCOMPARE(out.Encoding, whole.Detected.Encoding);
  QCOMPARE(out.HasBOM, whole.Detected.BomLength > 0);
  QCOMPARE(out.EOL, TMELineList::LineBreakOf(whole.Ending));
  QCOMPARE(out.Altered, whole.Altered);
  QCOMPARE(out.Progress.last(), 100);
}

void TestFileLoader::interruptionStopsWithoutHandOver() {
  const QString path = WriteFile("stopped.log", QByteArray("line to drop\n").repeated(400000));
  TLoadOutcome out;
  QPointer<TFileLoaderThread> loader;
  loader = new TFileLoaderThread(
      path,
      [&](TFileLoaderThread *, std::unique_ptr<QStringList> &, const QString &, const QString &, bool, bool,
          const TEncoding *) { out.Done = true; },
      [&](TFileLoaderThread *sender, int percent) {
        out.Progress.append(percent);
        sender->requestInterruption();
      });
  loader->start();
  QTRY_VERIFY_WITH_TIMEOUT(loader.isNull(), 20000);
  QVERIFY(!out.Done);
  QCOMPARE(out.Progress, QList<int>{20});
}

void TestFileLoader::fileShrinkingDuringLoadGivesBytesRead() {
  const QByteArray bytes = QByteArray("0123456789abcde\n").repeated(3 * 1048576 / 16);
  const QString path = WriteFile("shrinking.log", bytes);
  const qsizetype kept = 1048576 + 1048576 / 2 + 3;  // ends inside a line
  TLoadOutcome out;
  QPointer<TFileLoaderThread> loader = new TFileLoaderThread(
      path,
      [&](TFileLoaderThread *, std::unique_ptr<QStringList> &lines, const QString &eol, const QString &, bool success,
          bool, const TEncoding *) {
        out.Done = true;
        out.Success = success;
        if (success) out.Store.AdoptLines(lines, TMELineList::LineEndingOf(eol));
      },
      [&](TFileLoaderThread *, int percent) {
        if (out.Progress.isEmpty()) QFile::resize(path, kept);
        out.Progress.append(percent);
      });
  loader->start();
  QTRY_VERIFY_WITH_TIMEOUT(loader.isNull(), 20000);
  QVERIFY(out.Success);
  QCOMPARE(out.Progress, (QList<int>{33, 50}));
  QStringList expected;
  DecodeBytesToLines(bytes.first(kept), 0, TEncoding::Utf8(), expected);
  QCOMPARE(out.Store.Lines(), expected);
  QCOMPARE(out.Store.Lines().last(), "012");
}

QTEST_GUILESS_MAIN(TestFileLoader)
#include "test_fileloader.moc"
