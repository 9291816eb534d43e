// The line diff of two 100,000-line logs with one line in a hundred changed, against GNU diff
// --minimal on the same files; the same for two 200,000-line logs and for 20,000 lines drawn from
// three texts, each with the peak memory the diff added; and the
// compare window paging through a 200,000-row comparison (each page new rows, the window painted),
// against a window of two plain editors paging through the same lines.
#include "BenchGroup.h"
#include "BenchInputs.h"
#include "BenchUtil.h"
#include "app/compare/CompareForm.h"
#include "core/LineDecoder.h"
#include "editor/Edit.h"
#include "tools/compare/DiffEngine.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QSplitter>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace {

constexpr double KRepaintBudgetMs = 8;

struct TLogPair {
  QString LeftPath, RightPath;
  QStringList Left, Right;
};

QStringList Decode(const QByteArray &bytes) {
  QStringList lines;
  DecodeBytesToLines(bytes, 0, nullptr, lines);
  return lines;
}

// Both sides as files for GNU diff, and as lines.
TLogPair MakePair(const QString &name, const QByteArray &left, const QByteArray &right) {
  TLogPair pair{BenchScratchFolder() + u'/' + name + QStringLiteral(".left"),
                BenchScratchFolder() + u'/' + name + QStringLiteral(".right"), Decode(left), Decode(right)};
  for (const auto &[path, bytes] : {std::pair{pair.LeftPath, left}, std::pair{pair.RightPath, right}}) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) qFatal("cannot write %s", qPrintable(path));
  }
  return pair;
}

// A log, and a copy with every hundredth line changed.
TLogPair MakeLogPair(int count, const QString &name) {
  QByteArray left, right;
  quint32 seed = 2026;
  for (int i = 0; i < count; ++i) {
    const QByteArray line = LogLine(seed, false);
    left += line;
    right += i % 100 == 50 ? line.left(line.size() - 1) + " (retried)\n" : line;
  }
  return MakePair(name, left, right);
}

// Lines drawn from three texts: nearly every line of one side matches thousands on the other, the
// hardest kind of input for both.
TLogPair MakeFewTextsPair(int count, const QString &name) {
  QByteArray left, right;
  quint32 seed = 99;
  const auto pick = [&seed] { return char('a' + ((seed = seed * 1664525u + 1013904223u) >> 16) % 3); };
  for (int i = 0; i < count; ++i) {
    left += pick() + QByteArray("\n");
    right += pick() + QByteArray("\n");
  }
  return MakePair(name, left, right);
}

double GnuDiffSeconds(const TLogPair &pair) {
  return TimeBest(3, [&] {
    QProcess diff;
    diff.setStandardOutputFile(QProcess::nullDevice());
    diff.start(QStringLiteral("diff"), {QStringLiteral("--minimal"), pair.LeftPath, pair.RightPath});
    diff.waitForFinished(-1);
  });
}

void MeasureDiff(const TLogPair &pair, const std::string &name, bool againstDiff) {
  size_t rows = 0;
  TrimHeap();
  ResetPeakMemory();
  const qint64 before = ResidentBytes();
  const double seconds = TimeBest(3, [&] {
    const TResult<TDiffRows> result = ComputeDiff(pair.Left, pair.Right);
    rows = result.Value().size();
  });
  const double peak = double(PeakResidentBytes() - before) / KMiB;
  PrintFigure("compare." + name + ".ms", seconds * 1000, "ms");
  PrintFigure("compare." + name + ".rows", double(rows), "rows");
  PrintFigure("compare." + name + ".peak_added_mb", peak, "MiB");
  if (!againstDiff) return;
  const double gnu = GnuDiffSeconds(pair);
  PrintFigure("compare." + name + ".diff_minimal_ms", gnu * 1000, "ms");
  PrintFigure("compare." + name + ".vs_diff_minimal.ratio", seconds / gnu, "x");
}

template <typename F>
double Ms(F &&fn) {
  QElapsedTimer timer;
  timer.start();
  fn();
  return double(timer.nsecsElapsed()) / 1e6;
}

// Milliseconds per scroll with the panes painted: by whole pages far apart (rows never painted
// before, step 0), or by step rows as the wheel does.
std::vector<double> Scroll(QWidget &window, TMEEdit &left, int step, const std::function<void(int)> &scrollTo) {
  std::vector<double> times;
  const int page = left.VisibleRowCount(), start = left.TopLine();
  for (int i = 1; i <= 150; ++i) {
    const int top = step ? start + i * step : 1 + i * page * 13;
    times.push_back(Ms([&] {
      scrollTo(top);
      window.repaint();
    }));
  }
  std::sort(times.begin(), times.end());
  return times;
}

void MeasureScrolling(const TLogPair &pair) {
  auto *form = new TfrmCompare;
  form->resize(1000, 600);
  form->show();
  QEventLoop loop;
  QObject::connect(form, &TfrmCompare::DiffShown, &loop, &QEventLoop::quit);
  form->ShowDiff(pair.LeftPath, pair.RightPath, pair.Left, pair.Right, {}, {});
  loop.exec();
  QApplication::processEvents();
  TMEEdit &left = *form->LeftPane();
  PrintFigure("compare.scroll_200k_rows.rows", left.LineCount(), "rows");
  const auto scrollForm = [&](int top) { left.SetTopLine(top); };
  // A scroll repaints the panes, not the buttons above them.
  QSplitter &panes = *form->findChild<QSplitter *>();
  const std::vector<double> window = Scroll(panes, left, 0, scrollForm);
  const std::vector<double> wheel = Scroll(panes, left, 3, scrollForm);

  // The same pages in a window of the same size with two plain editors, kept together by hand.
  QWidget plainWindow;
  auto *split = new QSplitter(&plainWindow);
  auto *plainLeft = new TMEEdit(split), *plainRight = new TMEEdit(split);
  for (auto [plain, lines] : {std::pair{plainLeft, &pair.Left}, std::pair{plainRight, &pair.Right}}) {
    auto copy = std::make_unique<QStringList>(*lines);
    plain->Document().AdoptLines(copy, leLF);
  }
  auto *layout = new QVBoxLayout(&plainWindow);
  layout->setContentsMargins(0, form->height() - left.height(), 0, 0);
  layout->addWidget(split);
  plainWindow.resize(form->size());
  plainWindow.show();
  QApplication::processEvents();
  const std::vector<double> plain = Scroll(*split, *plainLeft, 0, [&](int top) {
    plainLeft->SetTopLine(top);
    plainRight->SetTopLine(top);
  });
  const auto median = [](const std::vector<double> &v) { return v[v.size() / 2]; };
  const auto p95 = [](const std::vector<double> &v) { return v[v.size() * 95 / 100]; };
  PrintFigure("compare.scroll_200k_rows.repaint_ms", median(window), "ms");
  PrintFigure("compare.scroll_200k_rows.repaint_p95_ms", p95(window), "ms");
  PrintFigure("compare.scroll_200k_rows.plain_editors_ms", median(plain), "ms");
  PrintFigure("compare.scroll_200k_rows.plain_editors_p95_ms", p95(plain), "ms");
  PrintFigure("compare.scroll_200k_rows.vs_plain_editors.ratio", median(window) / median(plain), "x");
  PrintFigure("compare.scroll_200k_rows.vs_8ms_budget.ratio", median(window) / KRepaintBudgetMs, "x");
  PrintFigure("compare.scroll_200k_rows.wheel_repaint_ms", median(wheel), "ms");
  PrintFigure("compare.scroll_200k_rows.wheel_repaint_p95_ms", p95(wheel), "ms");
  delete form;
}

void Run() {
  MeasureDiff(MakeFewTextsPair(20000, QStringLiteral("few20k")), "diff_20k_lines_of_3_texts", true);
  {
    const TLogPair logs = MakeLogPair(100000, QStringLiteral("diff100k"));
    MeasureDiff(logs, "diff_100k_lines_1pct", true);
  }
  const TLogPair logs = MakeLogPair(200000, QStringLiteral("diff200k"));
  MeasureDiff(logs, "diff_200k_lines_1pct", true);
  MeasureScrolling(logs);
}

const TBenchRegistration registration("compare", Run);

}  // namespace
