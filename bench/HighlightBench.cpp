// Tokenizing throughput: whole generated documents line by line with the state carried, as the
// editor re-highlights, on one reused token list. Code units are counted as bytes.
#include "BenchGroup.h"
#include "BenchInputs.h"
#include "BenchUtil.h"
#include "highlight/HighlighterSet.h"

#include <QStringList>

#include <functional>

namespace {

constexpr qsizetype KInputUnits = 20 * 1048576;

quint32 Next(quint32 &seed) { return seed = seed * 1664525u + 1013904223u; }

// Lines from templates in which every "%n" takes a fresh number, until the input is big enough.
QStringList Generate(const QStringList &templates, quint32 seed = 12345) {
  QStringList lines;
  qsizetype units = 0;
  for (qsizetype i = 0; units < KInputUnits; ++i) {
    QString line = templates[i % templates.size()];
    for (qsizetype at = line.indexOf(u"%n"); at >= 0; at = line.indexOf(u"%n", at))
      line.replace(at, 2, QString::number(Next(seed) % 100000));
    units += line.size();
    lines.append(line);
  }
  return lines;
}

QStringList CppSource() {
  return Generate({
      QStringLiteral("#include <vector>  // containers"),
      QStringLiteral("/* Computes the running total of item_%n."),
      QStringLiteral("   Block comments span lines; \"quotes\" inside them mean nothing. */"),
      QStringLiteral("static constexpr std::size_t kLimit%n = 0x%nFFu;"),
      QStringLiteral("template <typename T> inline T Scale%n(const T &value, double factor) {"),
      QStringLiteral("  if (value > %n && factor != 3.14e-2) return T(value * factor + %n.5f);"),
      QStringLiteral("  const char *message = \"value %n is \\\"out\\\" of range\\n\";"),
      QStringLiteral("  for (int i = 0; i < %n; ++i) total_%n += items[i].weight * 'x';"),
      QStringLiteral("  std::vector<std::string> names{\"alpha\", \"beta\", \"gamma_%n\"};"),
      QStringLiteral("  return nullptr == pointer_%n ? T{} : static_cast<T>(*pointer_%n);"),
      QStringLiteral("}"),
      QString(),
  });
}

QStringList JsonDocument() {
  return Generate({
      QStringLiteral("{"),
      QStringLiteral("  \"id\": %n,"),
      QStringLiteral("  \"name\": \"record-%n with \\\"escaped\\\" quotes\","),
      QStringLiteral("  \"ratio\": -%n.25e-3,"),
      QStringLiteral("  \"active\": true, \"deleted\": false, \"parent\": null,"),
      QStringLiteral("  \"tags\": [\"red\", \"green\", \"blue-%n\"],"),
      QStringLiteral("  \"position\": {\"x\": %n, \"y\": %n, \"z\": %n.5},"),
      QStringLiteral("  \"comment\": \"Lorem ipsum dolor sit amet, consectetur %n\""),
      QStringLiteral("},"),
  });
}

QStringList ShellScript() {
  return Generate({
      QStringLiteral("#!/bin/sh"),
      QStringLiteral("# rotate the logs of service %n"),
      QStringLiteral("export LOG_DIR=/var/log/app%n LEVEL=info"),
      QStringLiteral("if [ -f \"$LOG_DIR/app.log\" ] && [ $(wc -l < app.log) -gt %n ]; then"),
      QStringLiteral("  echo \"Rotating $LOG_DIR (limit %n)\" >&2  # noisy"),
      QStringLiteral("  for f in \"$LOG_DIR\"/*.log; do gzip \"$f\" && mv \"$f.gz\" /b%n/; done"),
      QStringLiteral("  grep -E 'ERROR|FATAL' \"$LOG_DIR/app.log\" | awk '{print $%n}' | sort -u"),
      QStringLiteral("fi"),
      QStringLiteral("case \"$1\" in start) systemctl start app%n ;; stop) kill $PID ;; esac"),
  });
}

QStringList HtmlPage() {
  return Generate({
      QStringLiteral("<!DOCTYPE html>"),
      QStringLiteral("<html lang=\"en\"><head><title>Report %n</title>"),
      QStringLiteral("<style>body { margin: %npx; color: #333; } .warn { font-weight: bold }</style>"),
      QStringLiteral("<script type=\"text/javascript\">"),
      QStringLiteral("  var total = %n; /* running total"),
      QStringLiteral("     carried across lines */ function add(x) { return total += x * 1.5; }"),
      QStringLiteral("  document.title = \"Report \" + total + '</b>';"),
      QStringLiteral("</script></head>"),
      QStringLiteral("<body><!-- generated page %n -->"),
      QStringLiteral("  <div class='row' id=\"r%n\"><a href=\"/item/%n\">item %n</a> &amp; more</div>"),
      QStringLiteral("  <p>Plain paragraph text about host %n, with <b>bold</b> and <i>italic</i>.</p>"),
      QStringLiteral("  <![CDATA[ raw <data> %n ]]> <br/>"),
      QStringLiteral("</body></html>"),
  });
}

QStringList MarkdownDocument() {
  return Generate({
      QStringLiteral("# Release notes %n"),
      QStringLiteral("Some *emphasis*, some _more_, and `inline code %n` in a sentence."),
      QStringLiteral("- see [the docs](https://example.org/docs/%n) for details"),
      QStringLiteral("> quoted reply from mailto:someone@example.org"),
      QStringLiteral("```sh"),
      QStringLiteral("make -j%n && ./run --flag"),
      QStringLiteral("```"),
      QStringLiteral("Plain text line number %n without any markup at all, just words."),
      QString(),
  });
}

QStringList LogFile() {
  QStringList lines;
  quint32 seed = 12345;
  for (qsizetype units = 0; units < KInputUnits;) {
    QByteArray line = LogLine(seed, false);
    line.chop(1);  // the line break
    lines.append(QString::fromLatin1(line));
    units += line.size();
  }
  return lines;
}

void Measure(const std::string &name, TMECustomHighlighter &highlighter, const QStringList &lines) {
  qsizetype units = 0;
  for (const QString &line : lines) units += line.size();
  TMETokenList tokens;
  qsizetype tokenCount = 0;
  const double seconds = TimeBest(3, [&] {
    TLineState state = 0;
    tokenCount = 0;
    for (const QString &line : lines) {
      highlighter.TokenizeLine(line, state, tokens, state);
      tokenCount += tokens.size();
    }
  });
  PrintFigure("highlight." + name + ".mbps", double(units) / 1e6 / seconds, "MB/s");
  PrintFigure("highlight." + name + ".tokens_per_unit", double(tokenCount) / double(units),
              "tokens");
}

void RunHighlightBench() {
  // The program's own highlighters, so pages have their islands.
  const THighlighterSet set;
  Measure("cpp", *set.ForKey(u"C/C++"), CppSource());
  Measure("json", *set.ForKey(u"JSON"), JsonDocument());
  Measure("sh", *set.ForKey(u"Shell"), ShellScript());
  // Logs have no language of their own; INI is what their configuration neighbours get.
  Measure("log", *set.ForKey(u"INI"), LogFile());
  Measure("html", *set.ForKey(u"HTML"), HtmlPage());
  Measure("markdown", *set.ForKey(u"Markdown"), MarkdownDocument());
}

const TBenchRegistration KRegistration("highlight", RunHighlightBench);

}  // namespace
