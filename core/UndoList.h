#pragma once
// The undo and redo stacks of plain text records. Records of one user action share a group
// number and are replayed together.
#include "BufferCoord.h"

#include <QList>
#include <QString>
#include <QStringList>

// ukLines: pieces of lines replaced in place, as Replace All does; the text fields are unused.
// ukProperty: a document property changed along with the text (Text holds its name).
// ukBlock: whole lines exchanged for others, as a text tool's replacement does (see Lines).
enum TMEUndoKind : quint8 { ukInsert = 0, ukDelete = 1, ukSelection = 2, ukLines = 3, ukProperty = 4, ukBlock = 5 };

// Removed was replaced by Inserted, which starts at Offset (0-based) in the line as changed. The
// splices of one line come left to right, so each offset also holds once those before it are made.
struct TMELineSplice {
  int Line;  // 1-based
  int Offset;
  QString Removed;
  QString Inserted;
};
Q_DECLARE_TYPEINFO(TMELineSplice, Q_RELOCATABLE_TYPE);

// Where a view's caret and selection stood. Every record keeps the state from just before its
// change, so Undo can put the caret back.
struct TMECaretState {
  TBufferCoord Caret;
  TBufferCoord SelBegin;
  TBufferCoord SelEnd;
};

struct TMEUndoRec {
  TMEUndoKind Kind = ukInsert;
  // Inserted text as given, or removed text with CR LF between its lines.
  QString Text;
  TBufferCoord StartPos;
  // Where Text ends in the document, kept so a replay never has to split Text to find it.
  TBufferCoord EndPos;
  TMECaretState Before;
  // ukLines only: the splices, top to bottom. Equal texts share their data.
  QList<TMELineSplice> Splices;
  // ukProperty only: the value before and after the change.
  QString ValueBefore;
  QString ValueAfter;
  // ukBlock only: the lines out of the document, from line StartPos.Line on, and how many lines
  // stand in their place now. Undo and Redo both exchange the two, so neither copies text.
  QStringList Lines;
  int LinesInDocument = 0;
  int GroupId = 0;
};

class TMEUndoList {
 public:
  // Gives rec its group and pushes it; clears the redo stack. Inside a block the first record
  // opens a group that the rest of the block joins. Outside, with groupUndo, a one-unit insertion
  // joins the group of an insertion just before it.
  void Add(TMEUndoRec rec, bool groupUndo);
  void BeginBlock();
  void EndBlock();

  bool CanUndo() const { return !FUndo.isEmpty(); }
  bool CanRedo() const { return !FRedo.isEmpty(); }
  // Group of the newest record; the stack must not be empty.
  int UndoGroup() const { return FUndo.last().GroupId; }
  int RedoGroup() const { return FRedo.last().GroupId; }
  TMEUndoRec TakeUndo() { return FUndo.takeLast(); }
  TMEUndoRec TakeRedo() { return FRedo.takeLast(); }
  // Replays move records between the stacks without touching groups or the redo stack.
  void PushUndo(TMEUndoRec rec) { FUndo.append(std::move(rec)); }
  void PushRedo(TMEUndoRec rec) { FRedo.append(std::move(rec)); }
  // Empties both stacks; group numbers keep counting up.
  void Clear();

  // Both stacks, oldest first, one record per line as "kind group start-end text", for tests.
  QString DebugDump() const;

 private:
  QList<TMEUndoRec> FUndo;
  QList<TMEUndoRec> FRedo;
  int FUndoGroup = 0;
  int FUndoBlockDepth = 0;
  bool FUndoBlockFresh = false;
  TMEUndoKind FLastUndoKind = ukInsert;
};
