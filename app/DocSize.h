#pragma once
// TDocSizeCounter: the number of bytes a save would write, kept up to date line by line, so the
// status bar never encodes the whole document on a keystroke.
#include "core/Encoding.h"

#include <QStringList>

#include <vector>

class TDocSizeCounter {
 public:
  // Counts every line afresh: after a load and when the encoding kind or line break changes.
  void Reset(const QStringList &lines, int kind, QStringView eol);
  // The lines [first, first + oldCount) were replaced by newCount lines, now in lines.
  void LinesReplaced(const QStringList &lines, int first, int oldCount, int newCount);
  // Mark, lines and the breaks between them.
  qint64 Total() const;

  // What one line takes in the given kind.
  static qint64 LineBytes(QStringView line, int kind);

 private:
  void Recount(const QStringList &lines);

  std::vector<quint32> FLineBytes;
  qint64 FSum = 0;
  int FKind = ekUtf8;
  qint64 FEolBytes = 2;
};
