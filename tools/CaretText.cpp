#include "CaretText.h"

#include "CodePoints.h"
#include "core/Document.h"

namespace {

// The caret's line and its character clamped to it; nullopt for a caret on no line.
struct TCaretLine {
  QString Text;
  int X;  // 1 .. length + 1
  int Y;
};

std::optional<TCaretLine> CaretLineOf(const TMEDocument &lines, TBufferCoord caret) {
  if (caret.Line < 1 || caret.Line > lines.LineCount()) return std::nullopt;
  QString text = lines.LineText(caret.Line);
  const int x = qBound(1, caret.Char, int(text.size()) + 1);
  return TCaretLine{std::move(text), x, caret.Line};
}

// 1-based index of the first q at or after from; 0 when none.
int SearchForward(const QString &line, QChar q, int from) {
  const qsizetype at = from >= 1 ? line.indexOf(q, from - 1) : -1;
  return at < 0 ? 0 : int(at) + 1;
}

// 1-based index of the first q at or before from, going left; 0 when none.
int SearchBackward(const QString &line, QChar q, int from) {
  for (int p = qMin(from, int(line.size())); p >= 1; --p)
    if (line[p - 1] == q) return p;
  return 0;
}

bool IsWordCodePoint(char32_t c) { return QChar::isLetter(c) || QChar::isDigit(c) || c == U'_'; }

// The code point that ends at 0-based index end (exclusive) and its length in units.
TCodePoint CodePointBefore(QStringView text, qsizetype end) {
  if (end >= 2 && QChar::isLowSurrogate(text[end - 1].unicode()) && QChar::isHighSurrogate(text[end - 2].unicode()))
    return {QChar::surrogateToUcs4(text[end - 2].unicode(), text[end - 1].unicode()), 2};
  return {text[end - 1].unicode(), 1};
}

QString NextWord(const QString &line, int x) {
  qsizetype i = x - 1;
  while (i < line.size() && !IsWordCodePoint(CodePointAt(line, i).Value)) i += CodePointAt(line, i).Units;
  const qsizetype start = i;
  while (i < line.size() && IsWordCodePoint(CodePointAt(line, i).Value)) i += CodePointAt(line, i).Units;
  return line.sliced(start, i - start);
}

QString PreviousWord(const QString &line, int x) {
  qsizetype end = x - 1;
  while (end > 0 && !IsWordCodePoint(CodePointBefore(line, end).Value)) end -= CodePointBefore(line, end).Units;
  qsizetype start = end;
  while (start > 0 && IsWordCodePoint(CodePointBefore(line, start).Value)) start -= CodePointBefore(line, start).Units;
  return line.sliced(start, end - start);
}

struct TPair {
  int Open;  // 1-based indexes of the two delimiters
  int Close;
};

// The same character opens and closes: the nearest one at or before the caret (else after it)
// opens, the next one after that closes.
std::optional<TPair> QuotePair(const QString &line, QChar quote, int x) {
  int open = SearchBackward(line, quote, x);
  if (open == 0) open = SearchForward(line, quote, x);
  if (open == 0) return std::nullopt;
  const int close = SearchForward(line, quote, open + 1);
  if (close == 0) return std::nullopt;
  return TPair{open, close};
}

// Nested brackets on the caret's line: the opening bracket that encloses the caret's character,
// and the closing bracket that matches it.
std::optional<TPair> BracketPair(const QString &line, QChar opening, QChar closing, int x) {
  int open = 0;
  int depth = 0;
  for (int p = qMin(x, int(line.size())); p >= 1 && open == 0; --p) {
    if (line[p - 1] == closing) ++depth;
    else if (line[p - 1] == opening) {
      if (depth == 0) open = p;
      else --depth;
    }
  }
  if (open == 0) return std::nullopt;
  depth = 0;
  for (int p = open + 1; p <= line.size(); ++p) {
    if (line[p - 1] == opening) ++depth;
    else if (line[p - 1] == closing) {
      if (depth == 0) return TPair{open, p};
      --depth;
    }
  }
  return std::nullopt;
}

std::optional<TPair> PairOf(TCaretTarget target, const QString &line, int x) {
  switch (target) {
    case TCaretTarget::BetweenSingleQuotes: return QuotePair(line, u'\'', x);
    case TCaretTarget::BetweenDoubleQuotes: return QuotePair(line, u'"', x);
    case TCaretTarget::BetweenParens: return BracketPair(line, u'(', u')', x);
    case TCaretTarget::BetweenBrackets: return BracketPair(line, u'[', u']', x);
    case TCaretTarget::BetweenBraces: return BracketPair(line, u'{', u'}', x);
    default: return std::nullopt;
  }
}

QChar QuoteOf(TCaretTarget target) {
  switch (target) {
    case TCaretTarget::ToNextSingleQuote:
    case TCaretTarget::ToPrevSingleQuote: return u'\'';
    default: return u'"';
  }
}

}  // namespace

QString CopyAroundCaret(TCaretTarget target, const TMEDocument &lines, TBufferCoord caret) {
  const std::optional<TCaretLine> at = CaretLineOf(lines, caret);
  if (!at) return QString();
  const QString &line = at->Text;
  const int x = at->X;
  switch (target) {
    case TCaretTarget::ToLineEnd: return line.sliced(x - 1);
    case TCaretTarget::ToLineStart: return line.first(x - 1);
    case TCaretTarget::ToDocEnd: {
      QString text = line.sliced(x - 1);
      for (int y = at->Y + 1; y <= lines.LineCount(); ++y) text += QStringLiteral("\r\n") + lines.LineText(y);
      return text;
    }
    case TCaretTarget::ToDocStart: {
      QString text;
      for (int y = 1; y < at->Y; ++y) text += lines.LineText(y) + QStringLiteral("\r\n");
      return text + line.first(x - 1);
    }
    case TCaretTarget::NextWord: return NextWord(line, x);
    case TCaretTarget::PrevWord: return PreviousWord(line, x);
    case TCaretTarget::ToNextSingleQuote:
    case TCaretTarget::ToNextDoubleQuote: {
      const int p = SearchForward(line, QuoteOf(target), x);
      return p == 0 ? QString() : line.sliced(x - 1, p - x);
    }
    case TCaretTarget::ToPrevSingleQuote:
    case TCaretTarget::ToPrevDoubleQuote: {
      const int p = SearchBackward(line, QuoteOf(target), x - 1);
      return p == 0 ? QString() : line.sliced(p, x - 1 - p);
    }
    default: {
      const std::optional<TPair> pair = PairOf(target, line, x);
      return pair ? line.sliced(pair->Open, pair->Close - pair->Open - 1) : QString();
    }
  }
}

std::optional<TCaretSelection> SelectAroundCaret(TCaretTarget target, const TMEDocument &lines, TBufferCoord caret) {
  const std::optional<TCaretLine> at = CaretLineOf(lines, caret);
  if (!at) return std::nullopt;
  const QString &line = at->Text;
  const int x = at->X;
  const int y = at->Y;
  const int lineEnd = int(line.size()) + 1;
  switch (target) {
    case TCaretTarget::ToLineEnd: return TCaretSelection{{x, y}, {lineEnd, y}};
    case TCaretTarget::ToLineStart: return TCaretSelection{{1, y}, {x, y}};
    case TCaretTarget::ToDocEnd:
      return TCaretSelection{{x, y}, {int(lines.LineText(lines.LineCount()).size()) + 1, lines.LineCount()}};
    case TCaretTarget::ToDocStart: return TCaretSelection{{1, 1}, {x, y}};
    case TCaretTarget::NextWord:
    case TCaretTarget::PrevWord: return std::nullopt;
    case TCaretTarget::ToNextSingleQuote:
    case TCaretTarget::ToNextDoubleQuote: {
      const int p = SearchForward(line, QuoteOf(target), x);
      if (p == 0) return std::nullopt;
      return TCaretSelection{{x, y}, {p, y}};
    }
    case TCaretTarget::ToPrevSingleQuote:
    case TCaretTarget::ToPrevDoubleQuote: {
      const int p = SearchBackward(line, QuoteOf(target), x - 1);
      if (p == 0) return std::nullopt;
      return TCaretSelection{{p + 1, y}, {x, y}};
    }
    default: {
      const std::optional<TPair> pair = PairOf(target, line, x);
      if (!pair) return std::nullopt;
      return TCaretSelection{{pair->Open + 1, y}, {pair->Close, y}};
    }
  }
}
