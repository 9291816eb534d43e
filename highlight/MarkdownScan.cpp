// The Markdown tokenizer: whole-line fences, headings and block quotes, and inline bullets, code
// spans, links, brackets and emphasis markers. Its line state is 1 inside a fenced block.
#include "LineScan.h"

#include "core/CaseFold.h"

namespace {

constexpr TLineState KInFence = 1;

}  // namespace

class TUniHighlighter::TMarkdownScan : TLineScan {
 public:
  TMarkdownScan(const TUniHighlighter &hl, QStringView line, TMETokenList &tokens)
      : TLineScan(hl, line, tokens) {}

  TLineState Run(TLineState inState);

 private:
  bool IsSpace(char16_t c) const { return FHl.FClasses.Is(c, ccSpace); }
  bool IsBullet(qsizetype j) const {
    return j == FFirst && (FText[j] == u'*' || FText[j] == u'+' || FText[j] == u'-') &&
           j + 1 < FLength && FText[j + 1] == u' ';
  }
  qsizetype LinkPrefixAt(qsizetype j) const;
  void Inline();

  qsizetype FFirst = 0;  // the first unit that is not white space; FLength on a blank line
};

TLineState TUniHighlighter::TokenizeMarkdown(QStringView line, TLineState inState,
                                             TMETokenList &tokens) const {
  return TMarkdownScan(*this, line, tokens).Run(inState);
}

TLineState TUniHighlighter::TMarkdownScan::Run(TLineState inState) {
  while (FFirst < FLength && IsSpace(FText[FFirst])) ++FFirst;
  const char16_t first = FFirst < FLength ? FText[FFirst] : 0;
  // Either fence character closes a block that the other one opened.
  if (FFirst + 2 < FLength && (first == u'`' || first == u'~') && FText[FFirst + 1] == first &&
      FText[FFirst + 2] == first) {
    Emit(0, FLength, tkSymbol, &FHl.FAttrBracket);
    return inState == KInFence ? 0 : KInFence;
  }
  if (inState == KInFence) {
    Emit(0, FLength, tkText, &FHl.FAttrText);
    return KInFence;
  }
  if (first == u'#')
    Emit(0, FLength, tkHeading, &FHl.FAttrHeading);
  else if (first == u'>')
    Emit(0, FLength, tkComment, &FHl.FAttrComment);
  else
    Inline();
  return 0;
}

qsizetype TUniHighlighter::TMarkdownScan::LinkPrefixAt(qsizetype j) const {
  static constexpr QStringView KPrefixes[] = {u"http://", u"https://", u"www.", u"mailto:"};
  const char16_t c = FText[j] | 0x20;  // a cheap first test: every prefix starts h, w or m
  if (c != u'h' && c != u'w' && c != u'm') return 0;
  for (QStringView prefix : KPrefixes) {
    const qsizetype n = prefix.size();
    if (j + n > FLength) continue;
    qsizetype k = 0;
    while (k < n && FoldCase(FText[j + k]) == prefix[k]) ++k;
    if (k == n) return n;
  }
  return 0;
}

void TUniHighlighter::TMarkdownScan::Inline() {
  qsizetype j = 0;
  while (j < FLength) {
    const char16_t c = FText[j];
    const qsizetype start = j;
    qsizetype closer;
    if (IsBullet(j)) {
      Emit(j++, 1, tkList, &FHl.FAttrBracket);
    } else if (c == u'`' && (closer = FLine.indexOf(u'`', j + 1)) >= 0) {
      j = closer + 1;
      Emit(start, j - start, tkString, &FHl.FAttrString);
    } else if (const qsizetype prefix = LinkPrefixAt(j); prefix > 0) {
      for (j += prefix; j < FLength; ++j) {
        const char16_t u = FText[j];
        if (IsSpace(u) || u == u'"' || u == u'\'' || u == u')' || u == u'>' || u == u']') break;
      }
      Emit(start, j - start, tkLink, &FHl.FAttrLink);
    } else if (c == u'(' || c == u')' || c == u'[' || c == u']') {
      Emit(j++, 1, tkSymbol, &FHl.FAttrBracket);
    } else if (c == u'*' || c == u'_') {
      Emit(j++, 1, tkEmphasis, &FHl.FAttrEmphasis);
    } else {
      // A run also stops before an indented bullet, which would otherwise hide in its blanks.
      for (++j; j < FLength; ++j) {
        const char16_t u = FText[j];
        if (u == u'(' || u == u')' || u == u'*' || u == u'[' || u == u']' || u == u'_' ||
            u == u'`' || LinkPrefixAt(j) > 0 || IsBullet(j))
          break;
      }
      Emit(start, j - start, tkText, &FHl.FAttrText);
    }
  }
}
