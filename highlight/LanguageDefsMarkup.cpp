// Markup, style sheets and TeX. The markup languages carry no settings of their own: their
// tokenizers know their syntax.
#include "KeywordLists.h"
#include "LanguageDefs.h"

using namespace Qt::Literals::StringLiterals;

TUniLanguage PhpLanguage() {
  return {.Name = u"PHP"_s, .CaseSensitive = false, .Markup = umXml};
}

TUniLanguage XmlLanguage() {
  return {.Name = u"XML"_s, .CaseSensitive = true, .Markup = umXml};
}

TUniLanguage HtmlLanguage() {
  return {.Name = u"HTML"_s, .CaseSensitive = false, .Markup = umXml};
}

TUniLanguage CssLanguage() {
  return {.Name = u"CSS"_s,
          .CaseSensitive = false,
          .Keywords = Words(KCssWords.Keywords),
          .Types = Words(KCssWords.Types),
          .BlockComments = {{u"/*"_s, u"*/"_s}},
          .Strings = CStyleStrings(),
          .IdentBodyExtra = u"_-"_s,
          .PreprocChar = u'@',
          .KeyDelims = u":"_s};
}

TUniLanguage MarkdownLanguage() {
  return {.Name = u"Markdown"_s, .CaseSensitive = true, .Markup = umMarkdown};
}

TUniLanguage TeXLanguage() {
  return {.Name = u"TeX"_s,
          .CaseSensitive = true,
          .Keywords = Words(KTeXWords.Keywords),
          .LineComments = {u"%"_s},
          .Strings = {Quote(u"$")},
          .IdentStartExtra = u"_\\"_s,
          .FuncCalls = false};
}
