// The language registry, the word lists as stored, and the highlighter class of each language.
#include "highlight/LanguageDefs.h"
#include "highlight/LanguageRegistry.h"
#include "highlight/UniShim.h"

#include <QtTest>

#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

class TTestLanguages : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void KeysInRegistryOrder();
  void LookupIgnoresCase();
  void UnknownKeyThrows();
  void WordLists_data();
  void WordLists();
  void TypeScriptExtendsJavaScript();
  void ListedSpellingsSurvive();
  void ShimClasses();
};

void TTestLanguages::KeysInRegistryOrder() {
  QCOMPARE(
      LanguageKeys(),
      QStringList(
          {u"Pascal"_s,       u"C/C++"_s,      u"C#"_s,           u"Java"_s,       u"JavaScript"_s,
           u"TypeScript"_s,   u"JSON"_s,       u"Python"_s,       u"Ruby"_s,       u"Perl"_s,
           u"PHP"_s,          u"Go"_s,         u"Rust"_s,         u"Swift"_s,      u"Kotlin"_s,
           u"Lua"_s,          u"SQL"_s,        u"Shell"_s,        u"PowerShell"_s, u"Batch"_s,
           u"Makefile"_s,     u"Dockerfile"_s, u"YAML"_s,         u"TOML"_s,       u"INI"_s,
           u"ENV"_s,          u"Registry"_s,   u"XML"_s,          u"HTML"_s,       u"CSS"_s,
           u"Markdown"_s,     u"TeX"_s,        u"Visual Basic"_s, u"Fortran"_s,    u"Erlang"_s,
           u"MATLAB"_s,       u"Assembly"_s,   u"AutoIt"_s,       u"Inno Setup"_s, u"NSIS"_s,
           u"HCL/Terraform"_s}));
  // Each definition is named after its key, which is what the status bar shows.
  for (const QString &key : LanguageKeys()) QCOMPARE(LanguageByKey(key).Name, key);
}

void TTestLanguages::LookupIgnoresCase() {
  QCOMPARE(LanguageByKey(u"html").Name, u"HTML"_s);
  QCOMPARE(LanguageByKey(u"hcl/terraform").Name, u"HCL/Terraform"_s);
  QCOMPARE(LanguageByKey(u"INNO SETUP").Name, u"Inno Setup"_s);
}

void TTestLanguages::UnknownKeyThrows() {
  try {
    LanguageByKey(u"Klingon");
    QFAIL("no exception");
  } catch (const std::invalid_argument &error) {
    QCOMPARE(QString::fromUtf8(error.what()), u"Unknown language: Klingon"_s);
  }
  // "PHP code" is the island inside PHP pages, built directly and never looked up.
  QVERIFY_THROWS_EXCEPTION(std::invalid_argument, LanguageByKey(u"PHP code"));
}

void TTestLanguages::WordLists_data() {
  QTest::addColumn<QString>("key");
  QTest::addColumn<int>("keywords");
  QTest::addColumn<int>("values");
  QTest::addColumn<int>("markup");
  const struct {
    const char *Key;
    int Keywords, Values;
    TUniMarkup Markup;
  } rows[] = {
      {"Pascal", 77, 30, umNone},     {"C/C++", 64, 31, umNone},
      {"C#", 65, 25, umNone},         {"Java", 45, 22, umNone},
      {"JavaScript", 40, 25, umNone}, {"TypeScript", 56, 41, umNone},
      {"JSON", 3, 0, umNone},         {"Python", 34, 25, umNone},
      {"Ruby", 32, 21, umNone},       {"Perl", 43, 25, umNone},
      {"PHP", 0, 0, umXml},           {"PHP code", 67, 23, umNone},
      {"Go", 25, 35, umNone},         {"Rust", 34, 33, umNone},
      {"Swift", 60, 23, umNone},      {"Kotlin", 56, 26, umNone},
      {"Lua", 19, 21, umNone},        {"SQL", 76, 37, umNone},
      {"Shell", 32, 60, umNone},      {"PowerShell", 34, 23, umNone},
      {"Batch", 42, 0, umNone},       {"Makefile", 14, 18, umNone},
      {"Dockerfile", 19, 9, umNone},  {"YAML", 7, 0, umNone},
      {"TOML", 2, 0, umNone},         {"INI", 0, 0, umNone},
      {"ENV", 0, 0, umNone},          {"Registry", 12, 0, umNone},
      {"XML", 0, 0, umXml},           {"HTML", 0, 0, umXml},
      {"CSS", 19, 30, umNone},        {"Markdown", 0, 0, umMarkdown},
      {"TeX", 34, 0, umNone},         {"Visual Basic", 91, 31, umNone},
      {"Fortran", 69, 24, umNone},    {"Erlang", 27, 22, umNone},
      {"MATLAB", 19, 32, umNone},     {"Assembly", 48, 56, umNone},
      {"AutoIt", 41, 17, umNone},     {"Inno Setup", 32, 20, umNone},
      {"NSIS", 40, 20, umNone},       {"HCL/Terraform", 20, 28, umNone},
  };
  for (const auto &row : rows)
    QTest::newRow(row.Key) << QString::fromUtf8(row.Key) << row.Keywords << row.Values
                           << int(row.Markup);
}

void TTestLanguages::WordLists() {
  QFETCH(QString, key);
  QFETCH(int, keywords);
  QFETCH(int, values);
  QFETCH(int, markup);
  const TUniLanguage lang = key == u"PHP code" ? PhpCodeLanguage() : LanguageByKey(key);
  QCOMPARE(lang.Keywords.size(), keywords);
  QCOMPARE(lang.Types.size(), values);
  QCOMPARE(int(lang.Markup), markup);
  QVERIFY(!lang.Keywords.contains(QString()));
  QVERIFY(!lang.Types.contains(QString()));
}

void TTestLanguages::TypeScriptExtendsJavaScript() {
  const TUniLanguage js = LanguageByKey(u"JavaScript");
  const TUniLanguage ts = LanguageByKey(u"TypeScript");
  QCOMPARE(ts.Keywords.mid(0, 40), js.Keywords);
  QCOMPARE(ts.Types.mid(0, 25), js.Types);
  QCOMPARE(ts.Keywords.mid(40, 2), QStringList({u"abstract"_s, u"as"_s}));
  QCOMPARE(ts.Types.last(), u"Omit"_s);
  QCOMPARE(ts.LineComments, js.LineComments);
  QCOMPARE(ts.IdentStartExtra, u"_$"_s);
}

void TTestLanguages::ListedSpellingsSurvive() {
  // Entries keep their stored spelling, also where it cannot be scanned as one word.
  QVERIFY(LanguageByKey(u"Makefile").Keywords.contains(u"-include"_s));
  QVERIFY(LanguageByKey(u"Shell").Types.contains(u"update-rc.d"_s));
  QCOMPARE(LanguageByKey(u"TeX").Keywords.first(), u"\\begin"_s);
  QCOMPARE(LanguageByKey(u"Dockerfile").Keywords.first(), u"ADD"_s);
  QCOMPARE(LanguageByKey(u"Ruby").Keywords.at(7), u"defined?"_s);
  QCOMPARE(LanguageByKey(u"HCL/Terraform").Types.last(), u"tomap"_s);
}

namespace {

template <class THighlighter>
void CheckShim(const QString &key) {
  THighlighter highlighter;
  QCOMPARE(highlighter.LanguageKey(), key);
  QCOMPARE(highlighter.LanguageName(), key);
}

}  // namespace

void TTestLanguages::ShimClasses() {
  CheckShim<TMEPasHighlighter>(u"Pascal"_s);
  CheckShim<TMEJSONHighlighter>(u"JSON"_s);
  CheckShim<TMEHTMLHighlighter>(u"HTML"_s);
  CheckShim<TMECssHighlighter>(u"CSS"_s);
  CheckShim<TMEJScriptHighlighter>(u"JavaScript"_s);
  CheckShim<TMEPHPHighlighter>(u"PHP"_s);
  CheckShim<TMEPythonHighlighter>(u"Python"_s);
  CheckShim<TMEUNIXShellScriptHighlighter>(u"Shell"_s);
  CheckShim<TMECppHighlighter>(u"C/C++"_s);
  CheckShim<TMEAsmHighlighter>(u"Assembly"_s);
  CheckShim<TMEBatHighlighter>(u"Batch"_s);
  CheckShim<TMECSHighlighter>(u"C#"_s);
  CheckShim<TMEFortranHighlighter>(u"Fortran"_s);
  CheckShim<TMEJavaHighlighter>(u"Java"_s);
  CheckShim<TMEMarkdownHighlighter>(u"Markdown"_s);
  CheckShim<TMEPerlHighlighter>(u"Perl"_s);
  CheckShim<TMERubyHighlighter>(u"Ruby"_s);
  CheckShim<TMESQLHighlighter>(u"SQL"_s);
  CheckShim<TMETeXHighlighter>(u"TeX"_s);
  CheckShim<TMEVBHighlighter>(u"Visual Basic"_s);
  CheckShim<TMEXMLHighlighter>(u"XML"_s);
  CheckShim<TMEYAMLHighlighter>(u"YAML"_s);
  CheckShim<TMEIniHighlighter>(u"INI"_s);
  CheckShim<TMEInnoHighlighter>(u"Inno Setup"_s);
  CheckShim<TMEGoHighlighter>(u"Go"_s);
  CheckShim<TMEAutoItHighlighter>(u"AutoIt"_s);
  CheckShim<TMELuaHighlighter>(u"Lua"_s);
  CheckShim<TMEMakefileHighlighter>(u"Makefile"_s);
  CheckShim<TMEPowerShellHighlighter>(u"PowerShell"_s);
  CheckShim<TMERustHighlighter>(u"Rust"_s);
  CheckShim<TMENSISHighlighter>(u"NSIS"_s);
  CheckShim<TMETypeScriptHighlighter>(u"TypeScript"_s);
  CheckShim<TMEErlangHighlighter>(u"Erlang"_s);
  CheckShim<TMEMatlabHighlighter>(u"MATLAB"_s);
  CheckShim<TMESwiftHighlighter>(u"Swift"_s);
  CheckShim<TMEKotlinHighlighter>(u"Kotlin"_s);
  CheckShim<TMETOMLHighlighter>(u"TOML"_s);
  CheckShim<TMEHCLHighlighter>(u"HCL/Terraform"_s);
  CheckShim<TMEENVHighlighter>(u"ENV"_s);
  CheckShim<TMERegistryHighlighter>(u"Registry"_s);
  CheckShim<TMEDockerfileHighlighter>(u"Dockerfile"_s);
}

QTEST_GUILESS_MAIN(TTestLanguages)
#include "test_highlight_languages.moc"
