// TMEEdit: the highlighter, its line states, and the per-line caches painting draws from.
#include "Edit.h"

#include "highlight/CustomHighlighter.h"

namespace {

// Lines longer than this get no layout; their tokens are cached instead.
constexpr int KMaxLayoutLength = 4096;
constexpr size_t KMaxLayouts = 512;
constexpr size_t KMaxTokenLists = 16;

}  // namespace

void TMEEdit::SetHighlighter(TMECustomHighlighter *value) {
  if (value == FHighlighter) return;
  FHighlighter = value;
  FLineStates.Reset();
  InvalidateLineStates(0);
  ClearLayouts();
  Repaint();
}

void TMEEdit::InvalidateLineStates(int fromIndex) {
  FLineStates.InvalidateFrom(fromIndex);
  FTokCache.clear();
  FMeasuredTopLine = 0;
}

TLineState TMEEdit::LineStartState(int line) {
  if (line <= 1) return 0;
  FLineStates.Update(line - 1, Lines(), FHighlighter);
  return FLineStates.StartState(line - 1);
}

// Edits move the states and the cached layouts of the lines below them instead of dropping them;
// a layout whose line now starts in another state is made again when it is next asked for.
void TMEEdit::ViewLinesReplaced(int first, int oldCount, int newCount) {
  FLineStates.LinesReplaced(first, oldCount, newCount);
  FTokCache.clear();
  const int delta = newCount - oldCount;
  for (auto it = FLayouts.begin(); it != FLayouts.end();) {
    const int index = it->first - 1;
    if (index >= first && index < first + oldCount) it = FLayouts.erase(it);
    else ++it;
  }
  if (delta != 0) {
    std::unordered_map<int, TLayoutEntry> moved;
    moved.reserve(FLayouts.size());
    for (auto &[line, entry] : FLayouts) moved.emplace(line - 1 >= first + oldCount ? line + delta : line, std::move(entry));
    FLayouts.swap(moved);
  }
  FMaxScrollCol = 1;
  FMeasuredTopLine = 0;
  FScrollBarsValid = false;
  // A line count that gains or loses a digit moves the text's left edge.
  if (FGutter.TotalWidth() != FGutterWidth) GutterChanged();
}

void TMEEdit::ClearLayouts() { FLayouts.clear(); }

TMELineLayout *TMEEdit::GetLineLayout(int line) {
  if (!FUseColorText || line < 1 || line > LineCount()) return nullptr;
  const QString key = QStringLiteral("%1|%2|%3|%4").arg(font().family()).arg(FontPixelSize()).arg(FTabWidth).arg(FCharWidth);
  if (key != FLayoutFontKey) {
    ClearLayouts();
    FLayoutFontKey = key;
  }
  const TLineState start = FHighlighter ? LineStartState(line) : 0;
  const auto it = FLayouts.find(line);
  if (it != FLayouts.end()) {
    if (it->second.StartState == start) return it->second.Layout.get();
    FLayouts.erase(it);
  }
  const QString text = LineText(line);
  if (text.size() > KMaxLayoutLength) return nullptr;
  std::unique_ptr<TMELineLayout> layout = FRenderer.NewLineLayout(text);
  if (!layout) return nullptr;
  ApplyLayoutHighlight(line, layout.get());
  if (FLayouts.size() >= KMaxLayouts) ClearLayouts();
  TMELineLayout *result = layout.get();
  FLayouts.emplace(line, TLayoutEntry{std::move(layout), start});
  return result;
}

void TMEEdit::ApplyLayoutHighlight(int line, TMELineLayout *layout) {
  const QString text = LineText(line);
  if (!FHighlighter || text.isEmpty() || !layout) return;
  TLineState out = 0;
  FHighlighter->TokenizeLine(text, LineStartState(line), FTokens, out);
  for (const TMEToken &token : FTokens) {
    const TMEHighlighterAttributes *attr = token.Attr ? token.Attr : FHighlighter->AttributeForKind(token.Kind);
    if (!attr) continue;
    if (attr->Foreground() != clNone) FRenderer.LayoutColor(layout, token.StartCol - 1, attr->Foreground(), token.Len);
    FRenderer.LayoutStyle(layout, token.StartCol - 1, token.Len, attr->Style().testFlag(fsBold),
                          attr->Style().testFlag(fsItalic));
  }
}

// Tokens for the runs and cells painters; only long lines, whose tokenizing is costly, are kept.
const TMETokenList &TMEEdit::LineTokens(int line) {
  if (!FHighlighter) {
    FTokens.clear();
    return FTokens;
  }
  const QString text = LineText(line);
  const bool cache = text.size() > KMaxLayoutLength;
  if (cache) {
    const auto it = FTokCache.find(line);
    if (it != FTokCache.end()) return it->second;
  }
  TLineState out = 0;
  FHighlighter->TokenizeLine(text, LineStartState(line), FTokens, out);
  if (!cache) return FTokens;
  if (FTokCache.size() >= KMaxTokenLists) FTokCache.clear();
  return FTokCache.emplace(line, FTokens).first->second;
}
