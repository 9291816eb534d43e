#pragma once
// The three line sorts. Each computes one key per line before sorting, and lines with equal keys
// keep their order.
#include <QLocale>
#include <QStringList>

// By the locale's collation. The C locale has no collation of its own; it sorts as the neutral one.
void SortLinesByCollation(QStringList &lines, Qt::CaseSensitivity sensitivity, const QLocale &locale = QLocale());

// By the trimmed line read as a 64-bit integer; a line that is none sorts as 0.
void SortLinesByInteger(QStringList &lines);

// The first IPv4 address in the line (else the trimmed line), as an unsigned 32-bit number; 0 when
// there is none.
quint32 IPv4SortKey(QStringView line);
void SortLinesByIPv4(QStringList &lines);
