#pragma once
// The definition of every language, built fresh on each call. The registry finds them by key.
#include "UniLanguage.h"

// C-like languages
TUniLanguage CppLanguage();
TUniLanguage CSharpLanguage();
TUniLanguage JavaLanguage();
TUniLanguage JavaScriptLanguage();
TUniLanguage TypeScriptLanguage();
TUniLanguage GoLanguage();
TUniLanguage RustLanguage();
TUniLanguage SwiftLanguage();
TUniLanguage KotlinLanguage();
// Scripting and build languages
TUniLanguage PythonLanguage();
TUniLanguage RubyLanguage();
TUniLanguage PerlLanguage();
TUniLanguage PhpCodeLanguage();  // the code inside PHP blocks; not in the registry
TUniLanguage LuaLanguage();
TUniLanguage ShellLanguage();
TUniLanguage PowerShellLanguage();
TUniLanguage BatchLanguage();
TUniLanguage AutoItLanguage();
TUniLanguage NsisLanguage();
TUniLanguage InnoSetupLanguage();
TUniLanguage MakefileLanguage();
TUniLanguage DockerfileLanguage();
// Data, query and configuration languages
TUniLanguage JsonLanguage();
TUniLanguage SqlLanguage();
TUniLanguage YamlLanguage();
TUniLanguage TomlLanguage();
TUniLanguage IniLanguage();
TUniLanguage EnvLanguage();
TUniLanguage RegistryLanguage();
TUniLanguage HclLanguage();
// Pascal, Basic, Fortran, Erlang, MATLAB and assembly
TUniLanguage PascalLanguage();
TUniLanguage VisualBasicLanguage();
TUniLanguage FortranLanguage();
TUniLanguage ErlangLanguage();
TUniLanguage MatlabLanguage();
TUniLanguage AssemblyLanguage();
// Markup, style sheets and TeX
TUniLanguage PhpLanguage();
TUniLanguage XmlLanguage();
TUniLanguage HtmlLanguage();
TUniLanguage CssLanguage();
TUniLanguage MarkdownLanguage();
TUniLanguage TeXLanguage();
