#include "Timestamp.h"

#include "TextRules.h"

#include <QDateTime>

namespace {
// 0001-01-01 and 9999-12-31 in UTC, widened by a day so any zone's offset stays inside.
constexpr qint64 KFirstSecond = -62135596800LL - 86400;
constexpr qint64 KLastSecond = 253402300799LL + 86400;

QString TwoDigits(int value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')); }

QString DatePart(const QDate &date) {
  return QStringLiteral("%1-%2-%3").arg(date.year(), 4, 10, QLatin1Char('0')).arg(TwoDigits(date.month()),
                                                                                 TwoDigits(date.day()));
}

QString TimePart(const QTime &time) {
  return QStringLiteral("%1:%2:%3").arg(TwoDigits(time.hour()), TwoDigits(time.minute()), TwoDigits(time.second()));
}

QString OffsetPart(int offsetSeconds) {
  if (offsetSeconds == 0) return QStringLiteral("Z");
  const int magnitude = qAbs(offsetSeconds);
  return (offsetSeconds > 0 ? QStringLiteral("+") : QStringLiteral("-")) + TwoDigits(magnitude / 3600) + u':' +
         TwoDigits(magnitude % 3600 / 60);
}
}  // namespace

TTextResult TimestampToText(QStringView text, TTimestampFormat format, const QTimeZone &zone) {
  const QString failed = QStringLiteral("Failed to convert timestamp to date");
  const std::optional<qint64> seconds = ReadInt64(Trimmed(text));
  if (!seconds) return TTextResult::Failure(failed);
  const QString outOfRange = failed + QStringLiteral(": the date lies outside the years 1 to 9999");
  if (*seconds < KFirstSecond || *seconds > KLastSecond) return TTextResult::Failure(outOfRange);
  const QDateTime moment = QDateTime::fromSecsSinceEpoch(*seconds, zone);
  const QDate date = moment.date();
  if (!moment.isValid() || date.year() < 1 || date.year() > 9999) return TTextResult::Failure(outOfRange);
  switch (format) {
    case TTimestampFormat::IsoDateTime:
      return TTextResult::Success(DatePart(date) + u'T' + TimePart(moment.time()) + QStringLiteral(".000") +
                                  OffsetPart(moment.offsetFromUtc()));
    case TTimestampFormat::MySqlDateTime:
      return TTextResult::Success(DatePart(date) + u' ' + TimePart(moment.time()));
    case TTimestampFormat::IsoDate:
    case TTimestampFormat::MySqlDate: break;
  }
  return TTextResult::Success(DatePart(date));
}
