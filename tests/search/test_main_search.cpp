// The window's search: Find All over its documents into the results panel, going to a hit (and
// not to one whose document was closed), Replace All over every document, and the find dialog's
// state kept from one run to the next.
#include "app/MainWindow.h"
#include "app/menus/CommandRegistry.h"
#include "app/menus/SearchMenu.h"
#include "app/search/FindReplaceDialog.h"
#include "app/search/ResultsPanel.h"
#include "editor/Edit.h"
#include "platform/MessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <memory>

class TestMainSearch : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void init();
  void cleanup();
  void findAllAndGoToHits();
  void replaceAllOverEveryDocument();
  void findStateKeptBetweenRuns();

 private:
  std::unique_ptr<TfrmMain> Window() {
    auto window = std::make_unique<TfrmMain>(QStringList(), FDir->filePath("settings.ini"));
    QCoreApplication::processEvents();
    return window;
  }
  TEditorDoc *NewDoc(TfrmMain &window, const QString &text) {
    window.NewDoc();
    TEditorDoc *doc = window.ActiveDoc();
    doc->Editor->SetText(text);
    return doc;
  }
  std::unique_ptr<QTemporaryDir> FDir;
  QStringList FMessages;
};

void TestMainSearch::init() {
  FDir = std::make_unique<QTemporaryDir>();
  FMessages.clear();
  // Closing asks about unsaved documents: never save them here.
  SetMessageAnswerer([this](const TMessageRequest &request) {
    FMessages << request.Text;
    return request.Buttons.contains(TAnswer::No) ? TAnswer::No : request.Buttons.last();
  });
}

void TestMainSearch::cleanup() { SetMessageAnswerer(nullptr); }

void TestMainSearch::findAllAndGoToHits() {
  auto window = Window();
  TEditorDoc *first = window->ActiveDoc();
  first->Editor->SetText("alpha\nbeta alpha");
  TEditorDoc *second = NewDoc(*window, "nothing\n\nALPHA");
  QCOMPARE(window->FindAll({"alpha", false, false, false}, true), 3);
  QTreeWidget *tree = window->ResultsPanel()->Tree();
  QVERIFY(window->ResultsPanel()->isVisibleTo(window.get()));
  QVERIFY(tree->topLevelItem(0)->text(0).startsWith("Search \"alpha\" (3 hits in 2 files of 2 searched)"));
  // Only the active document.
  QCOMPARE(window->FindAll({"alpha", true, false, false}, false), 0);
  QCOMPARE(window->FindAll({"alpha", false, false, false}, true), 3);

  const TSearchHit *hit = window->ResultsPanel()->HitOf(tree->topLevelItem(0)->child(0)->child(1));
  QVERIFY(hit);
  window->GotoSearchHit(*hit);
  QCOMPARE(window->ActiveDoc(), first);
  QCOMPARE(first->Editor->CaretXY(), (TBufferCoord{6, 2}));
  QCOMPARE(first->Editor->SelText(), QString("alpha"));

  const TSearchHit inSecond = *window->ResultsPanel()->HitOf(tree->topLevelItem(0)->child(1)->child(0));
  QCOMPARE(inSecond.Doc, second->Id);
  QVERIFY(window->CloseDoc(second));
  // A document made afterwards, perhaps where the closed one lay, with the same text: the hit
  // still names the closed one and does nothing.
  TEditorDoc *third = NewDoc(*window, "nothing\n\nALPHA");
  window->ActivateDoc(first->Id);
  window->GotoSearchHit(inSecond);
  QCOMPARE(window->ActiveDoc(), first);
  QCOMPARE(first->Editor->SelText(), QString("alpha"));
  QVERIFY(!third->Editor->SelAvail());
  QVERIFY(third->Id != inSecond.Doc);
}

void TestMainSearch::replaceAllOverEveryDocument() {
  auto window = Window();
  window->ActiveDoc()->Editor->SetText("a a");
  NewDoc(*window, "none");
  TEditorDoc *third = NewDoc(*window, "a\na\na a a");
  window->Commands().Action("miReplace")->trigger();
  TfrmFindReplace *dialog = window->SearchMenu().FindDialog();
  dialog->findChild<QComboBox *>("edFind")->setEditText("a");
  dialog->findChild<QComboBox *>("edReplace")->setEditText("b");
  dialog->findChild<QRadioButton *>("rbAll")->setChecked(true);
  dialog->btnReplaceAllClick();
  QCOMPARE(FMessages, QStringList{"7 replacement(s) made."});
  QCOMPARE(third->Editor->Lines().Lines(), (QStringList{"b", "b", "b b b"}));
  // F3 repeats the typed text on the active document.
  third->Editor->SetText("xa xa");
  third->Editor->SetCaretXY({1, 1});
  window->Commands().Action("miFindNext")->trigger();
  QCOMPARE(third->Editor->SelText(), QString("a"));
  QCOMPARE(third->Editor->CaretXY(), (TBufferCoord{3, 1}));
}

void TestMainSearch::findStateKeptBetweenRuns() {
  {
    auto window = Window();
    window->Commands().Action("miFind")->trigger();
    TfrmFindReplace *dialog = window->SearchMenu().FindDialog();
    dialog->SetPersistedState(false, true, 1, true);
    window->close();
  }
  auto window = Window();
  TfrmFindReplace *dialog = window->SearchMenu().FindDialog();
  QCOMPARE(dialog->MatchCase(), false);
  QCOMPARE(dialog->WholeWord(), true);
  QCOMPARE(dialog->Mode(), 1);
  QCOMPARE(dialog->ScopeAll(), true);
}

QTEST_MAIN(TestMainSearch)
#include "test_main_search.moc"
