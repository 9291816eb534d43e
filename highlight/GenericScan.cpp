// The generic scanner: one pass over a line, driven by the language's tables. It never fails and
// covers every code unit with exactly one token.
#include "LineScan.h"

#include "core/CaseFold.h"

#include <algorithm>

namespace {

// Bits 8 and up of a state hold the nesting depth, which saturates here instead of overflowing.
constexpr quint32 KMaxDepth = 0xFFFFFF;

TLineState ContextState(int context, quint32 depth) {
  return (qBound(1u, depth, KMaxDepth) << 8) | quint32(context + 1);
}

bool IsHexDigit(char16_t c) {
  return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

}  // namespace

class TUniHighlighter::TGenericScan : TLineScan {
 public:
  TGenericScan(const TUniHighlighter &hl, QStringView text, TMETokenList &tokens, qsizetype column,
               qsizetype *closeAt)
      : TLineScan(hl, text, tokens, column), FLang(hl.FLang), FCloseAt(closeAt) {}

  TLineState Run(TLineState inState);

 private:
  enum TStep { stNone, stNext, stStop };  // not here / consumed / the line is done

  bool Is(char16_t c, quint8 classes) const { return FHl.FClasses.Is(c, classes); }
  // Defined in the class so that the scanning loops inline it.
  bool MatchAt(QStringView marker, qsizetype i) const {
    const qsizetype n = marker.size();
    if (n == 0 || i + n > FLength) return false;
    const char16_t *m = marker.utf16();
    if (FLang.CaseSensitive) {
      for (qsizetype k = 0; k < n; ++k)
        if (FText[i + k] != m[k]) return false;
    } else {
      for (qsizetype k = 0; k < n; ++k)
        if (FoldCase(FText[i + k]) != FoldCase(m[k])) return false;
    }
    return true;
  }
  char16_t Folded(char16_t c) const { return FLang.CaseSensitive ? c : FoldCase(c); }
  qsizetype SkipSpaces(qsizetype i) const {
    while (i < FLength && FText[i] == u' ') ++i;
    return i;
  }

  bool ScanContext(const TUniContext &context, quint32 &depth);
  bool ScanToClose(QStringView open, QStringView close, char16_t escape, bool doubling,
                   bool nestable, quint32 &depth);
  bool LineCommentAt() const;
  bool PhpCloseAt(qsizetype i) const {
    return FCloseAt && FText[i] == u'?' && i + 1 < FLength && FText[i + 1] == u'>';
  }
  TStep Comments();
  TStep Strings();
  void Whitespace();
  void Preprocessor();
  bool QQuote();
  void Number();
  void Word();
  void Single(TMETokenKind kind, const TMEHighlighterAttributes *attr, bool keepKey);

  const TUniLanguage &FLang;
  qsizetype *const FCloseAt;
  qsizetype FPos = 0;
  bool FKeyPos = true;        // a plain word here may be a key
  bool FSignificant = false;  // something other than blanks and comments was seen
  TLineState FOutState = 0;
};

TLineState TUniHighlighter::TokenizeGeneric(QStringView text, TLineState inState,
                                            TMETokenList &tokens, qsizetype column,
                                            qsizetype *closeAt) const {
  if (closeAt) *closeAt = -1;
  return TGenericScan(*this, text, tokens, column, closeAt).Run(inState);
}

TLineState TUniHighlighter::TGenericScan::Run(TLineState inState) {
  // A state that names no context of this language is taken as nothing open.
  const quint32 open = inState & 0xFF;
  if (open >= 1 && open <= quint32(FHl.FContexts.size())) {
    const TUniContext &context = FHl.FContexts[open - 1];
    quint32 depth = qMax(inState >> 8, 1u);
    const bool closed = ScanContext(context, depth);
    Emit(0, FPos, context.Kind, FHl.AttributeForKind(context.Kind));
    if (!closed) return ContextState(int(open - 1), depth);
    FKeyPos = false;
  }
  while (FPos < FLength) {
    const char16_t c = FText[FPos];
    const quint8 classes = FHl.FClasses.Of(c);
    if (classes & ccSpace) {
      Whitespace();
      continue;
    }
    if (classes & ccMarkerStart) {
      const TStep step = Comments();
      if (step == stStop) return FOutState;
      if (step == stNext) continue;
    }
    if (!FSignificant && FLang.PreprocChar != 0 && c == FLang.PreprocChar) {
      Preprocessor();
      continue;
    }
    FSignificant = true;
    if (FLang.OracleQQuote && (c == u'q' || c == u'Q') && QQuote()) continue;
    if (classes & ccMarkerStart) {
      const TStep step = Strings();
      if (step == stStop) return FOutState;
      if (step == stNext) continue;
    }
    if ((classes & ccDigit) ||
        (FLang.HexDollar && c == u'$' && FPos + 1 < FLength && IsHexDigit(FText[FPos + 1]))) {
      Number();
    } else if (classes & ccIdentStart) {
      Word();
    } else if (classes & ccBracket) {
      Single(tkSymbol, &FHl.FAttrBracket, true);
    } else if (c == u'-' && FKeyPos) {  // "- name:" in a YAML list still has its key
      Single(tkSymbol, &FHl.FAttrSymbol, true);
    } else if (classes & ccSymbol) {
      // In PHP code "?" is never part of a word, a number or a marker: it stands alone here.
      if (PhpCloseAt(FPos)) {
        *FCloseAt = FPos;
        return 0;
      }
      Single(tkSymbol, &FHl.FAttrSymbol, false);
    } else {
      Single(tkText, &FHl.FAttrText, false);
    }
  }
  return 0;
}

bool TUniHighlighter::TGenericScan::ScanContext(const TUniContext &context, quint32 &depth) {
  if (context.LineStartOnly) {
    // Only ever resumed at column 1: the line is comment whether or not it closes the block.
    FPos = FLength;
    return MatchAt(context.CloseMarker, 0);
  }
  return ScanToClose(context.OpenMarker, context.CloseMarker, context.Escape, context.Doubling,
                     context.Nestable, depth);
}

bool TUniHighlighter::TGenericScan::ScanToClose(QStringView open, QStringView close,
                                                char16_t escape, bool doubling, bool nestable,
                                                quint32 &depth) {
  // Only these units can start an escape, a closer or a nested opener: skip everything else.
  const char16_t closeFirst = close.isEmpty() ? 0 : Folded(close[0].unicode());
  const char16_t openFirst = nestable && !open.isEmpty() ? Folded(open[0].unicode()) : closeFirst;
  while (FPos < FLength) {
    const char16_t c = FText[FPos];
    if (c != escape) {
      const char16_t folded = Folded(c);
      if (folded != closeFirst && folded != openFirst) {
        ++FPos;
        continue;
      }
    }
    if (escape != 0 && FText[FPos] == escape && FPos + 1 < FLength) {
      FPos += 2;
    } else if (doubling && MatchAt(close, FPos) && MatchAt(close, FPos + close.size())) {
      FPos += 2 * close.size();
    } else if (nestable && MatchAt(open, FPos)) {
      if (depth < KMaxDepth) ++depth;
      FPos += open.size();
    } else if (MatchAt(close, FPos)) {
      FPos += close.size();
      if (--depth == 0) return true;
    } else {
      ++FPos;
    }
  }
  return false;
}

bool TUniHighlighter::TGenericScan::LineCommentAt() const {
  for (const QString &marker : FLang.LineComments) {
    if (!MatchAt(marker, FPos)) continue;
    const qsizetype n = marker.size();
    // A marker spelt with letters ("rem") must stand as a word of its own.
    if (Is(marker.front().unicode(), ccLetter) && FPos > 0 && Is(FText[FPos - 1], ccIdentBody))
      continue;
    if (Is(marker.back().unicode(), ccLetter) && FPos + n < FLength &&
        Is(FText[FPos + n], ccIdentBody))
      continue;
    if (marker != u"#") return true;
    // "#" inside a word or after a symbol ("a#b", "$#") is not a comment.
    if (FPos == 0 || Is(FText[FPos - 1], ccSpace) ||
        QStringView(u"(;[{").contains(QChar(FText[FPos - 1])))
      return true;
  }
  return false;
}

TUniHighlighter::TGenericScan::TStep TUniHighlighter::TGenericScan::Comments() {
  const qsizetype start = FPos;
  for (int k = 0; k < FLang.BlockComments.size(); ++k) {
    const TUniBlockComment &comment = FLang.BlockComments[k];
    if ((comment.LineStartOnly && FPos != 0) || !MatchAt(comment.OpenMarker, FPos)) continue;
    if (comment.LineStartOnly) {
      FPos = FLength;
      Emit(start, FLength - start, tkComment, &FHl.FAttrComment);
      FOutState = ContextState(k, 1);
      return stStop;
    }
    FPos += comment.OpenMarker.size();
    quint32 depth = 1;
    const bool closed = ScanContext(FHl.FContexts[k], depth);
    Emit(start, FPos - start, tkComment, &FHl.FAttrComment);
    if (closed) return stNext;
    FOutState = ContextState(k, depth);
    return stStop;
  }
  const bool lineStart =
      !FSignificant && std::any_of(FLang.LineStartComments.begin(), FLang.LineStartComments.end(),
                                   [this](const QString &marker) { return MatchAt(marker, FPos); });
  if (!lineStart && !LineCommentAt()) return stNone;
  // A "?>" ends a PHP block even inside a line comment.
  FPos = FLength;
  if (FCloseAt) {
    for (qsizetype i = start; i < FLength; ++i)
      if (PhpCloseAt(i)) {
        *FCloseAt = FPos = i;
        break;
      }
  }
  Emit(start, FPos - start, tkComment, &FHl.FAttrComment);
  FOutState = 0;
  return stStop;
}

TUniHighlighter::TGenericScan::TStep TUniHighlighter::TGenericScan::Strings() {
  const qsizetype start = FPos;
  for (int i = 0; i < FLang.Strings.size(); ++i) {
    const TUniStringSpec &spec = FLang.Strings[i];
    if (!MatchAt(spec.OpenMarker, FPos)) continue;
    FPos += spec.OpenMarker.size();
    quint32 depth = 1;
    const bool closed =
        ScanToClose(spec.OpenMarker, spec.CloseMarker, spec.Escape, spec.Doubling, false, depth);
    Emit(start, FPos - start, tkString, &FHl.FAttrString);
    if (closed || !spec.Multiline) {
      FKeyPos = false;
      return stNext;
    }
    FOutState = ContextState(FHl.FStringContexts[i], 1);
    return stStop;
  }
  return stNone;
}

void TUniHighlighter::TGenericScan::Whitespace() {
  const qsizetype start = FPos;
  while (FPos < FLength && Is(FText[FPos], ccSpace)) ++FPos;
  Emit(start, FPos - start, tkWhitespace, &FHl.FAttrText);
}

void TUniHighlighter::TGenericScan::Preprocessor() {
  const qsizetype start = FPos++;
  FSignificant = true;
  while (FPos < FLength && (Is(FText[FPos], ccLetter | ccDigit) || FText[FPos] == u'-')) ++FPos;
  Emit(start, FPos - start, tkPreprocessor, &FHl.FAttrPreproc);
  FKeyPos = false;
}

bool TUniHighlighter::TGenericScan::QQuote() {
  if (FPos + 2 >= FLength || FText[FPos + 1] != u'\'' ||
      (FPos > 0 && Is(FText[FPos - 1], ccIdentBody)))
    return false;
  const char16_t open = FText[FPos + 2];
  const char16_t close = open == u'('   ? u')'
                         : open == u'<' ? u'>'
                         : open == u'[' ? u']'
                         : open == u'{' ? u'}'
                                        : open;
  qsizetype end = FLength;
  for (qsizetype i = FPos + 3; i + 1 < FLength; ++i)
    if (FText[i] == close && FText[i + 1] == u'\'') {
      end = i + 2;
      break;
    }
  Emit(FPos, end - FPos, tkString, &FHl.FAttrString);
  FPos = end;
  FKeyPos = false;
  return true;
}

void TUniHighlighter::TGenericScan::Number() {
  const qsizetype start = FPos;
  if (FText[FPos] == u'$') {
    ++FPos;
    while (FPos < FLength && Is(FText[FPos], ccLetter | ccDigit)) ++FPos;
  } else if (FText[FPos] == u'0' && FPos + 1 < FLength &&
             QStringView(u"bBoOxX").contains(QChar(FText[FPos + 1]))) {
    FPos += 2;
    while (FPos < FLength && (Is(FText[FPos], ccLetter | ccDigit) || FText[FPos] == u'_')) ++FPos;
  } else {
    bool dot = false;
    while (FPos < FLength) {
      const char16_t c = FText[FPos];
      const char16_t next = FPos + 1 < FLength ? FText[FPos + 1] : 0;
      if (Is(c, ccDigit) || c == u'_') {
        ++FPos;
      } else if (c == u'.' && !dot && Is(next, ccDigit)) {
        dot = true;
        ++FPos;
      } else if ((c == u'e' || c == u'E') && (Is(next, ccDigit) || next == u'+' || next == u'-')) {
        FPos += 2;
      } else {
        break;
      }
    }
    while (FPos < FLength && Is(FText[FPos], ccLetter)) ++FPos;  // suffixes: 1.5f, 10px, 42UL
  }
  Emit(start, FPos - start, tkNumber, &FHl.FAttrNumber);
  FKeyPos = false;
}

void TUniHighlighter::TGenericScan::Word() {
  const qsizetype start = FPos++;
  while (FPos < FLength && Is(FText[FPos], ccIdentBody)) ++FPos;
  const TWordCategory category = FHl.FWords.Find(QStringView(FText + start, FPos - start));
  if (category == wcKeyword) {
    Emit(start, FPos - start, tkKeyword, &FHl.FAttrKeyword);
    FKeyPos = FKeyPos && FLang.KeyAfterKeyword;  // "export NAME=": NAME is still a key
    return;
  }
  TMETokenKind kind = category == wcValue ? tkValue : tkIdentifier;
  const TMEHighlighterAttributes *attr = category == wcValue ? &FHl.FAttrType : &FHl.FAttrText;
  if (kind == tkIdentifier && (FKeyPos || FLang.KeyAnywhere) && !FLang.KeyDelims.isEmpty()) {
    const qsizetype next = SkipSpaces(FPos);
    // ":=" is an assignment, never a key delimiter.
    if (next < FLength && FLang.KeyDelims.contains(QChar(FText[next])) &&
        !(FText[next] == u':' && next + 1 < FLength && FText[next + 1] == u'=')) {
      kind = tkAttribute;
      attr = &FHl.FAttrKey;
    }
  }
  if (attr == &FHl.FAttrText && FLang.FuncCalls) {
    const qsizetype next = SkipSpaces(FPos);
    if (next < FLength && FText[next] == u'(') attr = &FHl.FAttrFunction;
  }
  Emit(start, FPos - start, kind, attr);
  FKeyPos = false;
}

void TUniHighlighter::TGenericScan::Single(TMETokenKind kind, const TMEHighlighterAttributes *attr,
                                           bool keepKey) {
  Emit(FPos++, 1, kind, attr);
  FKeyPos = FKeyPos && keepKey;
}
