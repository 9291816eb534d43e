#include "SearchEngine.h"

QString TMEEditSearchCustom::Replace(QStringView, int, QStringView replacement) { return replacement.toString(); }

void TMEEditSearchCustom::FindReplacements(QStringView text, const QString &replacement,
                                           std::vector<TMEReplacement> &out) {
  out.clear();
  const int count = FindAll(text);
  int copied = 0;
  for (int i = 0; i < count; ++i) {
    if (FResults[i] < copied) continue;  // overlaps the match before it
    out.push_back({FResults[i], FLengths[i], replacement});
    copied = FResults[i] + FLengths[i];
  }
}
