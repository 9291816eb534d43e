// The tag tokenizer of XML, HTML and PHP pages: comments, CDATA sections and tags, with the content
// of script and style elements and of PHP blocks handed to island highlighters.
#include "LineScan.h"

#include "core/CaseFold.h"

namespace {

// The low byte of a line state. Island states keep the island's own state above it.
enum TTagState : quint8 {
  tsContent,
  tsComment,
  tsTag,
  tsCData,
  tsScriptTag,
  tsStyleTag,
  tsScript,
  tsStyle,
  tsPhp,
};

// An island state loses its top 8 bits in the shift, all of them nesting depth: the depth
// saturates at what is left instead of wrapping round to a different count.
constexpr quint32 KMaxIslandDepth = 0xFFFF;

TLineState IslandLineState(TTagState state, TLineState island) {
  const quint32 depth = qMin(island >> 8, KMaxIslandDepth);
  return (((depth << 8) | (island & 0xFF)) << 8) | state;
}

}  // namespace

class TUniHighlighter::TTagScan : TLineScan {
 public:
  TTagScan(const TUniHighlighter &hl, QStringView line, TMETokenList &tokens)
      : TLineScan(hl, line, tokens) {}

  TLineState Run(TLineState inState);

 private:
  // Markers compared ignoring case are written in lower case.
  bool MatchAt(QStringView marker, qsizetype i, bool ignoreCase) const;
  bool IsNameBody(char16_t c) const {
    return c == u'-' || c == u'.' || c == u':' || c == u'_' ||
           FHl.FClasses.Is(c, ccLetter | ccDigit);
  }
  qsizetype PhpOpenerAt(qsizetype i) const;
  const TUniHighlighter *Island() const;

  void Content();
  bool Close(QStringView closer, TMETokenKind kind, const TMEHighlighterAttributes *attr);
  void InTag();
  void Name();
  bool ElementContent();
  bool PhpBlock();

  qsizetype FPos = 0;
  TTagState FState = tsContent;
  TLineState FIsland = 0;    // the island's own state in states 6 to 8
  bool FExpectName = false;  // the next name in the tag is the element's
  bool FClosingTag = false;  // the tag began with "</"
};

TLineState TUniHighlighter::TokenizeTags(QStringView line, TLineState inState,
                                         TMETokenList &tokens) const {
  return TTagScan(*this, line, tokens).Run(inState);
}

TLineState TUniHighlighter::TTagScan::Run(TLineState inState) {
  // A state above 8, or one that needs an island this page does not have, reads as content.
  if ((inState & 0xFF) <= tsPhp) {
    FState = TTagState(inState & 0xFF);
    if (FState >= tsScript) FIsland = inState >> 8;
    if (FState >= tsScript && !Island()) {
      FState = tsContent;
      FIsland = 0;
    }
  }
  for (;;) {
    switch (FState) {
      case tsContent:
        if (FPos == FLength) return 0;
        Content();
        break;
      case tsComment:
        if (!Close(u"-->", tkComment, &FHl.FAttrComment)) return tsComment;
        break;
      case tsCData:
        if (!Close(u"]]>", tkString, &FHl.FAttrString)) return tsCData;
        break;
      case tsTag:
      case tsScriptTag:
      case tsStyleTag:
        if (FPos == FLength) return FState;
        InTag();
        break;
      case tsScript:
      case tsStyle:
        if (!ElementContent()) return IslandLineState(FState, FIsland);
        break;
      case tsPhp:
        if (!PhpBlock()) return IslandLineState(FState, FIsland);
        break;
    }
  }
}

bool TUniHighlighter::TTagScan::MatchAt(QStringView marker, qsizetype i, bool ignoreCase) const {
  const qsizetype n = marker.size();
  if (i + n > FLength) return false;
  const char16_t *m = marker.utf16();
  for (qsizetype k = 0; k < n; ++k)
    if (ignoreCase ? FoldCase(FText[i + k]) != m[k] : FText[i + k] != m[k]) return false;
  return true;
}

const TUniHighlighter *TUniHighlighter::TTagScan::Island() const {
  switch (FState) {
    case tsScript: return FHl.FJsHL.get();
    case tsStyle: return FHl.FCssHL.get();
    case tsPhp: return FHl.FPhpHL.get();
    default: return nullptr;
  }
}

qsizetype TUniHighlighter::TTagScan::PhpOpenerAt(qsizetype i) const {
  if (MatchAt(u"<?php", i, true)) return 5;
  if (MatchAt(u"<?=", i, false)) return 3;
  return MatchAt(u"<?", i, false) && !MatchAt(u"<?xml", i, true) ? 2 : 0;
}

void TUniHighlighter::TTagScan::Content() {
  if (FText[FPos] != u'<') {
    const qsizetype next = FLine.indexOf(u'<', FPos);
    const qsizetype end = next < 0 ? FLength : next;
    Emit(FPos, end - FPos, tkText, &FHl.FAttrText);
    FPos = end;
    return;
  }
  if (MatchAt(u"<!--", FPos, false)) {
    FState = tsComment;  // the comment token takes the "<!--" with it
    return;
  }
  if (MatchAt(u"<![CDATA[", FPos, false)) {
    Emit(FPos, 9, tkSymbol, &FHl.FAttrBracket);
    FPos += 9;
    FState = tsCData;
    return;
  }
  if (const qsizetype opener = FHl.FPhpHL ? PhpOpenerAt(FPos) : 0; opener > 0) {
    Emit(FPos, opener, tkPreprocessor, &FHl.FAttrPreproc);
    FPos += opener;
    FState = tsPhp;
    FIsland = 0;
    return;
  }
  const char16_t next = FPos + 1 < FLength ? FText[FPos + 1] : 0;
  const qsizetype opener = next == u'!' || next == u'/' || next == u'?' ? 2 : 1;
  FClosingTag = next == u'/';
  FExpectName = true;
  Emit(FPos, opener, tkSymbol, &FHl.FAttrBracket);
  FPos += opener;
  FState = tsTag;
}

bool TUniHighlighter::TTagScan::Close(QStringView closer, TMETokenKind kind,
                                      const TMEHighlighterAttributes *attr) {
  const qsizetype found = FLine.indexOf(closer, FPos);
  const qsizetype end = found < 0 ? FLength : found + closer.size();
  Emit(FPos, end - FPos, kind, attr);
  FPos = end;
  if (found < 0) return false;
  FState = tsContent;
  return true;
}

void TUniHighlighter::TTagScan::InTag() {
  const char16_t c = FText[FPos];
  const qsizetype start = FPos;
  if (FHl.FClasses.Is(c, ccSpace)) {
    while (FPos < FLength && FHl.FClasses.Is(FText[FPos], ccSpace)) ++FPos;
    Emit(start, FPos - start, tkWhitespace, &FHl.FAttrText);
  } else if (c == u'>') {
    Emit(FPos++, 1, tkSymbol, &FHl.FAttrBracket);
    FState = FState == tsScriptTag && FHl.FJsHL   ? tsScript
             : FState == tsStyleTag && FHl.FCssHL ? tsStyle
                                                  : tsContent;
    FIsland = 0;
  } else if ((c == u'/' || c == u'?') && FPos + 1 < FLength && FText[FPos + 1] == u'>') {
    Emit(FPos, 2, tkSymbol, &FHl.FAttrBracket);
    FPos += 2;
    FState = tsContent;
  } else if (c == u'"' || c == u'\'') {
    // Attribute values end at the line end at the latest.
    const qsizetype close = FLine.indexOf(QChar(c), FPos + 1);
    FPos = close < 0 ? FLength : close + 1;
    Emit(start, FPos - start, tkString, &FHl.FAttrString);
  } else if (c == u':' || c == u'_' || FHl.FClasses.Is(c, ccLetter)) {
    Name();
  } else {
    Emit(FPos++, 1, tkSymbol, &FHl.FAttrSymbol);
  }
}

void TUniHighlighter::TTagScan::Name() {
  const qsizetype start = FPos++;
  while (FPos < FLength && IsNameBody(FText[FPos])) ++FPos;
  if (!FExpectName) {
    Emit(start, FPos - start, tkAttribute, &FHl.FAttrKey);
    return;
  }
  Emit(start, FPos - start, tkElement, &FHl.FAttrElement);
  FExpectName = false;
  if (FClosingTag) return;
  const qsizetype length = FPos - start;
  if (length == 6 && FHl.FJsHL && MatchAt(u"script", start, true)) FState = tsScriptTag;
  if (length == 5 && FHl.FCssHL && MatchAt(u"style", start, true)) FState = tsStyleTag;
}

bool TUniHighlighter::TTagScan::ElementContent() {
  // "</script" ends the element wherever it stands, inside a script string too.
  const QStringView closer = FState == tsScript ? u"</script" : u"</style";
  qsizetype found = FLine.indexOf(u'<', FPos);
  while (found >= 0 && !MatchAt(closer, found, true)) found = FLine.indexOf(u'<', found + 1);
  const qsizetype end = found < 0 ? FLength : found;
  const TLineState islandOut =
      Island()->TokenizeGeneric(FLine.sliced(FPos, end - FPos), FIsland, FTokens, FPos);
  if (found < 0) {
    FIsland = islandOut;
    FPos = FLength;
    return false;
  }
  Emit(found, 2, tkSymbol, &FHl.FAttrBracket);
  FPos = found + 2;
  FExpectName = FClosingTag = true;
  FState = tsTag;
  FIsland = 0;
  return true;
}

bool TUniHighlighter::TTagScan::PhpBlock() {
  // One pass: the island stops at the "?>" that ends the block, so a line of many blocks is
  // scanned once rather than once per block.
  qsizetype closeAt = -1;
  const TLineState islandOut = FHl.FPhpHL->TokenizeGeneric(FLine.sliced(FPos), FIsland, FTokens,
                                                           FPos, &closeAt);
  if (closeAt < 0) {
    FIsland = islandOut;
    FPos = FLength;
    return false;
  }
  Emit(FPos + closeAt, 2, tkPreprocessor, &FHl.FAttrPreproc);
  FPos += closeAt + 2;
  FState = tsContent;
  FIsland = 0;
  return true;
}
