// What each extraction kind finds in a line, and where its pattern was mended, what the first
// pattern found instead.
#include "ToolsTestUtil.h"
#include "tools/ExtractScan.h"

#include <QRandomGenerator>

Q_DECLARE_METATYPE(TExtractKind)

namespace {
// The patterns the mended ones replace, to show what each mend changes.
const char16_t KFirstUrl[] = u"https?://[^\\s\"'<>,;]+";
const char16_t KFirstEmail[] = u"[a-zA-Z0-9._%+-]+@[a-zA-Z0-9.-]+\\.[a-zA-Z]{2,}";
const char16_t KFirstDomain[] = u"https?://([^/:\"'\\s,;]+)";
const char16_t KFirstIPv4[] = u"\\b(?:25[0-5]|2[0-4]\\d|1?\\d?\\d)(?:\\.(?:25[0-5]|2[0-4]\\d|1?\\d?\\d)){3}\\b";
const char16_t KFirstTimestamp[] =
    u"\\d{4}-\\d{2}-\\d{2}[T\\s]\\d{2}:\\d{2}:\\d{2}|\\d{2}/[A-Za-z]{3}/\\d{4}:\\d{2}:\\d{2}:\\d{2}";
const char16_t KFirstAttribute[] = u"(?:href|src)=[\"']([^\"']+)[\"']";
const char16_t KFirstPath[] = u"[A-Za-z]:\\\\(?:[^\\\\\\s]+\\\\)*[^\\\\\\s]+";

QString FirstPatternOf(TExtractKind kind) {
  switch (kind) {
    case TExtractKind::Urls: return QString::fromUtf16(KFirstUrl);
    case TExtractKind::Emails: return QString::fromUtf16(KFirstEmail);
    case TExtractKind::Domains: return QString::fromUtf16(KFirstDomain);
    case TExtractKind::IPv4Addresses: return QString::fromUtf16(KFirstIPv4);
    case TExtractKind::Timestamps: return QString::fromUtf16(KFirstTimestamp);
    case TExtractKind::HtmlAttributes: return QString::fromUtf16(KFirstAttribute);
    case TExtractKind::WindowsPaths: return QString::fromUtf16(KFirstPath);
    default: return QString();
  }
}

QStringList Extract(const TExtractSpec &spec, const QString &text) {
  const QStringList lines = text.split(u'\n');
  const std::atomic_bool cancel = false;
  return ExtractOutputLines(ExtractValues(ScanLinesOf(lines), spec, cancel), spec.CountMode);
}

// Every match of pattern in line as begin-end, each search starting where the previous ended.
QString MatchSpans(const std::shared_ptr<const TRegexPattern> &pattern, const QString &line) {
  TRegexMatcher matcher(pattern);
  QString spans;
  for (qsizetype start = 0; matcher.Find(line, start); start = matcher.MatchEnd())
    spans += QStringLiteral("%1-%2 ").arg(matcher.MatchBegin()).arg(matcher.MatchEnd());
  return spans;
}
}  // namespace

class TestExtractPatterns : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void everyPatternCompiles();
  void kinds_data();
  void kinds();
  void mends_data();
  void mends();
  void emailStartsOnlyWhereTheFirstPatternCould();
};

void TestExtractPatterns::everyPatternCompiles() {
  for (int kind = 0; kind < KExtractKindCount; ++kind)
    QVERIFY2(TRegexPattern::Compile(ExtractSpecOf(TExtractKind(kind)).Pattern), qPrintable(ExtractMenuCaption(TExtractKind(kind))));
}

void TestExtractPatterns::kinds_data() {
  QTest::addColumn<TExtractKind>("kind");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QStringList>("values");
  using K = TExtractKind;
  QTest::newRow("url_ends_at_comma") << K::Urls << "see https://host/x?y=1, then" << QStringList{"https://host/x?y=1"};
  QTest::newRow("url_distinct_in_order_of_first_appearance")
      << K::Urls << "http://b/ x\nhttp://a/ http://b/" << QStringList{"http://b/", "http://a/"};
  QTest::newRow("url_values_compare_case_sensitively") << K::Urls << "http://A/ http://a/" << QStringList{"http://A/", "http://a/"};
  QTest::newRow("email_in_text") << K::Emails << "to <bob.smith+tag@example.co.uk>." << QStringList{"bob.smith+tag@example.co.uk"};
  QTest::newRow("email_right_after_the_previous_one")
      << K::Emails << "a@b.cc.dd+e@f.gh" << QStringList{"a@b.cc.dd", "+e@f.gh"};
  QTest::newRow("domain_ends_at_comma") << K::Domains << "see https://host/x?y=1, then" << QStringList{"host"};
  QTest::newRow("domain_without_port") << K::Domains << "http://host.example:8080/x" << QStringList{"host.example"};
  QTest::newRow("domain_keeps_letters_of_other_scripts")
      << K::Domains << QString::fromUtf16(u"https://b\u00FCcher.example/") << QStringList{QString::fromUtf16(u"b\u00FCcher.example")};
  QTest::newRow("domain_at_sign_in_path_is_not_user_info") << K::Domains << "https://host/a@b" << QStringList{"host"};
  QTest::newRow("ipv4_in_text") << K::IPv4Addresses << "from 10.0.0.1:443 to 8.8.8.8." << QStringList{"10.0.0.1", "8.8.8.8"};
  QTest::newRow("ipv4_octet_above_255") << K::IPv4Addresses << "256.1.1.1" << QStringList{};
  QTest::newRow("timestamp_iso_and_common_log")
      << K::Timestamps << "2024-05-01 10:00:00 x\n[10/Oct/2000:13:55:36 -0700]"
      << QStringList{"2024-05-01 10:00:00", "10/Oct/2000:13:55:36 -0700"};
  QTest::newRow("timestamp_zone_not_taken_from_a_longer_number")
      << K::Timestamps << "2024-05-01T10:00:00+053012" << QStringList{"2024-05-01T10:00:00"};
  QTest::newRow("md5_whole_run_only") << K::Md5Hashes << "d41d8cd98f00b204e9800998ecf8427e 0d41d8cd98f00b204e9800998ecf8427e"
                                      << QStringList{"d41d8cd98f00b204e9800998ecf8427e"};
  QTest::newRow("sha1") << K::Sha1Hashes << "sha1=da39a3ee5e6b4b0d3255bfef95601890afd80709"
                        << QStringList{"da39a3ee5e6b4b0d3255bfef95601890afd80709"};
  QTest::newRow("sha256") << K::Sha256Hashes << "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"
                          << QStringList{"e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"};
  QTest::newRow("quoted_double_and_single") << K::QuotedStrings << "say \"hi\" and 'yo'" << QStringList{"hi", "yo"};
  QTest::newRow("quoted_empty_gives_the_whole_match") << K::QuotedStrings << "x \"\" y" << QStringList{"\"\""};
  QTest::newRow("attribute_href_and_src")
      << K::HtmlAttributes << "<a href=\"x.html\"><img src='y.png'>" << QStringList{"x.html", "y.png"};
  QTest::newRow("path_stops_at_a_space")
      << K::WindowsPaths << "run C:\\Windows\\System32\\cmd.exe /c" << QStringList{"C:\\Windows\\System32\\cmd.exe"};
  QTest::newRow("public_ipv4_only")
      << K::PublicIPv4Addresses << "10.1.2.3, 8.8.8.8, 172.20.0.1, 100.100.1.1, 224.0.0.1" << QStringList{"8.8.8.8"};
  QTest::newRow("ipv4_counts_by_count_then_address")
      << K::IPv4AddressCounts << "8.8.8.8 9.9.9.9 1.1.1.1\n8.8.8.8 1.1.1.1\n1.1.1.1 8.8.8.8"
      << QStringList{"3  1.1.1.1", "3  8.8.8.8", "1  9.9.9.9"};
  QTest::newRow("ipv4_counts_pad_to_the_widest") << K::IPv4AddressCounts << QString("1.1.1.1 ").repeated(10) + "2.2.2.2"
                                                 << QStringList{"10  1.1.1.1", "1   2.2.2.2"};
  QTest::newRow("phone_normalised") << K::PhoneNumbers << "call +1 (555) 123-4567 now" << QStringList{"+1 555 123-4567"};
  QTest::newRow("phone_drops_dates_and_dotted_numbers") << K::PhoneNumbers << "2024-01-15\n10.0.0.1" << QStringList{};
}

void TestExtractPatterns::kinds() {
  QFETCH(TExtractKind, kind);
  QFETCH(QString, text);
  QFETCH(QStringList, values);
  QCOMPARE(Extract(ExtractSpecOf(kind), text), values);
}

void TestExtractPatterns::mends_data() {
  QTest::addColumn<TExtractKind>("kind");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QStringList>("firstValues");  // what the first pattern found
  QTest::addColumn<QStringList>("values");
  using K = TExtractKind;
  QTest::newRow("url_upper_case_scheme") << K::Urls << "HTTPS://Example.com/A" << QStringList{}
                                         << QStringList{"HTTPS://Example.com/A"};
  QTest::newRow("domain_upper_case_scheme") << K::Domains << "Http://Example.com/A" << QStringList{}
                                            << QStringList{"Example.com"};
  QTest::newRow("domain_is_not_the_user_name") << K::Domains << "https://user:pw@host/" << QStringList{"user"}
                                               << QStringList{"host"};
  QTest::newRow("domain_is_the_host_after_a_deceptive_user_name")
      << K::Domains << "http://paypal.com:x@evil.example/" << QStringList{"paypal.com"} << QStringList{"evil.example"};
  QTest::newRow("domain_after_the_last_at_sign") << K::Domains << "http://a@b@c.example/" << QStringList{"a@b@c.example"}
                                                 << QStringList{"c.example"};
  QTest::newRow("domain_stops_at_the_query") << K::Domains << "https://host?q=1" << QStringList{"host?q=1"}
                                             << QStringList{"host"};
  QTest::newRow("domain_stops_at_a_closing_parenthesis") << K::Domains << "(see https://host)" << QStringList{"host)"}
                                                         << QStringList{"host"};
  QTest::newRow("domain_bracketed_ipv6_stays_whole") << K::Domains << "http://[2001:db8::1]:8080/"
                                                     << QStringList{"[2001"} << QStringList{"[2001:db8::1]"};
  QTest::newRow("ipv4_not_inside_an_oid") << K::IPv4Addresses << "oid 1.3.6.1.4.1.311" << QStringList{"1.3.6.1"}
                                          << QStringList{};
  QTest::newRow("ipv4_not_inside_a_version") << K::IPv4Addresses << "v 1.2.3.4.5" << QStringList{"1.2.3.4"}
                                             << QStringList{};
  QTest::newRow("path_stops_at_a_closing_quote") << K::WindowsPaths << "cmd=\"C:\\Windows\\cmd.exe\""
                                                 << QStringList{"C:\\Windows\\cmd.exe\""}
                                                 << QStringList{"C:\\Windows\\cmd.exe"};
  QTest::newRow("path_no_drive_letter_after_a_word_character")
      << K::WindowsPaths << "HKLM:\\SOFTWARE\\Foo" << QStringList{"M:\\SOFTWARE\\Foo"} << QStringList{};
  QTest::newRow("path_stops_at_a_pipe") << K::WindowsPaths << "type C:\\a.txt|more" << QStringList{"C:\\a.txt|more"}
                                        << QStringList{"C:\\a.txt"};
  QTest::newRow("attribute_upper_case_name") << K::HtmlAttributes << "<a HREF=\"x\">" << QStringList{}
                                             << QStringList{"x"};
  QTest::newRow("attribute_blanks_around_equals") << K::HtmlAttributes << "<a href = \"x\">" << QStringList{}
                                                  << QStringList{"x"};
  QTest::newRow("attribute_apostrophe_inside_double_quotes")
      << K::HtmlAttributes << "<a href=\"/q?name=O'Brien\">" << QStringList{"/q?name=O"}
      << QStringList{"/q?name=O'Brien"};
  QTest::newRow("timestamp_keeps_fraction_and_zone")
      << K::Timestamps << "2024-05-01T10:00:00.123+05:30\n2024-05-01T10:00:00-08:00\n2024-05-01T10:00:00Z"
      << QStringList{"2024-05-01T10:00:00"}
      << QStringList{"2024-05-01T10:00:00.123+05:30", "2024-05-01T10:00:00-08:00", "2024-05-01T10:00:00Z"};
  QTest::newRow("timestamp_keeps_the_common_log_zone")
      << K::Timestamps << "[10/Oct/2000:13:55:36 -0700]\n[10/Oct/2000:13:55:36 +0000]"
      << QStringList{"10/Oct/2000:13:55:36"} << QStringList{"10/Oct/2000:13:55:36 -0700", "10/Oct/2000:13:55:36 +0000"};
}

void TestExtractPatterns::mends() {
  QFETCH(TExtractKind, kind);
  QFETCH(QString, text);
  QFETCH(QStringList, firstValues);
  QFETCH(QStringList, values);
  TExtractSpec first = ExtractSpecOf(kind);
  first.Pattern = FirstPatternOf(kind);
  QCOMPARE(Extract(first, text), firstValues);
  QCOMPARE(Extract(ExtractSpecOf(kind), text), values);
}

// Lines of local-part characters, at signs and dots, where every match of the first pattern must be
// found at the same place.
void TestExtractPatterns::emailStartsOnlyWhereTheFirstPatternCould() {
  const auto anchored = TRegexPattern::Compile(ExtractSpecOf(TExtractKind::Emails).Pattern);
  const auto first = TRegexPattern::Compile(QString::fromUtf16(KFirstEmail));
  QRandomGenerator random(20240501);
  const QStringList pieces = {"a", "bc", "9", ".", "@", "+", "-", "_", "%", "!", " ", ".de", "@f.gh", "x.yz"};
  int matched = 0;
  for (int i = 0; i < 20000; ++i) {
    QString line;
    const int length = random.bounded(1, 16);
    for (int j = 0; j < length; ++j) line += pieces[random.bounded(int(pieces.size()))];
    const QString spans = MatchSpans(first, line);
    QCOMPARE(MatchSpans(anchored, line), spans);
    if (!spans.isEmpty()) ++matched;
  }
  QVERIFY2(matched > 5000, qPrintable(QString::number(matched)));
}

QTEST_GUILESS_MAIN(TestExtractPatterns)
#include "test_extract_patterns.moc"
