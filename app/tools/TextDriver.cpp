#include "TextDriver.h"

#include "ToolWork.h"
#include "app/DocList.h"
#include "app/menus/CommandContext.h"
#include "core/TextRange.h"
#include "core/TextSplit.h"
#include "editor/Edit.h"
#include "platform/MessageBox.h"

namespace {

const QString KWorkingLabel = QStringLiteral("Applying changes... This may take a moment");

struct TOrderedSelection {
  TBufferCoord Begin;
  TBufferCoord End;
};

TOrderedSelection SelectionOf(const TMEEdit &editor) {
  TBufferCoord begin = editor.BlockBegin(), end = editor.BlockEnd();
  OrderCoords(begin, end);
  return {begin, end};
}

// The captured text through transform, as the lines to write back. The text is built here, away
// from the window, and let go before the result is split.
TResult<QStringList> RunTransform(const TTextTransform &transform, const QStringList &lines, TBufferCoord from,
                                  TBufferCoord to, QStringView lineBreak) {
  return CatchToolErrors([&] {
    TTextResult result = transform(TextBetween(lines, from, to, lineBreak));
    if (!result.IsOk()) return TResult<QStringList>::Failure(result.Error());
    return TResult<QStringList>::Success(SplitAtLineBreaks(result.TakeValue()));
  });
}

}  // namespace

TTextDriver::TTextDriver(TCommandContext &context) : FContext(context) {}

TEditorDoc *TTextDriver::ToolTarget() {
  TEditorDoc *doc = FContext.ActiveDoc();
  if (!doc || !doc->Editor) return nullptr;
  if (doc->IsLoading) {
    ShowInformation(FContext.DialogParent(), doc->StillLoadingText());
    return nullptr;
  }
  return doc;
}

TTextDriver::TCapture TTextDriver::WholeDocument(const TEditorDoc &doc) {
  const TMEEdit &editor = *doc.Editor;
  const int last = editor.LineCount();
  return {doc.Id, editor.Document().Revision(), {1, 1}, {int(editor.LineText(last).size()) + 1, last}};
}

void TTextDriver::TransformSelectedText(const TTextTransform &transform, const QString &title) {
  TEditorDoc *doc = ToolTarget();
  if (!doc || !doc->Editor->SelAvail()) return;
  const TOrderedSelection selection = SelectionOf(*doc->Editor);
  const TCapture capture{doc->Id, doc->Editor->Document().Revision(), selection.Begin, selection.End};
  Run(*doc, capture, QStringLiteral("\r\n"), transform, title, TFailureBox::Error, {});
}

void TTextDriver::TransformSelectionOrDoc(const TTextTransform &transform, const QString &title) {
  TEditorDoc *doc = ToolTarget();
  if (!doc) return;
  if (doc->Editor->SelAvail()) return TransformSelectedText(transform, title);
  Run(*doc, WholeDocument(*doc), doc->Editor->Lines().LineBreak(), transform, title, TFailureBox::Error, {});
}

void TTextDriver::TransformSelectionPlain(const std::function<QString(QStringView)> &convert, const QString &title) {
  TransformSelectedText([convert](QStringView text) { return TTextResult::Success(convert(text)); }, title);
}

void TTextDriver::TransformDocument(const TTextTransform &transform, const QString &title,
                                    const QList<TPropertyChange> &properties) {
  TEditorDoc *doc = ToolTarget();
  if (!doc) return;
  Run(*doc, WholeDocument(*doc), doc->Editor->Lines().LineBreak(), transform, title, TFailureBox::Warning, properties);
}

void TTextDriver::Run(const TEditorDoc &doc, TCapture capture, const QString &lineBreak, const TTextTransform &transform,
                      const QString &title, TFailureBox failureBox, const QList<TPropertyChange> &properties) {
  // The copy shares each line's characters; the rule's worker joins the text it reads.
  std::optional<TResult<QStringList>> result =
      RunToolRule(FContext.DialogParent(), KWorkingLabel,
                  [lines = doc.Editor->Lines().Lines(), from = capture.From, to = capture.To, lineBreak, transform] {
                    return RunTransform(transform, lines, from, to, lineBreak);
                  });
  if (!result) return;
  if (!result->IsOk()) {
    if (failureBox == TFailureBox::Warning) ShowWarning(FContext.DialogParent(), result->Error());
    else ShowError(FContext.DialogParent(), title + QStringLiteral(" failed: ") + result->Error());
    return;
  }
  if (TEditorDoc *target = Recover(capture, title))
    Replace(*target, capture.From, capture.To, result->TakeValue(), properties);
}

void TTextDriver::TransformLines(TLinesProc proc, const QString &title) {
  TEditorDoc *doc = ToolTarget();
  if (!doc) return;
  const TMEEdit &editor = *doc->Editor;
  const int lineCount = editor.LineCount();
  TLineRange range = AllLines(lineCount);
  if (editor.SelAvail()) {
    const TOrderedSelection selection = SelectionOf(editor);
    range = LinesOfSelection(selection.Begin.Line, selection.End.Line, selection.End.Char);
  }
  // The copy shares each line's characters until the rule changes it.
  QStringList lines = editor.Lines().Lines().mid(range.First - 1, range.Last - range.First + 1);
  const bool reachesEnd = range.Last >= lineCount;
  const int lastLength = int(editor.LineText(range.Last).size());
  const int beforeLength = range.First > 1 ? int(editor.LineText(range.First - 1).size()) : 0;
  const TCapture capture{doc->Id, editor.Document().Revision(), {}, {}};
  std::optional<TResult<TLineBlockEdit>> result = RunToolRule(
      FContext.DialogParent(), KWorkingLabel,
      [lines = std::move(lines), proc = std::move(proc), range, lineCount, reachesEnd, lastLength, beforeLength]() mutable {
        return CatchToolErrors([&] {
          TResult<QStringList> done = RunLinesProc(std::move(lines), reachesEnd, proc);
          if (!done.IsOk()) return TResult<TLineBlockEdit>::Failure(done.Error());
          const auto lengthOf = [&](int line) { return line == range.Last ? lastLength : beforeLength; };
          return TResult<TLineBlockEdit>::Success(LineBlockEdit(range, lineCount, done.TakeValue(), lengthOf));
        });
      });
  if (!result) return;
  if (!result->IsOk()) {
    ShowError(FContext.DialogParent(), title + QStringLiteral(" failed: ") + result->Error());
    return;
  }
  TLineBlockEdit edit = result->TakeValue();
  if (TEditorDoc *target = Recover(capture, title))
    Replace(*target, {edit.StartChar, edit.StartLine}, {edit.EndChar, edit.EndLine}, std::move(edit.Lines), {});
}

void TTextDriver::ApplyLineMap(TLineMapFunc map, const QString &title) {
  TransformLines(InMemoryLineMap(std::move(map)), title);
}

void TTextDriver::ConvertLineBreaks(const QString &eol) {
  TEditorDoc *doc = ToolTarget();
  if (!doc || doc->Editor->ReadOnly()) return;
  doc->Editor->Document().SetProperty(TMEDocument::KLineBreakProperty, eol, true);
}

TEditorDoc *TTextDriver::Recover(const TCapture &capture, const QString &title) {
  TEditorDoc *doc = FContext.Docs().Find(capture.Doc);
  if (!doc) return nullptr;  // closed meanwhile: there is nothing left to write to
  if (doc->IsLoading || doc->Editor->Document().Revision() != capture.Revision) {
    ShowError(FContext.DialogParent(),
              title + QStringLiteral(" failed: ") + QStringLiteral("The document changed while the command ran."));
    return nullptr;
  }
  return doc;
}

void TTextDriver::Replace(TEditorDoc &doc, TBufferCoord from, TBufferCoord to, QStringList lines,
                          const QList<TPropertyChange> &properties) {
  TMEEdit &editor = *doc.Editor;
  const TMEEditUpdate update(editor);
  const TMEUndoBlock block(editor.Document());
  editor.SetCaretAndSelection(to, from, to);
  editor.SetSelLines(std::move(lines));
  for (const TPropertyChange &change : properties) editor.Document().SetProperty(change.Name, change.Value, true);
}
