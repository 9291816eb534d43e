// TMEEdit: how the view half follows the model: edits, status changes and settings objects.
#include "Edit.h"

#include <QScrollBar>

void TMEEdit::SetUpView() {
  FClock.start();
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  // Dead keys, compose sequences and input methods deliver their text as input-method events.
  setAttribute(Qt::WA_InputMethodEnabled);
  FGutter.FollowEditorFont(font());
  FGutter.SetOnChange([this] { GutterChanged(); });
  FGutterWidth = FGutter.TotalWidth();
  FIndentGuides.SetOnChange([this] { Repaint(); });
  FSelectedColor.SetOnChange([this] { Repaint(); });
  connect(&FBlinkTimer, &QTimer::timeout, this, [this] { CaretBlink(); });
  connect(&FDocument, &TMEDocument::OnLinesReplaced, this, &TMEEdit::DocumentLinesReplaced);
  connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this, [this] { ScrollBarAction(1); });
  connect(horizontalScrollBar(), &QAbstractSlider::actionTriggered, this, [this] { ScrollBarAction(0); });
  connect(horizontalScrollBar(), &QAbstractSlider::sliderReleased, this, &TMEEdit::UpdateScrollBars);
  connect(this, &TMEEdit::OnStatusChange, this, [this](TMEStatusChanges changes) {
    if (changes & (scTopLine | scLeftChar)) UpdateScrollBars();
    if (changes & (scCaretX | scCaretY | scTopLine | scLeftChar | scSelection)) UpdateCaret();
  });
}

void TMEEdit::DocumentLinesReplaced(int first, int oldCount, int newCount) {
  // When every line is new (a whole text set or loaded) the rows are built again when next asked
  // for, as a fresh document's are; otherwise only the lines replaced are wrapped again.
  if (first == 0 && newCount == LineCount()) InvalidateRows();
  else if (FWordWrap && FRowsValid) FRows.Rewrap(Lines(), first, oldCount, newCount);
  ViewLinesReplaced(first, oldCount, newCount);
  FStatusChanges |= scModified;
  Repaint();
  Q_EMIT OnLinesReplaced(first, oldCount, newCount);
}
