#include "SearchEngine.h"

QString TMEEditSearchCustom::Replace(QStringView, int, QStringView replacement) { return replacement.toString(); }

int TMEEditSearchCustom::ReplaceAll(QStringView text, QStringView replacement, QString &result) {
  result.clear();
  const int count = FindAll(text);
  if (count == 0) return 0;
  result.reserve(text.size() + count * replacement.size());
  int replaced = 0;
  qsizetype copied = 0;
  for (int i = 0; i < Count(); ++i) {
    if (FResults[i] < copied) continue;  // overlaps the previous replacement
    result += text.sliced(copied, FResults[i] - copied);
    result += replacement;
    copied = FResults[i] + FLengths[i];
    ++replaced;
  }
  result += text.sliced(copied);
  return replaced;
}
