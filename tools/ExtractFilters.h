#pragma once
// The rules applied to extracted values: which IPv4 addresses are public, how a phone-number
// candidate is normalised and which candidates are kept.
#include <QString>

#include <array>
#include <optional>

// Exactly four dot-separated decimal numbers from 0 to 255.
std::optional<std::array<int, 4>> ReadDottedQuad(QStringView value);
// The address as one number for sorting; 0 for a value that is not a dotted quad.
quint32 DottedQuadValue(QStringView value);

// False for anything but a dotted quad and for 0/8, 10/8, 127/8, 169.254/16, 172.16/12,
// 192.168/16, 192.0.2/24, 100.64/10 and 224.0.0.0 upwards.
bool IsPublicIPv4(QStringView value);

// Runs of tabs, spaces and parentheses become one space (none at the start) and trailing blanks
// go: «(555) 123-4567» becomes «555 123-4567».
QString NormalizePhone(QStringView value);
// The same into out, whose storage is reused from one candidate to the next.
void NormalizePhoneInto(QStringView value, QString &out);
// A normalised candidate of at least 6 characters that looks neither like a dotted number
// (10.0.0.1) nor like a date (2024-01-15, 15-01-2024).
bool IsAcceptedPhone(QStringView normalized);
