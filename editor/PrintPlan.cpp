#include "PrintPlan.h"

#include "highlight/CustomHighlighter.h"

#include <QTextBoundaryFinder>

namespace {

// Ordinary characters go out in chunks of at most this many code units (one more to keep a
// surrogate pair whole).
constexpr qsizetype KChunkLength = 256;
// Longer lines print only their beginning.
constexpr qsizetype KMaxPrintedLine = 65536;
constexpr TColor KBlack = 0;

// The ends of the characters of text as the reader sees them: a surrogate pair or a letter with its
// combining marks is one, and a cut never falls inside one.
std::vector<int> CharacterEnds(const QString &text) {
  std::vector<int> ends;
  QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
  for (qsizetype at = finder.toNextBoundary(); at > 0; at = finder.toNextBoundary()) ends.push_back(int(at));
  return ends;
}

class TPrintPlanner {
 public:
  TPrintPlanner(const TPrintJob &job, const TPrintGeometry &geometry, TPrintMeasure &measure,
                const TPrintPageSink &sink)
      : FJob(job), FGeometry(geometry), FMeasure(measure), FSink(sink) {}

  bool Run(const QStringList &lines);

 private:
  void StartPage(int number);
  void NewPage();
  void PrintLine(QStringView line, const TMETokenList &tokens);
  void PrintText(QStringView text, TColor color, TFontStyles style);
  void Emit(QString chunk, TColor color, TFontStyles style);
  // The pen to the start of the next printed line, on a new page when this one is full.
  void WrapLine();
  void Place(const QString &text, int width, TColor color, TFontStyles style);
  // The code units of the longest beginning of text, whole characters only, at most room wide.
  int FitLength(const QString &text, TFontStyles style, int room);
  TColor ColorOf(const TMEHighlighterAttributes *attr) const;

  const TPrintJob &FJob;
  const TPrintGeometry &FGeometry;
  TPrintMeasure &FMeasure;
  const TPrintPageSink &FSink;
  TPrintPage FPage;
  int FPenX = 0;
  int FPenY = 0;
  int FColumn = 0;
  bool FStopped = false;
};

bool TPrintPlanner::Run(const QStringList &lines) {
  StartPage(1);
  qsizetype count = lines.size();
  // The empty line after a final line break holds nothing to print.
  if (count > 1 && lines.last().isEmpty()) --count;
  TMETokenList tokens;
  TLineState state = 0;
  for (qsizetype i = 0; i < count && !FStopped; ++i) {
    const QStringView line = QStringView(lines[i]).left(KMaxPrintedLine);
    tokens.clear();
    if (FJob.Highlighter) {
      TLineState out = 0;
      FJob.Highlighter->TokenizeLine(line, state, tokens, out);
      state = out;
    }
    FPenX = FGeometry.Left;
    FColumn = 0;
    PrintLine(line, tokens);
    FPenY += FGeometry.LineHeight;
    if (FPenY + FGeometry.LineHeight > FGeometry.TextBottom() && i + 1 < count) NewPage();
  }
  if (FStopped) return false;
  return FSink(FPage);
}

void TPrintPlanner::StartPage(int number) {
  const int h = FGeometry.LineHeight;
  FPage = TPrintPage{number, {}};
  if (!FJob.Title.isEmpty())
    FPage.Items.push_back({TPrintItemKind::Title, FGeometry.Left, FGeometry.Top, FJob.Title, KBlack, fsBold});
  FPage.Items.push_back({TPrintItemKind::Rule, FGeometry.Left, FGeometry.Top + 2 * h - h / 2, QString(), KBlack, {},
                         FGeometry.Right - FGeometry.Left});
  const QString pageText = QStringLiteral("Page %1").arg(number);
  const int x = FGeometry.Left + (FGeometry.Right - FGeometry.Left - FMeasure.Width(pageText, {})) / 2;
  FPage.Items.push_back({TPrintItemKind::PageNumber, x, FGeometry.Bottom - 2 * h + h / 3, pageText, KBlack, {}});
  FPenX = FGeometry.Left;
  FPenY = FGeometry.TextTop();
  FColumn = 0;
}

void TPrintPlanner::NewPage() {
  if (FStopped) return;
  if (!FSink(FPage)) {
    FStopped = true;
    return;
  }
  StartPage(FPage.Number + 1);
}

TColor TPrintPlanner::ColorOf(const TMEHighlighterAttributes *attr) const {
  if (!attr || !FJob.ColorPrint || attr->LightForeground() == clNone) return KBlack;
  return attr->LightForeground();
}

void TPrintPlanner::PrintLine(QStringView line, const TMETokenList &tokens) {
  const int n = int(line.size());
  int q = 1;  // the next character not yet printed
  for (const TMEToken &token : tokens) {
    const int start = qMax(token.StartCol, q);
    const int end = qMin(token.StartCol + token.Len, n + 1);  // just after the token
    if (start > q) PrintText(line.mid(q - 1, start - q), KBlack, {});
    if (end > start) {
      const TMEHighlighterAttributes *attr = token.Attr ? token.Attr : FJob.Highlighter->AttributeForKind(token.Kind);
      PrintText(line.mid(start - 1, end - start), ColorOf(attr), attr ? attr->Style() : TFontStyles());
    }
    q = qMax(q, end);
  }
  if (q <= n) PrintText(line.mid(q - 1), KBlack, {});
}

void TPrintPlanner::PrintText(QStringView text, TColor color, TFontStyles style) {
  QString chunk;
  for (const QChar c : text) {
    if (FStopped) return;
    if (c == u'\t') {
      Emit(std::exchange(chunk, QString()), color, style);
      const int width = qMax(1, FJob.TabWidth);
      Emit(QString(width - FColumn % width, u' '), color, style);
      continue;
    }
    chunk += c;
    if (chunk.size() >= KChunkLength && !c.isHighSurrogate()) Emit(std::exchange(chunk, QString()), color, style);
  }
  Emit(chunk, color, style);
}

// A chunk that does not fit where the pen is moves to the next printed line. One wider than a whole
// printed line fills the rest of this one up to its last character that fits and continues on the
// next, so it never runs past the paper's edge.
void TPrintPlanner::Emit(QString chunk, TColor color, TFontStyles style) {
  const int left = FGeometry.Left, right = FGeometry.Right;
  while (!chunk.isEmpty() && !FStopped) {
    const int width = FMeasure.Width(chunk, style);
    if (FPenX + width <= right) {
      Place(chunk, width, color, style);
      return;
    }
    if (FPenX > left && left + width <= right) {
      WrapLine();
      continue;
    }
    int fit = FitLength(chunk, style, right - FPenX);
    if (fit == 0 && FPenX > left) {
      WrapLine();
      continue;
    }
    // A single character wider than a printed line goes out anyway, on a line of its own.
    if (fit == 0) fit = CharacterEnds(chunk).front();
    const QString part = chunk.left(fit);
    Place(part, FMeasure.Width(part, style), color, style);
    chunk.remove(0, fit);
    if (!chunk.isEmpty()) WrapLine();
  }
}

void TPrintPlanner::WrapLine() {
  FPenX = FGeometry.Left;
  FPenY += FGeometry.LineHeight;
  FColumn = 0;
  if (FPenY + FGeometry.LineHeight > FGeometry.TextBottom()) NewPage();
}

void TPrintPlanner::Place(const QString &text, int width, TColor color, TFontStyles style) {
  FPage.Items.push_back({TPrintItemKind::Text, FPenX, FPenY, text, color, style});
  FPenX += width;
  FColumn += int(text.size());
}

int TPrintPlanner::FitLength(const QString &text, TFontStyles style, int room) {
  const std::vector<int> ends = CharacterEnds(text);
  // Widths grow with the length: the last end that fits is found by halving.
  int low = 0, high = int(ends.size());  // ends[0 .. low) fit, ends[high ..) do not
  while (low < high) {
    const int mid = (low + high) / 2;
    if (FMeasure.Width(text.left(ends[size_t(mid)]), style) <= room) low = mid + 1;
    else high = mid;
  }
  return low == 0 ? 0 : ends[size_t(low - 1)];
}

QString StyleLetters(TFontStyles style) {
  QString letters;
  if (style.testFlag(fsBold)) letters += u'b';
  if (style.testFlag(fsItalic)) letters += u'i';
  if (style.testFlag(fsUnderline)) letters += u'u';
  if (style.testFlag(fsStrikeOut)) letters += u's';
  return letters.isEmpty() ? QStringLiteral("-") : letters;
}

}  // namespace

TPrintGeometry TPrintGeometry::ForPage(int pageWidth, int pageHeight, int lineHeight, int charWidth) {
  TPrintGeometry geometry;
  geometry.LineHeight = lineHeight < 1 ? 16 : lineHeight;
  const int c = qMax(1, charWidth);
  geometry.Left = 4 * c;
  geometry.Top = geometry.LineHeight;
  geometry.Right = pageWidth - 4 * c;
  geometry.Bottom = pageHeight - geometry.LineHeight;
  return geometry;
}

bool PlanPrint(const QStringList &lines, const TPrintJob &job, const TPrintGeometry &geometry,
               TPrintMeasure &measure, const TPrintPageSink &sink) {
  return TPrintPlanner(job, geometry, measure, sink).Run(lines);
}

QString DumpPrintPage(const TPrintPage &page) {
  QStringList out{QStringLiteral("page %1").arg(page.Number)};
  for (const TPrintItem &item : page.Items) {
    const QString at = QStringLiteral("%1,%2").arg(item.X).arg(item.Y);
    switch (item.Kind) {
      case TPrintItemKind::Rule: out << QStringLiteral("rule %1 w%2").arg(at).arg(item.Width); break;
      case TPrintItemKind::Title: out << QStringLiteral("title %1 \"%2\"").arg(at, item.Text); break;
      case TPrintItemKind::PageNumber: out << QStringLiteral("number %1 \"%2\"").arg(at, item.Text); break;
      case TPrintItemKind::Text: {
        const QColor color(ColorRed(item.Color), ColorGreen(item.Color), ColorBlue(item.Color));
        out << QStringLiteral("text %1 %2 %3 \"%4\"").arg(at, color.name().toUpper(), StyleLetters(item.Style), item.Text);
        break;
      }
    }
  }
  return out.join(u'\n');
}
