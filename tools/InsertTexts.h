#pragma once
// The texts the Insert commands put at the caret: identifiers, dates, colours, parts of a file's
// path and random values. Every input (the clock, the zone, the generator) is a parameter, so each
// text can be checked exactly.
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QTimeZone>
#include <QUuid>

class TRandomGenerator;

// 8-4-4-4-12 lower-case hexadecimal digits without braces.
QString UuidText(const QUuid &uuid);
// The same in upper case, in braces.
QString GuidText(const QUuid &uuid);

// In the order of the menu items' tags; another tag writes IsoLocal.
enum class TDateTimeForm : quint8 { MySql, IsoLocal, Short, Long, UnixSeconds };
// now is one reading of the clock; the local time and its offset from UTC both come from it in
// zone, so a time in the hour a clock change repeats carries that hour's own offset.
QString DateTimeText(int tag, const QDateTime &now, const QTimeZone &zone, const QLocale &locale);

// "#FF0000", "FF0000", "255,0,0", "255,0,0,1.0" by tag; another tag writes the first form.
QString ColorText(int tag, int red, int green, int blue);

// By tag: the full path, the file name, the name without its extension (the part from the last
// dot on, unless that dot starts the name: ".bashrc" stays), and the folder (without its trailing
// separator, except at a root: "/" or "C:\"). Another tag, or an empty path, gives empty text.
QString CurrentFileText(int tag, const QString &path);

// A random public-looking IPv4 address: never in 0/8, 10/8, 127/8, 169.254/16, 172.16/12,
// 192.168/16 or at or above 224.0.0.0.
QString RandomIpv4(TRandomGenerator &random);
// length random lower-case hexadecimal digits.
QString RandomHex(TRandomGenerator &random, int length);
