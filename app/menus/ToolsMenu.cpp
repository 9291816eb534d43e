#include "ToolsMenu.h"

#include "CommandContext.h"
#include "CommandRegistry.h"
#include "app/DocList.h"
#include "app/compare/CompareForm.h"
#include "app/compare/PickDocument.h"
#include "app/hash/HashCalcForm.h"
#include "editor/Edit.h"
#include "platform/MessageBox.h"
#include "tools/SelectionKinds.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {
// Selections longer than this are not taken for a path.
constexpr int KMaxPathSelection = 260;

// Places window centred over owner.
void CentreOver(QWidget &window, const QWidget &owner) {
  const QRect o = owner.geometry();
  window.move(o.left() + (o.width() - window.width()) / 2, o.top() + (o.height() - window.height()) / 2);
}

void BringToFront(QWidget &window) {
  if (window.isMinimized()) window.showNormal();
  window.show();
  window.raise();
  window.activateWindow();
}
}  // namespace

TToolsMenu::TToolsMenu(TCommandContext &context) : FContext(context) {
  PickDocument = [this](const TPickDocumentRequest &request) { return ::PickDocument(FContext.DialogParent(), request); };
}

TToolsMenu::~TToolsMenu() {
  if (FCompareForm) {
    FCompareForm->disconnect();
    delete FCompareForm;
  }
}

std::vector<TCommand> TToolsMenu::Commands() {
  return {
      {u"miCompare"_s, u"Compare Two Files"_s, {}, [this] { miCompareClick(); }, {}, {}},
      {u"miHashCalc"_s, u"File Hash Calculator"_s, {}, [this] { miHashCalcClick(); }, {}, {}},
      {u"cmCalcFileHash"_s, u"Calculate File Hash"_s, {}, [this] { cmCalcFileHashClick(); }, {}, {}},
  };
}

void TToolsMenu::AddMenu(QMenuBar &bar, TCommandRegistry &registry) const {
  QMenu *tools = bar.addMenu(u"&Tools"_s);
  tools->setObjectName(u"mTools"_s);
  registry.AddItems(*tools, {u"miCompare"_s, u"-"_s, u"miHashCalc"_s});
  registry.FollowState(*tools);
}

void TToolsMenu::miCompareClick() {
  QWidget *main = FContext.DialogParent();
  const std::vector<TDocId> tabs = FContext.TabOrder();
  if (tabs.size() < 2) {
    ShowInformation(main, u"Open at least two files (tabs) to compare."_s);
    return;
  }
  if (FCompareForm) {
    BringToFront(*FCompareForm);
    return;
  }
  const TDocList &docs = FContext.Docs();
  TDocId left = tabs[0], right = tabs[1];
  if (tabs.size() > 2) {
    TPickDocumentRequest request{u"Compare | Step 1/2"_s, u"You need to select two files to compare."_s,
                                 u"Select the FIRST (left) file to compare:"_s, {}};
    for (const TDocId id : tabs) request.Choices.emplace_back(id, docs.Find(id)->DisplayName());
    left = PickDocument(request);
    if (left == KNoDoc || !docs.Find(left)) return;
    request.Title = u"Compare | Step 2/2"_s;
    request.Prompt = u"Select the SECOND (right) file to compare:"_s;
    std::erase_if(request.Choices, [left](const auto &choice) { return choice.first == left; });
    right = PickDocument(request);
    if (right == KNoDoc || !docs.Find(right)) return;
  }
  const TEditorDoc *leftDoc = docs.Find(left), *rightDoc = docs.Find(right);
  FCompareForm = new TfrmCompare;
  FCmpLeft = left;
  FCmpRight = right;
  QObject::connect(FCompareForm, &QObject::destroyed, [this] { CompareClosed(); });
  FCompareForm->setWindowTitle(u"Compare: %1  <->  %2"_s.arg(leftDoc->DisplayName(), rightDoc->DisplayName()));
  const auto nameOf = [](const TEditorDoc *doc) { return doc->FileName.isEmpty() ? doc->DisplayName() : doc->FileName; };
  FCompareForm->ShowDiff(
      nameOf(leftDoc), nameOf(rightDoc), leftDoc->Editor->Lines().Lines(), rightDoc->Editor->Lines().Lines(),
      [this](int side, int line) { CompareJump(side, line); },
      [this](int side, QStringList &lines) { CompareFetch(side, lines); });
  CentreOver(*FCompareForm, *main);
  FCompareForm->show();
}

void TToolsMenu::CompareClosed() {
  FCompareForm = nullptr;
  FCmpLeft = FCmpRight = KNoDoc;
}

void TToolsMenu::CompareFetch(int side, QStringList &lines) const {
  const TEditorDoc *doc = FContext.Docs().Find(side == 1 ? FCmpRight : FCmpLeft);
  lines = doc ? doc->Editor->Lines().Lines() : QStringList();
}

void TToolsMenu::CompareJump(int side, int line) {
  const TDocId id = side == 1 ? FCmpRight : FCmpLeft;
  TEditorDoc *doc = FContext.Docs().Find(id);
  if (!doc) return;
  FContext.ActivateDoc(id);
  TMEEdit *editor = doc->Editor;
  editor->SetCaretXY({1, qBound(1, line, editor->LineCount())});
  editor->EnsureCursorPosVisible();
  BringToFront(*FContext.DialogParent());
  editor->setFocus();
  // Once the window manager has made the main window active, the editor takes the keys again.
  QTimer::singleShot(0, FContext.DialogParent(), [this, id] {
    if (TEditorDoc *still = FContext.Docs().Find(id)) still->Editor->setFocus();
  });
  FContext.UpdateStatus();
}

TfrmHashCalc *TToolsMenu::HashCalc() {
  if (!FHashCalc) {
    FHashCalc = std::make_unique<TfrmHashCalc>();
    CentreOver(*FHashCalc, *FContext.DialogParent());
  }
  return FHashCalc.get();
}

// A relative name ("setup.exe" in a log) is taken from the document's own folder; without one it
// names no file.
QString TToolsMenu::SelectedFilePath() const {
  const TMEEdit *editor = FContext.ActiveEditor();
  if (!editor || !editor->SelAvail() || editor->BlockBegin().Line != editor->BlockEnd().Line) return {};
  if (editor->BlockEnd().Char - editor->BlockBegin().Char > KMaxPathSelection) return {};
  QString path = SelectedPathText(editor->SelText());
  if (path.isEmpty()) return {};
  if (!QDir::isAbsolutePath(path)) {
    const TEditorDoc *doc = FContext.ActiveDoc();
    if (!doc || doc->FileName.isEmpty()) return {};
    path = QFileInfo(doc->FileName).dir().absoluteFilePath(path);
  }
  path = QDir::cleanPath(path);
  return QFileInfo(path).isFile() ? path : QString();
}

void TToolsMenu::miHashCalcClick() {
  const QString path = SelectedFilePath();
  TfrmHashCalc *form = HashCalc();
  BringToFront(*form);
  if (!path.isEmpty()) form->CalculateFile(path);
  else if (const TEditorDoc *doc = FContext.ActiveDoc(); doc && !doc->FileName.isEmpty()) form->SetInitialFile(doc->FileName);
}

void TToolsMenu::cmCalcFileHashClick() {
  const QString path = SelectedFilePath();
  if (path.isEmpty()) {
    ShowInformation(FContext.DialogParent(), u"The selected text is not an existing file path."_s);
    return;
  }
  TfrmHashCalc *form = HashCalc();
  BringToFront(*form);
  form->CalculateFile(path);
}
