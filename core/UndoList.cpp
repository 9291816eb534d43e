#include "UndoList.h"

void TMEUndoList::Add(TMEUndoRec rec, bool groupUndo) {
  bool join;
  if (FUndoBlockDepth > 0) {
    join = !FUndoBlockFresh;
    FUndoBlockFresh = false;
  } else {
    join = groupUndo && !FUndo.isEmpty() && rec.Kind == FLastUndoKind && rec.Kind == ukInsert && rec.Text.size() == 1;
  }
  if (!join) ++FUndoGroup;
  rec.GroupId = FUndoGroup;
  FLastUndoKind = rec.Kind;
  FUndo.append(std::move(rec));
  FRedo.clear();
}

void TMEUndoList::BeginBlock() {
  if (FUndoBlockDepth == 0) FUndoBlockFresh = true;
  ++FUndoBlockDepth;
}

void TMEUndoList::EndBlock() {
  if (FUndoBlockDepth > 0) --FUndoBlockDepth;
}

void TMEUndoList::Clear() {
  FUndo.clear();
  FRedo.clear();
}

static QString Escaped(QString text) {
  return text.replace(u'\r', QStringLiteral("\\r")).replace(u'\n', QStringLiteral("\\n"));
}

static QString DumpRecords(const QList<TMEUndoRec> &records) {
  QString out;
  for (const TMEUndoRec &rec : records) {
    if (rec.Kind == ukLines) {
      out += QStringLiteral("  lines g%1 %2 splices\n").arg(rec.GroupId).arg(rec.Splices.size());
      continue;
    }
    if (rec.Kind == ukBlock) {
      out += QStringLiteral("  block g%1 (%2,%3)-(%4,%5) %6 for \"%7\"\n")
                 .arg(rec.GroupId)
                 .arg(rec.StartPos.Char)
                 .arg(rec.StartPos.Line)
                 .arg(rec.EndPos.Char)
                 .arg(rec.EndPos.Line)
                 .arg(rec.LinesInDocument)
                 .arg(Escaped(rec.Lines.join(QStringLiteral("\r\n"))));
      continue;
    }
    if (rec.Kind == ukProperty) {
      out += QStringLiteral("  prop g%1 %2 \"%3\"->\"%4\"\n")
                 .arg(rec.GroupId)
                 .arg(rec.Text, Escaped(rec.ValueBefore), Escaped(rec.ValueAfter));
      continue;
    }
    const QString text = Escaped(rec.Text);
    out += QStringLiteral("  %1 g%2 (%3,%4)-(%5,%6) \"%7\"\n")
               .arg(rec.Kind == ukInsert ? QStringLiteral("ins") : QStringLiteral("del"))
               .arg(rec.GroupId)
               .arg(rec.StartPos.Char)
               .arg(rec.StartPos.Line)
               .arg(rec.EndPos.Char)
               .arg(rec.EndPos.Line)
               .arg(text);
  }
  return out;
}

QString TMEUndoList::DebugDump() const {
  return QStringLiteral("undo:\n") + DumpRecords(FUndo) + QStringLiteral("redo:\n") + DumpRecords(FRedo);
}
