// Hand-checked token dumps per language family: comments, strings, numbers, words and keys, and
// the states that carry constructs from one line into the next.
#include "TokenDump.h"
#include "highlight/LanguageDefs.h"
#include "highlight/LanguageRegistry.h"
#include "highlight/UniHighlighter.h"

#include <QLocale>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

class TTestTokenizer : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void Samples_data();
  void Samples();
  void LongerStringMarkersComeFirst();
  void DeepNestingSaturates();
  void WordsIgnoreTheUserLocale();
};

void TTestTokenizer::Samples_data() {
  QTest::addColumn<QString>("language");
  QTest::addColumn<uint>("inState");
  QTest::addColumn<QString>("line");
  QTest::addColumn<QString>("tokens");
  QTest::addColumn<uint>("outState");
  auto row = [](const char *name, const QString &language, uint inState, const QString &line,
                const QString &tokens, uint outState) {
    QTest::newRow(name) << language << inState << line << tokens << outState;
  };

  // Block comments and multi-line strings carried by the state
  row("js_blockCommentOpenAtLineEnd", u"JavaScript"_s, 0, u"a /* b"_s, u"1,1,id 2,1,ws 3,4,com"_s,
      257);
  row("js_blockCommentContinuesAndCloses", u"JavaScript"_s, 257, u"still */ x"_s,
      u"1,8,com 9,1,ws 10,1,id"_s, 0);
  row("js_backquoteStringOpen", u"JavaScript"_s, 0, u"s = `a${b}"_s,
      u"1,1,id 2,1,ws 3,1,sym 4,1,ws 5,6,str"_s, 258);
  row("js_backquoteStringCloses", u"JavaScript"_s, 258, u"x` + 1"_s,
      u"1,2,str 3,1,ws 4,1,sym 5,1,ws 6,1,num"_s, 0);
  row("js_emptyLineKeepsState", u"JavaScript"_s, 257, QString(), QString(), 257);
  row("js_unknownContextReadsAsNothingOpen", u"JavaScript"_s, 0x105, u"x"_s, u"1,1,id"_s, 0);
  row("js_lowByteZeroReadsAsNothingOpen", u"JavaScript"_s, 0x100, u"*/"_s, u"1,1,sym 2,1,sym"_s, 0);
  row("rust_nestedCommentLeavesDepthOne", u"Rust"_s, 0, u"/* a /* b */"_s, u"1,12,com"_s, 257);
  row("rust_twoOpenersLeaveDepthTwo", u"Rust"_s, 0, u"/* /*"_s, u"1,5,com"_s, 513);
  row("rust_closersBringDepthToZero", u"Rust"_s, 513, u"*/ */ x"_s, u"1,5,com 6,1,ws 7,1,id"_s, 0);
  row("rust_depthZeroReadsAsOne", u"Rust"_s, 1, u"*/ x"_s, u"1,2,com 3,1,ws 4,1,id"_s, 0);
  row("cpp_commentsDoNotNest", u"C/C++"_s, 0, u"/* /* */ x"_s, u"1,8,com 9,1,ws 10,1,id"_s, 0);
  row("py_tripleQuoteBeforeSingle", u"Python"_s, 0, u"x = \"\"\"doc"_s,
      u"1,1,id 2,1,ws 3,1,sym 4,1,ws 5,6,str"_s, 257);
  row("py_tripleQuoteCloses", u"Python"_s, 257, u"end\"\"\" + y"_s,
      u"1,6,str 7,1,ws 8,1,sym 9,1,ws 10,1,id"_s, 0);
  row("cs_verbatimStringIsSecondContext", u"C#"_s, 0, u"@\"abc"_s, u"1,5,str"_s, 258);
  row("sh_singleQuoteIsSecondStringContext", u"Shell"_s, 0, u"echo 'abc"_s,
      u"1,4,val 5,1,ws 6,4,str"_s, 258);
  row("sh_singleQuoteHasNoEscape", u"Shell"_s, 258, u"a\\' b"_s, u"1,3,str 4,1,ws 5,1,id"_s, 0);
  row("lua_longStringAfterBlockComment", u"Lua"_s, 0, u"s = [[x"_s,
      u"1,1,id 2,1,ws 3,1,sym 4,1,ws 5,3,str"_s, 258);
  row("lua_blockMarkerBeatsLineMarker", u"Lua"_s, 0, u"--[[ a"_s, u"1,6,com"_s, 257);
  row("pas_braceCommentOpen", u"Pascal"_s, 0, u"begin { note"_s, u"1,5,kw 6,1,ws 7,6,com"_s, 257);
  row("pas_parenStarIsSecondContext", u"Pascal"_s, 258, u"x *) y"_s, u"1,4,com 5,1,ws 6,1,id"_s, 0);
  row("toml_tripleQuoteOpens", u"TOML"_s, 0, u"a = \"\"\"x"_s,
      u"1,1,attr 2,1,ws 3,1,sym 4,1,ws 5,4,str"_s, 257);

  // Line-start-only block comments
  row("rb_beginAtColumnOne", u"Ruby"_s, 0, u"=begin"_s, u"1,6,com"_s, 257);
  row("rb_indentedBeginIsKeyword", u"Ruby"_s, 0, u" =begin"_s, u"1,1,ws 2,1,sym 3,5,kw"_s, 0);
  row("rb_linesInsideAreComment", u"Ruby"_s, 257, u"puts 1"_s, u"1,6,com"_s, 257);
  row("rb_endClosesAtColumnOne", u"Ruby"_s, 257, u"=end x"_s, u"1,6,com"_s, 0);
  row("m_indentedCloserDoesNotClose", u"MATLAB"_s, 257, u" %}"_s, u"1,3,com"_s, 257);
  row("m_percentBraceLaterIsLineComment", u"MATLAB"_s, 0, u"x %{"_s, u"1,1,id 2,1,ws 3,2,com"_s, 0);
  row("au3_caseIgnoredInMarkers", u"AutoIt"_s, 0, u"#CS"_s, u"1,3,com"_s, 257);

  // Line comments
  row("js_urlOutsideStringIsComment", u"JavaScript"_s, 0, u"x = http://a.b"_s,
      u"1,1,id 2,1,ws 3,1,sym 4,1,ws 5,4,id 9,1,sym 10,5,com"_s, 0);
  row("sh_hashInsideWordIsSymbol", u"Shell"_s, 0, u"a#b"_s, u"1,1,id 2,1,sym 3,1,id"_s, 0);
  row("sh_hashAfterBlankIsComment", u"Shell"_s, 0, u"a #b"_s, u"1,1,id 2,1,ws 3,2,com"_s, 0);
  row("sh_hashAfterBracketIsComment", u"Shell"_s, 0, u"(#"_s, u"1,1,sym/Brackets 2,1,com"_s, 0);
  row("bat_remarkIsAWord", u"Batch"_s, 0, u"remark"_s, u"1,6,id"_s, 0);
  row("bat_remStartsComment", u"Batch"_s, 0, u"rem x"_s, u"1,5,com"_s, 0);
  row("bat_upperRemStartsComment", u"Batch"_s, 0, u"REM x"_s, u"1,5,com"_s, 0);
  row("bat_remAtLineEnd", u"Batch"_s, 0, u"x rem"_s, u"1,1,id 2,1,ws 3,3,com"_s, 0);
  row("vb_quoteStartsComment", u"Visual Basic"_s, 0, u"x = 1 ' note"_s,
      u"1,1,id 2,1,ws 3,1,sym 4,1,ws 5,1,num 6,1,ws 7,6,com"_s, 0);
  row("inno_semicolonFirstIsComment", u"Inno Setup"_s, 0, u"  ; note"_s, u"1,2,ws 3,6,com"_s, 0);
  row("inno_semicolonAfterCommentIsComment", u"Inno Setup"_s, 0, u"{x} ; c"_s,
      u"1,3,com 4,1,ws 5,3,com"_s, 0);
  row("inno_semicolonAfterTokenIsSymbol", u"Inno Setup"_s, 0, u"a ; b"_s,
      u"1,1,id 2,1,ws 3,1,sym 4,1,ws 5,1,id"_s, 0);

  // Strings
  row("js_escapedQuoteStaysInside", u"JavaScript"_s, 0, u"'it\\'s' x"_s, u"1,7,str 8,1,ws 9,1,id"_s,
      0);
  row("cpp_unterminatedStringEndsAtLineEnd", u"C/C++"_s, 0, u"\"abc"_s, u"1,4,str"_s, 0);
  row("pas_doubledQuoteStaysInside", u"Pascal"_s, 0, u"'it''s'"_s, u"1,7,str"_s, 0);
  row("cs_verbatimDoubling", u"C#"_s, 0, u"@\"a\"\"b\" x"_s, u"1,7,str 8,1,ws 9,1,id"_s, 0);
  row("cs_interpolatedEscape", u"C#"_s, 0, u"$\"a\\\"b\""_s, u"1,7,str"_s, 0);
  row("go_rawStringHasNoEscape", u"Go"_s, 0, u"`a\\` x"_s, u"1,4,str 5,1,ws 6,1,id"_s, 0);
  row("ps_backquoteEscape", u"PowerShell"_s, 0, u"\"a`\"b\""_s, u"1,6,str"_s, 0);
  row("nsis_dollarEscape", u"NSIS"_s, 0, u"\"a$\"b\""_s, u"1,6,str"_s, 0);
  row("sql_qQuote", u"SQL"_s, 0, u"q'[it's]'"_s, u"1,9,str"_s, 0);
  row("sql_qQuoteClosesWithPairedDelimiter", u"SQL"_s, 0, u"q'(a)b)' x"_s,
      u"1,8,str 9,1,ws 10,1,id"_s, 0);
  row("sql_qQuoteUnterminatedEndsAtLineEnd", u"SQL"_s, 0, u"Q'[x"_s, u"1,4,str"_s, 0);
  row("tex_dollarMath", u"TeX"_s, 0, u"\\section{A} $x$ % c"_s,
      u"1,8,kw 9,1,sym/Brackets 10,1,id 11,1,sym/Brackets 12,1,ws 13,3,str 16,1,ws 17,3,com"_s, 0);

  // Numbers
  row("cpp_numberForms", u"C/C++"_s, 0, u"0x1F 1_000 3.14e-2 10px"_s,
      u"1,4,num 5,1,ws 6,5,num 11,1,ws 12,7,num 19,1,ws 20,4,num"_s, 0);
  row("cpp_secondDotEndsNumber", u"C/C++"_s, 0, u"1.2.3"_s, u"1,3,num 4,1,sym 5,1,num"_s, 0);
  row("cpp_leadingDotIsSymbol", u"C/C++"_s, 0, u".5"_s, u"1,1,sym 2,1,num"_s, 0);
  row("pas_hexDollar", u"Pascal"_s, 0, u"x := $1F;"_s,
      u"1,1,id 2,1,ws 3,1,sym 4,1,sym 5,1,ws 6,3,num 9,1,sym"_s, 0);
  row("json_signIsSymbol", u"JSON"_s, 0, u"{\"a\": true, \"b\": -1.5e3}"_s,
      u"1,1,sym/Brackets 2,3,str 5,1,sym 6,1,ws 7,4,kw 11,1,sym 12,1,ws 13,3,str 16,1,sym "
      u"17,1,ws 18,1,sym 19,5,num 24,1,sym/Brackets"_s,
      0);

  // Preprocessor tokens
  row("cpp_include", u"C/C++"_s, 0, u"#include <stdio.h>"_s,
      u"1,8,pre 9,1,ws 10,1,sym 11,5,id 16,1,sym 17,1,id 18,1,sym"_s, 0);
  row("cpp_indentedInclude", u"C/C++"_s, 0, u"  #include <x>"_s,
      u"1,2,ws 3,8,pre 11,1,ws 12,1,sym 13,1,id 14,1,sym"_s, 0);
  row("cpp_hashAfterTokenIsSymbol", u"C/C++"_s, 0, u"x #y"_s, u"1,1,id 2,1,ws 3,1,sym 4,1,id"_s, 0);
  row("py_decorator", u"Python"_s, 0, u"@app.route(x)"_s,
      u"1,4,pre 5,1,sym 6,5,id/Function 11,1,sym/Brackets 12,1,id 13,1,sym/Brackets"_s, 0);
  row("erl_directiveTakesDash", u"Erlang"_s, 0, u"-module(x)."_s,
      u"1,7,pre 8,1,sym/Brackets 9,1,id 10,1,sym/Brackets 11,1,sym"_s, 0);

  // Words: keywords, value words, functions
  row("js_keywordAndValueWord", u"JavaScript"_s, 0, u"return null;"_s,
      u"1,6,kw 7,1,ws 8,4,val 12,1,sym"_s, 0);
  row("js_functionCallAfterSpace", u"JavaScript"_s, 0, u"foo (1)"_s,
      u"1,3,id/Function 4,1,ws 5,1,sym/Brackets 6,1,num 7,1,sym/Brackets"_s, 0);
  row("ts_keywordBeatsValueWord", u"TypeScript"_s, 0, u"void"_s, u"1,4,kw"_s, 0);
  row("py_valueWordsKeepCase", u"Python"_s, 0, u"None none"_s, u"1,4,val 5,1,ws 6,4,id"_s, 0);
  row("sql_keywordsIgnoreCase", u"SQL"_s, 0, u"SELECT Select select"_s,
      u"1,6,kw 7,1,ws 8,6,kw 14,1,ws 15,6,kw"_s, 0);
  row("docker_lowerCaseInstruction", u"Dockerfile"_s, 0, u"from alpine AS b"_s,
      u"1,4,kw 5,1,ws 6,6,id 12,1,ws 13,2,kw 15,1,ws 16,1,id"_s, 0);
  row("asm_registersIgnoreCase", u"Assembly"_s, 0, u"MOV EAX, $FF"_s,
      u"1,3,kw 4,1,ws 5,3,val 8,1,sym 9,1,ws 10,3,num"_s, 0);
  row("ps_cmdletIsOneWord", u"PowerShell"_s, 0, u"Write-Host $x"_s, u"1,10,val 11,1,ws 12,2,id"_s,
      0);
  row("cs_dashSplitsWords", u"C#"_s, 0, u"Write-Host"_s, u"1,5,id 6,1,sym 7,4,id"_s, 0);
  row("rb_questionMarkInWord", u"Ruby"_s, 0, u"defined?(x)"_s,
      u"1,8,kw 9,1,sym/Brackets 10,1,id 11,1,sym/Brackets"_s, 0);
  row("bat_noFunctionCalls", u"Batch"_s, 0, u"%x%(1)"_s,
      u"1,3,id 4,1,sym/Brackets 5,1,num 6,1,sym/Brackets"_s, 0);
  row("phpCode_keywordBeatsValueWord", u"PHP code"_s, 0, u"ISSET($a)"_s,
      u"1,5,kw 6,1,sym/Brackets 7,2,id 9,1,sym/Brackets"_s, 0);

  // Keys
  row("yaml_dashKeepsKeyPosition", u"YAML"_s, 0, u"- name: x"_s,
      u"1,1,sym 2,1,ws 3,4,attr 7,1,sym 8,1,ws 9,1,id"_s, 0);
  row("yaml_keywordIsNeverKey", u"YAML"_s, 0, u"on: yes"_s, u"1,2,kw 3,1,sym 4,1,ws 5,3,kw"_s, 0);
  row("sh_exportKeepsKeyPosition", u"Shell"_s, 0, u"export A=1"_s,
      u"1,6,kw 7,1,ws 8,1,attr 9,1,sym 10,1,num"_s, 0);
  row("sh_keyOnlyInKeyPosition", u"Shell"_s, 0, u"x y=1"_s,
      u"1,1,id 2,1,ws 3,1,id 4,1,sym 5,1,num"_s, 0);
  row("inno_colonEqualsIsNoKey", u"Inno Setup"_s, 0, u"x := 1"_s,
      u"1,1,id 2,1,ws 3,1,sym 4,1,sym 5,1,ws 6,1,num"_s, 0);
  row("inno_colonIsKey", u"Inno Setup"_s, 0, u"x: 1"_s, u"1,1,attr 2,1,sym 3,1,ws 4,1,num"_s, 0);
  row("inno_keysAnywhere", u"Inno Setup"_s, 0, u"a; b= 1"_s,
      u"1,1,id 2,1,sym 3,1,ws 4,1,attr 5,1,sym 6,1,ws 7,1,num"_s, 0);
  row("ini_keyTakesItsSpaces", u"INI"_s, 0, u"key = value"_s, u"1,4,attr 5,1,sym 6,1,ws 7,5,id"_s,
      0);
  row("mk_targetIsKey", u"Makefile"_s, 0, u"all: main.o"_s, u"1,3,attr 4,1,sym 5,1,ws 6,6,id"_s, 0);
  row("reg_valueTypeIgnoresCase", u"Registry"_s, 0, u"\"Name\"=DWORD:1"_s,
      u"1,6,str 7,1,sym 8,5,kw 13,1,sym 14,1,num"_s, 0);

  // Characters without a class of their own
  row("cpp_surrogatePairIsTwoTextUnits", u"C/C++"_s, 0, u"\U0001F600"_s, u"1,1,txt 2,1,txt"_s, 0);
  row("cpp_unicodeLettersAndDigits", u"C/C++"_s, 0, u"\u00E9t\u00E9 \u0663"_s,
      u"1,3,id 4,1,ws 5,1,num"_s, 0);
  row("cpp_noBreakSpaceIsBlank", u"C/C++"_s, 0, u"a\u00A0\u3000b"_s, u"1,1,id 2,2,ws 4,1,id"_s, 0);
}

void TTestTokenizer::Samples() {
  QFETCH(QString, language);
  QFETCH(uint, inState);
  QFETCH(QString, line);
  QFETCH(QString, tokens);
  QFETCH(uint, outState);
  // The PHP code island is built directly; it is not registered.
  TUniHighlighter highlighter(language == u"PHP code" ? PhpCodeLanguage()
                                                      : LanguageByKey(language));
  TLineState out = 0xDEAD;
  QCOMPARE(TokenizeToDump(highlighter, line, inState, &out), tokens);
  QCOMPARE(out, outState);
}

void TTestTokenizer::LongerStringMarkersComeFirst() {
  // Listed short marker first: the highlighter still tries the three quotes before the one.
  TUniHighlighter highlighter(
      TUniLanguage{.Name = u"Test"_s, .Strings = {Quote(u"'"), Quote(u"'''", 0, qfMultiline)}});
  TLineState out = 0;
  QCOMPARE(TokenizeToDump(highlighter, u"'''a", 0, &out), u"1,4,str"_s);
  QCOMPARE(out, 257u);
  QCOMPARE(TokenizeToDump(highlighter, u"b''' 'c'", out, &out), u"1,4,str 5,1,ws 6,3,str"_s);
  QCOMPARE(out, 0u);
}

void TTestTokenizer::DeepNestingSaturates() {
  TUniHighlighter rust(LanguageByKey(u"Rust"));
  const TLineState deepest = (0xFFFFFFu << 8) | 1;
  TLineState out = 0;
  // Near the top of the depth field, more openers stay at its largest value.
  QCOMPARE(TokenizeToDump(rust, u"/* /* /*", (0xFFFFFEu << 8) | 1, &out), u"1,8,com"_s);
  QCOMPARE(out, deepest);
  QCOMPARE(TokenizeToDump(rust, u"/*", deepest, &out), u"1,2,com"_s);
  QCOMPARE(out, deepest);
  QCOMPARE(TokenizeToDump(rust, u"*/", deepest, &out), u"1,2,com"_s);
  QCOMPARE(out, (0xFFFFFEu << 8) | 1);
  // Deep but countable nesting is kept exactly.
  TokenizeToDump(rust, QString(u"/*"_s).repeated(100000), 0, &out);
  QCOMPARE(out, (100000u << 8) | 1);
}

void TTestTokenizer::WordsIgnoreTheUserLocale() {
  const QLocale saved;
  QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
  TUniHighlighter sql(LanguageByKey(u"SQL"));
  TUniHighlighter pascal(LanguageByKey(u"Pascal"));
  const QString sqlTokens = TokenizeToDump(sql, u"INSERT INTO LIMIT");
  const QString pascalTokens = TokenizeToDump(pascal, u"BEGIN IF");
  QLocale::setDefault(saved);
  QCOMPARE(sqlTokens, u"1,6,kw 7,1,ws 8,4,kw 12,1,ws 13,5,kw"_s);
  QCOMPARE(pascalTokens, u"1,5,kw 6,1,ws 7,2,kw"_s);
}

QTEST_GUILESS_MAIN(TTestTokenizer)
#include "test_highlight_tokenizer.moc"
