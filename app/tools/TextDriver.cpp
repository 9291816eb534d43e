#include "TextDriver.h"

#include "ToolWork.h"
#include "app/DocList.h"
#include "app/menus/CommandContext.h"
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

TTextResult RunTransform(const TTextTransform &transform, QStringView text) {
  return CatchToolErrors([&] { return transform(text); });
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
  Run(capture, doc->Editor->SelText(), transform, title, TFailureBox::Error, {});
}

void TTextDriver::TransformSelectionOrDoc(const TTextTransform &transform, const QString &title) {
  TEditorDoc *doc = ToolTarget();
  if (!doc) return;
  if (doc->Editor->SelAvail()) return TransformSelectedText(transform, title);
  Run(WholeDocument(*doc), doc->Editor->GetText(), transform, title, TFailureBox::Error, {});
}

void TTextDriver::TransformSelectionPlain(const std::function<QString(QStringView)> &convert, const QString &title) {
  TransformSelectedText([convert](QStringView text) { return TTextResult::Success(convert(text)); }, title);
}

void TTextDriver::TransformDocument(const TTextTransform &transform, const QString &title,
                                    const QList<TPropertyChange> &properties) {
  TEditorDoc *doc = ToolTarget();
  if (!doc) return;
  Run(WholeDocument(*doc), doc->Editor->GetText(), transform, title, TFailureBox::Warning, properties);
}

void TTextDriver::Run(TCapture capture, QString text, const TTextTransform &transform, const QString &title,
                      TFailureBox failureBox, const QList<TPropertyChange> &properties) {
  std::optional<TTextResult> result =
      RunToolRule(FContext.DialogParent(), KWorkingLabel,
                  [text = std::move(text), transform] { return RunTransform(transform, text); });
  if (!result) return;
  if (!result->IsOk()) {
    if (failureBox == TFailureBox::Warning) ShowWarning(FContext.DialogParent(), result->Error());
    else ShowError(FContext.DialogParent(), title + QStringLiteral(" failed: ") + result->Error());
    return;
  }
  if (TEditorDoc *doc = Recover(capture, title)) Replace(*doc, capture.From, capture.To, result->TakeValue(), properties);
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
          return TResult<TLineBlockEdit>::Success(LineBlockEdit(range, lineCount, done.Value(), lengthOf));
        });
      });
  if (!result) return;
  if (!result->IsOk()) {
    ShowError(FContext.DialogParent(), title + QStringLiteral(" failed: ") + result->Error());
    return;
  }
  TLineBlockEdit edit = result->TakeValue();
  if (TEditorDoc *target = Recover(capture, title))
    Replace(*target, {edit.StartChar, edit.StartLine}, {edit.EndChar, edit.EndLine}, edit.Text, {});
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

void TTextDriver::Replace(TEditorDoc &doc, TBufferCoord from, TBufferCoord to, const QString &text,
                          const QList<TPropertyChange> &properties) {
  TMEEdit &editor = *doc.Editor;
  const TMEEditUpdate update(editor);
  const TMEUndoBlock block(editor.Document());
  editor.SetCaretAndSelection(to, from, to);
  editor.SetSelText(text);
  for (const TPropertyChange &change : properties) editor.Document().SetProperty(change.Name, change.Value, true);
}
