#pragma once
// TMEEdit: the program's editor control, a view of the document model it owns. It edits through
// the model's primitives and follows the model's change reports with its rows, line states and
// layouts; the caret, selection and scrolling are its own.
#include "Coords.h"
#include "Gutter.h"
#include "LineStates.h"
#include "RowMap.h"
#include "SearchEngine.h"
#include "TextRenderer.h"
#include "core/Document.h"

#include <QAbstractScrollArea>
#include <QElapsedTimer>
#include <QTimer>

#include <functional>
#include <memory>
#include <unordered_map>

class TMECustomHighlighter;

enum TMEStatusChange : quint16 {
  scCaretX = 1,
  scCaretY = 2,
  scLeftChar = 4,
  scTopLine = 8,
  scInsertMode = 16,
  scModified = 32,
  scSelection = 64,
  scReadOnly = 128,
  scOptions = 256,
};
Q_DECLARE_FLAGS(TMEStatusChanges, TMEStatusChange)
Q_DECLARE_OPERATORS_FOR_FLAGS(TMEStatusChanges)

enum TMEEditorOption : quint8 {
  eoAutoIndent = 1,
  eoTabsToSpaces = 2,
  eoTabIndent = 4,
  eoTrimTrailingSpaces = 8,
  eoGroupUndo = 16,
  eoSpecialLineDefaultFg = 32,
  eoCompleteBrackets = 64,
  eoCompleteQuotes = 128,
};
Q_DECLARE_FLAGS(TMEEditorOptions, TMEEditorOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TMEEditorOptions)

enum TMEScrollOption : quint8 { eoScrollPastEol = 1, eoShowScrollHint = 2 };
Q_DECLARE_FLAGS(TMEScrollOptions, TMEScrollOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TMEScrollOptions)

enum TMEVisibleSpecialChar : quint8 { scWhitespace = 1, scControlChars = 2, scEOL = 4 };
Q_DECLARE_FLAGS(TMEVisibleSpecialChars, TMEVisibleSpecialChar)
Q_DECLARE_OPERATORS_FOR_FLAGS(TMEVisibleSpecialChars)

// Asked for every painted row: answer true to paint the line in fg on bg.
using TSpecialLineColorsEvent = std::function<bool(int line, TColor &fg, TColor &bg)>;
// The owner's key handlers run before the editor's own; setting key to 0 (or text to empty)
// cancels the editor's handling, and another value is handled in its place.
using TKeyEvent = std::function<void(int &key, Qt::KeyboardModifiers shift)>;
using TKeyPressEvent = std::function<void(QString &text)>;

constexpr quint16 ecIndentLines = 610;
constexpr quint16 ecUnindentLines = 611;

class TMEEdit : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit TMEEdit(QWidget *parent = nullptr);

  // Text. The document may be edited from outside too: the view follows its reports.
  TMEDocument &Document() { return FDocument; }
  const TMEDocument &Document() const { return FDocument; }
  const TMELineList &Lines() const { return FDocument.Lines(); }
  QString GetText() const { return FDocument.GetText(); }
  // altered (optional): a line had to be sanitized or cut (see TMELineList::SetText).
  void SetText(const QString &value, bool *altered = nullptr);
  void ClearAll();
  // At least 1: an empty document is one empty line.
  int LineCount() const { return FDocument.LineCount(); }
  QString LineText(int line) const { return FDocument.LineText(line); }

  // Caret and selection.
  int CaretX() const { return FCaret.Char; }
  int CaretY() const { return FCaret.Line; }
  TBufferCoord CaretXY() const { return FCaret; }
  void SetCaretXY(TBufferCoord value);
  TBufferCoord BlockBegin() const { return FBlockBegin; }
  TBufferCoord BlockEnd() const { return FBlockEnd; }
  void SetBlockBegin(TBufferCoord value);
  void SetBlockEnd(TBufferCoord value);
  bool SelAvail() const { return FBlockBegin != FBlockEnd; }
  // Lines joined by CR LF, whatever the document's line break.
  QString SelText() const;
  void SetSelText(const QString &value);
  // The same with the text given as its lines (the pieces between its line breaks): one undo record
  // that keeps the replaced lines, so a huge replacement is neither joined nor split again, and its
  // Undo and Redo only exchange lines. Text put in virtual space starts there, after spaces.
  void SetSelLines(QStringList lines);
  int SelStart() const;
  int SelEnd() const;
  void SetSelStart(int value);
  void SetSelEnd(int value);
  void SetCaretAndSelection(TBufferCoord caret, TBufferCoord blockBegin, TBufferCoord blockEnd);
  void SelectAll();
  void SelectLine(int line);
  void ClampCoord(TBufferCoord &coord) const;
  void MoveCaret(TBufferCoord coord);
  void MoveCaretExtend(TBufferCoord coord, bool extend);

  // Editing, through the document's primitives.
  void DeleteSelection();
  // Backspace and Delete: one character (a surrogate pair whole) or one line break.
  void DeleteLastChar();
  void DeleteChar();
  void IndentLines(bool unindent);
  void CommandProcessor(quint16 command, QChar aChar = QChar(), void *data = nullptr);

  // 0-based character offsets, line breaks counted as the document's own.
  int CoordToOffset(TBufferCoord coord) const;
  TBufferCoord OffsetToCoord(int offset) const;

  bool CanPaste() const;
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();

  void Undo();
  void Redo();
  bool CanUndo() const { return !FReadOnly && FDocument.CanUndo(); }
  bool CanRedo() const { return !FReadOnly && FDocument.CanRedo(); }
  bool Modified() const { return FDocument.Modified(); }
  void SetModified(bool value);

  TMEEditorOptions Options() const { return FOptions; }
  void SetOptions(TMEEditorOptions value);
  TMEScrollOptions ScrollOptions() const { return FScrollOptions; }
  void SetScrollOptions(TMEScrollOptions value) { FScrollOptions = value; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value);
  int TabWidth() const { return FTabWidth; }
  void SetTabWidth(int value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool value);

  // Search. The engine is shared and not owned. Finds the next match from the caret and selects
  // it (answers 1 or 0), or, with ssoReplace and ssoReplaceAll, replaces every match in the
  // document as one undo group and answers their number.
  TMEEditSearchCustom *SearchEngine() const { return FSearchEngine; }
  void SetSearchEngine(TMEEditSearchCustom *engine) { FSearchEngine = engine; }
  int SearchReplace(const QString &search, const QString &replace, TMESearchOptions options);

  // Positions and rows.
  TDisplayCoord PixelsToRowColumn(int pixelX, int pixelY);
  TBufferCoord DisplayToBufferPos(TDisplayCoord display);
  TDisplayCoord BufferToDisplayPos(TBufferCoord buffer);
  TMERow GetRowInfo(int index);
  int BufferToRow(TBufferCoord coord);
  int RowCount();
  int CharToPixelX(TBufferCoord coord);
  int PixelXToChar(int row, int x);
  void BuildRows();
  void InvalidateRows();
  // The word-wrap rows, built; empty without word wrap.
  const TMERowMap &Rows();

  // Font geometry and the text area.
  void MeasureFont();
  int FontPixelSize() const;
  int CharWidth() const { return FCharWidth; }
  int LineHeight() const { return FLineHeight; }
  int Baseline() const { return FBaseline; }
  int TextLeft() const;
  int TextAreaWidth() const;
  int VisibleRowCount() const;
  int VisibleColumns() const;
  TMETextRenderer &Renderer() { return FRenderer; }

  // The view's position in the text.
  int TopLine() const { return FTopLine; }
  void SetTopLine(int value);
  int LeftChar() const { return FLeftChar; }
  void SetLeftChar(int value);
  void EnsureCursorPosVisible();
  void UpdateScrollBars();

  // Highlighting. The highlighter is shared and not owned; null paints plain text.
  TMECustomHighlighter *Highlighter() const { return FHighlighter; }
  void SetHighlighter(TMECustomHighlighter *value);
  // Lines from the 0-based fromIndex on must be tokenized again before they are painted.
  void InvalidateLineStates(int fromIndex);
  // The highlighter state line starts in, tokenizing the lines above it as far as needed.
  TLineState LineStartState(int line);
  const TMELineStates &LineStates() const { return FLineStates; }

  // Painting.
  void Paint(QPainter &painter, const QRect &rect);
  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  TColor FontColor() const { return FFontColor; }
  void SetFontColor(TColor value);
  TColor WhitespaceColor() const { return FWhitespaceColor; }
  void SetWhitespaceColor(TColor value);
  TColor WhitespaceMarkColor() const;
  TMEVisibleSpecialChars VisibleSpecialChars() const { return FVisibleSpecialChars; }
  void SetVisibleSpecialChars(TMEVisibleSpecialChars value);
  TMESelectedColor &SelectedColor() { return FSelectedColor; }
  void SetOnSpecialLineColors(TSpecialLineColorsEvent handler);
  // False paints every character cell on its own with the plain painter, as when the renderer
  // cannot start.
  bool UseColorText() const { return FUseColorText; }
  void SetUseColorText(bool value);
  // The last paint went through the renderer, so caret and hit tests follow the line layouts.
  bool LayoutMode() const { return FLayoutMode; }
  // Null for a line that gets no layout.
  TMELineLayout *GetLineLayout(int line);
  void ApplyLayoutHighlight(int line, TMELineLayout *layout);
  void ClearLayouts();
  int LayoutCount() const { return int(FLayouts.size()); }
  int TokenCacheCount() const { return int(FTokCache.size()); }
  int CaretPixelX(TBufferCoord coord);
  // The 1-based character under client x on line.
  int PixelToChar(int line, int x);
  void UpdateCaret();
  // Where the caret is drawn, in client pixels; empty while it is not shown.
  QRect CaretRect() const { return FCaretShown ? FCaretRect : QRect(); }

  // Gutter and decorations.
  TMEGutter &Gutter() { return FGutter; }
  const TMEGutter &Gutter() const { return FGutter; }
  TMEIndentGuides &IndentGuides() { return FIndentGuides; }
  int RightEdge() const { return FRightEdge; }
  void SetRightEdge(int value);
  TColor RightEdgeColor() const { return FRightEdgeColor; }
  void SetRightEdgeColor(TColor value);

  // Keyboard and mouse; the handlers answer whether they took the key.
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool value) { FWantTabs = value; }
  bool KeyDown(int key, Qt::KeyboardModifiers shift);
  void KeyPress(const QString &text);
  void DblClick();
  void SetOnKeyDown(TKeyEvent handler) { FOnKeyDown = std::move(handler); }
  void SetOnKeyPress(TKeyPressEvent handler) { FOnKeyPress = std::move(handler); }
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

 Q_SIGNALS:
  // After every completed change of the text made through the editor.
  void OnChange();
  void OnStatusChange(TMEStatusChanges changes);
  // The document's report, passed on once the view has followed it: the 0-based lines
  // [first, first + oldCount) became newCount lines.
  void OnLinesReplaced(int first, int oldCount, int newCount);
  // After the wheel scrolled, and after every action on a scroll bar even when nothing moved:
  // scrollBar 1 is the vertical bar, 0 the horizontal one.
  void OnScroll(int scrollBar);
  // A double click, before the editor selects the word at the caret the first click placed.
  void OnDblClick();

 protected:
  void changeEvent(QEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;
  void paintEvent(QPaintEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  void inputMethodEvent(QInputMethodEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;
  void mouseDoubleClickEvent(QMouseEvent *event) override;
  void wheelEvent(QWheelEvent *event) override;
  void focusInEvent(QFocusEvent *event) override;
  void focusOutEvent(QFocusEvent *event) override;
  bool focusNextPrevChild(bool next) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  friend class TMEEditUpdate;
  // Status changes made inside a bracket are reported once, when the outermost one closes; open
  // one with TMEEditUpdate.
  void BeginUpdate();
  void EndUpdate();
  void StatusChanged(TMEStatusChanges changes);
  void FlushStatusChanges();
  void Repaint();
  // Follows the document's report with the rows, the per-line caches and the status.
  void DocumentLinesReplaced(int first, int oldCount, int newCount);
  // Undo or Redo of the newest group; the caret lands on the text with the selection empty.
  void Replay(bool undo);
  int WrapWidth() const;
  // The first match at or after startChar, or backwards the last one before it.
  bool FindInLine(QStringView text, bool backwards, int startChar, int &offset, int &length);
  int ReplaceAll(const QString &replace);
  int RowOriginColumns(const TMERow &row) const;

  // The view half: painting, caret, gutter, input and scroll bars.
  struct TLayoutEntry {
    std::unique_ptr<TMELineLayout> Layout;
    TLineState StartState;  // the highlighting baked into the layout started from it
  };
  void SetUpView();
  void ViewLinesReplaced(int first, int oldCount, int newCount);
  void GutterChanged();
  bool LineColors(int line, TColor &fg, TColor &bg);
  bool PaintRenderer(QPainter &painter, int first, int last, int rowFirst, int rowLast);
  void PaintRowLayout(const TMERow &row, int y, TMELineLayout *layout);
  // The coloured runs of the renderer, or with cells every character on its own.
  void PaintRowWalk(QPainter *cells, const TMERow &row, int y);
  void PaintGutter(QPainter &painter, int first, int rowFirst, int rowLast);
  void PaintIndentGuides(QPainter &painter, int first, int rowFirst, int rowLast);
  void PaintRightEdge(QPainter &painter);
  void PaintCaret(QPainter &painter);
  const TMETokenList &LineTokens(int line);
  bool LayoutModelFor(int line);
  void ResetHorizontalMeasure();
  TBufferCoord MousePos(const QPoint &pos);
  void ScrollBarAction(int scrollBar);
  // Text from the keyboard: the owner's key-press handler first, then KeyPress.
  void TypeText(QString text);
  void CaretBlink();

  TMEGutter FGutter{this};
  TMEIndentGuides FIndentGuides;
  TMESelectedColor FSelectedColor;
  TMECustomHighlighter *FHighlighter = nullptr;
  TMELineStates FLineStates;
  std::unordered_map<int, TLayoutEntry> FLayouts;  // by line
  std::unordered_map<int, TMETokenList> FTokCache;  // by line, long lines only
  TMETokenList FTokens;                              // the tokens of the line being painted
  // What the cached layouts were made with; a change drops them.
  QString FLayoutFontKey;
  TSpecialLineColorsEvent FOnSpecialLineColors;
  TKeyEvent FOnKeyDown;
  TKeyPressEvent FOnKeyPress;
  TColor FColor = clWindow;
  TColor FFontColor = clWindowText;
  TColor FWhitespaceColor = clNone;
  TColor FRightEdgeColor = 0xC0C0C0;
  int FRightEdge = 0;
  TMEVisibleSpecialChars FVisibleSpecialChars;
  bool FUseColorText = true;
  bool FLayoutMode = false;
  bool FWantTabs = true;
  // Scrolling and the mouse.
  bool FSelecting = false;
  quint32 FLastDblClickTick = 0;
  QPoint FLastDblClickPt;
  QElapsedTimer FClock;
  int FMaxScrollCol = 1;
  int FMeasuredTopLine = 0;
  bool FScrollBarsValid = false;
  bool FUpdatingBars = false;
  int FGutterWidth = 0;
  // The caret, drawn by the editor itself and blinking while it has focus.
  QTimer FBlinkTimer;
  QRect FCaretRect;
  bool FCaretShown = false;
  bool FCaretBlinkOn = true;

  TMEDocument FDocument;
  TMETextRenderer FRenderer;
  TMERowMap FRows;
  TMEEditSearchCustom *FSearchEngine = nullptr;
  bool FRowsValid = false;

  TBufferCoord FCaret;
  TBufferCoord FBlockBegin;
  TBufferCoord FBlockEnd;
  TMEEditorOptions FOptions = eoAutoIndent | eoTabIndent | eoGroupUndo;
  TMEScrollOptions FScrollOptions;
  bool FReadOnly = false;
  int FUpdateCount = 0;
  TMEStatusChanges FStatusChanges;

  int FCharWidth = 8;
  int FLineHeight = 16;
  int FBaseline = 13;
  int FTextMargin = 2;
  int FTabWidth = 4;
  bool FWordWrap = false;
  int FTopLine = 1;
  int FLeftChar = 1;
};

// Holds the editor's update bracket open while it lives, however its scope is left.
class TMEEditUpdate {
 public:
  explicit TMEEditUpdate(TMEEdit &edit) : FEdit(edit) { FEdit.BeginUpdate(); }
  ~TMEEditUpdate() { FEdit.EndUpdate(); }
  Q_DISABLE_COPY_MOVE(TMEEditUpdate)

 private:
  TMEEdit &FEdit;
};
