#include "Document.h"

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
  if (to <= from) return QString();
  if (from.Line == to.Line) return LineText(from.Line).mid(from.Char - 1, to.Char - from.Char);
  const QStringList &lines = FLines.Lines();
  const auto line = [&](int n) { return n >= 1 && n <= lines.size() ? QStringView(lines[n - 1]) : QStringView(); };
  const QStringView head = line(from.Line).mid(qMin<qsizetype>(from.Char - 1, line(from.Line).size()));
  const QStringView tail = line(to.Line).left(to.Char - 1);
  qsizetype total = head.size() + tail.size() + 2 * qsizetype(to.Line - from.Line);
  for (int n = from.Line + 1; n < to.Line; ++n) total += line(n).size();
  QString text;
  text.reserve(total);
  text += head;
  text += u"\r\n";
  for (int n = from.Line + 1; n < to.Line; ++n) {
    text += line(n);
    text += u"\r\n";
  }
  text += tail;
  return text;
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
  if (FCaretSource) rec.Before = FCaretSource();
  FUndoList.Add(std::move(rec), FGroupUndo);
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
  if (FCaretSource) rec.Before = FCaretSource();
  FUndoList.Add(std::move(rec), FGroupUndo);
}

void TMEDocument::Replaced(int first, int oldCount, int newCount) {
  ++FRevision;
  Q_EMIT OnLinesReplaced(first, oldCount, newCount);
}
