// The generic scanner: one pass over a line, driven by the language's tables. It never fails and
// covers every code unit with exactly one token.
#include "UniHighlighter.h"

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

class TUniHighlighter::TGenericScan {
 public:
  TGenericScan(const TUniHighlighter &hl, QStringView line, TMETokenList &tokens)
      : H(hl), L(hl.FLang), S(line.utf16()), N(line.size()), FTokens(tokens) {}

  TLineState Run(TLineState inState);

 private:
  enum TStep { stNone, stNext, stStop };  // not here / consumed / the line is done

  bool Is(char16_t c, quint8 classes) const { return H.FClasses.Is(c, classes); }
  void Emit(qsizetype start, qsizetype len, TMETokenKind kind,
            const TMEHighlighterAttributes *attr) {
    if (len > 0) FTokens.append(TMEToken{qint32(start + 1), qint32(len), kind, attr});
  }
  bool MatchAt(QStringView marker, qsizetype i) const;
  qsizetype SkipSpaces(qsizetype i) const {
    while (i < N && S[i] == u' ') ++i;
    return i;
  }

  bool ScanContext(const TUniContext &context, quint32 &depth);
  bool ScanToClose(QStringView open, QStringView close, char16_t escape, bool doubling,
                   bool nestable, quint32 &depth);
  bool LineCommentAt() const;
  TStep Comments();
  TStep Strings();
  void Whitespace();
  void Preprocessor();
  bool QQuote();
  void Number();
  void Word();
  void Single(TMETokenKind kind, const TMEHighlighterAttributes *attr, bool keepKey);

  const TUniHighlighter &H;
  const TUniLanguage &L;
  const char16_t *S;
  const qsizetype N;
  TMETokenList &FTokens;
  qsizetype P = 0;
  bool FKeyPos = true;       // a plain word here may be a key
  bool FSignificant = false;  // something other than blanks and comments was seen
  TLineState FOutState = 0;
};

TLineState TUniHighlighter::TokenizeGeneric(QStringView line, TLineState inState,
                                            TMETokenList &tokens) const {
  return TGenericScan(*this, line, tokens).Run(inState);
}

TLineState TUniHighlighter::TGenericScan::Run(TLineState inState) {
  // A state that names no context of this language is taken as nothing open.
  const quint32 open = inState & 0xFF;
  if (open >= 1 && open <= quint32(H.FContexts.size())) {
    const TUniContext &context = H.FContexts[open - 1];
    quint32 depth = qMax(inState >> 8, 1u);
    const bool closed = ScanContext(context, depth);
    Emit(0, P, context.Kind, H.AttributeForKind(context.Kind));
    if (!closed) return ContextState(int(open - 1), depth);
    FKeyPos = false;
  }
  while (P < N) {
    const char16_t c = S[P];
    const quint8 classes = H.FClasses.Of(c);
    if (classes & ccSpace) {
      Whitespace();
      continue;
    }
    if (classes & ccMarkerStart) {
      const TStep step = Comments();
      if (step == stStop) return FOutState;
      if (step == stNext) continue;
    }
    if (!FSignificant && L.PreprocChar != 0 && c == L.PreprocChar) {
      Preprocessor();
      continue;
    }
    FSignificant = true;
    if (L.OracleQQuote && (c == u'q' || c == u'Q') && QQuote()) continue;
    if (classes & ccMarkerStart) {
      const TStep step = Strings();
      if (step == stStop) return FOutState;
      if (step == stNext) continue;
    }
    if ((classes & ccDigit) || (L.HexDollar && c == u'$' && P + 1 < N && IsHexDigit(S[P + 1])))
      Number();
    else if (classes & ccIdentStart)
      Word();
    else if (classes & ccBracket)
      Single(tkSymbol, &H.FAttrBracket, true);
    else if (c == u'-' && FKeyPos)  // "- name:" in a YAML list still has its key
      Single(tkSymbol, &H.FAttrSymbol, true);
    else if (classes & ccSymbol)
      Single(tkSymbol, &H.FAttrSymbol, false);
    else
      Single(tkText, &H.FAttrText, false);
  }
  return 0;
}

bool TUniHighlighter::TGenericScan::MatchAt(QStringView marker, qsizetype i) const {
  const qsizetype n = marker.size();
  if (n == 0 || i + n > N) return false;
  const char16_t *m = marker.utf16();
  if (L.CaseSensitive) {
    for (qsizetype k = 0; k < n; ++k)
      if (S[i + k] != m[k]) return false;
  } else {
    for (qsizetype k = 0; k < n; ++k)
      if (FoldCase(S[i + k]) != FoldCase(m[k])) return false;
  }
  return true;
}

bool TUniHighlighter::TGenericScan::ScanContext(const TUniContext &context, quint32 &depth) {
  if (context.LineStartOnly) {
    // Only ever resumed at column 1: the line is comment whether or not it closes the block.
    P = N;
    return MatchAt(context.CloseMarker, 0);
  }
  return ScanToClose(context.OpenMarker, context.CloseMarker, context.Escape, context.Doubling,
                     context.Nestable, depth);
}

bool TUniHighlighter::TGenericScan::ScanToClose(QStringView open, QStringView close,
                                                char16_t escape, bool doubling, bool nestable,
                                                quint32 &depth) {
  while (P < N) {
    if (escape != 0 && S[P] == escape && P + 1 < N) {
      P += 2;
    } else if (doubling && MatchAt(close, P) && MatchAt(close, P + close.size())) {
      P += 2 * close.size();
    } else if (nestable && MatchAt(open, P)) {
      if (depth < KMaxDepth) ++depth;
      P += open.size();
    } else if (MatchAt(close, P)) {
      P += close.size();
      if (--depth == 0) return true;
    } else {
      ++P;
    }
  }
  return false;
}

bool TUniHighlighter::TGenericScan::LineCommentAt() const {
  for (const QString &marker : L.LineComments) {
    if (!MatchAt(marker, P)) continue;
    const qsizetype n = marker.size();
    // A marker spelt with letters ("rem") must stand as a word of its own.
    if (Is(marker.front().unicode(), ccLetter) && P > 0 && Is(S[P - 1], ccIdentBody)) continue;
    if (Is(marker.back().unicode(), ccLetter) && P + n < N && Is(S[P + n], ccIdentBody)) continue;
    if (marker != u"#") return true;
    // "#" inside a word or after a symbol ("a#b", "$#") is not a comment.
    if (P == 0 || Is(S[P - 1], ccSpace) || QStringView(u"(;[{").contains(QChar(S[P - 1])))
      return true;
  }
  return false;
}

TUniHighlighter::TGenericScan::TStep TUniHighlighter::TGenericScan::Comments() {
  const qsizetype start = P;
  for (int k = 0; k < L.BlockComments.size(); ++k) {
    const TUniBlockComment &comment = L.BlockComments[k];
    if ((comment.LineStartOnly && P != 0) || !MatchAt(comment.OpenMarker, P)) continue;
    if (comment.LineStartOnly) {
      P = N;
      Emit(start, N - start, tkComment, &H.FAttrComment);
      FOutState = ContextState(k, 1);
      return stStop;
    }
    P += comment.OpenMarker.size();
    quint32 depth = 1;
    const bool closed = ScanContext(H.FContexts[k], depth);
    Emit(start, P - start, tkComment, &H.FAttrComment);
    if (closed) return stNext;
    FOutState = ContextState(k, depth);
    return stStop;
  }
  const bool lineStart =
      !FSignificant && std::any_of(L.LineStartComments.begin(), L.LineStartComments.end(),
                                   [this](const QString &marker) { return MatchAt(marker, P); });
  if (!lineStart && !LineCommentAt()) return stNone;
  Emit(start, N - start, tkComment, &H.FAttrComment);
  P = N;
  FOutState = 0;
  return stStop;
}

TUniHighlighter::TGenericScan::TStep TUniHighlighter::TGenericScan::Strings() {
  const qsizetype start = P;
  for (int i = 0; i < L.Strings.size(); ++i) {
    const TUniStringSpec &spec = L.Strings[i];
    if (!MatchAt(spec.OpenMarker, P)) continue;
    P += spec.OpenMarker.size();
    quint32 depth = 1;
    const bool closed =
        ScanToClose(spec.OpenMarker, spec.CloseMarker, spec.Escape, spec.Doubling, false, depth);
    Emit(start, P - start, tkString, &H.FAttrString);
    if (closed || !spec.Multiline) {
      FKeyPos = false;
      return stNext;
    }
    FOutState = ContextState(H.FStringContexts[i], 1);
    return stStop;
  }
  return stNone;
}

void TUniHighlighter::TGenericScan::Whitespace() {
  const qsizetype start = P;
  while (P < N && Is(S[P], ccSpace)) ++P;
  Emit(start, P - start, tkWhitespace, &H.FAttrText);
}

void TUniHighlighter::TGenericScan::Preprocessor() {
  const qsizetype start = P++;
  FSignificant = true;
  while (P < N && (Is(S[P], ccLetter | ccDigit) || S[P] == u'-')) ++P;
  Emit(start, P - start, tkPreprocessor, &H.FAttrPreproc);
  FKeyPos = false;
}

bool TUniHighlighter::TGenericScan::QQuote() {
  if (P + 2 >= N || S[P + 1] != u'\'' || (P > 0 && Is(S[P - 1], ccIdentBody))) return false;
  const char16_t open = S[P + 2];
  const char16_t close = open == u'(' ? u')'
                         : open == u'<' ? u'>'
                         : open == u'[' ? u']'
                         : open == u'{' ? u'}'
                                        : open;
  qsizetype end = N;
  for (qsizetype i = P + 3; i + 1 < N; ++i)
    if (S[i] == close && S[i + 1] == u'\'') {
      end = i + 2;
      break;
    }
  Emit(P, end - P, tkString, &H.FAttrString);
  P = end;
  FKeyPos = false;
  return true;
}

void TUniHighlighter::TGenericScan::Number() {
  const qsizetype start = P;
  if (S[P] == u'$') {
    ++P;
    while (P < N && Is(S[P], ccLetter | ccDigit)) ++P;
  } else if (S[P] == u'0' && P + 1 < N && QStringView(u"bBoOxX").contains(QChar(S[P + 1]))) {
    P += 2;
    while (P < N && (Is(S[P], ccLetter | ccDigit) || S[P] == u'_')) ++P;
  } else {
    bool dot = false;
    while (P < N) {
      const char16_t c = S[P];
      const char16_t next = P + 1 < N ? S[P + 1] : 0;
      if (Is(c, ccDigit) || c == u'_') {
        ++P;
      } else if (c == u'.' && !dot && Is(next, ccDigit)) {
        dot = true;
        ++P;
      } else if ((c == u'e' || c == u'E') && (Is(next, ccDigit) || next == u'+' || next == u'-')) {
        P += 2;
      } else {
        break;
      }
    }
    while (P < N && Is(S[P], ccLetter)) ++P;  // suffixes: 1.5f, 10px, 42UL
  }
  Emit(start, P - start, tkNumber, &H.FAttrNumber);
  FKeyPos = false;
}

void TUniHighlighter::TGenericScan::Word() {
  const qsizetype start = P++;
  while (P < N && Is(S[P], ccIdentBody)) ++P;
  const TWordCategory category = H.FWords.Find(QStringView(S + start, P - start));
  if (category == wcKeyword) {
    Emit(start, P - start, tkKeyword, &H.FAttrKeyword);
    FKeyPos = FKeyPos && L.KeyAfterKeyword;  // "export NAME=": NAME is still a key
    return;
  }
  TMETokenKind kind = category == wcValue ? tkValue : tkIdentifier;
  const TMEHighlighterAttributes *attr = category == wcValue ? &H.FAttrType : &H.FAttrText;
  if (kind == tkIdentifier && (FKeyPos || L.KeyAnywhere) && !L.KeyDelims.isEmpty()) {
    const qsizetype next = SkipSpaces(P);
    // ":=" is an assignment, never a key delimiter.
    if (next < N && L.KeyDelims.contains(QChar(S[next])) &&
        !(S[next] == u':' && next + 1 < N && S[next + 1] == u'=')) {
      kind = tkAttribute;
      attr = &H.FAttrKey;
    }
  }
  if (attr == &H.FAttrText && L.FuncCalls) {
    const qsizetype next = SkipSpaces(P);
    if (next < N && S[next] == u'(') attr = &H.FAttrFunction;
  }
  Emit(start, P - start, kind, attr);
  FKeyPos = false;
}

void TUniHighlighter::TGenericScan::Single(TMETokenKind kind,
                                           const TMEHighlighterAttributes *attr, bool keepKey) {
  Emit(P++, 1, kind, attr);
  FKeyPos = FKeyPos && keepKey;
}
