#pragma once
// The keyword and value-word lists of every language that has words, exactly as stored.
#include <QStringList>

#include <span>

using TWordList = std::span<const char16_t *const>;

struct TLanguageWords {
  TWordList Keywords;
  TWordList Types;  // value words
};

QStringList Words(TWordList list);

// C-like languages
extern const TLanguageWords KCppWords, KCSharpWords, KJavaWords, KJavaScriptWords, KTypeScriptWords,
    KGoWords, KRustWords, KSwiftWords, KKotlinWords;
// Scripting and build languages
extern const TLanguageWords KPythonWords, KRubyWords, KPerlWords, KPhpCodeWords, KLuaWords,
    KShellWords, KPowerShellWords, KBatchWords, KAutoItWords, KNsisWords, KInnoSetupWords,
    KMakefileWords, KDockerfileWords;
// Data, query and configuration languages
extern const TLanguageWords KJsonWords, KSqlWords, KYamlWords, KTomlWords, KRegistryWords,
    KHclWords;
// Pascal, Basic, Fortran, Erlang, MATLAB and assembly
extern const TLanguageWords KPascalWords, KVisualBasicWords, KFortranWords, KErlangWords,
    KMatlabWords, KAssemblyWords;
// Style sheets and TeX
extern const TLanguageWords KCssWords, KTeXWords;
