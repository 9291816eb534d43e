// What the network commands take from the user or a service, read strictly: addresses in their
// one true form, the host of a typed website, the answers of reverse lookups and of the
// what-is-my-address service, and the addresses handed to a fetch or a browser.
#include "ToolsTestUtil.h"
#include "tools/net/HostInput.h"
#include "tools/net/WebAddress.h"

Q_DECLARE_METATYPE(TWebsiteKind)

class TestNetInput : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void ipAddress_data();
  void ipAddress();
  void websiteHost_data();
  void websiteHost();
  void websiteAddressPrefersIpv4();
  void reverseNames_data();
  void reverseNames();
  void myIpBody_data();
  void myIpBody();
  void pageAddress_data();
  void pageAddress();
  void browserUrl_data();
  void browserUrl();
};

void TestNetInput::ipAddress_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("address");  // empty: refused
  QTest::newRow("dotted_quad") << "8.8.4.4" << "8.8.4.4";
  QTest::newRow("ipv6_made_canonical") << "2001:DB8:0:0:0:0:0:1" << "2001:db8::1";
  QTest::newRow("ipv6_loopback") << "::1" << "::1";
  QTest::newRow("three_parts_refused") << "8.8.8" << "";
  QTest::newRow("leading_zeros_refused") << "010.001.002.003" << "";
  QTest::newRow("hexadecimal_part_refused") << "0x7f.0.0.1" << "";
  QTest::newRow("single_number_refused") << "134744072" << "";
  QTest::newRow("part_over_255_refused") << "1.2.3.256" << "";
  QTest::newRow("zone_refused") << "fe80::1%eth0" << "";
  QTest::newRow("host_name_refused") << "dns.google" << "";
  QTest::newRow("blank_inside_refused") << "8.8.8.8 " << "";
  QTest::newRow("nul_refused") << QString("8.8.8.8") + QChar(0) << "";
  QTest::newRow("non_ascii_digit_refused") << QString::fromUtf16(u"8.8.8.\u0668") << "";
}

void TestNetInput::ipAddress() {
  QFETCH(QString, text);
  QFETCH(QString, address);
  QCOMPARE(ParseIpAddress(text).value_or(QString()), address);
}

void TestNetInput::websiteHost_data() {
  QTest::addColumn<QString>("input");
  QTest::addColumn<TWebsiteKind>("kind");
  QTest::addColumn<QString>("text");
  using K = TWebsiteKind;
  QTest::newRow("bare_name") << "example.com" << K::HostName << "example.com";
  QTest::newRow("upper_case_scheme_port_path_query")
      << "  HTTPS://www.example.com:8443/a/b?q=1  " << K::HostName << "www.example.com";
  QTest::newRow("query_without_path") << "http://example.org?x=y" << K::HostName << "example.org";
  QTest::newRow("fragment") << "example.org#top" << K::HostName << "example.org";
  QTest::newRow("other_scheme") << "ftp://files.example.net/pub" << K::HostName << "files.example.net";
  QTest::newRow("user_information_dropped") << "https://user:pw@host.example/" << K::HostName << "host.example";
  QTest::newRow("bare_ipv6_is_an_address") << "2001:db8::1" << K::Address << "2001:db8::1";
  QTest::newRow("bracketed_ipv6_with_port") << "http://[2001:DB8::1]:8080/x" << K::Address << "2001:db8::1";
  QTest::newRow("ipv4_with_port") << "8.8.8.8:53" << K::Address << "8.8.8.8";
  QTest::newRow("short_ipv4_refused") << "8.8.8" << K::Invalid << "";
  QTest::newRow("octal_ipv4_refused") << "010.001.002.003" << K::Invalid << "";
  QTest::newRow("numeric_last_label_refused") << "host.123" << K::Invalid << "";
  QTest::newRow("bad_ipv6_refused") << "[2001:db8::zz]" << K::Invalid << "";
  QTest::newRow("text_after_bracket_refused") << "[::1]x" << K::Invalid << "";
  QTest::newRow("blank_inside_refused") << "exa mple.com" << K::Invalid << "";
  QTest::newRow("idn_converted") << QString::fromUtf16(u"B\u00FCcher.example") << K::HostName << "xn--bcher-kva.example";
  QTest::newRow("single_label") << "localhost" << K::HostName << "localhost";
  QTest::newRow("trailing_dot") << "example.com." << K::HostName << "example.com.";
  QTest::newRow("label_with_leading_hyphen_refused") << "-bad.example" << K::Invalid << "";
  QTest::newRow("empty_ends_silently") << "   " << K::Nothing << "";
  QTest::newRow("scheme_alone_ends_silently") << "https://" << K::Nothing << "";
  QTest::newRow("port_alone_ends_silently") << ":80" << K::Nothing << "";
}

void TestNetInput::websiteHost() {
  QFETCH(QString, input);
  QFETCH(TWebsiteKind, kind);
  QFETCH(QString, text);
  const TWebsiteHost host = NormalizeWebsiteHost(input);
  QCOMPARE(host.Kind, kind);
  QCOMPARE(host.Text, text);
}

void TestNetInput::websiteAddressPrefersIpv4() {
  QCOMPARE(PickWebsiteAddress({"2001:db8::1", "192.0.2.1", "192.0.2.2"}), "192.0.2.1");
  QCOMPARE(PickWebsiteAddress({"2001:db8::5", "2001:db8::6"}), "2001:db8::5");
  QCOMPARE(PickWebsiteAddress({}), "");
}

void TestNetInput::reverseNames_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("checked");
  QTest::newRow("host_name") << "dns.google" << "dns.google";
  QTest::newRow("trailing_dot_dropped") << "one.one.one.one." << "one.one.one.one";
  QTest::newRow("markup_refused") << "<b>x</b>.example" << "";
  QTest::newRow("line_break_refused") << "a\r\nb.example" << "";
  QTest::newRow("empty") << "" << "";
}

void TestNetInput::reverseNames() {
  QFETCH(QString, name);
  QFETCH(QString, checked);
  QCOMPARE(CheckedHostName(name), checked);
}

void TestNetInput::myIpBody_data() {
  QTest::addColumn<QByteArray>("body");
  QTest::addColumn<QString>("address");
  QTest::newRow("ipv4_with_newline") << QByteArray("203.0.113.7\n") << "203.0.113.7";
  QTest::newRow("ipv6") << QByteArray(" 2001:db8::7 ") << "2001:db8::7";
  QTest::newRow("html_page_refused") << QByteArray("<html>203.0.113.7</html>") << "";
  QTest::newRow("text_around_refused") << QByteArray("Your IP: 203.0.113.7") << "";
  QTest::newRow("long_body_refused") << QByteArray("203.0.113.7") + QByteArray(100, ' ') << "";
  QTest::newRow("empty_refused") << QByteArray() << "";
}

void TestNetInput::myIpBody() {
  QFETCH(QByteArray, body);
  QFETCH(QString, address);
  QCOMPARE(ParseMyIpBody(body).value_or(QString()), address);
}

void TestNetInput::pageAddress_data() {
  QTest::addColumn<QString>("input");
  QTest::addColumn<QString>("address");  // empty: nothing to fetch
  QTest::newRow("bare_host_gets_https") << " example.com " << "https://example.com";
  QTest::newRow("http_kept") << "HTTP://example.com/x" << "HTTP://example.com/x";
  QTest::newRow("http_alone_is_nothing") << "http://" << "";
  QTest::newRow("https_alone_in_capitals_is_nothing") << " HTTPS:// " << "";
  QTest::newRow("empty_is_nothing") << "" << "";
}

void TestNetInput::pageAddress() {
  QFETCH(QString, input);
  QFETCH(QString, address);
  QCOMPARE(PageAddressFromInput(input).value_or(QString()), address);
}

void TestNetInput::browserUrl_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("url");  // empty: refused
  QTest::newRow("https_trimmed") << "  https://example.com/a?b=c  " << "https://example.com/a?b=c";
  QTest::newRow("upper_case_scheme") << "HTTP://example.com/" << "http://example.com/";
  QTest::newRow("blank_inside_refused") << "https://example.com/a b" << "";
  QTest::newRow("option_after_blank_refused") << "https://x.example --new-window" << "";
  QTest::newRow("line_break_refused") << "https://a.example\nhttps://b.example" << "";
  QTest::newRow("bidi_override_refused") << QString::fromUtf16(u"https://a.example/\u202Egnp.exe") << "";
  QTest::newRow("no_host_refused") << "https:///path" << "";
  QTest::newRow("file_scheme_refused") << "file:///etc/passwd" << "";
  QTest::newRow("javascript_refused") << "javascript:alert(1)" << "";
}

void TestNetInput::browserUrl() {
  QFETCH(QString, text);
  QFETCH(QString, url);
  const std::optional<QUrl> checked = BrowserUrl(text);
  QCOMPARE(checked ? checked->toString(QUrl::FullyEncoded) : QString(), url);
}

QTEST_GUILESS_MAIN(TestNetInput)
#include "test_net_input.moc"
