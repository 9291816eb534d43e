#include "LanguageChoice.h"

#include "LanguageTags.h"

#include <span>

namespace {

enum TNameTest : quint8 { ntExtension, ntMakefile, ntEnv, ntDockerfile };

// One step of an ordered list: the first rule that matches a file name gives the result.
template <class TResult>
struct TNameRule {
  TNameTest Test;
  QStringView Extensions;  // for ntExtension: blank-separated, lower case
  TResult Result;
};

// Highlighters, by the tag of their language (19 stands for the TeX highlighter).
constexpr TNameRule<int> KHighlighterRules[] = {
    {ntExtension, u"json", 11},
    {ntExtension, u"html htm xhtml", 8},
    {ntExtension, u"xml xsd xsl xslt svg rss config", 21},
    {ntExtension, u"css", 6},
    {ntExtension, u"js mjs cjs jsx", 10},
    {ntExtension, u"pas dpr dpk inc pp lpr", 13},
    {ntExtension, u"php php3 php5 phtml", 15},
    {ntExtension, u"py pyw", 16},
    {ntExtension, u"sh bash zsh", 2},
    {ntExtension, u"bat cmd", 3},
    {ntExtension, u"asm s", 1},
    {ntExtension, u"cs", 4},
    {ntExtension, u"f f90 f95 for f03", 7},
    {ntExtension, u"java", 9},
    {ntExtension, u"md markdown", 12},
    {ntExtension, u"pl pm perl", 14},
    {ntExtension, u"rb rbw", 17},
    {ntExtension, u"sql", 18},
    {ntExtension, u"tex latex sty", 19},
    {ntExtension, u"vb vbs bas", 20},
    {ntExtension, u"yaml yml", 22},
    {ntExtension, u"go", 23},
    {ntExtension, u"au3", 24},
    {ntExtension, u"lua", 25},
    {ntExtension, u"ps1 psm1 psd1", 27},
    {ntExtension, u"rs", 28},
    {ntExtension, u"ini cfg conf", 29},
    {ntExtension, u"iss", 30},
    {ntExtension, u"mk mak", 26},
    {ntMakefile, {}, 26},
    {ntExtension, u"nsi nsh", 31},
    {ntExtension, u"ts tsx mts cts", 32},
    {ntExtension, u"erl hrl", 33},
    {ntExtension, u"m", 34},
    {ntExtension, u"swift", 35},
    {ntExtension, u"kt kts", 36},
    {ntExtension, u"toml", 37},
    {ntExtension, u"tf tfvars hcl", 38},
    {ntExtension, u"reg", 41},
    {ntEnv, {}, 40},
    {ntDockerfile, {}, 42},
    {ntExtension, u"c h cpp cc hpp", 5},
};

constexpr TNameRule<int> KTagRules[] = {
    {ntExtension, u"go", 23},
    {ntExtension, u"au3", 24},
    {ntExtension, u"lua", 25},
    {ntExtension, u"mk mak", 26},
    {ntMakefile, {}, 26},
    {ntExtension, u"ps1 psm1 psd1", 27},
    {ntExtension, u"rs", 28},
    {ntExtension, u"ini cfg conf", 29},
    {ntExtension, u"iss", 30},
    {ntExtension, u"nsi nsh", 31},
    {ntExtension, u"ts tsx mts cts", 32},
    {ntExtension, u"erl hrl", 33},
    {ntExtension, u"m", 34},
    {ntExtension, u"swift", 35},
    {ntExtension, u"kt kts", 36},
    {ntExtension, u"toml", 37},
    {ntExtension, u"tf tfvars hcl", 38},
    {ntExtension, u"reg", 41},
    {ntEnv, {}, 40},
    {ntDockerfile, {}, 42},
    {ntExtension, u"latex sty", 39},
};

// ".mak" is left out on purpose: only "mk" and the name "Makefile" get tabs.
constexpr TNameRule<TLangIndent> KIndentRules[] = {
    {ntExtension, u"go", {4, true}},
    {ntExtension, u"mk", {4, true}},
    {ntMakefile, {}, {4, true}},
    {ntExtension, u"py pyw", {4, false}},
    {ntExtension, u"rb yml yaml", {2, false}},
    {ntExtension, u"js mjs cjs jsx ts json html htm css", {2, false}},
    {ntExtension, u"c h cpp cc hpp", {4, false}},
    {ntExtension, u"pas dpr dpk inc pp lpr", {2, false}},
};

struct TSampleFile {
  int Tag;
  QStringView Name;
};

constexpr TSampleFile KSampleFiles[] = {
    {2, u"x.sh"},    {5, u"x.cpp"},   {28, u"x.cpp"},  {6, u"x.css"},  {8, u"x.html"},
    {10, u"x.js"},   {11, u"x.json"}, {13, u"x.pas"},  {16, u"x.py"},  {17, u"x.rb"},
    {22, u"x.yaml"}, {23, u"x.go"},   {26, u"Makefile"},
};

QStringView FileNamePart(QStringView path) {
  const qsizetype slash = qMax(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
  return path.sliced(slash + 1);
}

bool Matches(TNameTest test, QStringView extensions, QStringView path, QStringView extension) {
  switch (test) {
    case ntExtension:
      if (extension.isEmpty()) return false;
      for (QStringView listed : extensions.tokenize(u' '))
        if (listed == extension) return true;
      return false;
    case ntMakefile: return FileNamePart(path).compare(u"Makefile", Qt::CaseInsensitive) == 0;
    case ntEnv: return IsEnvFileName(path);
    case ntDockerfile: return IsDockerfileName(path);
  }
  return false;
}

template <class TResult>
TResult FirstMatch(std::span<const TNameRule<TResult>> rules, QStringView path,
                   TResult otherwise) {
  const QString extension = FileExtension(path);
  for (const TNameRule<TResult> &rule : rules)
    if (Matches(rule.Test, rule.Extensions, path, extension)) return rule.Result;
  return otherwise;
}

}  // namespace

QString FileExtension(QStringView path) {
  const QStringView name = FileNamePart(path);
  const qsizetype dot = name.lastIndexOf(u'.');
  return dot < 0 ? QString() : name.sliced(dot + 1).toString().toLower();
}

bool IsEnvFileName(QStringView path) {
  const QString name = FileNamePart(path).toString().toLower();
  return name == u".env" || name.startsWith(u".env.") || name.endsWith(u".env");
}

bool IsDockerfileName(QStringView path) {
  const QString name = FileNamePart(path).toString().toLower();
  return name == u"dockerfile" || name.startsWith(u"dockerfile.") ||
         name.endsWith(u".dockerfile") || name == u"containerfile";
}

QStringView HighlighterKeyForFileName(QStringView path) {
  return HighlighterKeyForLangTag(FirstMatch<int>(KHighlighterRules, path, 0));
}

int LangTagForFileName(QStringView path) {
  const int tag = FirstMatch<int>(KTagRules, path, -1);
  // The two lists disagree on names such as "dockerfile.yaml", which is coloured as YAML: the
  // colours win, so that the menu and the status bar name the language on screen.
  if (tag >= 0 && HighlighterKeyForLangTag(tag) != HighlighterKeyForFileName(path)) return -1;
  return tag;
}

TLangIndent LangDefaultIndent(QStringView path) {
  return FirstMatch<TLangIndent>(KIndentRules, path, {4, false});
}

QStringView RepresentativeFileForLangTag(int tag) {
  for (const TSampleFile &sample : KSampleFiles)
    if (sample.Tag == tag) return sample.Name;
  return u"x.txt";
}
