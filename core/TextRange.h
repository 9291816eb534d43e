#pragma once
// The text between two places of a list of lines, joined by a given line break and built at its
// final size. It reads nothing but the list it is given, so a worker may take it from a snapshot.
#include "BufferCoord.h"

#include <QStringList>

// Empty unless from comes before to; a place outside the lines reads as empty text.
QString TextBetween(const QStringList &lines, TBufferCoord from, TBufferCoord to, QStringView lineBreak);
