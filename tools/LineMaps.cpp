#include "LineMaps.h"

#include <optional>

namespace {
bool IsSpaceOrTab(QChar c) { return c == u' ' || c == u'\t'; }

QString SpacesToTabs(QStringView line, int tabWidth, bool leadingOnly) {
  QString result;
  result.reserve(line.size());
  int pending = 0;
  bool leading = true;
  for (const QChar c : line) {
    if (c == u' ' && (!leadingOnly || leading)) {
      if (pending + 1 == tabWidth) {
        result += u'\t';
        pending = 0;
      } else {
        ++pending;
      }
      continue;
    }
    result.resize(result.size() + pending, u' ');
    pending = 0;
    if (c != u' ') leading = false;
    result += c;
  }
  result.resize(result.size() + pending, u' ');
  return result;
}

QString CollapseSpaces(QStringView line) {
  QString result;
  result.reserve(line.size());
  for (qsizetype i = 0; i < line.size();) {
    qsizetype end = i;
    while (end < line.size() && IsSpaceOrTab(line[end])) ++end;
    if (end - i >= 2) {
      result += u' ';
      i = end;
    } else {
      result += line[i++];
    }
  }
  return result;
}

bool HasSpaceRun(QStringView line) {
  for (qsizetype i = 1; i < line.size(); ++i)
    if (IsSpaceOrTab(line[i]) && IsSpaceOrTab(line[i - 1])) return true;
  return false;
}
}  // namespace

TLineMapFunc RemoveConsecutiveDuplicatesMap() {
  return [previous = std::optional<QString>()](QString &line) mutable {
    if (previous && *previous == line) return false;
    previous = line;
    return true;
  };
}

TLineMapFunc AddPrefixSuffixMap(const QString &prefix, const QString &suffix) {
  return [prefix, suffix](QString &line) {
    line = prefix + line + suffix;
    return true;
  };
}

TLineMapFunc RemovePrefixSuffixMap(const QString &prefix, const QString &suffix) {
  return [prefix, suffix](QString &line) {
    if (!prefix.isEmpty() && line.startsWith(prefix)) line.remove(0, prefix.size());
    if (!suffix.isEmpty() && line.endsWith(suffix)) line.chop(suffix.size());
    return true;
  };
}

TLineMapFunc RemoveEmptyLinesMap() {
  return [](QString &line) { return !Trimmed(line).isEmpty(); };
}

TLineMapFunc TrimMap(TTrimSide side) {
  return [side](QString &line) {
    const QStringView kept = Trimmed(line, side);
    if (kept.size() != line.size()) line = kept.toString();
    return true;
  };
}

TLineMapFunc TabsToSpacesMap(int tabWidth) {
  const QString spaces(qMax(tabWidth, 1), u' ');
  return [spaces](QString &line) {
    if (line.contains(u'\t')) line.replace(u'\t', spaces);
    return true;
  };
}

TLineMapFunc SpacesToTabsMap(int tabWidth, bool leadingOnly) {
  const int width = qMax(tabWidth, 1);
  return [width, leadingOnly](QString &line) {
    if (line.contains(u' ')) line = SpacesToTabs(line, width, leadingOnly);
    return true;
  };
}

TLineMapFunc CollapseSpacesMap() {
  return [](QString &line) {
    if (HasSpaceRun(line)) line = CollapseSpaces(line);
    return true;
  };
}
