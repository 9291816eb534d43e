// Searching a 200 MiB log line by line with both engines, against grep on the same file; Find All
// with its tree on that log, and Replace All in a document of a million lines.
#include "BenchGroup.h"
#include "BenchInputs.h"
#include "BenchUtil.h"
#include "core/FileRead.h"
#include "app/search/ResultsPanel.h"
#include "core/LineDecoder.h"
#include "editor/Edit.h"
#include "editor/LiteralSearch.h"
#include "editor/RegexSearch.h"

#include <QFile>
#include <QProcess>

namespace {

constexpr qsizetype KReplaceLines = 1000000;

// Seconds grep takes for its count on the file (it is in the page cache by then).
double GrepSeconds(const QStringList &arguments) {
  return TimeBest(2, [&] {
    QProcess grep;
    grep.start(QStringLiteral("grep"), arguments);
    grep.waitForFinished(-1);
  });
}

void MeasureEngine(const std::string &name, TMEEditSearchCustom &engine, const QStringList &lines, double grep) {
  qint64 matches = 0;
  const double seconds = TimeBest(2, [&] {
    matches = 0;
    for (const QString &line : lines) matches += engine.FindAll(line);
  });
  PrintFigure("search." + name + ".ms", seconds * 1000, "ms");
  PrintFigure("search." + name + ".grep_ms", grep * 1000, "ms");
  PrintFigure("search." + name + ".vs_grep.ratio", seconds / grep, "x");
  PrintFigure("search." + name + ".matches", double(matches), "matches");
}

void MeasureFindAll(const QStringList &lines) {
  TResultsPanel panel;
  // About one line in 144: an hour and the first digit of its minutes.
  const TFindAllQuery query{QStringLiteral("T05:1"), true, false, false};
  int hits = 0;
  const double seconds = TimeBest(2, [&] { hits = panel.FindAll(query, {{KNoDoc, QStringLiteral("search.log"), lines}}); });
  PrintFigure("search.find_all.ms", seconds * 1000, "ms");
  PrintFigure("search.find_all.hits", hits, "hits");
}

void MeasureReplaceAll(const QStringList &lines) {
  TMEEdit edit;
  // A loaded document owns its lines; sharing them with the bench's list would make every change
  // copy its line first.
  auto million = std::make_unique<QStringList>();
  million->reserve(KReplaceLines);
  for (qsizetype i = 0; i < KReplaceLines; ++i) million->append(QString(lines[i].constData(), lines[i].size()));
  edit.Document().AdoptLines(million, leLF);
  TMEEditSearch literal;
  edit.SetSearchEngine(&literal);
  // A word of the same length changes the lines in place; a longer one makes every line grow.
  for (const auto &[name, replacement] : {std::pair{"", "HOST"}, std::pair{"_longer", "hostname"}}) {
    int replaced = 0;
    const double seconds = TimeBest(1, [&] {
      replaced = edit.SearchReplace(QStringLiteral("host"), QString::fromLatin1(replacement),
                                    ssoMatchCase | ssoReplace | ssoReplaceAll);
    });
    const double undo = TimeBest(1, [&] { edit.Undo(); });
    const std::string prefix = std::string("search.replace_all_1m_lines") + name;
    PrintFigure(prefix + ".ms", seconds * 1000, "ms");
    PrintFigure(prefix + ".replaced", replaced, "matches");
    PrintFigure(prefix + ".undo_ms", undo * 1000, "ms");
  }
}

void RunSearchBench() {
  const QString path = WriteInput(QStringLiteral("search.log"), KBigFile, [](quint32 &seed, qint64) { return LogLine(seed, false); });
  QStringList lines;
  {
    QByteArray bytes;
    ReadFileBytes(path, bytes, nullptr);
    DecodeBytesToLines(bytes, 0, nullptr, lines);
  }
  TMEEditSearch literal;
  literal.SetPattern(QStringLiteral("Failed"));
  literal.SetOptions(ssoMatchCase);
  MeasureEngine("literal", literal, lines, GrepSeconds({QStringLiteral("-c"), QStringLiteral("Failed"), path}));
  literal.SetOptions(0);
  MeasureEngine("literal_nocase", literal, lines, GrepSeconds({QStringLiteral("-ci"), QStringLiteral("Failed"), path}));

  const QString ipv4 = QStringLiteral("\\b\\d{1,3}(\\.\\d{1,3}){3}\\b");
  TMEEditRegexSearch regex;
  regex.SetPattern(ipv4);
  regex.SetOptions(ssoMatchCase);
  MeasureEngine("regex_ipv4", regex, lines, GrepSeconds({QStringLiteral("-cP"), ipv4, path}));
  MeasureFindAll(lines);
  MeasureReplaceAll(lines);
  QFile::remove(path);
}

const TBenchRegistration KRegistration("search", RunSearchBench);

}  // namespace
