// Choosing a language: file name to highlighter and tag, default indentation, the Language menu's
// model with its checked items and the status-bar name, and the shared highlighter instances.
#include "highlight/HighlighterSet.h"
#include "highlight/LanguageChoice.h"
#include "highlight/LanguageMenu.h"
#include "highlight/LanguageTags.h"

#include <QtTest>

#include <numeric>

using namespace Qt::Literals::StringLiterals;

class TTestLanguageChoice : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void FileNames_data();
  void FileNames();
  void Indentation_data();
  void Indentation();
  void MenuLayout();
  void MenuChecksAndNames_data();
  void MenuChecksAndNames();
  void SharedHighlighters();
};

void TTestLanguageChoice::FileNames_data() {
  QTest::addColumn<QString>("path");
  QTest::addColumn<QString>("key");  // empty: plain text
  QTest::addColumn<int>("tag");
  auto row = [](const char *name, const QString &path, const QString &key, int tag) {
    QTest::newRow(name) << path << key << tag;
  };
  row("extensionInAnyCase", u"/src/Main.CPP"_s, u"C/C++"_s, -1);
  row("onlyTheLastExtensionCounts", u"archive.tar.gz"_s, QString(), -1);
  row("noExtension", u"README"_s, QString(), -1);
  row("dotInFolderNotName", u"/etc/conf.d/hosts"_s, QString(), -1);
  row("windowsSeparators", u"C:\\Work.dir\\page.HTM"_s, u"HTML"_s, -1);
  row("xmlFamily", u"app.config"_s, u"XML"_s, -1);
  row("shellScript", u"run.zsh"_s, u"Shell"_s, -1);
  row("assemblyLowerS", u"boot.s"_s, u"Assembly"_s, -1);
  row("goHasItsOwnTag", u"main.go"_s, u"Go"_s, 23);
  row("makefileByName", u"Makefile"_s, u"Makefile"_s, 26);
  row("makefileByNameAnyCase", u"/x/MAKEFILE"_s, u"Makefile"_s, 26);
  row("gnuMakefileIsPlain", u"GNUmakefile"_s, QString(), -1);
  row("makExtension", u"rules.mak"_s, u"Makefile"_s, 26);
  row("iniFamily", u"nginx.conf"_s, u"INI"_s, 29);
  row("typeScript", u"view.tsx"_s, u"TypeScript"_s, 32);
  row("matlab", u"solve.m"_s, u"MATLAB"_s, 34);
  row("terraform", u"main.tf"_s, u"HCL/Terraform"_s, 38);
  row("registry", u"keys.reg"_s, u"Registry"_s, 41);
  row("dotenv", u".env"_s, u"ENV"_s, 40);
  row("dotenvWithSuffix", u".env.local"_s, u"ENV"_s, 40);
  row("dotenvBySuffix", u"/srv/prod.ENV"_s, u"ENV"_s, 40);
  row("dockerfile", u"Dockerfile"_s, u"Dockerfile"_s, 42);
  row("dockerfileWithSuffix", u"dockerfile.dev"_s, u"Dockerfile"_s, 42);
  row("dockerfileBySuffix", u"app.dockerfile"_s, u"Dockerfile"_s, 42);
  row("containerfile", u"Containerfile"_s, u"Dockerfile"_s, 42);
  row("dockerNameBeatsCExtension", u"dockerfile.c"_s, u"Dockerfile"_s, 42);
  // The colours come from the extension, so the tag must not claim Dockerfile.
  row("tagFollowsTheColoursOnDisagreement", u"dockerfile.yaml"_s, u"YAML"_s, -1);
  row("texTakesItsTagFromTheHighlighter", u"paper.tex"_s, u"TeX"_s, -1);
  row("latexHasItsOwnTagOnTeX", u"paper.latex"_s, u"TeX"_s, 39);
  row("styIsLaTeX", u"pkg.sty"_s, u"TeX"_s, 39);
  row("unknownExtension", u"data.xyz"_s, QString(), -1);
}

void TTestLanguageChoice::FileNames() {
  QFETCH(QString, path);
  QFETCH(QString, key);
  QFETCH(int, tag);
  QCOMPARE(HighlighterKeyForFileName(path).toString(), key);
  QCOMPARE(LangTagForFileName(path), tag);
}

void TTestLanguageChoice::Indentation_data() {
  QTest::addColumn<QString>("path");
  QTest::addColumn<int>("width");
  QTest::addColumn<bool>("tabs");
  QTest::newRow("go") << u"x.go"_s << 4 << true;
  QTest::newRow("mk") << u"rules.mk"_s << 4 << true;
  QTest::newRow("makefileName") << u"makefile"_s << 4 << true;
  QTest::newRow("makGetsSpaces") << u"rules.mak"_s << 4 << false;
  QTest::newRow("python") << u"x.PY"_s << 4 << false;
  QTest::newRow("yaml") << u"x.yml"_s << 2 << false;
  QTest::newRow("typeScriptFile") << u"x.ts"_s << 2 << false;
  QTest::newRow("pascal") << u"x.lpr"_s << 2 << false;
  QTest::newRow("other") << u"x.txt"_s << 4 << false;
  // Chosen from the menu, a tag takes its sample file's indentation.
  QTest::newRow("menuTypeScript") << RepresentativeFileForLangTag(32).toString() << 4 << false;
  QTest::newRow("menuRust") << RepresentativeFileForLangTag(28).toString() << 4 << false;
  QTest::newRow("menuMakefile") << RepresentativeFileForLangTag(26).toString() << 4 << true;
  QTest::newRow("menuJson") << RepresentativeFileForLangTag(11).toString() << 2 << false;
}

void TTestLanguageChoice::Indentation() {
  QFETCH(QString, path);
  QFETCH(int, width);
  QFETCH(bool, tabs);
  QCOMPARE(LangDefaultIndent(path), (TLangIndent{width, tabs}));
}

void TTestLanguageChoice::MenuLayout() {
  const TLanguageMenuItem menu = BuildLanguageMenu();
  QStringList layout;
  QList<int> tags;
  for (const TLanguageMenuItem &item : menu.Items) {
    layout.append(item.Name.toString());
    for (const TLanguageMenuItem &sub : item.Items) tags.append(sub.Tag);
    if (item.Tag >= 0) tags.append(item.Tag);
  }
  QCOMPARE(layout, (QStringList{u"miLangNormal"_s, u"miLangSep"_s, u"miCatProgramming"_s,
                                u"miCatWeb"_s, u"miCatScripts"_s, u"miCatData"_s,
                                u"miCatMarkup"_s, u"miCatInfra"_s}));
  // Every tag once.
  std::sort(tags.begin(), tags.end());
  QList<int> all(KLanguageTagCount);
  std::iota(all.begin(), all.end(), 0);
  QCOMPARE(tags, all);
  // Alphabetical within a submenu, as shown.
  QStringList web;
  for (const TLanguageMenuItem &item : menu.Items[3].Items) web.append(item.Caption.toString());
  QCOMPARE(web, (QStringList{u"CSS"_s, u"HTML"_s, u"JavaScript"_s, u"JSON"_s, u"PHP"_s,
                             u"TypeScript"_s, u"XML"_s}));
  QVERIFY(menu.Items[0].Checked);
  QCOMPARE(CurrentLanguageName(menu), u"Normal Text"_s);
}

void TTestLanguageChoice::MenuChecksAndNames_data() {
  QTest::addColumn<int>("tag");
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("checkedSubmenu");
  QTest::newRow("plainText") << 0 << u"Normal Text"_s << QString();
  QTest::newRow("bash") << 2 << u"Bash / Shell"_s << u"miCatScripts"_s;
  QTest::newRow("tex") << 19 << u"TeX"_s << u"miCatMarkup"_s;
  QTest::newRow("latex") << 39 << u"LaTeX"_s << u"miCatMarkup"_s;
  QTest::newRow("hcl") << 38 << u"HCL (Terraform)"_s << u"miCatInfra"_s;
  QTest::newRow("outOfRangeChecksNothing") << 43 << u"Normal Text"_s << QString();
}

void TTestLanguageChoice::MenuChecksAndNames() {
  QFETCH(int, tag);
  QFETCH(QString, name);
  QFETCH(QString, checkedSubmenu);
  TLanguageMenuItem menu = BuildLanguageMenu();
  CheckLanguageItems(menu, 12);  // something else first, which must be unchecked again
  CheckLanguageItems(menu, tag);
  QCOMPARE(CurrentLanguageName(menu), name);
  QCOMPARE(LanguageNameOfTag(BuildLanguageMenu(), tag), name);
  int checkedRadios = 0;
  QStringList checkedSubmenus;
  for (const TLanguageMenuItem &item : menu.Items) {
    if (item.Checked && !item.Items.isEmpty()) checkedSubmenus.append(item.Name.toString());
    if (item.Checked && item.Items.isEmpty()) ++checkedRadios;
    for (const TLanguageMenuItem &sub : item.Items) checkedRadios += sub.Checked ? 1 : 0;
  }
  QCOMPARE(checkedRadios, tag < KLanguageTagCount ? 1 : 0);
  QCOMPARE(checkedSubmenus.join(u','), checkedSubmenu);
}

void TTestLanguageChoice::SharedHighlighters() {
  const THighlighterSet set;
  QCOMPARE(set.Highlighters().size(), size_t(41));
  QCOMPARE(set.ForLangTag(0), nullptr);
  QCOMPARE(set.ForLangTag(43), nullptr);
  QCOMPARE(set.ForLangTag(-1), nullptr);
  QVERIFY(set.ForLangTag(19));
  QCOMPARE(set.ForLangTag(39), set.ForLangTag(19));
  for (int tag = 1; tag < KLanguageTagCount; ++tag)
    QVERIFY2(set.ForLangTag(tag), qPrintable(QString::number(tag)));
  // The menu derives a tag from the highlighter: the first that selects it.
  QCOMPARE(set.LangTagOf(set.ForLangTag(39)), 19);
  QCOMPARE(set.LangTagOf(set.ForFileName(u"x.rs")), 28);
  QCOMPARE(set.LangTagOf(nullptr), 0);
  QCOMPARE(set.ForFileName(u"x.unknown"), nullptr);
  QCOMPARE(set.ForFileName(u"page.php")->LanguageName(), u"PHP"_s);
}

QTEST_GUILESS_MAIN(TTestLanguageChoice)
#include "test_language_choice.moc"
