#pragma once
// Delimiter-separated values: reading records with double-quoted fields and writing them back with
// the least quoting. A double quote opens a quoted part only at the start of a field; anywhere else
// it is an ordinary character, so «1,12" screen» is two fields and the inch mark stays.
#include "TextResult.h"

#include <QList>
#include <QStringList>

#include <limits>

using TCsvRecords = QList<QStringList>;

// A double quote or a line break would make records that read back differently.
bool IsUsableCsvDelimiter(QChar delim);
// The warning for a delimiter that is not one usable character.
QString UnusableCsvDelimiterMessage();

// Reads a text one record at a time. Inside quotes the delimiter and line breaks belong to the
// field and two double quotes stand for one. A line break ends a record; a final line break makes
// no empty last record, an empty line in the middle is a record with one empty field.
class TCsvReader {
 public:
  TCsvReader(QStringView text, QChar delim);

  // The next record, or false after the last one. fields keeps its capacity between records.
  bool Next(QStringList &fields);
  // After the last record: a text that ends inside a quoted field cannot be written back as it
  // was read, so the callers refuse it with this message.
  bool EndsInsideQuotes() const { return FOpenQuoteLine > 0; }
  QString OpenQuoteMessage() const;

 private:
  void ReadQuoted(QString &field);

  QStringView FText;
  char16_t FDelim;
  qsizetype FPos = 0;
  qsizetype FLine = 1;
  qsizetype FOpenQuoteLine = 0;
};

TResult<TCsvRecords> ParseCsv(QStringView text, QChar delim);

// True when the field holds the delimiter, a line break or a double quote.
bool CsvFieldNeedsQuotes(QStringView field, QChar delim);
// Doubles every double quote and wraps the field in double quotes.
QString CsvQuote(QStringView field);

enum class TCsvQuoting : quint8 { WhenNeeded, Always };
// Appends one record: fields joined by delim, each quoted as asked.
void AppendCsvRecord(QString &out, const QStringList &fields, QChar delim, TCsvQuoting quoting);
// Records joined by eol, none after the last.
QString WriteCsv(const TCsvRecords &records, QChar delim, QStringView eol);

// How often delim stands outside quoted parts of text, counting no further than limit. Quoted
// parts follow the reading rules above, so a delimiter inside one is not counted.
qsizetype CountOutsideQuotes(QStringView text, QChar delim,
                             qsizetype limit = std::numeric_limits<qsizetype>::max());
