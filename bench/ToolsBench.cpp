// Text tools on large inputs, each against a reference run in the same bench: Sort Lines against
// sort(1) in en_US.UTF-8 (the locale is made in the scratch folder when the system lacks it),
// Remove Duplicate Lines, a line command on half a million lines in the middle of a million and
// its Undo against the same command on a document of half a million, the codecs on 100 MB
// against base64(1), every extraction kind against grep -aoP, Locate Signals against grep -naiF,
// and the longest gap of the window's event loop while a scan runs.
#include "BenchGroup.h"
#include "BenchInputs.h"
#include "BenchUtil.h"
#include "app/MainWindow.h"
#include "app/menus/EditMenu.h"
#include "app/search/ResultsPanel.h"
#include "app/tools/ExtractWindow.h"
#include "app/tools/ExtractWindows.h"
#include "app/tools/SignalScan.h"
#include "app/tools/TextDriver.h"
#include "editor/Edit.h"
#include "tools/Base64Codec.h"
#include "tools/ExtractKinds.h"
#include "tools/ExtractScan.h"
#include "tools/HtmlCodec.h"
#include "tools/LineLists.h"
#include "tools/LineSort.h"
#include "tools/SignalCategories.h"
#include "tools/SignalScan.h"
#include "tools/UrlCodec.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTimer>

namespace {

constexpr qsizetype KMillion = 1000000;

// A log line with an artefact of every extraction kind in one line of seven.
QByteArray ToolLogLine(quint32 &seed, qint64 index) {
  QByteArray line = LogLine(seed, false);
  if (index % 7 != 0) return line;
  line.chop(1);
  line += QStringLiteral(" see HTTPS://host-%1.example/p?q=%2 mail admin%1@corp.example md5 %3 \"quoted %1\" "
                         "href=\"/x/%2\" C:\\Windows\\app%1.exe call +1 (555) 123-%4\n")
              .arg(seed % 97)
              .arg(seed % 1000)
              .arg(QString::number(quint64(seed) * 2654435761u, 16).rightJustified(32, u'a'))
              .arg(seed % 10000, 4, 10, QChar(u'0'))
              .toLatin1();
  return line;
}

QStringList ReadLines(const QString &path) {
  QFile file(path);
  file.open(QIODevice::ReadOnly);
  QStringList lines;
  while (!file.atEnd()) lines.append(QString::fromLatin1(file.readLine()).chopped(1));
  return lines;
}

double RunSeconds(const QString &program, const QStringList &arguments, const QStringList &environment = {},
                  QByteArray *output = nullptr) {
  return TimeBest(1, [&] {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString &entry : environment) env.insert(entry.section(u'=', 0, 0), entry.section(u'=', 1));
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    process.waitForFinished(-1);
    if (output) *output = process.readAllStandardOutput();
  });
}

void Ratio(const std::string &name, double ours, double reference, const std::string &referenceName) {
  PrintFigure("tools." + name + ".ms", ours * 1000, "ms");
  PrintFigure("tools." + name + "." + referenceName + "_ms", reference * 1000, "ms");
  PrintFigure("tools." + name + ".vs_" + referenceName + ".ratio", ours / reference, "x");
}

// en_US.UTF-8 for sort(1): the system's when it has one, else made from the locale sources.
QStringList SortLocale() {
  QProcess list;
  list.start(QStringLiteral("locale"), {QStringLiteral("-a")});
  list.waitForFinished();
  const QByteArray all = list.readAllStandardOutput().toLower();
  if (all.contains("en_us.utf8")) {
    PrintFigure("tools.sort.locale_made_here", 0, "flag");
    return {QStringLiteral("LC_ALL=en_US.UTF-8")};
  }
  const QString folder = BenchScratchFolder() + QStringLiteral("/locales");
  QDir().mkpath(folder);
  QProcess make;
  make.start(QStringLiteral("localedef"), {QStringLiteral("-i"), QStringLiteral("en_US"), QStringLiteral("-f"),
                                           QStringLiteral("UTF-8"), folder + QStringLiteral("/en_US.UTF-8")});
  make.waitForFinished(-1);
  const bool made = make.exitCode() == 0;
  PrintFigure("tools.sort.locale_made_here", made ? 1 : 0, "flag");
  if (!made) return {QStringLiteral("LC_ALL=C.UTF-8")};
  return {QStringLiteral("LOCPATH=") + folder, QStringLiteral("LC_ALL=en_US.UTF-8")};
}

void MeasureLineLists(const QString &path, const QStringList &lines) {
  QStringList sorted = lines;
  const double ours = TimeBest(1, [&] { SortLinesByCollation(sorted, Qt::CaseInsensitive, QLocale(QStringLiteral("en_US"))); });
  const double sort = RunSeconds(QStringLiteral("sort"), {QStringLiteral("-f"), QStringLiteral("-o"), QStringLiteral("/dev/null"), path},
                                 SortLocale());
  Ratio("sort_lines_1m", ours, sort, "sort");
  QStringList unique = lines;
  PrintFigure("tools.remove_duplicates_1m.ms", TimeBest(1, [&] { RemoveDuplicateLines(unique); }) * 1000, "ms");
  QStringList integers = lines;
  PrintFigure("tools.sort_integers_1m.ms", TimeBest(1, [&] { SortLinesByInteger(integers); }) * 1000, "ms");
  QStringList addresses = lines;
  PrintFigure("tools.sort_ipv4_1m.ms", TimeBest(1, [&] { SortLinesByIPv4(addresses); }) * 1000, "ms");
}

// Reverse Line Order through the driver, as the menu runs it, and its Undo.
std::pair<double, double> ReverseThroughWindow(TfrmMain &window, const QStringList &lines, int first, int count) {
  TEditorDoc *doc = window.ActiveDoc();
  auto owned = std::make_unique<QStringList>();
  owned->reserve(lines.size());
  for (const QString &line : lines) owned->append(QString(line.constData(), line.size()));
  doc->Editor->Document().AdoptLines(owned, leLF);
  // As a load leaves it: the status bar's byte count follows edits line by line from here.
  doc->Size.Reset(doc->Editor->Lines().Lines(), doc->EncKind, doc->EOL);
  doc->Editor->SetCaretAndSelection({1, first + count}, {1, first}, {1, first + count});
  const double reverse = TimeBest(1, [&] { window.EditMenu().Driver().TransformLines(ReverseLines, QStringLiteral("Reverse")); });
  const double undo = TimeBest(1, [&] { doc->Editor->Undo(); });
  return {reverse, undo};
}

void MeasureBlockReplacement(const QStringList &lines) {
  TfrmMain window({}, BenchScratchFolder() + QStringLiteral("/tools-settings.ini"));
  const QStringList half = lines.mid(0, KMillion / 2);
  const auto [middle, middleUndo] = ReverseThroughWindow(window, lines.mid(0, KMillion), KMillion / 4 + 1, KMillion / 2);
  const auto [alone, aloneUndo] = ReverseThroughWindow(window, half, 1, KMillion / 2 - 1);
  PrintFigure("tools.reverse_500k_in_1m.ms", middle * 1000, "ms");
  PrintFigure("tools.reverse_500k_alone.ms", alone * 1000, "ms");
  PrintFigure("tools.reverse_500k_in_1m.vs_alone.ratio", middle / alone, "x");
  PrintFigure("tools.reverse_500k_in_1m.undo_ms", middleUndo * 1000, "ms");
  PrintFigure("tools.reverse_500k_in_1m.undo_vs_operation.ratio", middleUndo / middle, "x");
}

void MeasureCodecs(const QStringList &lines) {
  // 100 MB of text, as one string.
  QString text;
  for (const QString &line : lines) {
    if (text.size() >= 100 * 1000 * 1000) break;
    text += line;
    text += u'\n';
  }
  const double megabytes = double(text.size()) / 1e6;
  const QString path = BenchScratchFolder() + QStringLiteral("/codec.txt");
  {
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(text.toLatin1());
  }
  QString encoded;
  const double encode = TimeBest(1, [&] { encoded = Base64Encode(text); });
  const double decode = TimeBest(1, [&] { (void)Base64Decode(encoded); });
  const double reference = RunSeconds(QStringLiteral("base64"), {path});
  PrintFigure("tools.base64_encode_100mb.mb_per_s", megabytes / encode, "MB/s");
  PrintFigure("tools.base64_decode_100mb.mb_per_s", megabytes / decode, "MB/s");
  PrintFigure("tools.base64_encode_100mb.coreutils_mb_per_s", megabytes / reference, "MB/s");
  encoded.clear();
  const double urlEncode = TimeBest(1, [&] { encoded = UrlEncode(text); });
  const double urlDecode = TimeBest(1, [&] { (void)UrlDecode(encoded); });
  PrintFigure("tools.url_encode_100mb.mb_per_s", megabytes / urlEncode, "MB/s");
  PrintFigure("tools.url_decode_100mb.mb_per_s", megabytes / urlDecode, "MB/s");
  encoded.clear();
  const double htmlEncode = TimeBest(1, [&] { encoded = HtmlEncode(text); });
  const double htmlDecode = TimeBest(1, [&] { (void)HtmlDecode(encoded); });
  PrintFigure("tools.html_encode_100mb.mb_per_s", megabytes / htmlEncode, "MB/s");
  PrintFigure("tools.html_decode_100mb.mb_per_s", megabytes / htmlDecode, "MB/s");
  QFile::remove(path);
}

// Every kind through the extraction window (both cores), against grep with the same pattern.
void MeasureExtraction(TfrmMain &window, const QString &path) {
  for (int tag = 0; tag < KExtractKindCount; ++tag) {
    const TExtractSpec spec = ExtractSpecOf(TExtractKind(tag));
    TfrmExtract *shown = nullptr;
    const double ours = TimeBest(1, [&] {
      shown = window.EditMenu().ExtractWindows().Start(window.ActiveEditor()->Lines().Lines(), TExtractKind(tag));
      while (!shown->Done()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    });
    delete shown;
    // grep in the C locale reads bytes, which hold no surrogate code units to name.
    const QString grepPattern = QString(spec.Pattern).remove(QStringLiteral("\\x{D800}-\\x{DFFF}"));
    const double grep = RunSeconds(QStringLiteral("grep"), {QStringLiteral("-aoP"), grepPattern, path},
                                   {QStringLiteral("LC_ALL=C")});
    Ratio("extract_" + std::to_string(tag) + "_200mb", ours, grep, "grep");
  }
}

// Locate Signals through the window, and the longest wait of its event loop meanwhile.
void MeasureSignals(TfrmMain &window, const QString &path) {
  const QString keywords = BenchScratchFolder() + QStringLiteral("/keywords.txt");
  {
    QFile file(keywords);
    file.open(QIODevice::WriteOnly);
    for (int category = 0; category < KSignalCategoryCount; ++category)
      file.write((SignalCategory(category).Keywords.join(u'\n') + u'\n').toLatin1());
  }
  TResultsPanel *panel = window.ResultsPanel();
  qint64 longestGap = 0;
  const double ours = TimeBest(1, [&] {
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
      longestGap = std::max(longestGap, clock.elapsed() - last);
      last = clock.elapsed();
    });
    tick.start(1);
    window.EditMenu().SignalScan().miLocateSignalsClick(5);
    while (panel->Scanning()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  });
  const double grep = RunSeconds(QStringLiteral("grep"), {QStringLiteral("-naiF"), QStringLiteral("-f"), keywords, path},
                                 {QStringLiteral("LC_ALL=C")});
  Ratio("locate_signals_200mb", ours, grep, "grep");
  PrintFigure("tools.locate_signals_200mb.longest_event_loop_gap_ms", double(longestGap), "ms");
}

void RunToolsBench() {
  const QString path = WriteInput(QStringLiteral("tools.log"), KBigFile, ToolLogLine);
  const QStringList all = ReadLines(path);
  PrintFigure("tools.input_lines", double(all.size()), "lines");
  const QString millionPath = BenchScratchFolder() + QStringLiteral("/million.log");
  {
    QFile file(millionPath);
    file.open(QIODevice::WriteOnly);
    for (qsizetype i = 0; i < KMillion; ++i) file.write((all[i] + u'\n').toLatin1());
  }
  const QStringList million = all.mid(0, KMillion);
  MeasureLineLists(millionPath, million);
  MeasureBlockReplacement(million);
  MeasureCodecs(all);
  TfrmMain window({}, BenchScratchFolder() + QStringLiteral("/tools-settings.ini"));
  auto owned = std::make_unique<QStringList>(all);
  window.ActiveDoc()->Editor->Document().AdoptLines(owned, leLF);
  MeasureExtraction(window, path);
  MeasureSignals(window, path);
  QFile::remove(path);
  QFile::remove(millionPath);
}

const TBenchRegistration KRegistration("tools", RunToolsBench);

}  // namespace
