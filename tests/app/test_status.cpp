// Status bar and title texts, and the running count of the bytes a save would write.
#include "app/DocSize.h"
#include "app/StatusText.h"
#include "core/DocWriter.h"
#include "core/LineStore.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

class TestStatus : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void initTestCase() { QLocale::setDefault(QLocale::c()); }
  void thousands_data();
  void thousands();
  void sizes_data();
  void sizes();
  void sizesUseTheLocaleDecimalSeparatorOnly();
  void statusLine();
  void titles();
  void sizeCountMatchesWrittenFile_data();
  void sizeCountMatchesWrittenFile();
  void countsMadeElsewhereOnlyForTheirTicket();
  void firstKeystrokeIntoEmptyStore();
};

void TestStatus::thousands_data() {
  QTest::addColumn<qint64>("n");
  QTest::addColumn<QString>("text");
  QTest::newRow("small") << qint64(8) << "8";
  QTest::newRow("three_digits_no_leading_dot") << qint64(999) << "999";
  QTest::newRow("four_digits") << qint64(1000) << "1.000";
  QTest::newRow("millions") << qint64(1234567) << "1.234.567";
  QTest::newRow("negative") << qint64(-1234) << "-1.234";
  QTest::newRow("most_negative") << std::numeric_limits<qint64>::min() << "-9.223.372.036.854.775.808";
}

void TestStatus::thousands() {
  QFETCH(qint64, n);
  QFETCH(QString, text);
  QCOMPARE(FormatThousands(n), text);
}

void TestStatus::sizes_data() {
  QTest::addColumn<qint64>("bytes");
  QTest::addColumn<QString>("text");
  QTest::newRow("bytes") << qint64(1023) << "1023 B";
  QTest::newRow("one_kilobyte") << qint64(1024) << "1.0 KB";
  QTest::newRow("one_and_a_half") << qint64(1536) << "1.5 KB";
  QTest::newRow("just_under_a_megabyte") << qint64(1048575) << "1024.0 KB";
  QTest::newRow("megabytes") << qint64(1048576) << "1.0 MB";
  QTest::newRow("gigabytes") << qint64(1073741824) * 3 << "3.0 GB";
}

void TestStatus::sizes() {
  QFETCH(qint64, bytes);
  QFETCH(QString, text);
  QCOMPARE(FormatSize(bytes), text);
}

void TestStatus::sizesUseTheLocaleDecimalSeparatorOnly() {
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  const QString english = FormatSize(1048575);
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  const QString german = FormatSize(1048575);
  QLocale::setDefault(QLocale::c());
  QCOMPARE(english, "1024.0 KB");
  QCOMPARE(german, "1024,0 KB");
}

void TestStatus::statusLine() {
  QCOMPARE(StatusLineText(1234567, 8, "UTF-8-BOM", 2000, "Unix (LF)", "C/C++", "1.5 KB"),
           "Ln 1.234.567   |   Col 8   |   UTF-8-BOM   |   2.000 lines   |   Unix (LF)   |   C/C++   |   1.5 KB");
}

void TestStatus::titles() {
  const QString app = "Quennet Notepad v1.0.0.0";
  QCOMPARE(WindowTitleText(app, true, false, "", "Untitled"), app);
  QCOMPARE(WindowTitleText(app, true, true, "", "Untitled"), "* Untitled | " + app);
  QCOMPARE(WindowTitleText(app, true, false, "/a/b.txt", "b.txt"), "/a/b.txt | " + app);
  QCOMPARE(WindowTitleText(app, true, true, "/a/b.txt", "b.txt"), "* /a/b.txt | " + app);
  QCOMPARE(WindowTitleText(app, false, true, "", ""), app);
}

void TestStatus::sizeCountMatchesWrittenFile_data() {
  QTest::addColumn<int>("kind");
  QTest::addColumn<QString>("eol");
  for (int kind = ekAnsi; kind <= ekUtf16LeBom; ++kind) {
    QTest::newRow(qPrintable(EncKindName(kind) + " crlf")) << kind << "\r\n";
    QTest::newRow(qPrintable(EncKindName(kind) + " lf")) << kind << "\n";
  }
}

// After every random edit the count equals the size of the file a save writes.
void TestStatus::sizeCountMatchesWrittenFile() {
  QFETCH(int, kind);
  QFETCH(QString, eol);
  const QString alphabet = QString::fromUtf16(u"ab \u00e9\u20ac\U0001F600") + QChar(0xD800);
  QRandomGenerator random(uint(kind) * 7 + uint(eol.size()));
  auto line = [&] {
    QString s;
    for (int i = int(random.bounded(6)); i > 0; --i) s += alphabet[int(random.bounded(int(alphabet.size())))];
    return s;
  };
  TMELineList store;
  TDocSizeCounter counter;
  counter.Reset(store.Lines(), kind, eol);
  QTemporaryDir dir;
  const QString path = dir.filePath("size.txt");
  for (int round = 0; round < 40; ++round) {
    const int count = store.GetCount();
    const int first = int(random.bounded(count + 1));
    const int oldCount = int(random.bounded(qMin(count - first, 3) + 1));
    const int newCount = int(random.bounded(3));
    for (int i = 0; i < oldCount; ++i) store.Delete(first);
    for (int i = 0; i < newCount; ++i) store.Insert(first + i, line());
    counter.LinesReplaced(store.Lines(), first, oldCount, newCount);
    QVERIFY(WriteDocToFile(path, store, eol, kind, nullptr));
    QCOMPARE(counter.Total(), QFileInfo(path).size());
  }
}

// Counts made on a worker are taken only while nothing has changed since they were asked for.
void TestStatus::countsMadeElsewhereOnlyForTheirTicket() {
  TMELineList store;
  store.SetText(QString::fromUtf16(u"ab\r\n\u00e9\r\n"));  // "ab", "é", ""
  TDocSizeCounter counter;
  const quint64 ticket = counter.BeginCount(ekUtf8, u"\r\n");
  QVERIFY(counter.Pending());
  counter.Adopt(TDocSizeCounter::CountLines(store.Lines(), ekUtf8), ticket + 1);  // not ours
  QVERIFY(counter.Pending());
  counter.Adopt(TDocSizeCounter::CountLines(store.Lines(), ekUtf8), ticket);
  QVERIFY(!counter.Pending());
  QCOMPARE(counter.Total(), 2 + 2 + 0 + 2 * 2);
  // An edit while a count is out counts at once, and the late counts are dropped.
  const quint64 second = counter.BeginCount(ekUtf16LeBom, u"\n");
  const std::vector<quint32> late = TDocSizeCounter::CountLines(store.Lines(), ekUtf16LeBom);
  store.Put(0, "abcd");
  counter.LinesReplaced(store.Lines(), 0, 1, 1);
  QVERIFY(!counter.Pending());
  std::vector<quint32> stale = late;
  counter.Adopt(std::move(stale), second);
  QCOMPARE(counter.Total(), 2 + 8 + 2 + 0 + 2 * 2);
}

// The editor reports an empty store as one line replaced by one; the store went from none to one.
void TestStatus::firstKeystrokeIntoEmptyStore() {
  TMELineList store;
  TDocSizeCounter counter;
  counter.Reset(store.Lines(), ekUtf8Bom, u"\r\n");
  QCOMPARE(counter.Total(), 3);
  store.Add("x");
  counter.LinesReplaced(store.Lines(), 0, 1, 1);
  QCOMPARE(counter.Total(), 4);
}

QTEST_GUILESS_MAIN(TestStatus)
#include "test_status.moc"
