#pragma once
// Tokens as one line of text, "start,len,kind" each, so an expectation is one string comparison.
// An attribute other than the kind's own is added after a slash ("1,3,id/Function").
#include "highlight/CustomHighlighter.h"

#include <QStringList>

inline QString DumpTokens(const TMETokenList &tokens, const TMECustomHighlighter &highlighter) {
  static const char *const KKinds[KTokenKindCount] = {"txt",  "ws",  "com",  "str",  "num",  "kw",
                                                      "id",   "sym", "pre",  "el",   "attr", "val",
                                                      "head", "em",  "link", "list", "err"};
  QStringList parts;
  for (const TMEToken &token : tokens) {
    QString part = QString::number(token.StartCol) + u',' + QString::number(token.Len) + u',' +
                   QLatin1String(KKinds[token.Kind]);
    if (token.Attr && token.Attr != highlighter.AttributeForKind(token.Kind))
      part += u'/' + token.Attr->Name();
    parts.append(part);
  }
  return parts.join(u' ');
}

// Tokenizes one line and dumps it; outState receives the line's end state.
inline QString TokenizeToDump(TMECustomHighlighter &highlighter, QStringView line,
                              TLineState inState = 0, TLineState *outState = nullptr) {
  TMETokenList tokens;
  TLineState out = 0;
  highlighter.TokenizeLine(line, inState, tokens, out);
  if (outState) *outState = out;
  return DumpTokens(tokens, highlighter);
}
