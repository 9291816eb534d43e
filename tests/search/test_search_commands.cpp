// Find Next and Previous with wrap-around, Replace of the found match, Replace All over one or
// every document, and the find dialog driving them.
#include "app/search/FindReplaceDialog.h"
#include "app/search/SearchCommands.h"
#include "editor/Edit.h"
#include "platform/MessageBox.h"

#include <QComboBox>
#include <QRadioButton>
#include <QTest>

#include <memory>

namespace {

QString Sel(const TMEEdit &edit) {
  return QString("(%1,%2)-(%3,%4)")
      .arg(edit.BlockBegin().Char)
      .arg(edit.BlockBegin().Line)
      .arg(edit.BlockEnd().Char)
      .arg(edit.BlockEnd().Line);
}

}  // namespace

class TestSearchCommands : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void init();
  void findNextWrapsAround();
  void findPreviousWrapsToTheEnd();
  void replaceFindsFirstThenReplaces();
  void replaceTakesEveryCaseVariantFindSelects();
  void replaceExpandsRegexGroupsFromTheLine();
  void replaceAllOverAllFiles();
  void regexEngineReachesEveryEditor();
  void dialogExtendedModeAndReport();

 private:
  TMEEdit *Add(const QString &text) {
    FEditors.push_back(std::make_unique<TMEEdit>());
    TMEEdit *edit = FEditors.back().get();
    edit->SetText(text);
    edit->SetSearchEngine(FCommands->LiteralEngine());
    return edit;
  }
  std::unique_ptr<TSearchCommands> FCommands;
  std::vector<std::unique_ptr<TMEEdit>> FEditors;
  TMEEdit *FActive = nullptr;
};

void TestSearchCommands::init() {
  FEditors.clear();
  FCommands = std::make_unique<TSearchCommands>();
  FActive = nullptr;
  FCommands->ActiveEditor = [this] { return FActive; };
  FCommands->Editors = [this] {
    QList<TMEEdit *> list;
    for (auto &e : FEditors) list.append(e.get());
    return list;
  };
}

void TestSearchCommands::findNextWrapsAround() {
  FActive = Add("ab\nxab");
  QVERIFY(FCommands->FindNext("ab", 0));
  QCOMPARE(Sel(*FActive), QString("(1,1)-(3,1)"));
  QVERIFY(FCommands->FindNext("ab", 0));
  QCOMPARE(Sel(*FActive), QString("(2,2)-(4,2)"));
  QVERIFY(FCommands->FindNext("ab", 0));  // past the last match: from the top again
  QCOMPARE(Sel(*FActive), QString("(1,1)-(3,1)"));
  QVERIFY(!FCommands->FindNext("zz", 0));
  QVERIFY(!FCommands->FindNext(QString(), 0));
  FActive = nullptr;
  QVERIFY(!FCommands->FindNext("ab", 0));
}

void TestSearchCommands::findPreviousWrapsToTheEnd() {
  FActive = Add("ab ab\nab");
  QVERIFY(FCommands->FindPrevious("ab", 0));  // caret at the start: wraps to the last match
  QCOMPARE(Sel(*FActive), QString("(1,2)-(3,2)"));
  QVERIFY(FCommands->FindPrevious("ab", 0));
  QCOMPARE(Sel(*FActive), QString("(4,1)-(6,1)"));
  QVERIFY(FCommands->FindPrevious("ab", 0));
  QCOMPARE(Sel(*FActive), QString("(1,1)-(3,1)"));
}

void TestSearchCommands::replaceFindsFirstThenReplaces() {
  FActive = Add("cat cat");
  FCommands->ReplaceCurrent("cat", "dog", 0);  // nothing selected: only finds
  QCOMPARE(FActive->GetText(), QString("cat cat"));
  QCOMPARE(Sel(*FActive), QString("(1,1)-(4,1)"));
  FCommands->ReplaceCurrent("cat", "dog", 0);
  QCOMPARE(FActive->GetText(), QString("dog cat"));
  QCOMPARE(Sel(*FActive), QString("(5,1)-(8,1)"));
  FCommands->ReplaceCurrent("cat", "dog", 0);
  QCOMPARE(FActive->GetText(), QString("dog dog"));
  FActive->Undo();
  QCOMPARE(FActive->GetText(), QString("dog cat"));
}

void TestSearchCommands::replaceTakesEveryCaseVariantFindSelects() {
  FActive = Add(QString::fromUtf16(u"\u00c9T\u00c9"));
  FCommands->ReplaceCurrent(QString::fromUtf16(u"\u00e9t\u00e9"), "summer", 0);
  QCOMPARE(Sel(*FActive), QString("(1,1)-(4,1)"));
  FCommands->ReplaceCurrent(QString::fromUtf16(u"\u00e9t\u00e9"), "summer", 0);
  QCOMPARE(FActive->GetText(), QString("summer"));
  // With match case the variant is neither found nor replaced.
  FActive = Add(QString::fromUtf16(u"\u00c9T\u00c9"));
  FActive->SelectAll();
  FCommands->ReplaceCurrent(QString::fromUtf16(u"\u00e9t\u00e9"), "summer", ssoMatchCase);
  QCOMPARE(FActive->GetText(), QString::fromUtf16(u"\u00c9T\u00c9"));
}

void TestSearchCommands::replaceExpandsRegexGroupsFromTheLine() {
  FActive = Add("k=v x k=w");
  FCommands->SetSearchRegex(true);
  FCommands->ReplaceCurrent("(?<= )k=(\\w)", "K:$1", 0);
  QCOMPARE(Sel(*FActive), QString("(7,1)-(10,1)"));
  FCommands->ReplaceCurrent("(?<= )k=(\\w)", "K:$1", 0);
  QCOMPARE(FActive->GetText(), QString("k=v x K:w"));
}

void TestSearchCommands::replaceAllOverAllFiles() {
  Add("a a");
  FActive = Add("none");
  Add("a\na\na a a");
  QCOMPARE(FCommands->ReplaceAll("a", "b", 0, true), 7);
  QCOMPARE(FEditors[0]->GetText(), QString("b b"));
  QCOMPARE(FEditors[2]->Lines().Lines(), (QStringList{"b", "b", "b b b"}));
  QCOMPARE(FCommands->ReplaceAll("b", "c", 0, false), 0);  // only the active document
  FActive = nullptr;
  QCOMPARE(FCommands->ReplaceAll("b", "c", 0, false), 0);
}

void TestSearchCommands::regexEngineReachesEveryEditor() {
  TMEEdit *one = Add("a1");
  TMEEdit *two = Add("b2");
  FCommands->SetSearchRegex(true);
  QVERIFY(one->SearchEngine() == two->SearchEngine());
  QVERIFY(one->SearchEngine() != FCommands->LiteralEngine());
  QCOMPARE(FCommands->ReplaceAll("\\d", "#", 0, true), 2);
  FCommands->SetSearchRegex(false);
  QCOMPARE(one->SearchEngine(), FCommands->LiteralEngine());
}

void TestSearchCommands::dialogExtendedModeAndReport() {
  FActive = Add("a\tb a\\tb");
  TfrmFindReplace dialog(*FCommands);
  QStringList reports;
  SetMessageAnswerer([&](const TMessageRequest &request) {
    reports << request.Text;
    return TAnswer::Ok;
  });
  dialog.ShowFor("a\\tb", true);
  dialog.findChild<QRadioButton *>("rbExtended")->setChecked(true);
  QCOMPARE(dialog.Mode(), 1);
  dialog.btnFindNextClick();
  QCOMPARE(Sel(*FActive), QString("(1,1)-(4,1)"));  // a TAB b, not the five characters
  dialog.SetPersistedState(false, true, 0, false);
  dialog.btnFindNextClick();
  QCOMPARE(Sel(*FActive), QString("(5,1)-(9,1)"));
  QCOMPARE(dialog.SearchOptions(), TMESearchOptions(ssoWholeWord));
  dialog.SetPersistedState(true, true, 2, true);
  QCOMPARE(dialog.SearchOptions(), TMESearchOptions(ssoMatchCase));  // no whole word for expressions
  QCOMPARE(dialog.ScopeAll(), true);
  dialog.findChild<QComboBox *>("edFind")->setEditText("zz");
  dialog.btnReplaceAllClick();
  QCOMPARE(reports, QStringList{"0 replacement(s) made."});
  SetMessageAnswerer(nullptr);
}

QTEST_MAIN(TestSearchCommands)
#include "test_search_commands.moc"
