#pragma once
// TMEDocument: a document's text model. It owns the lines and the undo history and changes the
// lines only through the primitives below; every change raises the revision and reports which
// lines it replaced, so a view keeps its rows, line states and caches in step without owning text.
#include "BufferCoord.h"
#include "LineStore.h"
#include "UndoList.h"

#include <QHash>
#include <QObject>

#include <functional>
#include <memory>

class TMEDocument : public QObject {
  Q_OBJECT

 public:
  using TCaretSource = std::function<TMECaretState()>;

  explicit TMEDocument(QObject *parent = nullptr);

  // Read only: the lines change through this document alone.
  const TMELineList &Lines() const { return FLines; }
  // At least 1: an empty document is one empty line.
  int LineCount() const { return qMax(1, FLines.GetCount()); }
  QString LineText(int line) const { return FLines.Get(line - 1); }
  QString GetText() const { return FLines.GetText(); }
  // Lines joined by CR LF, whatever the document's line break; empty unless from comes before to.
  QString GetTextRange(TBufferCoord from, TBufferCoord to) const;

  // A property, not a change of lines: nothing is reported.
  void SetLineBreak(QStringView lineBreak) { FLines.SetLineBreak(lineBreak); }

  // Named properties that are not text but that a command may change together with it: the line
  // break (KLineBreakProperty) or a tool's remembered choice. SetProperty with record makes the
  // change an undo record of the current group, so Undo and Redo put the property back with the
  // text; every change of a value, replays included, is reported by OnPropertyChanged. An unset
  // property is empty.
  static inline const QString KLineBreakProperty = QStringLiteral("LineBreak");
  QString Property(const QString &name) const;
  void SetProperty(const QString &name, const QString &value, bool record);

  // Whole-text changes: every line is replaced and the undo history emptied. SetText and AdoptLines
  // leave the document unmodified, Clear modified. altered (optional): a line had to be sanitized
  // or cut (see TMELineList::SetText).
  void SetText(QStringView text, bool *altered = nullptr);
  void Clear();
  // Takes over lines already sanitized, without copying; lines is left null. Null changes nothing.
  void AdoptLines(std::unique_ptr<QStringList> &lines, TMELineEnding lineEnding);

  // The edit primitives; record adds an undo record. Inserts text (with any line breaks) at pos
  // and answers where it ends. A pos past its line's end is padded with spaces, which belong to
  // the insertion.
  TBufferCoord InsertTextAt(TBufferCoord pos, const QString &text, bool record);
  // Removes the text between the two places, given in either order; virtual space holds none.
  // Answers whether anything was removed.
  bool DeleteRange(TBufferCoord from, TBufferCoord to, bool record);
  // Replaces the text between the two places (either order, kept on the text as DeleteRange keeps
  // them) by a text given as its lines, the pieces between its line breaks as SplitAtLineBreaks
  // gives them, as one undo record that keeps the replaced lines themselves: only the two lines at
  // the ends of the range are built anew, and Undo and Redo merely exchange lines. Ends as
  // DeleteRange and InsertTextAt of the joined text would, except that a text ending with a break
  // put before the start of a line leaves that line untouched and unreported. Answers where the
  // new text ends. An empty range and an empty text change nothing and record nothing.
  TBufferCoord ReplaceRange(TBufferCoord from, TBufferCoord to, QStringList lines);
  // Makes the splices of a Replace All, top to bottom and in place, as one undo record. Inserted
  // texts must be as the store keeps them (sanitized).
  void SpliceLines(QList<TMELineSplice> splices);

  // Undo and Redo replay the newest group and answer false when there is none. caret is the view's
  // caret, moved to where the replay leaves it: Undo puts it where it stood before the group's
  // first change, Redo after the last text inserted again or where the last removal was; splices
  // leave it where it is on Redo.
  bool CanUndo() const { return FUndoList.CanUndo(); }
  bool CanRedo() const { return FUndoList.CanRedo(); }
  bool Undo(TBufferCoord &caret);
  bool Redo(TBufferCoord &caret);
  const TMEUndoList &UndoList() const { return FUndoList; }
  // A one-unit insertion joins the group of an insertion just before it, so typing undoes by runs.
  bool GroupUndo() const { return FGroupUndo; }
  void SetGroupUndo(bool value) { FGroupUndo = value; }
  // Asked for the view's caret and selection whenever a record is made; without one records keep (1,1).
  void SetCaretSource(TCaretSource source) { FCaretSource = std::move(source); }

  // Set by every change, Undo and Redo included.
  bool Modified() const { return FModified; }
  void SetModified(bool value) { FModified = value; }
  // Raised by one with every OnLinesReplaced.
  quint64 Revision() const { return FRevision; }

 Q_SIGNALS:
  // After every change of lines: the 0-based lines [first, first + oldCount) became newCount
  // lines, an empty document counting as one line.
  void OnLinesReplaced(int first, int oldCount, int newCount);
  void OnPropertyChanged(const QString &name);

 private:
  friend class TMEUndoBlock;
  void AddUndo(TMEUndoKind kind, const QString &text, TBufferCoord start, TBufferCoord end,
               QList<TMELineSplice> splices = {});
  void AddUndo(TMEUndoRec rec);
  // Undo and Redo of a ukBlock record: the record's lines and the document's change places.
  void ExchangeBlock(TMEUndoRec &rec);
  // Makes the splices (undo: takes them back, last first) and reports the lines.
  void ReplaySplices(const QList<TMELineSplice> &splices, bool undo);
  void Replaced(int first, int oldCount, int newCount);
  void StoreProperty(const QString &name, const QString &value);

  TMELineList FLines;
  QHash<QString, QString> FProperties;
  TMEUndoList FUndoList;
  TCaretSource FCaretSource;
  quint64 FRevision = 0;
  bool FGroupUndo = true;
  bool FModified = false;
};

// Keeps the records made while it lives in one undo group, however its scope is left.
class TMEUndoBlock {
 public:
  explicit TMEUndoBlock(TMEDocument &document) : FUndoList(document.FUndoList) { FUndoList.BeginBlock(); }
  ~TMEUndoBlock() { FUndoList.EndBlock(); }
  Q_DISABLE_COPY_MOVE(TMEUndoBlock)

 private:
  TMEUndoList &FUndoList;
};
