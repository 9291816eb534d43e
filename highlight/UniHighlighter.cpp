#include "UniHighlighter.h"

TUniHighlighter::TUniHighlighter(TUniLanguage lang)
    : FLang(std::move(lang)), FWords(FLang), FClasses(FLang) {
  BuildContexts();
  ApplyPalette(false);
}

void TUniHighlighter::BuildContexts() {
  // Longest opening marker first, so that three quotes are tried before one. The plain exchange
  // sort stays: the order it leaves equal lengths in numbers the contexts that line states store.
  QList<TUniStringSpec> &strings = FLang.Strings;
  for (qsizetype i = 0; i + 1 < strings.size(); ++i)
    for (qsizetype j = i + 1; j < strings.size(); ++j)
      if (strings[j].OpenMarker.size() > strings[i].OpenMarker.size()) strings.swapItemsAt(i, j);

  for (const TUniBlockComment &comment : FLang.BlockComments)
    FContexts.append({comment.OpenMarker, comment.CloseMarker, tkComment, 0, false,
                      comment.Nestable, comment.LineStartOnly});
  // Multi-line specs that share an opening marker share the context of the first of them.
  for (const TUniStringSpec &spec : strings) {
    if (!spec.Multiline) {
      FStringContexts.append(-1);
      continue;
    }
    int context = int(FContexts.size());
    for (qsizetype i = FLang.BlockComments.size(); i < FContexts.size(); ++i)
      if (FContexts[i].OpenMarker == spec.OpenMarker) {
        context = int(i);
        break;
      }
    FStringContexts.append(context);
    FContexts.append(
        {spec.OpenMarker, spec.CloseMarker, tkString, spec.Escape, spec.Doubling, false, false});
  }
}

TMEHighlighterAttributes *TUniHighlighter::GetAttribute(int index) const {
  return index >= 0 && index < KUniAttrCount ? FAttrList[index] : nullptr;
}

const TMEHighlighterAttributes *TUniHighlighter::AttributeForKind(TMETokenKind kind) const {
  switch (kind) {
    case tkComment: return &FAttrComment;
    case tkString: return &FAttrString;
    case tkNumber: return &FAttrNumber;
    case tkKeyword: return &FAttrKeyword;
    case tkSymbol: return &FAttrSymbol;
    case tkPreprocessor: return &FAttrPreproc;
    case tkElement: return &FAttrElement;
    case tkAttribute: return &FAttrKey;
    case tkValue: return &FAttrType;
    case tkHeading: return &FAttrHeading;
    case tkEmphasis: return &FAttrEmphasis;
    case tkLink: return &FAttrLink;
    default: return &FAttrText;
  }
}

void TUniHighlighter::ApplyPalette(bool dark) {
  FDarkPalette = dark;
  for (int i = 0; i < KUniAttrCount; ++i) {
    const TPaletteEntry &entry = KUniPalette[i];
    FAttrList[i]->SetForeground(dark ? entry.Dark : entry.Light);
    FAttrList[i]->SetLightForeground(entry.Light);
    FAttrList[i]->SetStyle(entry.Style);
  }
  // Island tokens carry the islands' own attributes, so those change colour with the page.
  for (TUniHighlighter *island : {FJsHL.get(), FCssHL.get(), FPhpHL.get()})
    if (island) island->ApplyPalette(dark);
}

void TUniHighlighter::EnableHtmlIslands(TUniLanguage js, TUniLanguage css) {
  if (!FJsHL) FJsHL = std::make_unique<TUniHighlighter>(std::move(js));
  if (!FCssHL) FCssHL = std::make_unique<TUniHighlighter>(std::move(css));
  FJsHL->ApplyPalette(FDarkPalette);
  FCssHL->ApplyPalette(FDarkPalette);
}

void TUniHighlighter::EnablePhpIsland(TUniLanguage phpCode) {
  if (!FPhpHL) FPhpHL = std::make_unique<TUniHighlighter>(std::move(phpCode));
  FPhpHL->ApplyPalette(FDarkPalette);
}

void TUniHighlighter::TokenizeLine(QStringView line, TLineState inState, TMETokenList &tokens,
                                   TLineState &outState) {
  tokens.clear();
  switch (FLang.Markup) {
    case umNone: outState = TokenizeGeneric(line, inState, tokens); break;
    case umXml: outState = TokenizeTags(line, inState, tokens); break;
    case umMarkdown: outState = TokenizeMarkdown(line, inState, tokens); break;
  }
}
