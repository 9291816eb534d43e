// Scripting and build languages: mostly "#" comments, several with line-start-only blocks.
#include "KeywordLists.h"
#include "LanguageDefs.h"

using namespace Qt::Literals::StringLiterals;

TUniLanguage PythonLanguage() {
  return {.Name = u"Python"_s,
          .CaseSensitive = true,
          .Keywords = Words(KPythonWords.Keywords),
          .Types = Words(KPythonWords.Types),
          .LineComments = {u"#"_s},
          .Strings = {Quote(u"\"\"\"", KBackslash, qfMultiline),
                      Quote(u"'''", KBackslash, qfMultiline), Quote(u"\"", KBackslash),
                      Quote(u"'", KBackslash)},
          .PreprocChar = u'@'};
}

TUniLanguage RubyLanguage() {
  return {.Name = u"Ruby"_s,
          .CaseSensitive = true,
          .Keywords = Words(KRubyWords.Keywords),
          .Types = Words(KRubyWords.Types),
          .LineComments = {u"#"_s},
          .BlockComments = {{u"=begin"_s, u"=end"_s, false, true}},
          .Strings = CStyleStrings(),
          .IdentStartExtra = u"_@$"_s,
          .IdentBodyExtra = u"_?!"_s};
}

TUniLanguage PerlLanguage() {
  return {.Name = u"Perl"_s,
          .CaseSensitive = true,
          .Keywords = Words(KPerlWords.Keywords),
          .Types = Words(KPerlWords.Types),
          .LineComments = {u"#"_s},
          .BlockComments = {{u"=pod"_s, u"=cut"_s, false, true}},
          .Strings = CStyleStrings(),
          .IdentStartExtra = u"_$@%&"_s};
}

TUniLanguage PhpCodeLanguage() {
  return {.Name = u"PHP code"_s,
          .CaseSensitive = false,
          .Keywords = Words(KPhpCodeWords.Keywords),
          .Types = Words(KPhpCodeWords.Types),
          .LineComments = {u"//"_s, u"#"_s},
          .BlockComments = {{u"/*"_s, u"*/"_s}},
          .Strings = CStyleStrings(),
          .IdentStartExtra = u"_$"_s};
}

TUniLanguage LuaLanguage() {
  return {.Name = u"Lua"_s,
          .CaseSensitive = true,
          .Keywords = Words(KLuaWords.Keywords),
          .Types = Words(KLuaWords.Types),
          .LineComments = {u"--"_s},
          .BlockComments = {{u"--[["_s, u"]]"_s}},
          .Strings = {Quote(u"[[", 0, qfMultiline, u"]]"), Quote(u"\"", KBackslash),
                      Quote(u"'", KBackslash)}};
}

TUniLanguage ShellLanguage() {
  return {.Name = u"Shell"_s,
          .CaseSensitive = true,
          .Keywords = Words(KShellWords.Keywords),
          .Types = Words(KShellWords.Types),
          .LineComments = {u"#"_s},
          .Strings = {Quote(u"\"", KBackslash, qfMultiline), Quote(u"'", 0, qfMultiline),
                      Quote(u"`", KBackslash)},
          .IdentStartExtra = u"_$"_s,
          .IdentBodyExtra = u"_-."_s,
          .KeyDelims = u"="_s,
          .KeyAfterKeyword = true};
}

TUniLanguage PowerShellLanguage() {
  return {.Name = u"PowerShell"_s,
          .CaseSensitive = false,
          .Keywords = Words(KPowerShellWords.Keywords),
          .Types = Words(KPowerShellWords.Types),
          .LineComments = {u"#"_s},
          .BlockComments = {{u"<#"_s, u"#>"_s}},
          .Strings = {Quote(u"\"", u'`'), Quote(u"'", 0, qfDoubling)},
          .IdentStartExtra = u"_$"_s,
          .IdentBodyExtra = u"_-"_s};
}

TUniLanguage BatchLanguage() {
  return {.Name = u"Batch"_s,
          .CaseSensitive = false,
          .Keywords = Words(KBatchWords.Keywords),
          .LineComments = {u"rem"_s, u"::"_s},
          .Strings = {Quote(u"\"")},
          .IdentStartExtra = u"_%"_s,
          .IdentBodyExtra = u"_%"_s,
          .FuncCalls = false};
}

TUniLanguage AutoItLanguage() {
  return {.Name = u"AutoIt"_s,
          .CaseSensitive = false,
          .Keywords = Words(KAutoItWords.Keywords),
          .Types = Words(KAutoItWords.Types),
          .LineComments = {u";"_s},
          .BlockComments = {{u"#cs"_s, u"#ce"_s, false, true}},
          .Strings = {Quote(u"\"", 0, qfDoubling), Quote(u"'", 0, qfDoubling)},
          .IdentStartExtra = u"_$@"_s};
}

TUniLanguage NsisLanguage() {
  return {.Name = u"NSIS"_s,
          .CaseSensitive = false,
          .Keywords = Words(KNsisWords.Keywords),
          .Types = Words(KNsisWords.Types),
          .LineComments = {u";"_s, u"#"_s},
          .BlockComments = {{u"/*"_s, u"*/"_s}},
          .Strings = {Quote(u"\"", u'$'), Quote(u"'", u'$'), Quote(u"`", u'$')},
          .IdentStartExtra = u"_$"_s,
          .IdentBodyExtra = u"_{}"_s,
          .PreprocChar = u'!'};
}

TUniLanguage InnoSetupLanguage() {
  return {.Name = u"Inno Setup"_s,
          .CaseSensitive = false,
          .Keywords = Words(KInnoSetupWords.Keywords),
          .Types = Words(KInnoSetupWords.Types),
          .LineComments = {u"//"_s},
          .LineStartComments = {u";"_s},
          .BlockComments = {{u"{"_s, u"}"_s}, {u"(*"_s, u"*)"_s}},
          .Strings = {Quote(u"'", 0, qfDoubling), Quote(u"\"")},
          .PreprocChar = u'#',
          .KeyDelims = u"=:"_s,
          .KeyAnywhere = true};
}

TUniLanguage MakefileLanguage() {
  return {.Name = u"Makefile"_s,
          .CaseSensitive = true,
          .Keywords = Words(KMakefileWords.Keywords),
          .Types = Words(KMakefileWords.Types),
          .LineComments = {u"#"_s},
          .Strings = {Quote(u"\"", KBackslash), Quote(u"'")},
          .IdentBodyExtra = u"_-."_s,
          .KeyDelims = u":"_s};
}

TUniLanguage DockerfileLanguage() {
  return {.Name = u"Dockerfile"_s,
          .CaseSensitive = false,
          .Keywords = Words(KDockerfileWords.Keywords),
          .Types = Words(KDockerfileWords.Types),
          .LineComments = {u"#"_s},
          .Strings = {Quote(u"\"", KBackslash), Quote(u"'")},
          .IdentBodyExtra = u"_-"_s};
}
