// Word lists of the style sheets and TeX, in stored order.
#include "KeywordLists.h"

namespace {

// CSS
constexpr const char16_t *CssKeywords[] = {
    u"important", u"inherit", u"initial", u"unset", u"revert", u"auto", u"none", u"normal", u"and",
    u"not", u"only", u"screen", u"print", u"hover", u"focus", u"active", u"root", u"before",
    u"after",
};
constexpr const char16_t *CssTypes[] = {
    u"px", u"em", u"rem", u"vh", u"vw", u"pt", u"fr", u"deg", u"rgb", u"rgba", u"hsl", u"hsla",
    u"var", u"calc", u"url", u"linear-gradient", u"translate", u"rotate", u"scale", u"flex",
    u"grid", u"block", u"inline", u"absolute", u"relative", u"fixed", u"solid", u"bold", u"italic",
    u"center",
};

// TeX
constexpr const char16_t *TeXKeywords[] = {
    u"\\begin", u"\\end", u"\\documentclass", u"\\usepackage", u"\\title", u"\\author", u"\\date",
    u"\\maketitle", u"\\section", u"\\subsection", u"\\subsubsection", u"\\chapter", u"\\paragraph",
    u"\\item", u"\\label", u"\\ref", u"\\cite", u"\\caption", u"\\includegraphics", u"\\textbf",
    u"\\textit", u"\\emph", u"\\frac", u"\\sum", u"\\int", u"\\alpha", u"\\beta", u"\\gamma",
    u"\\newcommand", u"\\input", u"\\include", u"\\footnote", u"\\tableofcontents",
    u"\\bibliography",
};

}  // namespace

constinit const TLanguageWords KCssWords{CssKeywords, CssTypes};
constinit const TLanguageWords KTeXWords{TeXKeywords, {}};
