#include "CsvOperations.h"

#include "CsvColumns.h"
#include "CsvFormat.h"

namespace {
// Reads every record, lets shape rewrite its fields, and writes it with writeDelim.
template <typename TShape>
TTextResult RewriteCsv(QStringView text, QChar readDelim, QChar writeDelim, QStringView eol, TCsvQuoting quoting,
                       TShape &&shape) {
  return CatchToolErrors([&] {
    if (!IsUsableCsvDelimiter(readDelim) || !IsUsableCsvDelimiter(writeDelim))
      return TTextResult::Failure(UnusableCsvDelimiterMessage());
    const QStringView recordBreak = eol.isEmpty() ? QStringView(u"\r\n") : eol;
    TCsvReader reader(text, readDelim);
    QString out;
    out.reserve(text.size() + text.size() / 8);
    QStringList fields;
    for (bool first = true; reader.Next(fields); first = false) {
      if (!first) out.append(recordBreak);
      shape(fields);
      AppendCsvRecord(out, fields, writeDelim, quoting);
    }
    if (reader.EndsInsideQuotes()) return TTextResult::Failure(reader.OpenQuoteMessage());
    return TTextResult::Success(std::move(out));
  });
}

void KeepAsRead(QStringList &) {}
}  // namespace

TTextResult CsvReplaceDelimiter(QStringView text, QChar oldDelim, QChar newDelim, QStringView eol) {
  return RewriteCsv(text, oldDelim, newDelim, eol, TCsvQuoting::WhenNeeded, KeepAsRead);
}

TTextResult CsvQuoteAll(QStringView text, QChar delim, QStringView eol) {
  return RewriteCsv(text, delim, delim, eol, TCsvQuoting::Always, KeepAsRead);
}

TTextResult CsvUnquoteAll(QStringView text, QChar delim, QStringView eol) {
  return RewriteCsv(text, delim, delim, eol, TCsvQuoting::WhenNeeded, KeepAsRead);
}

TTextResult CsvSelectColumns(QStringView text, QChar delim, QStringView eol, TColumnChoice choice, QStringView spec) {
  TResult<TColumnSet> columns = ParseColumnSpec(spec);
  if (!columns.IsOk()) return TTextResult::Failure(columns.Error());
  const TColumnSet &set = columns.Value();
  const bool keep = choice == TColumnChoice::Keep;
  return RewriteCsv(text, delim, delim, eol, TCsvQuoting::WhenNeeded, [&](QStringList &fields) {
    qsizetype kept = 0;
    for (qsizetype i = 0; i < fields.size(); ++i)
      if (set.Contains(qint32(i)) == keep) {
        if (kept != i) fields[kept] = std::move(fields[i]);
        ++kept;
      }
    fields.resize(kept);
  });
}
