// The texts of the Insert commands: identifiers, dates in a given zone (also in the hour a clock
// change repeats), colours, parts of a path, and random values from a seeded generator.
#include "ToolsTestUtil.h"
#include "tools/InsertTexts.h"
#include "tools/RandomGenerator.h"

#include <QRegularExpression>

class TestInsertTexts : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void identifiers();
  void dateTimes_data();
  void dateTimes();
  void shortAndLongFollowTheLocale();
  void colors_data();
  void colors();
  void pathParts_data();
  void pathParts();
  void randomIpv4NeverPrivate();
  void randomHex();
};

void TestInsertTexts::identifiers() {
  const QUuid uuid = QUuid::fromString(QStringLiteral("{0f8fad5b-d9cb-469f-a165-70867728950e}"));
  QCOMPARE(UuidText(uuid), "0f8fad5b-d9cb-469f-a165-70867728950e");
  QCOMPARE(GuidText(uuid), "{0F8FAD5B-D9CB-469F-A165-70867728950E}");
  const QString fresh = UuidText(QUuid::createUuid());
  QVERIFY(QRegularExpression("^[0-9a-f]{8}-[0-9a-f]{4}-4[0-9a-f]{3}-[89ab][0-9a-f]{3}-[0-9a-f]{12}$").match(fresh).hasMatch());
}

void TestInsertTexts::dateTimes_data() {
  QTest::addColumn<QDateTime>("now");
  QTest::addColumn<QByteArray>("zone");  // an IANA id, or "" for a fixed offset of +05:30
  QTest::addColumn<int>("tag");
  QTest::addColumn<QString>("text");
  const QDateTime noon = QDateTime(QDate(2024, 5, 1), QTime(6, 30, 15, 42), Qt::UTC);
  QTest::newRow("mysql_in_utc_plus_0530") << noon << QByteArray() << 0 << "2024-05-01 12:00:15";
  QTest::newRow("iso_in_utc_plus_0530") << noon << QByteArray() << 1 << "2024-05-01T12:00:15.042+05:30";
  QTest::newRow("iso_at_utc_writes_zero_offset") << noon << QByteArray("UTC") << 1 << "2024-05-01T06:30:15.042+00:00";
  QTest::newRow("iso_west_of_utc") << noon << QByteArray("America/St_Johns") << 1 << "2024-05-01T04:00:15.042-02:30";
  QTest::newRow("other_tag_is_iso") << noon << QByteArray("UTC") << 9 << "2024-05-01T06:30:15.042+00:00";
  QTest::newRow("timestamp_whatever_the_zone")
      << QDateTime(QDate(1970, 1, 1), QTime(0, 0, 10), Qt::UTC) << QByteArray("Asia/Tokyo") << 4 << "10";
  // Berlin's clocks went back at 01:00 UTC on 2023-10-29: 02:30 local happened twice.
  QTest::newRow("repeated_hour_first_pass")
      << QDateTime(QDate(2023, 10, 29), QTime(0, 30), Qt::UTC) << QByteArray("Europe/Berlin") << 1
      << "2023-10-29T02:30:00.000+02:00";
  QTest::newRow("repeated_hour_second_pass")
      << QDateTime(QDate(2023, 10, 29), QTime(1, 30), Qt::UTC) << QByteArray("Europe/Berlin") << 1
      << "2023-10-29T02:30:00.000+01:00";
  QTest::newRow("timestamp_in_repeated_hour")
      << QDateTime(QDate(2023, 10, 29), QTime(1, 30), Qt::UTC) << QByteArray("Europe/Berlin") << 4 << "1698543000";
}

void TestInsertTexts::dateTimes() {
  QFETCH(QDateTime, now);
  QFETCH(QByteArray, zone);
  QFETCH(int, tag);
  QFETCH(QString, text);
  const QTimeZone timeZone = zone.isEmpty() ? QTimeZone(5 * 3600 + 30 * 60) : QTimeZone(zone);
  QVERIFY(timeZone.isValid());
  QCOMPARE(DateTimeText(tag, now, timeZone, QLocale::c()), text);
}

void TestInsertTexts::shortAndLongFollowTheLocale() {
  const QDateTime now(QDate(2024, 3, 9), QTime(14, 5), Qt::UTC);
  const QLocale german(QLocale::German, QLocale::Germany);
  QCOMPARE(DateTimeText(2, now, QTimeZone("UTC"), german), "14:05 " + german.toString(QDate(2024, 3, 9), QLocale::ShortFormat));
  QCOMPARE(DateTimeText(3, now, QTimeZone("UTC"), german), "14:05 " + german.toString(QDate(2024, 3, 9), QLocale::LongFormat));
  QVERIFY(DateTimeText(3, now, QTimeZone("UTC"), german).contains("März"));
}

void TestInsertTexts::colors_data() {
  QTest::addColumn<int>("tag");
  QTest::addColumn<QString>("text");
  QTest::newRow("hex_with_hash_upper_case") << 0 << "#FF0A00";
  QTest::newRow("hex") << 1 << "FF0A00";
  QTest::newRow("rgb") << 2 << "255,10,0";
  QTest::newRow("rgba") << 3 << "255,10,0,1.0";
  QTest::newRow("other_tag") << 7 << "#FF0A00";
}

void TestInsertTexts::colors() {
  QFETCH(int, tag);
  QFETCH(QString, text);
  QCOMPARE(ColorText(tag, 255, 10, 0), text);
}

void TestInsertTexts::pathParts_data() {
  QTest::addColumn<QString>("path");
  QTest::addColumn<int>("tag");
  QTest::addColumn<QString>("text");
  QTest::newRow("full_path") << "/home/u/notes.txt" << 0 << "/home/u/notes.txt";
  QTest::newRow("file_name") << "/home/u/notes.txt" << 1 << "notes.txt";
  QTest::newRow("name_without_extension") << "/home/u/notes.tar.gz" << 2 << "notes.tar";
  QTest::newRow("leading_dot_belongs_to_the_name") << "/home/u/.bashrc" << 2 << ".bashrc";
  QTest::newRow("dot_file_with_extension") << "/home/u/.config.bak" << 2 << ".config";
  QTest::newRow("no_extension") << "/home/u/Makefile" << 2 << "Makefile";
  QTest::newRow("directory") << "/home/u/notes.txt" << 3 << "/home/u";
  QTest::newRow("directory_of_file_in_root_keeps_the_root") << "/notes.txt" << 3 << "/";
  QTest::newRow("directory_after_double_slash") << "//notes.txt" << 3 << "//";
  QTest::newRow("empty_path") << "" << 0 << "";
  QTest::newRow("unknown_tag") << "/a/b" << 4 << "";
}

void TestInsertTexts::pathParts() {
  QFETCH(QString, path);
  QFETCH(int, tag);
  QFETCH(QString, text);
  QCOMPARE(CurrentFileText(tag, path), text);
}

void TestInsertTexts::randomIpv4NeverPrivate() {
  TRandomGenerator random(12345);
  for (int i = 0; i < 20000; ++i) {
    const QStringList parts = RandomIpv4(random).split('.');
    QCOMPARE(parts.size(), 4);
    const int a = parts[0].toInt();
    const int b = parts[1].toInt();
    QVERIFY(a >= 1 && a <= 223 && a != 10 && a != 127);
    QVERIFY(!(a == 192 && b == 168) && !(a == 172 && b >= 16 && b <= 31) && !(a == 169 && b == 254));
    for (const QString &part : parts) QVERIFY(part.toInt() >= 0 && part.toInt() <= 255);
  }
  // The same seed draws the same address.
  TRandomGenerator one(7), two(7);
  QCOMPARE(RandomIpv4(one), RandomIpv4(two));
}

void TestInsertTexts::randomHex() {
  TRandomGenerator random(99);
  for (const int length : {32, 40, 64}) {
    const QString text = RandomHex(random, length);
    QCOMPARE(text.size(), length);
    QVERIFY(QRegularExpression("^[0-9a-f]+$").match(text).hasMatch());
  }
}

QTEST_GUILESS_MAIN(TestInsertTexts)
#include "test_insert_texts.moc"
