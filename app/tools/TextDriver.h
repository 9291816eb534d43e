#pragma once
// TTextDriver: the drivers that run a text tool on the active document. Each takes the document as
// it is when the command starts (by id, with its revision), runs the rule on a copy of the lines
// away from the window (ToolWork.h), and writes the result back as one undo group together with
// any document property the command changes (the line break, the CSV delimiter). A document that
// is still loading is refused; one closed or changed while the rule ran is left alone; a rule's
// failure is shown as "<title> failed: <message>" and changes nothing.
#include "app/DocId.h"
#include "core/BufferCoord.h"
#include "tools/LineDriver.h"
#include "tools/TextResult.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

class TCommandContext;
struct TEditorDoc;

// A document property set along with the text, in the same undo group.
struct TPropertyChange {
  QString Name;
  QString Value;
};

class TTextDriver {
 public:
  explicit TTextDriver(TCommandContext &context);

  // The selected text (lines joined by CR LF) through transform, in place of the selection.
  void TransformSelectedText(const TTextTransform &transform, const QString &title);
  // The same with the whole text (joined by the document's line break) when nothing is selected.
  void TransformSelectionOrDoc(const TTextTransform &transform, const QString &title);
  // The selection through convert; nothing without a selection.
  void TransformSelectionPlain(const std::function<QString(QStringView)> &convert, const QString &title);
  // The whole lines the selection covers, or every line, through proc, written back as one block.
  void TransformLines(TLinesProc proc, const QString &title);
  void ApplyLineMap(TLineMapFunc map, const QString &title);
  // The whole text through transform, with properties changed in the same group (CSV commands).
  // A failure is the user's mistake, so it is shown as a warning with the rule's own message.
  void TransformDocument(const TTextTransform &transform, const QString &title,
                         const QList<TPropertyChange> &properties = {});
  // Only the break between lines changes, so no line is touched; Undo restores the old one.
  void ConvertLineBreaks(const QString &eol);

  // The active document when a tool may act on it: null without one, and null after telling the
  // user when it is still loading.
  TEditorDoc *ToolTarget();

 private:
  // Where the text of a command comes from and goes back to.
  struct TCapture {
    TDocId Doc = KNoDoc;
    quint64 Revision = 0;
    TBufferCoord From;
    TBufferCoord To;
  };
  enum class TFailureBox { Error, Warning };
  // The text from capture's From to To, its lines joined by lineBreak, through transform.
  void Run(const TEditorDoc &doc, TCapture capture, const QString &lineBreak, const TTextTransform &transform,
           const QString &title, TFailureBox failureBox, const QList<TPropertyChange> &properties);
  // The captured document, when it is still open and unchanged; otherwise the user is told.
  TEditorDoc *Recover(const TCapture &capture, const QString &title);
  // Puts lines (the pieces between the new text's line breaks) in place of the range, with the
  // properties, as one undo group.
  static void Replace(TEditorDoc &doc, TBufferCoord from, TBufferCoord to, QStringList lines,
                      const QList<TPropertyChange> &properties);
  static TCapture WholeDocument(const TEditorDoc &doc);

  TCommandContext &FContext;
};
