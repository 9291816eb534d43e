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
  // Only the break between lines changed: nothing to count again.
  void SetLineBreak(QStringView eol) { FEolBytes = LineBytes(eol, FKind); }
  // The lines [first, first + oldCount) were replaced by newCount lines, now in lines.
  void LinesReplaced(const QStringList &lines, int first, int oldCount, int newCount);
  // Mark, lines and the breaks between them. Not known while a count is pending.
  qint64 Total() const;

  // Counting a huge document takes long enough to stall the window, so it may be done elsewhere:
  // BeginCount starts waiting for counts of the current lines and answers a ticket, Adopt takes
  // the counts made for that ticket. Any Reset or edit in between counts at once and voids it.
  quint64 BeginCount(int kind, QStringView eol);
  void Adopt(std::vector<quint32> &&counts, quint64 ticket);
  bool Pending() const { return FPending; }

  // What one line takes in the given kind.
  static qint64 LineBytes(QStringView line, int kind);
  // Every line's count; touches nothing shared, so it may run on any thread.
  static std::vector<quint32> CountLines(const QStringList &lines, int kind);

 private:
  void Recount(const QStringList &lines);
  void Install(std::vector<quint32> &&counts);

  std::vector<quint32> FLineBytes;
  qint64 FSum = 0;
  int FKind = ekUtf8;
  qint64 FEolBytes = 2;
  bool FPending = false;
  quint64 FTicket = 0;
};
