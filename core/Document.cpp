#include "Document.h"

#include "TextRange.h"
#include "TextSplit.h"

namespace {

// Onto the text: an existing line, at most its end, never between the halves of a surrogate pair.
TBufferCoord OntoText(const TMEDocument &document, TBufferCoord coord) {
  coord.Line = qBound(1, coord.Line, document.LineCount());
  const QString line = document.LineText(coord.Line);
  coord.Char = qBound(1, coord.Char, int(line.size()) + 1);
  if (SplitsPair(line, coord.Char)) --coord.Char;
  return coord;
}

}  // namespace

TMEDocument::TMEDocument(QObject *parent) : QObject(parent) {}

QString TMEDocument::GetTextRange(TBufferCoord from, TBufferCoord to) const {
  return TextBetween(FLines.Lines(), from, to, u"\r\n");
}

QString TMEDocument::Property(const QString &name) const {
  return name == KLineBreakProperty ? FLines.LineBreak() : FProperties.value(name);
}

void TMEDocument::SetProperty(const QString &name, const QString &value, bool record) {
  const QString before = Property(name);
  if (before == value) return;
  StoreProperty(name, value);
  if (!record) return;
  FModified = true;
  TMEUndoRec rec;
  rec.Kind = ukProperty;
  rec.Text = name;
  rec.ValueBefore = before;
  rec.ValueAfter = value;
  AddUndo(std::move(rec));
}

void TMEDocument::StoreProperty(const QString &name, const QString &value) {
  if (name == KLineBreakProperty) FLines.SetLineBreak(value);
  else FProperties.insert(name, value);
  Q_EMIT OnPropertyChanged(name);
}

void TMEDocument::SetText(QStringView text, bool *altered) {
  const int oldCount = LineCount();
  FLines.SetText(text, altered);
  FUndoList.Clear();
  FModified = false;
  Replaced(0, oldCount, LineCount());
}

void TMEDocument::Clear() {
  const int oldCount = FLines.GetCount();
  FLines.Clear();
  FUndoList.Clear();
  FModified = true;
  if (oldCount > 0) Replaced(0, oldCount, 1);
}

void TMEDocument::AdoptLines(std::unique_ptr<QStringList> &lines, TMELineEnding lineEnding) {
  if (!lines) return;
  const int oldCount = LineCount();
  FLines.AdoptLines(lines, lineEnding);
  FUndoList.Clear();
  FModified = false;
  Replaced(0, oldCount, LineCount());
}

TBufferCoord TMEDocument::InsertTextAt(TBufferCoord pos, const QString &text, bool record) {
  if (text.isEmpty()) return pos;
  pos.Line = qBound(1, pos.Line, LineCount());
  pos.Char = qMax(1, pos.Char);
  if (FLines.GetCount() == 0) FLines.Add(QString());
  const QString line = LineText(pos.Line);
  const QStringView head = QStringView(line).first(qMin(pos.Char - 1, int(line.size())));
  const QStringView tail = QStringView(line).sliced(head.size());
  // Typing in virtual space fills the gap with spaces, which belong to the insertion.
  const int padding = pos.Char - 1 - int(head.size());
  QStringList pieces = SplitAtLineBreaks(text);
  const int k = int(pieces.size());
  // The line up to the first break, built at its final size: typing costs one new line, no more.
  QString changed;
  changed.reserve(head.size() + padding + pieces[0].size() + (k == 1 ? tail.size() : 0));
  changed.append(head);
  changed.resize(changed.size() + padding, u' ');
  changed.append(pieces[0]);
  TBufferCoord end;
  if (k == 1) {
    end = {int(changed.size()) + 1, pos.Line};
    changed.append(tail);
    FLines.Put(pos.Line - 1, changed);
  } else {
    FLines.Put(pos.Line - 1, changed);
    end = {int(pieces[k - 1].size()) + 1, pos.Line + k - 1};
    pieces.removeFirst();
    pieces.last() += tail;
    FLines.InsertLines(pos.Line, std::move(pieces));
  }
  FModified = true;
  Replaced(pos.Line - 1, 1, k);
  if (record) {
    if (padding > 0) AddUndo(ukInsert, QString(padding, u' ') + text, {int(line.size()) + 1, pos.Line}, end);
    else AddUndo(ukInsert, text, pos, end);
  }
  return end;
}

bool TMEDocument::DeleteRange(TBufferCoord from, TBufferCoord to, bool record) {
  from = OntoText(*this, from);
  to = OntoText(*this, to);
  OrderCoords(from, to);
  if (from == to) return false;
  // The removed text is built only for the record.
  if (record) AddUndo(ukDelete, GetTextRange(from, to), from, to);
  if (from.Line == to.Line) {
    QString line = LineText(from.Line);
    line.remove(from.Char - 1, to.Char - from.Char);
    FLines.Put(from.Line - 1, line);
  } else {
    const QString joined = LineText(from.Line).left(from.Char - 1) + LineText(to.Line).mid(to.Char - 1);
    FLines.DeleteLines(from.Line, to.Line - from.Line);
    FLines.Put(from.Line - 1, joined);
  }
  FModified = true;
  Replaced(from.Line - 1, to.Line - from.Line + 1, 1);
  return true;
}

namespace {

// head + piece, built at its size.
void PutBefore(QString &piece, QStringView head) {
  if (head.isEmpty()) return;
  QString joined;
  joined.reserve(head.size() + piece.size());
  joined.append(head).append(piece);
  piece = std::move(joined);
}

// piece + what follows offset in line; a line taken whole is shared, not copied.
void PutAfter(QString &piece, const QString &line, qsizetype offset) {
  if (offset >= line.size()) return;
  if (piece.isEmpty() && offset == 0) {
    piece = line;
    return;
  }
  const QStringView tail = QStringView(line).sliced(offset);
  QString joined;
  joined.reserve(piece.size() + tail.size());
  joined.append(piece).append(tail);
  piece = std::move(joined);
}

}  // namespace

TBufferCoord TMEDocument::ReplaceRange(TBufferCoord from, TBufferCoord to, QStringList lines) {
  from = OntoText(*this, from);
  to = OntoText(*this, to);
  OrderCoords(from, to);
  if (lines.isEmpty()) lines.append(QString());
  const int count = int(lines.size());
  if (from == to && count == 1 && lines[0].isEmpty()) return from;
  if (FLines.GetCount() == 0) FLines.Add(QString());
  const QStringList &store = FLines.Lines();
  const QStringView head = QStringView(store[from.Line - 1]).first(from.Char - 1);
  const TBufferCoord end = count == 1 ? TBufferCoord{int(head.size() + lines[0].size()) + 1, from.Line}
                                      : TBufferCoord{int(lines[count - 1].size()) + 1, from.Line + count - 1};
  // Text ending with a break put before the start of a line leaves that line as it is.
  const bool keepsLastLine = to.Char == 1 && to.Line > from.Line && count > 1 && lines.last().isEmpty();
  if (keepsLastLine) lines.removeLast();
  else PutAfter(lines.last(), store[to.Line - 1], to.Char - 1);
  PutBefore(lines.first(), head);
  const int replaced = to.Line - from.Line + (keepsLastLine ? 0 : 1);
  const int inserted = int(lines.size());
  FLines.ExchangeLines(from.Line - 1, replaced, lines);
  TMEUndoRec rec;
  rec.Kind = ukBlock;
  rec.StartPos = from;
  rec.EndPos = end;
  rec.Lines = std::move(lines);
  rec.LinesInDocument = inserted;
  AddUndo(std::move(rec));
  FModified = true;
  Replaced(from.Line - 1, replaced, inserted);
  return end;
}

void TMEDocument::ExchangeBlock(TMEUndoRec &rec) {
  const int first = rec.StartPos.Line - 1;
  const int inDocument = rec.LinesInDocument;
  rec.LinesInDocument = int(rec.Lines.size());
  FLines.ExchangeLines(first, inDocument, rec.Lines);
  Replaced(first, inDocument, rec.LinesInDocument);
}

void TMEDocument::SpliceLines(QList<TMELineSplice> splices) {
  if (splices.isEmpty()) return;
  ReplaySplices(splices, false);
  const int lastLine = splices.last().Line;
  const TBufferCoord start{1, splices.first().Line}, end{int(LineText(lastLine).size()) + 1, lastLine};
  AddUndo(ukLines, QString(), start, end, std::move(splices));
}

void TMEDocument::ReplaySplices(const QList<TMELineSplice> &splices, bool undo) {
  if (undo) {
    for (auto it = splices.crbegin(); it != splices.crend(); ++it)
      FLines.Splice(it->Line - 1, it->Offset, int(it->Inserted.size()), it->Removed);
  } else {
    for (const TMELineSplice &splice : splices)
      FLines.Splice(splice.Line - 1, splice.Offset, int(splice.Removed.size()), splice.Inserted);
  }
  FModified = true;
  // Splices come in line order: each run of neighbouring lines is reported once.
  for (qsizetype i = 0; i < splices.size();) {
    qsizetype end = i + 1;
    while (end < splices.size() && splices[end].Line - splices[end - 1].Line <= 1) ++end;
    const int first = splices[i].Line, count = splices[end - 1].Line - first + 1;
    Replaced(first - 1, count, count);
    i = end;
  }
}

bool TMEDocument::Undo(TBufferCoord &caret) {
  if (!FUndoList.CanUndo()) return false;
  const int group = FUndoList.UndoGroup();
  while (FUndoList.CanUndo() && FUndoList.UndoGroup() == group) {
    TMEUndoRec rec = FUndoList.TakeUndo();
    if (rec.Kind == ukLines) ReplaySplices(rec.Splices, true);
    else if (rec.Kind == ukBlock) ExchangeBlock(rec);
    else if (rec.Kind == ukProperty) StoreProperty(rec.Text, rec.ValueBefore);
    else if (rec.Kind == ukInsert) DeleteRange(rec.StartPos, rec.EndPos, false);
    else InsertTextAt(rec.StartPos, rec.Text, false);
    caret = rec.Before.Caret;
    FUndoList.PushRedo(std::move(rec));
  }
  FModified = true;
  return true;
}

bool TMEDocument::Redo(TBufferCoord &caret) {
  if (!FUndoList.CanRedo()) return false;
  const int group = FUndoList.RedoGroup();
  while (FUndoList.CanRedo() && FUndoList.RedoGroup() == group) {
    TMEUndoRec rec = FUndoList.TakeRedo();
    if (rec.Kind == ukLines) {
      ReplaySplices(rec.Splices, false);
    } else if (rec.Kind == ukBlock) {
      ExchangeBlock(rec);
      caret = rec.EndPos;
    } else if (rec.Kind == ukProperty) {
      StoreProperty(rec.Text, rec.ValueAfter);
    } else if (rec.Kind == ukInsert) {
      caret = InsertTextAt(rec.StartPos, rec.Text, false);
    } else {
      DeleteRange(rec.StartPos, rec.EndPos, false);
      caret = rec.StartPos;
    }
    FUndoList.PushUndo(std::move(rec));
  }
  FModified = true;
  return true;
}

void TMEDocument::AddUndo(TMEUndoKind kind, const QString &text, TBufferCoord start, TBufferCoord end,
                          QList<TMELineSplice> splices) {
  TMEUndoRec rec;
  rec.Kind = kind;
  rec.Text = text;
  rec.Splices = std::move(splices);
  rec.StartPos = start;
  rec.EndPos = end;
  AddUndo(std::move(rec));
}

void TMEDocument::AddUndo(TMEUndoRec rec) {
  if (FCaretSource) rec.Before = FCaretSource();
  FUndoList.Add(std::move(rec), FGroupUndo);
}

void TMEDocument::Replaced(int first, int oldCount, int newCount) {
  ++FRevision;
  Q_EMIT OnLinesReplaced(first, oldCount, newCount);
}
