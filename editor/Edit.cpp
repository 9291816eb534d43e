// TMEEdit: construction, options, update brackets and status changes.
#include "Edit.h"

#include "platform/FontChoice.h"

#include <QEvent>

TMEEdit::TMEEdit(QWidget *parent) : QAbstractScrollArea(parent) {
  resize(320, 240);
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setCursor(Qt::IBeamCursor);
  FDocument.SetCaretSource([this] { return TMECaretState{FCaret, FBlockBegin, FBlockEnd}; });
  FDocument.SetGroupUndo(FOptions.testFlag(eoGroupUndo));
  setFont(ChooseFixedFont(QStringLiteral("Consolas"), 10));
  MeasureFont();
  SetUpView();
}

void TMEEdit::SetOptions(TMEEditorOptions value) {
  if (value == FOptions) return;
  FOptions = value;
  FDocument.SetGroupUndo(FOptions.testFlag(eoGroupUndo));
  StatusChanged(scOptions);
}

void TMEEdit::SetReadOnly(bool value) {
  if (value == FReadOnly) return;
  FReadOnly = value;
  StatusChanged(scReadOnly);
}

void TMEEdit::SetModified(bool value) {
  if (value == FDocument.Modified()) return;
  FDocument.SetModified(value);
  StatusChanged(scModified);
}

void TMEEdit::BeginUpdate() { ++FUpdateCount; }

void TMEEdit::EndUpdate() {
  if (--FUpdateCount > 0) return;
  FlushStatusChanges();
  Repaint();
}

void TMEEdit::StatusChanged(TMEStatusChanges changes) {
  FStatusChanges |= changes;
  if (FUpdateCount == 0) FlushStatusChanges();
}

void TMEEdit::FlushStatusChanges() {
  if (!FStatusChanges) return;
  const TMEStatusChanges changes = FStatusChanges;
  FStatusChanges = {};
  Q_EMIT OnStatusChange(changes);
}

void TMEEdit::Repaint() { viewport()->update(); }

void TMEEdit::changeEvent(QEvent *event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    MeasureFont();
    FGutter.FollowEditorFont(font());
    ClearLayouts();
    ResetHorizontalMeasure();
  }
}

void TMEEdit::resizeEvent(QResizeEvent *event) {
  QAbstractScrollArea::resizeEvent(event);
  // Rows depend on the width only through the wrap width.
  if (FWordWrap && FRowsValid && FRows.WrapWidth() != WrapWidth()) InvalidateRows();
  FScrollBarsValid = false;
  FMeasuredTopLine = 0;
  UpdateScrollBars();
  UpdateCaret();
}
