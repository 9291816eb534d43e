#pragma once
// A Unix timestamp (seconds since 1970-01-01 00:00 UTC) as a date in a time zone.
#include "TextResult.h"

#include <QTimeZone>

// In the order of the menu items' tags.
enum class TTimestampFormat : quint8 { IsoDateTime, MySqlDateTime, IsoDate, MySqlDate };

// The trimmed text is read by the integer reading. "2024-05-01T12:00:00.000Z" with a zero offset,
// "...000+05:30" or "...000-03:30" otherwise; "yyyy-mm-dd hh:nn:ss"; "yyyy-mm-dd". Dates outside
// the years 1 to 9999 fail rather than print a year that does not fit.
TTextResult TimestampToText(QStringView text, TTimestampFormat format, const QTimeZone &zone);
