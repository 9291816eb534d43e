// Pascal, Basic, Fortran, Erlang, MATLAB and assembly.
#include "KeywordLists.h"
#include "LanguageDefs.h"

using namespace Qt::Literals::StringLiterals;

TUniLanguage PascalLanguage() {
  return {.Name = u"Pascal"_s,
          .CaseSensitive = false,
          .Keywords = Words(KPascalWords.Keywords),
          .Types = Words(KPascalWords.Types),
          .LineComments = {u"//"_s},
          .BlockComments = {{u"{"_s, u"}"_s}, {u"(*"_s, u"*)"_s}},
          .Strings = {Quote(u"'", 0, qfDoubling)},
          .HexDollar = true};
}

TUniLanguage VisualBasicLanguage() {
  return {.Name = u"Visual Basic"_s,
          .CaseSensitive = false,
          .Keywords = Words(KVisualBasicWords.Keywords),
          .Types = Words(KVisualBasicWords.Types),
          .LineComments = {u"'"_s, u"rem"_s},
          .Strings = {Quote(u"\"", 0, qfDoubling)}};
}

TUniLanguage FortranLanguage() {
  return {.Name = u"Fortran"_s,
          .CaseSensitive = false,
          .Keywords = Words(KFortranWords.Keywords),
          .Types = Words(KFortranWords.Types),
          .LineComments = {u"!"_s},
          .Strings = {Quote(u"'", 0, qfDoubling), Quote(u"\"", 0, qfDoubling)}};
}

TUniLanguage ErlangLanguage() {
  return {.Name = u"Erlang"_s,
          .CaseSensitive = true,
          .Keywords = Words(KErlangWords.Keywords),
          .Types = Words(KErlangWords.Types),
          .LineComments = {u"%"_s},
          .Strings = {Quote(u"\"", KBackslash)},
          .PreprocChar = u'-'};
}

TUniLanguage MatlabLanguage() {
  return {.Name = u"MATLAB"_s,
          .CaseSensitive = true,
          .Keywords = Words(KMatlabWords.Keywords),
          .Types = Words(KMatlabWords.Types),
          .LineComments = {u"%"_s},
          .BlockComments = {{u"%{"_s, u"%}"_s, false, true}},
          .Strings = {Quote(u"'", 0, qfDoubling), Quote(u"\"", 0, qfDoubling)}};
}

TUniLanguage AssemblyLanguage() {
  return {.Name = u"Assembly"_s,
          .CaseSensitive = false,
          .Keywords = Words(KAssemblyWords.Keywords),
          .Types = Words(KAssemblyWords.Types),
          .LineComments = {u";"_s},
          .Strings = {Quote(u"\""), Quote(u"'")},
          .HexDollar = true,
          .FuncCalls = false};
}
