#include "LanguageRegistry.h"

#include "LanguageDefs.h"

#include <stdexcept>

namespace {

struct TRegistryEntry {
  QStringView Key;
  TUniLanguage (*Build)();
};

constexpr TRegistryEntry KRegistry[] = {
    {u"Pascal", PascalLanguage},
    {u"C/C++", CppLanguage},
    {u"C#", CSharpLanguage},
    {u"Java", JavaLanguage},
    {u"JavaScript", JavaScriptLanguage},
    {u"TypeScript", TypeScriptLanguage},
    {u"JSON", JsonLanguage},
    {u"Python", PythonLanguage},
    {u"Ruby", RubyLanguage},
    {u"Perl", PerlLanguage},
    {u"PHP", PhpLanguage},
    {u"Go", GoLanguage},
    {u"Rust", RustLanguage},
    {u"Swift", SwiftLanguage},
    {u"Kotlin", KotlinLanguage},
    {u"Lua", LuaLanguage},
    {u"SQL", SqlLanguage},
    {u"Shell", ShellLanguage},
    {u"PowerShell", PowerShellLanguage},
    {u"Batch", BatchLanguage},
    {u"Makefile", MakefileLanguage},
    {u"Dockerfile", DockerfileLanguage},
    {u"YAML", YamlLanguage},
    {u"TOML", TomlLanguage},
    {u"INI", IniLanguage},
    {u"ENV", EnvLanguage},
    {u"Registry", RegistryLanguage},
    {u"XML", XmlLanguage},
    {u"HTML", HtmlLanguage},
    {u"CSS", CssLanguage},
    {u"Markdown", MarkdownLanguage},
    {u"TeX", TeXLanguage},
    {u"Visual Basic", VisualBasicLanguage},
    {u"Fortran", FortranLanguage},
    {u"Erlang", ErlangLanguage},
    {u"MATLAB", MatlabLanguage},
    {u"Assembly", AssemblyLanguage},
    {u"AutoIt", AutoItLanguage},
    {u"Inno Setup", InnoSetupLanguage},
    {u"NSIS", NsisLanguage},
    {u"HCL/Terraform", HclLanguage},
};

}  // namespace

TUniLanguage LanguageByKey(QStringView key) {
  for (const TRegistryEntry &entry : KRegistry)
    if (entry.Key.compare(key, Qt::CaseInsensitive) == 0) return entry.Build();
  throw std::invalid_argument("Unknown language: " + key.toString().toStdString());
}

QStringList LanguageKeys() {
  QStringList keys;
  for (const TRegistryEntry &entry : KRegistry) keys.append(entry.Key.toString());
  return keys;
}
