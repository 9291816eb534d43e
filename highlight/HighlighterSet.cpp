#include "HighlighterSet.h"

#include "LanguageChoice.h"
#include "LanguageTags.h"

namespace {

template <class THighlighter>
std::unique_ptr<TUniShim> Make() {
  return std::make_unique<THighlighter>();
}

constexpr std::unique_ptr<TUniShim> (*KCreationOrder[])() = {
    Make<TMEPasHighlighter>,        Make<TMEJSONHighlighter>,
    Make<TMEHTMLHighlighter>,       Make<TMECssHighlighter>,
    Make<TMEJScriptHighlighter>,    Make<TMEPHPHighlighter>,
    Make<TMEPythonHighlighter>,     Make<TMEUNIXShellScriptHighlighter>,
    Make<TMECppHighlighter>,        Make<TMEAsmHighlighter>,
    Make<TMEBatHighlighter>,        Make<TMECSHighlighter>,
    Make<TMEFortranHighlighter>,    Make<TMEJavaHighlighter>,
    Make<TMEMarkdownHighlighter>,   Make<TMEPerlHighlighter>,
    Make<TMERubyHighlighter>,       Make<TMESQLHighlighter>,
    Make<TMETeXHighlighter>,        Make<TMEVBHighlighter>,
    Make<TMEXMLHighlighter>,        Make<TMEYAMLHighlighter>,
    Make<TMEIniHighlighter>,        Make<TMEInnoHighlighter>,
    Make<TMEGoHighlighter>,         Make<TMEAutoItHighlighter>,
    Make<TMELuaHighlighter>,        Make<TMEMakefileHighlighter>,
    Make<TMEPowerShellHighlighter>, Make<TMERustHighlighter>,
    Make<TMENSISHighlighter>,       Make<TMETypeScriptHighlighter>,
    Make<TMEErlangHighlighter>,     Make<TMEMatlabHighlighter>,
    Make<TMESwiftHighlighter>,      Make<TMEKotlinHighlighter>,
    Make<TMETOMLHighlighter>,       Make<TMEHCLHighlighter>,
    Make<TMEENVHighlighter>,        Make<TMERegistryHighlighter>,
    Make<TMEDockerfileHighlighter>,
};

}  // namespace

THighlighterSet::THighlighterSet() {
  for (auto make : KCreationOrder) FHighlighters.push_back(make());
}

TUniShim *THighlighterSet::ForKey(QStringView key) const {
  for (const std::unique_ptr<TUniShim> &highlighter : FHighlighters)
    if (!key.isEmpty() && highlighter->LanguageKey() == key) return highlighter.get();
  return nullptr;
}

TUniShim *THighlighterSet::ForLangTag(int tag) const {
  return ForKey(HighlighterKeyForLangTag(tag));
}

TUniShim *THighlighterSet::ForFileName(QStringView path) const {
  return ForKey(HighlighterKeyForFileName(path));
}

int THighlighterSet::LangTagOf(const TMECustomHighlighter *highlighter) const {
  for (int tag = 0; tag < KLanguageTagCount; ++tag)
    if (ForLangTag(tag) == highlighter) return tag;
  return 0;
}
