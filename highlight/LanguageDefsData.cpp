// Data, query and configuration languages: most of them mark keys and call no functions.
#include "KeywordLists.h"
#include "LanguageDefs.h"

using namespace Qt::Literals::StringLiterals;

TUniLanguage JsonLanguage() {
  return {.Name = u"JSON"_s,
          .CaseSensitive = true,
          .Keywords = Words(KJsonWords.Keywords),
          .Strings = {Quote(u"\"", KBackslash)},
          .FuncCalls = false};
}

TUniLanguage SqlLanguage() {
  return {.Name = u"SQL"_s,
          .CaseSensitive = false,
          .Keywords = Words(KSqlWords.Keywords),
          .Types = Words(KSqlWords.Types),
          .LineComments = {u"--"_s},
          .BlockComments = {{u"/*"_s, u"*/"_s}},
          .Strings = {Quote(u"'", 0, qfDoubling), Quote(u"\"", 0, qfDoubling)},
          .OracleQQuote = true};
}

TUniLanguage YamlLanguage() {
  return {.Name = u"YAML"_s,
          .CaseSensitive = true,
          .Keywords = Words(KYamlWords.Keywords),
          .LineComments = {u"#"_s},
          .Strings = {Quote(u"\"", KBackslash), Quote(u"'", 0, qfDoubling)},
          .IdentBodyExtra = u"_-."_s,
          .KeyDelims = u":"_s,
          .FuncCalls = false};
}

TUniLanguage TomlLanguage() {
  return {.Name = u"TOML"_s,
          .CaseSensitive = true,
          .Keywords = Words(KTomlWords.Keywords),
          .LineComments = {u"#"_s},
          .Strings = {Quote(u"\"\"\"", KBackslash, qfMultiline), Quote(u"\"", KBackslash),
                      Quote(u"'")},
          .IdentBodyExtra = u"_-."_s,
          .KeyDelims = u"="_s,
          .FuncCalls = false};
}

TUniLanguage IniLanguage() {
  return {.Name = u"INI"_s,
          .CaseSensitive = false,
          .LineComments = {u";"_s, u"#"_s},
          .Strings = {Quote(u"\"")},
          .IdentBodyExtra = u"_-. "_s,
          .KeyDelims = u"="_s,
          .FuncCalls = false};
}

TUniLanguage EnvLanguage() {
  return {.Name = u"ENV"_s,
          .CaseSensitive = true,
          .LineComments = {u"#"_s},
          .Strings = {Quote(u"\"", KBackslash), Quote(u"'")},
          .KeyDelims = u"="_s,
          .FuncCalls = false};
}

TUniLanguage RegistryLanguage() {
  return {.Name = u"Registry"_s,
          .CaseSensitive = false,
          .Keywords = Words(KRegistryWords.Keywords),
          .LineComments = {u";"_s},
          .Strings = {Quote(u"\"", KBackslash)},
          .IdentBodyExtra = u"_\\ "_s,
          .KeyDelims = u"="_s,
          .FuncCalls = false};
}

TUniLanguage HclLanguage() {
  return {.Name = u"HCL/Terraform"_s,
          .CaseSensitive = true,
          .Keywords = Words(KHclWords.Keywords),
          .Types = Words(KHclWords.Types),
          .LineComments = {u"#"_s, u"//"_s},
          .BlockComments = {{u"/*"_s, u"*/"_s}},
          .Strings = {Quote(u"\"", KBackslash)},
          .IdentBodyExtra = u"_-"_s,
          .KeyDelims = u"="_s};
}
