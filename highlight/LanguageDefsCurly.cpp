// C-like languages: "//" and "/*" comments, C-style literals.
#include "KeywordLists.h"
#include "LanguageDefs.h"

using namespace Qt::Literals::StringLiterals;

TUniLanguage CppLanguage() {
  return {.Name = u"C/C++"_s,
          .CaseSensitive = true,
          .Keywords = Words(KCppWords.Keywords),
          .Types = Words(KCppWords.Types),
          .LineComments = {u"//"_s},
          .BlockComments = {{u"/*"_s, u"*/"_s}},
          .Strings = CStyleStrings(),
          .PreprocChar = u'#'};
}

TUniLanguage CSharpLanguage() {
  return {.Name = u"C#"_s,
          .CaseSensitive = true,
          .Keywords = Words(KCSharpWords.Keywords),
          .Types = Words(KCSharpWords.Types),
          .LineComments = {u"//"_s},
          .BlockComments = {{u"/*"_s, u"*/"_s}},
          .Strings = {Quote(u"@\"", 0, qfDoubling | qfMultiline, u"\""),
                      Quote(u"$\"", KBackslash, qfNone, u"\""), Quote(u"\"", KBackslash),
                      Quote(u"'", KBackslash)},
          .PreprocChar = u'#'};
}

TUniLanguage JavaLanguage() {
  return {.Name = u"Java"_s,
          .CaseSensitive = true,
          .Keywords = Words(KJavaWords.Keywords),
          .Types = Words(KJavaWords.Types),
          .LineComments = {u"//"_s},
          .BlockComments = {{u"/*"_s, u"*/"_s}},
          .Strings = {Quote(u"\"\"\"", KBackslash, qfMultiline), Quote(u"\"", KBackslash),
                      Quote(u"'", KBackslash)},
          .PreprocChar = u'@'};
}

TUniLanguage JavaScriptLanguage() {
  return {.Name = u"JavaScript"_s,
          .CaseSensitive = true,
          .Keywords = Words(KJavaScriptWords.Keywords),
          .Types = Words(KJavaScriptWords.Types),
          .LineComments = {u"//"_s},
          .BlockComments = {{u"/*"_s, u"*/"_s}},
          .Strings = {Quote(u"`", KBackslash, qfMultiline), Quote(u"\"", KBackslash),
                      Quote(u"'", KBackslash)},
          .IdentStartExtra = u"_$"_s,
          .IdentBodyExtra = u"_$"_s};
}

TUniLanguage TypeScriptLanguage() {
  TUniLanguage lang = JavaScriptLanguage();
  lang.Name = u"TypeScript"_s;
  lang.Keywords += Words(KTypeScriptWords.Keywords);
  lang.Types += Words(KTypeScriptWords.Types);
  return lang;
}

TUniLanguage GoLanguage() {
  return {.Name = u"Go"_s,
          .CaseSensitive = true,
          .Keywords = Words(KGoWords.Keywords),
          .Types = Words(KGoWords.Types),
          .LineComments = {u"//"_s},
          .BlockComments = {{u"/*"_s, u"*/"_s}},
          .Strings = {Quote(u"`", 0, qfMultiline), Quote(u"\"", KBackslash),
                      Quote(u"'", KBackslash)}};
}

TUniLanguage RustLanguage() {
  return {.Name = u"Rust"_s,
          .CaseSensitive = true,
          .Keywords = Words(KRustWords.Keywords),
          .Types = Words(KRustWords.Types),
          .LineComments = {u"//"_s},
          .BlockComments = {{u"/*"_s, u"*/"_s, true}},
          .Strings = {Quote(u"\"", KBackslash, qfMultiline)},
          .PreprocChar = u'#'};
}

TUniLanguage SwiftLanguage() {
  return {.Name = u"Swift"_s,
          .CaseSensitive = true,
          .Keywords = Words(KSwiftWords.Keywords),
          .Types = Words(KSwiftWords.Types),
          .LineComments = {u"//"_s},
          .BlockComments = {{u"/*"_s, u"*/"_s, true}},
          .Strings = {Quote(u"\"\"\"", KBackslash, qfMultiline), Quote(u"\"", KBackslash)},
          .PreprocChar = u'@'};
}

TUniLanguage KotlinLanguage() {
  return {.Name = u"Kotlin"_s,
          .CaseSensitive = true,
          .Keywords = Words(KKotlinWords.Keywords),
          .Types = Words(KKotlinWords.Types),
          .LineComments = {u"//"_s},
          .BlockComments = {{u"/*"_s, u"*/"_s, true}},
          .Strings = {Quote(u"\"\"\"", 0, qfMultiline), Quote(u"\"", KBackslash),
                      Quote(u"'", KBackslash)},
          .PreprocChar = u'@'};
}
