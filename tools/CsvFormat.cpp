#include "CsvFormat.h"

namespace {
constexpr bool IsLineBreak(char16_t c) { return c == u'\r' || c == u'\n'; }

// The length of the line break at pos: 2 for CR LF, else 1.
qsizetype BreakLength(QStringView text, qsizetype pos) {
  return text[pos] == u'\r' && pos + 1 < text.size() && text[pos + 1] == u'\n' ? 2 : 1;
}

qsizetype CountBreaks(QStringView text) {
  qsizetype breaks = 0;
  for (qsizetype i = 0; i < text.size(); i += IsLineBreak(text[i].unicode()) ? BreakLength(text, i) : 1)
    if (IsLineBreak(text[i].unicode())) ++breaks;
  return breaks;
}
}  // namespace

bool IsUsableCsvDelimiter(QChar delim) { return delim != u'"' && !IsLineBreak(delim.unicode()); }

QString UnusableCsvDelimiterMessage() { return QStringLiteral("The delimiter must be exactly one character."); }

TCsvReader::TCsvReader(QStringView text, QChar delim) : FText(text), FDelim(delim.unicode()) {}

QString TCsvReader::OpenQuoteMessage() const {
  return QStringLiteral("The quoted field that opens on line %1 is never closed.").arg(FOpenQuoteLine);
}

void TCsvReader::ReadQuoted(QString &field) {
  const qsizetype openLine = FLine;
  ++FPos;
  while (true) {
    const qsizetype quote = FText.indexOf(u'"', FPos);
    const QStringView run = FText.sliced(FPos, (quote < 0 ? FText.size() : quote) - FPos);
    field.append(run);
    FLine += CountBreaks(run);
    if (quote < 0) {
      FOpenQuoteLine = openLine;
      FPos = FText.size();
      return;
    }
    if (quote + 1 < FText.size() && FText[quote + 1] == u'"') {
      field.append(u'"');
      FPos = quote + 2;
      continue;
    }
    FPos = quote + 1;
    return;
  }
}

bool TCsvReader::Next(QStringList &fields) {
  fields.clear();
  const qsizetype size = FText.size();
  if (FPos >= size) return false;
  const char16_t *units = FText.utf16();
  QString field;
  bool atFieldStart = true;
  while (FPos < size) {
    const char16_t c = units[FPos];
    if (c == FDelim) {
      fields.append(std::move(field));
      field = QString();
      ++FPos;
      atFieldStart = true;
    } else if (IsLineBreak(c)) {
      FPos += BreakLength(FText, FPos);
      ++FLine;
      fields.append(std::move(field));
      return true;
    } else if (c == u'"' && atFieldStart) {
      ReadQuoted(field);
      atFieldStart = false;
    } else {
      qsizetype end = FPos + 1;
      while (end < size && units[end] != FDelim && !IsLineBreak(units[end])) ++end;
      field.append(FText.sliced(FPos, end - FPos));
      FPos = end;
      atFieldStart = false;
    }
  }
  fields.append(std::move(field));
  return true;
}

TResult<TCsvRecords> ParseCsv(QStringView text, QChar delim) {
  TCsvReader reader(text, delim);
  TCsvRecords records;
  QStringList fields;
  while (reader.Next(fields)) records.append(fields);
  if (reader.EndsInsideQuotes()) return TResult<TCsvRecords>::Failure(reader.OpenQuoteMessage());
  return TResult<TCsvRecords>::Success(std::move(records));
}

bool CsvFieldNeedsQuotes(QStringView field, QChar delim) {
  for (const QChar c : field)
    if (c == delim || c == u'"' || IsLineBreak(c.unicode())) return true;
  return false;
}

QString CsvQuote(QStringView field) {
  QString quoted = field.toString();
  quoted.replace(u'"', QStringLiteral("\"\""));
  return u'"' + quoted + u'"';
}

void AppendCsvRecord(QString &out, const QStringList &fields, QChar delim, TCsvQuoting quoting) {
  for (qsizetype i = 0; i < fields.size(); ++i) {
    if (i > 0) out.append(delim);
    const QString &field = fields[i];
    if (quoting == TCsvQuoting::Always || CsvFieldNeedsQuotes(field, delim)) out.append(CsvQuote(field));
    else out.append(field);
  }
}

QString WriteCsv(const TCsvRecords &records, QChar delim, QStringView eol) {
  QString out;
  for (qsizetype i = 0; i < records.size(); ++i) {
    if (i > 0) out.append(eol);
    AppendCsvRecord(out, records[i], delim, TCsvQuoting::WhenNeeded);
  }
  return out;
}

qsizetype CountOutsideQuotes(QStringView text, QChar delim, qsizetype limit) {
  qsizetype count = 0;
  bool atFieldStart = true;
  bool inQuotes = false;
  for (qsizetype i = 0; i < text.size() && count < limit; ++i) {
    const QChar c = text[i];
    if (inQuotes) {
      if (c != u'"') continue;
      if (i + 1 < text.size() && text[i + 1] == u'"') ++i;
      else inQuotes = false;
    } else if (c == delim) {
      ++count;
      atFieldStart = true;
    } else if (IsLineBreak(c.unicode())) {
      atFieldStart = true;
    } else {
      inQuotes = c == u'"' && atFieldStart;
      atFieldStart = false;
    }
  }
  return count;
}
