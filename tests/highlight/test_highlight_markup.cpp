// Hand-checked token dumps of the tag tokenizer (XML, HTML, PHP with their islands) and of the
// Markdown tokenizer, with the states that carry comments, sections, islands and fences.
#include "TokenDump.h"
#include "highlight/UniShim.h"

#include <QtTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// As DumpTokens, but a token coloured by an island, not by the page's own attributes, ends in "@".
QString DumpPage(TUniHighlighter &page, QStringView line, TLineState inState, TLineState &outState) {
  TMETokenList tokens;
  page.TokenizeLine(line, inState, tokens, outState);
  QStringList parts;
  for (const TMEToken &token : tokens) {
    bool own = false;
    for (int i = 0; i < KUniAttrCount; ++i) own = own || page.GetAttribute(i) == token.Attr;
    TMETokenList one{token};
    QString part = DumpTokens(one, page);
    if (!own) part = part.section(u'/', 0, 0) + u'@';
    parts.append(part);
  }
  return parts.join(u' ');
}

}  // namespace

class TTestMarkup : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void Samples_data();
  void Samples();
  void IslandsFollowThePalette();

 private:
  TMEHTMLHighlighter FHtml;
  TMEPHPHighlighter FPhp;
  TMEXMLHighlighter FXml;
  TMEMarkdownHighlighter FMarkdown;
};

void TTestMarkup::Samples_data() {
  QTest::addColumn<QString>("language");
  QTest::addColumn<uint>("inState");
  QTest::addColumn<QString>("line");
  QTest::addColumn<QString>("tokens");
  QTest::addColumn<uint>("outState");
  auto row = [](const char *name, const char *language, uint inState, const QString &line,
                const QString &tokens, uint outState) {
    QTest::newRow(name) << QString::fromLatin1(language) << inState << line << tokens << outState;
  };

  // Tags, attributes and text
  row("html_attributesInBothQuoteStyles", "HTML", 0, u"<a href=\"x\" id='y'>text"_s,
      u"1,1,sym/Brackets 2,1,el 3,1,ws 4,4,attr 8,1,sym 9,3,str 12,1,ws 13,2,attr 15,1,sym "
      u"16,3,str 19,1,sym/Brackets 20,4,txt"_s,
      0);
  row("html_valueEndsAtLineEndInsideTag", "HTML", 0, u"<a title=\"open"_s,
      u"1,1,sym/Brackets 2,1,el 3,1,ws 4,5,attr 9,1,sym 10,5,str"_s, 2);
  row("html_closingTagAndEmptyElement", "HTML", 0, u"</div ><br/>"_s,
      u"1,2,sym/Brackets 3,3,el 6,1,ws 7,1,sym/Brackets 8,1,sym/Brackets 9,2,el "
      u"11,2,sym/Brackets"_s,
      0);
  row("html_tagContinuesOnNextLine", "HTML", 2, u"b=1>x"_s,
      u"1,1,attr 2,1,sym 3,1,sym 4,1,sym/Brackets 5,1,txt"_s, 0);

  // Comments and CDATA across lines
  row("html_commentOpens", "HTML", 0, u"x <!-- a"_s, u"1,2,txt 3,6,com"_s, 1);
  row("html_commentStaysOpen", "HTML", 1, u"<b> still"_s, u"1,9,com"_s, 1);
  row("html_commentCloses", "HTML", 1, u"b --> c"_s, u"1,5,com 6,2,txt"_s, 0);
  row("xml_cdataOpens", "XML", 0, u"<![CDATA[ a"_s, u"1,9,sym/Brackets 10,2,str"_s, 3);
  row("xml_cdataCloses", "XML", 3, u"b ]]><br/>"_s,
      u"1,5,str 6,1,sym/Brackets 7,2,el 9,2,sym/Brackets"_s, 0);

  // Script and style islands
  row("html_inlineScript", "HTML", 0, u"<script>var a = 1;</script>"_s,
      u"1,1,sym/Brackets 2,6,el 8,1,sym/Brackets 9,3,kw@ 12,1,ws@ 13,1,id@ 14,1,ws@ 15,1,sym@ "
      u"16,1,ws@ 17,1,num@ 18,1,sym@ 19,2,sym/Brackets 21,6,el 27,1,sym/Brackets"_s,
      0);
  row("html_scriptOpensIsland", "HTML", 0, u"<script>"_s,
      u"1,1,sym/Brackets 2,6,el 8,1,sym/Brackets"_s, 6);
  row("html_islandBlockCommentCarried", "HTML", 6, u"/* open"_s, u"1,7,com@"_s, 257 * 256 + 6);
  row("html_scriptClosesIgnoringCase", "HTML", 257 * 256 + 6, u"x */ y</SCRIPT>"_s,
      u"1,4,com@ 5,1,ws@ 6,1,id@ 7,2,sym/Brackets 9,6,el 15,1,sym/Brackets"_s, 0);
  row("html_scriptEndsInsideString", "HTML", 0, u"<script>s=\"</script>"_s,
      u"1,1,sym/Brackets 2,6,el 8,1,sym/Brackets 9,1,id@ 10,1,sym@ 11,1,str@ 12,2,sym/Brackets "
      u"14,6,el 20,1,sym/Brackets"_s,
      0);
  row("html_closingScriptTagOpensNoIsland", "HTML", 0, u"</script>x"_s,
      u"1,2,sym/Brackets 3,6,el 9,1,sym/Brackets 10,1,txt"_s, 0);
  row("html_styleIsland", "HTML", 0, u"<style>"_s, u"1,1,sym/Brackets 2,5,el 7,1,sym/Brackets"_s,
      7);
  row("xml_scriptIsAnOrdinaryElement", "XML", 0, u"<script>var</script>"_s,
      u"1,1,sym/Brackets 2,6,el 8,1,sym/Brackets 9,3,txt 12,2,sym/Brackets 14,6,el "
      u"20,1,sym/Brackets"_s,
      0);
  row("xml_islandStateReadsAsContent", "XML", 6, u"a<b"_s, u"1,1,txt 2,1,sym/Brackets 3,1,el"_s,
      2);
  row("html_stateAboveEightReadsAsContent", "HTML", 9, u"a"_s, u"1,1,txt"_s, 0);

  // PHP blocks
  row("php_closerInStringDoesNotEnd", "PHP", 0, u"<?php echo '?>'; ?>"_s,
      u"1,5,pre 6,1,ws@ 7,4,kw@ 11,1,ws@ 12,4,str@ 16,1,sym@ 17,1,ws@ 18,2,pre"_s, 0);
  row("php_closerInLineCommentEnds", "PHP", 0, u"<?php // note ?> <b>"_s,
      u"1,5,pre 6,1,ws@ 7,8,com@ 15,2,pre 17,1,txt 18,1,sym/Brackets 19,1,el "
      u"20,1,sym/Brackets"_s,
      0);
  row("php_blockCommentCarried", "PHP", 0, u"<?PHP /* c"_s, u"1,5,pre 6,1,ws@ 7,4,com@"_s,
      257 * 256 + 8);
  row("php_closerInBlockCommentDoesNotEnd", "PHP", 257 * 256 + 8, u"?> */ ?>x"_s,
      u"1,5,com@ 6,1,ws@ 7,2,pre 9,1,txt"_s, 0);
  row("php_manyBlocksOnOneLine", "PHP", 0, u"<?=1?><?2?>"_s,
      u"1,3,pre 4,1,num@ 5,2,pre 7,2,pre 9,1,num@ 10,2,pre"_s, 0);
  row("php_xmlDeclarationIsATag", "PHP", 0, u"<?XML version"_s,
      u"1,2,sym/Brackets 3,3,el 6,1,ws 7,7,attr"_s, 2);
  row("xml_noPhpIsland", "XML", 0, u"<?php x"_s,
      u"1,2,sym/Brackets 3,3,el 6,1,ws 7,1,attr"_s, 2);

  // Markdown
  row("md_backquoteFenceOpens", "Markdown", 0, u"```js"_s, u"1,5,sym/Brackets"_s, 1);
  row("md_insideFenceIsText", "Markdown", 1, u"# not a heading"_s, u"1,15,txt"_s, 1);
  row("md_tildeFenceClosesBackquoteBlock", "Markdown", 1, u"  ~~~"_s, u"1,5,sym/Brackets"_s, 0);
  row("md_indentedHeading", "Markdown", 0, u"    # title"_s, u"1,11,head"_s, 0);
  row("md_headingWithoutSpace", "Markdown", 0, u"#tag"_s, u"1,4,head"_s, 0);
  row("md_blockQuote", "Markdown", 0, u"> quote"_s, u"1,7,com"_s, 0);
  row("md_bulletAndEmphasis", "Markdown", 0, u"- item *em*"_s,
      u"1,1,list/Brackets 2,6,txt 8,1,em 9,2,txt 11,1,em"_s, 0);
  row("md_indentedBulletStillABullet", "Markdown", 0, u"  + x"_s,
      u"1,2,txt 3,1,list/Brackets 4,2,txt"_s, 0);
  row("md_codeSpan", "Markdown", 0, u"a `b_c` d"_s, u"1,2,txt 3,5,str 8,2,txt"_s, 0);
  row("md_unmatchedBackquoteStartsText", "Markdown", 0, u"a ` b_"_s,
      u"1,2,txt 3,3,txt 6,1,em"_s, 0);
  row("md_capitalLinkToWhiteSpace", "Markdown", 0, u"see HTTP://X.org/a) ok"_s,
      u"1,4,txt 5,14,link 19,1,sym/Brackets 20,3,txt"_s, 0);
  row("md_linkInBrackets", "Markdown", 0, u"[l](www.x.y)"_s,
      u"1,1,sym/Brackets 2,1,txt 3,1,sym/Brackets 4,1,sym/Brackets 5,7,link 12,1,sym/Brackets"_s,
      0);
  row("md_unknownStateReadsAsOutsideFence", "Markdown", 2, u"x"_s, u"1,1,txt"_s, 0);
}

void TTestMarkup::Samples() {
  QFETCH(QString, language);
  QFETCH(uint, inState);
  QFETCH(QString, line);
  QFETCH(QString, tokens);
  QFETCH(uint, outState);
  TUniHighlighter *page = language == u"HTML"_s  ? static_cast<TUniHighlighter *>(&FHtml)
                          : language == u"PHP"_s ? static_cast<TUniHighlighter *>(&FPhp)
                          : language == u"XML"_s ? static_cast<TUniHighlighter *>(&FXml)
                                                 : static_cast<TUniHighlighter *>(&FMarkdown);
  TLineState out = 0;
  QCOMPARE(DumpPage(*page, line, inState, out), tokens);
  QCOMPARE(out, TLineState(outState));
}

void TTestMarkup::IslandsFollowThePalette() {
  // Island tokens keep the island's own attributes, which must change colour with the page.
  TMEPHPHighlighter page;
  TMETokenList tokens;
  TLineState out = 0;
  page.TokenizeLine(u"<?php echo 1; ?><script>x = 2;", 0, tokens, out);
  QList<const TMEHighlighterAttributes *> island;
  for (const TMEToken &token : tokens)
    if (token.Kind == tkNumber) island.append(token.Attr);
  QCOMPARE(island.size(), 2);  // "1" from the PHP island, "2" from the JavaScript one
  const QList<quint32> light = {island[0]->Foreground(), island[1]->Foreground()};
  page.ApplyPalette(true);
  QVERIFY(island[0]->Foreground() != light[0]);
  QCOMPARE(island[0]->Foreground(), page.GetAttribute(3)->Foreground());  // the page's Number
  QCOMPARE(island[1]->Foreground(), page.GetAttribute(3)->Foreground());
}

QTEST_GUILESS_MAIN(TTestMarkup)
#include "test_highlight_markup.moc"
