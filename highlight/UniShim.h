#pragma once
// TUniShim: a TUniHighlighter bound to one registered language by its key, and the 41 highlighter
// classes of the program, one per key.
#include "UniHighlighter.h"

#include <algorithm>

class TUniShim : public TUniHighlighter {
 public:
  const QString &LanguageKey() const { return FKey; }

 protected:
  explicit TUniShim(QStringView key);

 private:
  void AttachIslands();

  QString FKey;
};

// A registry key as a template argument, so that each language gets a class of its own.
template <size_t N>
struct TLanguageKeyLiteral {
  constexpr TLanguageKeyLiteral(const char16_t (&key)[N]) { std::copy_n(key, N, Chars); }
  constexpr QStringView View() const { return QStringView(Chars, qsizetype(N - 1)); }
  char16_t Chars[N];
};

template <TLanguageKeyLiteral Key>
class TUniShimFor final : public TUniShim {
 public:
  TUniShimFor() : TUniShim(Key.View()) {}
};

using TMEPasHighlighter = TUniShimFor<u"Pascal">;
using TMEJSONHighlighter = TUniShimFor<u"JSON">;
using TMEHTMLHighlighter = TUniShimFor<u"HTML">;
using TMECssHighlighter = TUniShimFor<u"CSS">;
using TMEJScriptHighlighter = TUniShimFor<u"JavaScript">;
using TMEPHPHighlighter = TUniShimFor<u"PHP">;
using TMEPythonHighlighter = TUniShimFor<u"Python">;
using TMEUNIXShellScriptHighlighter = TUniShimFor<u"Shell">;
using TMECppHighlighter = TUniShimFor<u"C/C++">;
using TMEAsmHighlighter = TUniShimFor<u"Assembly">;
using TMEBatHighlighter = TUniShimFor<u"Batch">;
using TMECSHighlighter = TUniShimFor<u"C#">;
using TMEFortranHighlighter = TUniShimFor<u"Fortran">;
using TMEJavaHighlighter = TUniShimFor<u"Java">;
using TMEMarkdownHighlighter = TUniShimFor<u"Markdown">;
using TMEPerlHighlighter = TUniShimFor<u"Perl">;
using TMERubyHighlighter = TUniShimFor<u"Ruby">;
using TMESQLHighlighter = TUniShimFor<u"SQL">;
using TMETeXHighlighter = TUniShimFor<u"TeX">;
using TMEVBHighlighter = TUniShimFor<u"Visual Basic">;
using TMEXMLHighlighter = TUniShimFor<u"XML">;
using TMEYAMLHighlighter = TUniShimFor<u"YAML">;
using TMEIniHighlighter = TUniShimFor<u"INI">;
using TMEInnoHighlighter = TUniShimFor<u"Inno Setup">;
using TMEGoHighlighter = TUniShimFor<u"Go">;
using TMEAutoItHighlighter = TUniShimFor<u"AutoIt">;
using TMELuaHighlighter = TUniShimFor<u"Lua">;
using TMEMakefileHighlighter = TUniShimFor<u"Makefile">;
using TMEPowerShellHighlighter = TUniShimFor<u"PowerShell">;
using TMERustHighlighter = TUniShimFor<u"Rust">;
using TMENSISHighlighter = TUniShimFor<u"NSIS">;
using TMETypeScriptHighlighter = TUniShimFor<u"TypeScript">;
using TMEErlangHighlighter = TUniShimFor<u"Erlang">;
using TMEMatlabHighlighter = TUniShimFor<u"MATLAB">;
using TMESwiftHighlighter = TUniShimFor<u"Swift">;
using TMEKotlinHighlighter = TUniShimFor<u"Kotlin">;
using TMETOMLHighlighter = TUniShimFor<u"TOML">;
using TMEHCLHighlighter = TUniShimFor<u"HCL/Terraform">;
using TMEENVHighlighter = TUniShimFor<u"ENV">;
using TMERegistryHighlighter = TUniShimFor<u"Registry">;
using TMEDockerfileHighlighter = TUniShimFor<u"Dockerfile">;
