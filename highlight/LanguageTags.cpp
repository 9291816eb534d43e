#include "LanguageTags.h"

namespace {

constexpr TLanguageTag KLanguageTags[KLanguageTagCount] = {
    {u"miLangNormal", u"Normal Text (Default)", u""},
    {u"miLangAsm", u"Asm", u"Assembly"},
    {u"miLangBash", u"Bash / Shell", u"Shell"},
    {u"miLangBatch", u"Batch", u"Batch"},
    {u"miLangCS", u"C#", u"C#"},
    {u"miLangCpp", u"C / C++", u"C/C++"},
    {u"miLangCss", u"CSS", u"CSS"},
    {u"miLangFortran", u"Fortran", u"Fortran"},
    {u"miLangHtml", u"HTML", u"HTML"},
    {u"miLangJava", u"Java", u"Java"},
    {u"miLangJs", u"JavaScript", u"JavaScript"},
    {u"miLangJson", u"JSON", u"JSON"},
    {u"miLangMarkdown", u"Markdown", u"Markdown"},
    {u"miLangPascal", u"Pascal", u"Pascal"},
    {u"miLangPerl", u"Perl", u"Perl"},
    {u"miLangPhp", u"PHP", u"PHP"},
    {u"miLangPython", u"Python", u"Python"},
    {u"miLangRuby", u"Ruby", u"Ruby"},
    {u"miLangSQL", u"SQL", u"SQL"},
    {u"miLangTeX", u"TeX", u"TeX"},
    {u"miLangVB", u"Visual Basic", u"Visual Basic"},
    {u"miLangXML", u"XML", u"XML"},
    {u"miLangYAML", u"YAML", u"YAML"},
    {u"miLangGo", u"Go", u"Go"},
    {u"miLangAutoIt", u"AutoIt", u"AutoIt"},
    {u"miLangLua", u"Lua", u"Lua"},
    {u"miLangMakefile", u"Makefile", u"Makefile"},
    {u"miLangPowerShell", u"PowerShell", u"PowerShell"},
    {u"miLangRust", u"Rust", u"Rust"},
    {u"miLangIni", u"INI", u"INI"},
    {u"miLangInno", u"Inno Setup", u"Inno Setup"},
    {u"miLangNSIS", u"NSIS", u"NSIS"},
    {u"miLangTypeScript", u"TypeScript", u"TypeScript"},
    {u"miLangErlang", u"Erlang", u"Erlang"},
    {u"miLangMatlab", u"Matlab", u"MATLAB"},
    {u"miLangSwift", u"Swift", u"Swift"},
    {u"miLangKotlin", u"Kotlin", u"Kotlin"},
    {u"miLangTOML", u"TOML", u"TOML"},
    {u"miLangHCL", u"HCL (Terraform)", u"HCL/Terraform"},
    {u"miLangLaTeX", u"LaTeX", u"TeX"},
    {u"miLangENV", u"ENV (dotenv)", u"ENV"},
    {u"miLangRegistry", u"Registry", u"Registry"},
    {u"miLangDockerfile", u"Dockerfile", u"Dockerfile"},
};

}  // namespace

const TLanguageTag *LanguageTag(int tag) {
  return tag >= 0 && tag < KLanguageTagCount ? &KLanguageTags[tag] : nullptr;
}

QStringView HighlighterKeyForLangTag(int tag) {
  const TLanguageTag *entry = LanguageTag(tag);
  return entry ? entry->Key : QStringView();
}
