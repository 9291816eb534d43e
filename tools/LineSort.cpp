#include "LineSort.h"

#include "TextRules.h"

#include <QCollator>

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {
template <typename TKey, typename TLess>
void SortByKeys(QStringList &lines, const std::vector<TKey> &keys, TLess less) {
  std::vector<qsizetype> order(size_t(lines.size()));
  for (size_t i = 0; i < order.size(); ++i) order[i] = qsizetype(i);
  std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) { return less(keys[a], keys[b]); });
  QStringList sorted;
  sorted.reserve(lines.size());
  for (const qsizetype index : order) sorted.append(std::move(lines[index]));
  lines = std::move(sorted);
}

template <typename TKeyOf>
auto KeysOf(const QStringList &lines, TKeyOf keyOf) {
  std::vector<decltype(keyOf(QString()))> keys;
  keys.reserve(size_t(lines.size()));
  for (const QString &line : lines) keys.push_back(keyOf(line));
  return keys;
}

// \d and \b are ASCII here (no UCP), so digits of other scripts never form an address.
class TIPv4Pattern {
 public:
  TIPv4Pattern() {
    static const char16_t pattern[] =
        u"\\b(?:25[0-5]|2[0-4]\\d|1?\\d?\\d)(?:\\.(?:25[0-5]|2[0-4]\\d|1?\\d?\\d)){3}\\b";
    int errorCode = 0;
    PCRE2_SIZE errorOffset = 0;
    FCode = pcre2_compile(reinterpret_cast<PCRE2_SPTR16>(pattern), PCRE2_ZERO_TERMINATED, 0, &errorCode,
                          &errorOffset, nullptr);
    Q_ASSERT(FCode);
    pcre2_jit_compile(FCode, PCRE2_JIT_COMPLETE);
    FMatch = pcre2_match_data_create_from_pattern(FCode, nullptr);
  }
  ~TIPv4Pattern() {
    pcre2_match_data_free(FMatch);
    pcre2_code_free(FCode);
  }
  TIPv4Pattern(const TIPv4Pattern &) = delete;
  TIPv4Pattern &operator=(const TIPv4Pattern &) = delete;

  // The first match, or a null view.
  QStringView FirstMatch(QStringView line) {
    const int rc = pcre2_match(FCode, reinterpret_cast<PCRE2_SPTR16>(line.utf16()), PCRE2_SIZE(line.size()), 0, 0,
                               FMatch, nullptr);
    if (rc < 0) return QStringView();
    const PCRE2_SIZE *ovector = pcre2_get_ovector_pointer(FMatch);
    return line.sliced(qsizetype(ovector[0]), qsizetype(ovector[1] - ovector[0]));
  }

 private:
  pcre2_code *FCode = nullptr;
  pcre2_match_data *FMatch = nullptr;
};

qint64 IntegerSortKey(QStringView line) { return ReadInt64(Trimmed(line)).value_or(0); }

quint32 AddressKey(QStringView address) {
  quint32 key = 0;
  int parts = 0;
  for (const QStringView part : address.tokenize(u'.')) {
    const std::optional<qint32> value = ReadInt32(part);
    if (++parts > 4 || !value || *value < 0 || *value > 255) return 0;
    key = (key << 8) | quint32(*value);
  }
  return parts == 4 ? key : 0;
}

quint32 IPv4KeyWith(TIPv4Pattern &pattern, QStringView line) {
  const QStringView match = pattern.FirstMatch(line);
  return AddressKey(match.isNull() ? Trimmed(line) : match);
}
}  // namespace

void SortLinesByCollation(QStringList &lines, Qt::CaseSensitivity sensitivity, const QLocale &locale) {
  QCollator collator(locale.language() == QLocale::C ? QLocale(QLocale::English, QLocale::UnitedStates) : locale);
  collator.setCaseSensitivity(sensitivity);
  const auto keys = KeysOf(lines, [&](const QString &line) { return collator.sortKey(line); });
  SortByKeys(lines, keys, [](const QCollatorSortKey &a, const QCollatorSortKey &b) { return a.compare(b) < 0; });
}

void SortLinesByInteger(QStringList &lines) {
  SortByKeys(lines, KeysOf(lines, IntegerSortKey), std::less<qint64>());
}

quint32 IPv4SortKey(QStringView line) {
  TIPv4Pattern pattern;
  return IPv4KeyWith(pattern, line);
}

void SortLinesByIPv4(QStringList &lines) {
  TIPv4Pattern pattern;
  const auto keys = KeysOf(lines, [&](QStringView line) { return IPv4KeyWith(pattern, line); });
  SortByKeys(lines, keys, std::less<quint32>());
}
