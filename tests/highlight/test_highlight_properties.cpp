// What every language must hold on any input: tokens cover each line exactly, a line's tokens
// depend only on its text and its in-state, and tokenizing allocates nothing per token.
#include "TokenDump.h"
#include "highlight/LanguageDefs.h"
#include "highlight/LanguageRegistry.h"
#include "highlight/UniHighlighter.h"

#include <QtTest>

#include <atomic>

using namespace Qt::Literals::StringLiterals;

// Counts heap allocations while a measurement is on. Qt's containers take their memory from
// malloc and realloc, not from operator new, so those are the calls watched; the memory itself
// still comes from glibc, so its free() stays valid.
namespace {
std::atomic<bool> GCounting{false};
std::atomic<int> GAllocations{0};
}  // namespace

extern "C" {
void *__libc_malloc(size_t size);
void *__libc_calloc(size_t count, size_t size);
void *__libc_realloc(void *p, size_t size);

void *malloc(size_t size) {
  if (GCounting) ++GAllocations;
  return __libc_malloc(size);
}
void *calloc(size_t count, size_t size) {
  if (GCounting) ++GAllocations;
  return __libc_calloc(count, size);
}
void *realloc(void *p, size_t size) {
  if (GCounting) ++GAllocations;
  return __libc_realloc(p, size);
}
}

namespace {

// Lines that open, close and break constructs of many languages at once.
const QStringList &SampleLines() {
  static const QStringList lines = {
      u"#include <stdio.h> // note"_s,
      u"int main(void) { return 0x1F + 3.14e-2f; } /* open"_s,
      u"still open /* nested? */ */ after"_s,
      u"s = \"\"\"triple"_s,
      u"inside \\\" still\"\"\" x = 'a''b' `tick"_s,
      u"more` [[long"_s,
      u"]] --[[ lua"_s,
      u"]] =begin"_s,
      u"=begin"_s,
      u"anything =end"_s,
      u"=end"_s,
      u"%{"_s,
      u"%}"_s,
      u"- name: value # c"_s,
      u"export A=1; q'[it's]' $FF rem x"_s,
      u"[Section] key = \"v\" ; c"_s,
      u"<# ps #> <html><!-- c --> <?php echo 1; ?>"_s,
      u"{ pascal (* c *) } \\begin{x} $m$ @dec(1) -mod(x)."_s,
      u"\"unterminated"_s,
      u"'also"_s,
      QString(),
      u"   \t  "_s,
      u"/* /* /*"_s,
      u"*/"_s,
      u"<script type=\"a\">/* js"_s,
      u"*/ x</script><style>a{"_s,
      u"}</style><![CDATA[ x"_s,
      u"]]> <?php echo '?>'; /* ?>"_s,
      u"*/ // ?> <b"_s,
      u"```md"_s,
      u"# in fence"_s,
      u"~~~"_s,
      u"  - [l](http://x.y) *e* `c` _"_s,
  };
  return lines;
}

// Deterministic noise: printable ASCII, markers, and any 16-bit unit, lone surrogates included.
QString RandomLine(quint32 &seed, int length) {
  static const QString markers = u"/*\"'`#;%-=[]{}()<>?!$@\\q:\t "_s;
  QString line(length, Qt::Uninitialized);
  for (QChar &c : line) {
    seed = seed * 1664525u + 1013904223u;
    const quint32 r = seed >> 8;
    switch (r % 4) {
      case 0: c = QChar(char16_t(32 + (r >> 2) % 95)); break;
      case 1: c = markers[(r >> 2) % markers.size()]; break;
      case 2: c = QChar(char16_t(0xD800 + (r >> 2) % 0x800)); break;
      default: c = QChar(char16_t(r >> 2)); break;
    }
  }
  return line;
}

QStringList Documents() {
  QStringList lines = SampleLines();
  quint32 seed = 12345;
  for (int i = 0; i < 300; ++i) lines.append(RandomLine(seed, 1 + i % 97));
  lines.append(QString(100000, u'a'));  // one word longer than any listed word
  lines.append(QString(u"/*"_s).repeated(50000));
  lines.append(QString(100000, u'"'));
  lines.append(QString(100000, QChar(0xDC00)));
  lines.append(RandomLine(seed, 100000));
  return lines;
}

// Null when the tokens cover the line exactly once, left to right, else what is wrong.
QString CoverageFault(const TMETokenList &tokens, qsizetype length) {
  qsizetype next = 1;
  for (const TMEToken &token : tokens) {
    if (token.StartCol != next) return u"gap or overlap at %1"_s.arg(next);
    if (token.Len < 1) return u"empty token at %1"_s.arg(next);
    if (!token.Attr) return u"no attribute at %1"_s.arg(next);
    if (token.Kind >= tkError) return u"bad kind at %1"_s.arg(next);
    next += token.Len;
  }
  return next == length + 1 ? QString() : u"covers %1 of %2"_s.arg(next - 1).arg(length);
}

}  // namespace

class TTestProperties : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase();
  void EveryLanguage_data();
  void EveryLanguage();

 private:
  QStringList FLines;
};

void TTestProperties::initTestCase() {
  FLines = Documents();
  // The counter must see what a growing token list would do.
  TMETokenList probe;
  GAllocations = 0;
  GCounting = true;
  probe.push_back(TMEToken{1, 1, tkText, nullptr});
  GCounting = false;
  QVERIFY(GAllocations > 0);
}

void TTestProperties::EveryLanguage_data() {
  QTest::addColumn<QString>("key");
  for (const QString &key : LanguageKeys()) QTest::newRow(qPrintable(key)) << key;
  QTest::newRow("PHP code") << u"PHP code"_s;
}

void TTestProperties::EveryLanguage() {
  QFETCH(QString, key);
  // Pages get their islands, as the program's own highlighters have them.
  auto build = [&key] {
    auto highlighter = std::make_unique<TUniHighlighter>(key == u"PHP code" ? PhpCodeLanguage()
                                                                            : LanguageByKey(key));
    if (key == u"HTML" || key == u"PHP")
      highlighter->EnableHtmlIslands(LanguageByKey(u"JavaScript"), LanguageByKey(u"CSS"));
    if (key == u"PHP") highlighter->EnablePhpIsland(PhpCodeLanguage());
    return highlighter;
  };
  const auto firstOwner = build();
  const auto secondOwner = build();
  TUniHighlighter &first = *firstOwner;
  TUniHighlighter &second = *secondOwner;

  // Line by line with the state carried, as the editor does.
  QList<TLineState> states;
  QStringList dumps;
  TMETokenList tokens;
  TLineState state = 0;
  for (const QString &line : FLines) {
    first.TokenizeLine(line, state, tokens, state);
    const QString fault = CoverageFault(tokens, line.size());
    if (!fault.isNull()) QFAIL(qPrintable(u"line %1: %2"_s.arg(dumps.size() + 1).arg(fault)));
    states.append(state);
    dumps.append(DumpTokens(tokens, first));
  }

  // The same again into the warmed-up list allocates nothing.
  tokens.reserve(200000);
  state = 0;
  GAllocations = 0;
  GCounting = true;
  for (const QString &line : FLines) first.TokenizeLine(line, state, tokens, state);
  GCounting = false;
  QCOMPARE(GAllocations.load(), 0);

  // Each line on its own, last to first, on another instance, from the stored state before it.
  for (qsizetype i = FLines.size() - 1; i >= 0; --i) {
    TLineState out = 0;
    const QString dump = TokenizeToDump(second, FLines[i], i > 0 ? states[i - 1] : 0, &out);
    if (dump != dumps[i] || out != states[i])
      QFAIL(qPrintable(u"line %1 differs when tokenized alone"_s.arg(i + 1)));
  }

  // An open construct stays open across an empty line.
  for (TLineState open : states) {
    if (open == 0) continue;
    TLineState out = 0;
    QCOMPARE(TokenizeToDump(second, QString(), open, &out), QString());
    QCOMPARE(out, open);
  }
}

QTEST_GUILESS_MAIN(TTestProperties)
#include "test_highlight_properties.moc"
