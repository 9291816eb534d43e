#include "ComparePanes.h"

TComparePanes LayOutPanes(const TDiffRows &rows) {
  TComparePanes panes;
  panes.LeftLines.reserve(qsizetype(rows.size()));
  panes.RightLines.reserve(qsizetype(rows.size()));
  panes.LeftInfo.reserve(rows.size());
  panes.RightInfo.reserve(rows.size());
  for (size_t r = 0; r < rows.size(); ++r) {
    const TDiffRow &row = rows[r];
    panes.LeftLines.append(row.LeftText);
    panes.RightLines.append(row.RightText);
    panes.LeftInfo.push_back({row.Kind, row.Kind == dkInsert, row.LeftLine});
    panes.RightInfo.push_back({row.Kind, row.Kind == dkDelete, row.RightLine});
    if (row.Kind != dkEqual) panes.DiffRows.push_back(int(r));
  }
  return panes;
}

QString TruncateMiddle(const QString &text, int max) {
  if (max <= 4 || text.size() <= max) return text;
  const int tail = (6 * max - 18) / 10;
  return text.left(max - tail - 3) + QStringLiteral("...") + text.right(tail);
}
