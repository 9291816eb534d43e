// Facts read from fetched pages: the title, the meta description, the seven entities, and the
// page's text in the character set it declares, read in one pass however hostile the page.
#include "ToolsTestUtil.h"
#include "tools/net/HtmlFacts.h"
#include "tools/net/PageText.h"

#include <QRandomGenerator>
#include <QRegularExpression>

namespace {

// Short texts over a small alphabet, so tags, ends and entities meet often.
QString RandomText(QRandomGenerator &random, const QStringList &pieces, int maxPieces) {
  QString text;
  const int count = random.bounded(maxPieces + 1);
  for (int i = 0; i < count; ++i) text += pieces[random.bounded(int(pieces.size()))];
  return text;
}

}  // namespace

class TestPageFacts : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void title_data();
  void title();
  void metaDescription_data();
  void metaDescription();
  void entities_data();
  void entities();
  void titleAgreesWithAPattern();
  void entitiesAgreeWithReplacementsInTurn();
  void hostilePagesReadInOnePass_data();
  void hostilePagesReadInOnePass();
  void pageText_data();
  void pageText();
};

void TestPageFacts::title_data() {
  QTest::addColumn<QString>("page");
  QTest::addColumn<QString>("title");
  QTest::newRow("plain") << "<html><head><title>Hello</title></head>" << "Hello";
  QTest::newRow("across_lines_with_indentation_is_one_line")
      << "<title>\n    Quarterly\r\n\t  report  \n</title>" << "Quarterly report";
  QTest::newRow("entities_decoded") << "<TITLE>A &amp; B&#39;s</TITLE>" << "A & B's";
  QTest::newRow("tag_in_any_case_with_attributes") << "<TiTlE lang=\"en\" data-x='>'>Tab</tItLe>" << "Tab";
  QTest::newRow("first_title_only") << "<title>One</title><title>Two</title>" << "One";
  QTest::newRow("no_end_tag_is_nothing") << "<title>Open ended" << "";
  QTest::newRow("no_title") << "<html><body>x</body></html>" << "";
  QTest::newRow("longer_tag_name_is_not_a_title") << "<titlebar>Bar</titlebar><title>Real</title>" << "Real";
  QTest::newRow("empty_title") << "<title>  </title>" << "";
}

void TestPageFacts::title() {
  QFETCH(QString, page);
  QFETCH(QString, title);
  QCOMPARE(ExtractHtmlTitle(page), title);
}

void TestPageFacts::metaDescription_data() {
  QTest::addColumn<QString>("page");
  QTest::addColumn<QString>("description");
  QTest::newRow("double_quotes") << "<meta name=\"description\" content=\"About us\">" << "About us";
  QTest::newRow("single_quotes_and_case") << "<META NAME='Description' CONTENT='Shop &amp; more'>" << "Shop & more";
  QTest::newRow("content_before_name") << "<meta content=\"First\" name=\"description\"/>" << "First";
  QTest::newRow("unquoted_content") << "<meta name=description content=Bare>" << "Bare";
  QTest::newRow("empty_content_is_nothing") << "<meta name=\"description\" content=\"\">" << "";
  QTest::newRow("greater_than_inside_quotes") << "<meta name=\"description\" content=\"a > b\">" << "a > b";
  QTest::newRow("data_content_is_another_attribute")
      << "<meta name=\"description\" data-content=\"wrong\" content=\"right\">" << "right";
  QTest::newRow("data_name_is_another_attribute")
      << "<meta data-name=\"description\" content=\"wrong\"><meta name=\"description\" content=\"right\">" << "right";
  QTest::newRow("other_meta_tags_skipped")
      << "<meta charset=utf-8><meta name=\"keywords\" content=\"k\">\n<meta\tname=\"description\"\ncontent=\"d\">" << "d";
  QTest::newRow("lines_made_one") << "<meta name=description content=\"two\n   lines\">" << "two lines";
  QTest::newRow("name_prefix_is_not_description") << "<meta name=descriptionX content=x>" << "";
  QTest::newRow("description_tag_without_content") << "<meta name=description><meta name=description content=x>" << "";
  QTest::newRow("unterminated_quote_is_nothing") << "<meta name=\"description\" content=\"runs on" << "";
  QTest::newRow("metadata_tag_is_not_meta") << "<metadata name=description content=x>" << "";
}

void TestPageFacts::metaDescription() {
  QFETCH(QString, page);
  QFETCH(QString, description);
  QCOMPARE(ExtractMetaDescription(page), description);
}

void TestPageFacts::entities_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("decoded");
  QTest::newRow("all_seven") << "&lt;&gt;&quot;&#39;&#x27;&nbsp;&amp;" << "<>\"'' &";
  QTest::newRow("any_letter_case") << "&LT;&Amp;&NBSP;&#X27;" << "<& '";
  QTest::newRow("amp_last_so_once_only") << "&amp;lt;" << "&lt;";
  QTest::newRow("other_references_stay") << "&copy; &#65; &#x41; &" << "&copy; &#65; &#x41; &";
  QTest::newRow("cut_reference_at_end") << "a &am" << "a &am";
}

void TestPageFacts::entities() {
  QFETCH(QString, text);
  QFETCH(QString, decoded);
  QCOMPARE(DecodeBasicEntities(text), decoded);
}

// Without quotes in the page, the one-pass reader finds what a pattern that wants a whole tag name
// finds, blank runs made one space and the ends trimmed.
void TestPageFacts::titleAgreesWithAPattern() {
  const QRegularExpression pattern("<title(?=[\\t\\n\\f\\r />])[^>]*>(.*?)</title>",
                                   QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
  const QStringList pieces{"<title", "<TITLE", "</title>", "</Title>", ">", "<", "/", " ", "\n", "\t", "a", "x", "&amp;", "<titlex"};
  QRandomGenerator random(17);
  for (int round = 0; round < 50000; ++round) {
    const QString page = RandomText(random, pieces, 10);
    const QRegularExpressionMatch match = pattern.match(page);
    const QString expected = match.hasMatch()
                                 ? DecodeBasicEntities(match.captured(1).replace(QRegularExpression("[\\t\\n\\f\\r ]+"), " ").trimmed())
                                 : QString();
    QCOMPARE(ExtractHtmlTitle(page), expected);
  }
}

// One pass gives what the seven replacements give made one after another in their order.
void TestPageFacts::entitiesAgreeWithReplacementsInTurn() {
  const QStringList pieces{"&", "amp;", "lt;", "gt;", "quot;", "#39;", "#x27;", "nbsp;", "LT;", "a", ";", "#"};
  const QList<std::pair<QString, QString>> inTurn{{"&lt;", "<"},     {"&gt;", ">"},     {"&quot;", "\""}, {"&#39;", "'"},
                                                  {"&#x27;", "'"},   {"&nbsp;", " "},   {"&amp;", "&"}};
  QRandomGenerator random(29);
  for (int round = 0; round < 50000; ++round) {
    const QString text = RandomText(random, pieces, 8);
    QString expected = text;
    for (const auto &[entity, replacement] : inTurn) expected.replace(entity, replacement, Qt::CaseInsensitive);
    QCOMPARE(DecodeBasicEntities(text), expected);
  }
}

void TestPageFacts::hostilePagesReadInOnePass_data() {
  QTest::addColumn<QString>("page");
  QTest::addColumn<bool>("meta");
  const int size = 5 * 1024 * 1024;
  QTest::newRow("title_tags_without_end") << QString("<title>").repeated(size / 7) << false;
  QTest::newRow("meta_description_without_end")
      << QString("<meta name=description ").repeated(size / 23) << true;
  QTest::newRow("meta_tags_without_description") << QString("<meta name=x content=y>").repeated(size / 23) << true;
  QTest::newRow("lone_angle_brackets") << QString("<").repeated(size) << true;
}

// A backtracking pattern takes minutes on these; read once they finish at once (no timing here: a
// quadratic reader would outlast the test's time-out).
void TestPageFacts::hostilePagesReadInOnePass() {
  QFETCH(QString, page);
  QFETCH(bool, meta);
  QCOMPARE(meta ? ExtractMetaDescription(page) : ExtractHtmlTitle(page), QString());
}

void TestPageFacts::pageText_data() {
  QTest::addColumn<QByteArray>("body");
  QTest::addColumn<QByteArray>("contentType");
  QTest::addColumn<QString>("text");
  const QString cafe = QString::fromUtf16(u"Caf\u00E9");
  QTest::newRow("no_declaration_is_utf8") << QByteArray("Caf\xC3\xA9") << QByteArray("text/html") << cafe;
  QTest::newRow("header_charset") << QByteArray("Caf\xE9") << QByteArray("text/html; charset=ISO-8859-1") << cafe;
  QTest::newRow("header_charset_quoted") << QByteArray("Caf\xE9") << QByteArray("text/html;charset=\"windows-1252\"")
                                         << cafe;
  QTest::newRow("latin1_label_is_windows_1252")
      << QByteArray("\x80 Caf\xE9") << QByteArray("text/html; charset=latin1") << QString::fromUtf16(u"\u20AC Caf\u00E9");
  QTest::newRow("meta_charset_only") << QByteArray("<meta charset=\"iso-8859-1\"><p>Caf\xE9") << QByteArray("text/html")
                                     << QString::fromLatin1("<meta charset=\"iso-8859-1\"><p>Caf\xE9");
  QTest::newRow("meta_charset_utf8_not_misread")
      << QByteArray("<meta charset=utf-8>Caf\xC3\xA9") << QByteArray() << QString("<meta charset=utf-8>") + cafe;
  QTest::newRow("http_equiv_meta")
      << QByteArray("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\xE9")
      << QByteArray() << QString::fromLatin1("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\xE9");
  QTest::newRow("header_wins_over_meta")
      << QByteArray("<meta charset=iso-8859-1>Caf\xC3\xA9") << QByteArray("text/html; charset=utf-8")
      << QString("<meta charset=iso-8859-1>") + cafe;
  QTest::newRow("bom_wins_over_header") << QByteArray("\xEF\xBB\xBF" "Caf\xC3\xA9") << QByteArray("text/html; charset=latin1")
                                        << cafe;
  QTest::newRow("utf16le_bom") << QByteArray("\xFF\xFE" "C\0a\0f\0\xE9\0", 10) << QByteArray() << cafe;
  QTest::newRow("utf16be_bom") << QByteArray("\xFE\xFF\0C\0a\0f\0\xE9", 10) << QByteArray() << cafe;
  QTest::newRow("meta_past_1024_bytes_ignored")
      << QByteArray(1030, ' ') + "<meta charset=latin1>\xC3\xA9" << QByteArray()
      << QString(1030, u' ') + "<meta charset=latin1>" + QChar(0xE9);
  QTest::newRow("unknown_label_decodes_as_utf8")
      << QByteArray("Caf\xC3\xA9") << QByteArray("text/html; charset=x-no-such-set") << cafe;
  QTest::newRow("bad_utf8_is_replaced_not_lost") << QByteArray("a\xFF" "b") << QByteArray() << QString::fromUtf16(u"a\uFFFDb");
  QTest::newRow("meta_claiming_utf16_read_as_utf8")
      << QByteArray("<meta charset=utf-16>\xC3\xA9") << QByteArray() << QString("<meta charset=utf-16>") + QChar(0xE9);
  QTest::newRow("other_charset_by_name")
      << QByteArray("\xCF\xF0\xE8\xE2\xE5\xF2") << QByteArray("text/plain; charset=windows-1251")
      << QString::fromUtf16(u"\u041F\u0440\u0438\u0432\u0435\u0442");
}

void TestPageFacts::pageText() {
  QFETCH(QByteArray, body);
  QFETCH(QByteArray, contentType);
  QFETCH(QString, text);
  QCOMPARE(Visible(DecodePageBody(body, contentType)), Visible(text));
}

QTEST_GUILESS_MAIN(TestPageFacts)
#include "test_page_facts.moc"
