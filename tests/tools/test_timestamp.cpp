// A Unix timestamp as a date in a given zone, in the four menu formats.
#include "ToolsTestUtil.h"
#include "tools/Timestamp.h"

Q_DECLARE_METATYPE(TTimestampFormat)

class TestTimestamp : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void formats_data();
  void formats();
  void failures_data();
  void failures();
};

void TestTimestamp::formats_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("offsetSeconds");
  QTest::addColumn<TTimestampFormat>("format");
  QTest::addColumn<QString>("result");
  QTest::newRow("epoch_in_utc_ends_in_z") << "0" << 0 << TTimestampFormat::IsoDateTime << "1970-01-01T00:00:00.000Z";
  QTest::newRow("east_offset") << "0" << 19800 << TTimestampFormat::IsoDateTime << "1970-01-01T05:30:00.000+05:30";
  QTest::newRow("west_offset_signed_once") << "0" << -12600 << TTimestampFormat::IsoDateTime
                                           << "1969-12-31T20:30:00.000-03:30";
  QTest::newRow("mysql_date_time") << " 1700000000 " << 0 << TTimestampFormat::MySqlDateTime << "2023-11-14 22:13:20";
  QTest::newRow("iso_date") << "1700000000" << 3600 << TTimestampFormat::IsoDate << "2023-11-14";
  QTest::newRow("mysql_date_after_midnight_locally") << "1700000000" << 7200 << TTimestampFormat::MySqlDate
                                                     << "2023-11-15";
  QTest::newRow("hex_seconds") << "$10" << 0 << TTimestampFormat::MySqlDateTime << "1970-01-01 00:00:16";
  QTest::newRow("first_year") << "-62135596800" << 0 << TTimestampFormat::IsoDateTime << "0001-01-01T00:00:00.000Z";
  QTest::newRow("last_second") << "253402300799" << 0 << TTimestampFormat::MySqlDateTime << "9999-12-31 23:59:59";
}

void TestTimestamp::formats() {
  QFETCH(QString, text);
  QFETCH(int, offsetSeconds);
  QFETCH(TTimestampFormat, format);
  QFETCH(QString, result);
  QCOMPARE(Outcome(TimestampToText(text, format, QTimeZone(offsetSeconds))), QStringLiteral("ok:") + result);
}

void TestTimestamp::failures_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("offsetSeconds");
  QTest::addColumn<QString>("message");
  const QString unreadable = QStringLiteral("Failed to convert timestamp to date");
  const QString outside = unreadable + QStringLiteral(": the date lies outside the years 1 to 9999");
  QTest::newRow("not_a_number") << "abc" << 0 << unreadable;
  QTest::newRow("empty") << "" << 0 << unreadable;
  QTest::newRow("beyond_64_bits") << "99999999999999999999" << 0 << unreadable;
  QTest::newRow("milliseconds_beyond_year_9999") << "1700000000000" << 0 << outside;
  QTest::newRow("before_year_1") << "-62135596801" << 0 << outside;
  QTest::newRow("after_year_9999") << "253402300800" << 0 << outside;
  QTest::newRow("offset_pushes_past_year_9999") << "253402300799" << 3600 << outside;
  QTest::newRow("offset_pushes_before_year_1") << "-62135596800" << -3600 << outside;
  QTest::newRow("int64_extremes") << "-9223372036854775808" << 0 << outside;
}

void TestTimestamp::failures() {
  QFETCH(QString, text);
  QFETCH(int, offsetSeconds);
  QFETCH(QString, message);
  QCOMPARE(Outcome(TimestampToText(text, TTimestampFormat::IsoDateTime, QTimeZone(offsetSeconds))),
           QStringLiteral("error:") + message);
}

QTEST_GUILESS_MAIN(TestTimestamp)
#include "test_timestamp.moc"
