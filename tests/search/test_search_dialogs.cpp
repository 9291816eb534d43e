// Go to Line's bounds and Find Tab's list, search, sorting and commands.
#include "app/search/FindTabDialog.h"
#include "app/search/GotoLineDialog.h"
#include "platform/MessageBox.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace {

TDocId FakeDoc(TDocId n) { return n; }

QStringList Column(QTreeWidget *list, int column) {
  QStringList texts;
  for (int i = 0; i < list->topLevelItemCount(); ++i) texts << list->topLevelItem(i)->text(column);
  return texts;
}

}  // namespace

class TestSearchDialogs : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void gotoLineBounds_data();
  void gotoLineBounds();
  void gotoLineExecute();
  void findTabListsSortsAndCounts();
  void findTabSearchGoesRound();
  void findTabCommands();
};

void TestSearchDialogs::gotoLineBounds_data() {
  QTest::addColumn<int>("maxLine");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<bool>("accepted");
  QTest::addColumn<QString>("box");
  QTest::newRow("inRange") << 50 << " 12 " << true << "12";
  QTest::newRow("zeroIsLineOne") << 50 << "0" << true << "1";
  QTest::newRow("negativeIsLineOne") << 50 << "-7" << true << "1";
  QTest::newRow("beyondIsLastLine") << 50 << "51" << true << "50";
  QTest::newRow("hugeIsLastLine") << 50 << "99999999999" << true << "50";
  QTest::newRow("noLimitOnEmptyDocument") << 0 << "123" << true << "123";
  QTest::newRow("notANumberStays") << 50 << "abc" << false << "abc";
  QTest::newRow("emptyStays") << 50 << "" << false << "";
}

void TestSearchDialogs::gotoLineBounds() {
  QFETCH(int, maxLine);
  QFETCH(QString, typed);
  QFETCH(bool, accepted);
  QFETCH(QString, box);
  TfrmGotoLine dialog;
  int target = 0;
  QLineEdit *edGoto = dialog.findChild<QLineEdit *>("edGoto");
  QTimer::singleShot(0, &dialog, [&] {
    edGoto->setText(typed);
    dialog.btnGoClick();
    if (dialog.isVisible()) {
      QCOMPARE(edGoto->selectedText(), typed);  // kept and selected for another try
      dialog.reject();
    }
  });
  QCOMPARE(dialog.Execute(3, maxLine, target), accepted);
  QCOMPARE(edGoto->text(), box);
  if (accepted) QCOMPARE(target, box.toInt());
}

void TestSearchDialogs::gotoLineExecute() {
  TfrmGotoLine dialog;
  int target = -1;
  QTimer::singleShot(0, &dialog, [&] {
    QCOMPARE(dialog.findChild<QLineEdit *>("edHere")->text(), QString("7"));
    QCOMPARE(dialog.findChild<QLineEdit *>("edGoto")->text(), QString("7"));
    dialog.reject();
  });
  QVERIFY(!dialog.Execute(7, 10, target));
  QCOMPARE(target, -1);
}

void TestSearchDialogs::findTabListsSortsAndCounts() {
  TfrmFindTab dialog;
  QList<TTabInfo> tabs = {{FakeDoc(1), "thread.c", "/src/thread.c", false},
                          {FakeDoc(2), "Readme.txt", "/src/Readme.txt", true},
                          {FakeDoc(3), "new 1", "", true}};
  dialog.OpenTabs = [&] { return tabs; };
  dialog.RefreshTabs();
  auto *list = dialog.findChild<QTreeWidget *>("lvTabs");
  QCOMPARE(Column(list, 0), (QStringList{"new 1", "Readme.txt", "thread.c"}));
  QCOMPARE(Column(list, 2), (QStringList{"No", "No", "Yes"}));
  QCOMPARE(dialog.findChild<QLabel *>("lblCount")->text(), QString("3 open tabs"));
  dialog.lvTabsColumnClick(0);  // same column: descending
  QCOMPARE(Column(list, 0), (QStringList{"thread.c", "Readme.txt", "new 1"}));
  dialog.lvTabsColumnClick(1);  // another column: ascending by path
  QCOMPARE(Column(list, 1), (QStringList{"", "/src/Readme.txt", "/src/thread.c"}));
  list->setCurrentItem(list->topLevelItem(2));  // thread.c stays focused across a refresh
  tabs.removeAt(2);
  dialog.RefreshTabs();
  QCOMPARE(dialog.findChild<QLabel *>("lblCount")->text(), QString("2 open tabs"));
  QCOMPARE(list->currentItem()->text(0), QString("thread.c"));
  tabs.removeAt(0);
  dialog.RefreshTabs();
  QCOMPARE(dialog.findChild<QLabel *>("lblCount")->text(), QString("1 open tab"));
}

void TestSearchDialogs::findTabSearchGoesRound() {
  TfrmFindTab dialog;
  const QList<TTabInfo> tabs = {{FakeDoc(1), "Readme.txt", "", false},
                                {FakeDoc(2), "notes.md", "", false},
                                {FakeDoc(3), "thread.c", "", false}};
  dialog.OpenTabs = [&] { return tabs; };
  dialog.RefreshTabs();
  auto *list = dialog.findChild<QTreeWidget *>("lvTabs");
  dialog.findChild<QLineEdit *>("edSearch")->setText(" read ");
  QStringList found;
  for (int i = 0; i < 3; ++i) {
    dialog.btnSearchClick();
    found << list->currentItem()->text(0);
    QCOMPARE(list->selectedItems().size(), 1);
  }
  QCOMPARE(found, (QStringList{"Readme.txt", "thread.c", "Readme.txt"}));
  QStringList messages;
  SetMessageAnswerer([&](const TMessageRequest &request) {
    messages << request.Text;
    return TAnswer::Ok;
  });
  dialog.findChild<QLineEdit *>("edSearch")->setText("zip");
  dialog.btnSearchClick();
  SetMessageAnswerer(nullptr);
  QCOMPARE(messages, QStringList{"No tab name contains \"zip\"."});
}

void TestSearchDialogs::findTabCommands() {
  QTemporaryFile file;
  QVERIFY(file.open());
  TfrmFindTab dialog;
  QList<TTabInfo> tabs = {{FakeDoc(1), "a", file.fileName(), false}, {FakeDoc(2), "b", "", false}};
  QList<TDocId> closed;
  TDocId activated = KNoDoc;
  QString shown;
  dialog.OpenTabs = [&] { return tabs; };
  dialog.CloseDocList = [&](const QList<TDocId> &docs) {
    closed = docs;
    tabs.removeAt(1);
  };
  dialog.ActivateDoc = [&](TDocId doc) { activated = doc; };
  dialog.OpenContainingFolder = [&](const QString &path) { shown = path; };
  dialog.RefreshTabs();
  auto *list = dialog.findChild<QTreeWidget *>("lvTabs");
  auto *menu = dialog.findChild<QMenu *>();
  const auto enabled = [&] {
    dialog.pmTabsPopup();
    QString flags;
    for (QAction *action : menu->actions())
      if (!action->isSeparator()) flags += action->isEnabled() ? u'1' : u'0';
    return flags;
  };
  QCOMPARE(enabled(), QString("000"));
  list->topLevelItem(1)->setSelected(true);  // never saved: no folder to open
  QCOMPARE(enabled(), QString("110"));
  list->topLevelItem(0)->setSelected(true);
  QCOMPARE(enabled(), QString("110"));  // two rows
  list->topLevelItem(1)->setSelected(false);
  QCOMPARE(enabled(), QString("111"));
  dialog.pmiOpenFolderClick();
  QCOMPARE(shown, file.fileName());
  list->topLevelItem(0)->setSelected(true);
  list->topLevelItem(1)->setSelected(true);
  dialog.btnCloseSelClick();
  QCOMPARE(closed, (QList<TDocId>{FakeDoc(1), FakeDoc(2)}));
  QCOMPARE(list->topLevelItemCount(), 1);
  list->topLevelItem(0)->setSelected(true);
  dialog.btnActivateClick();
  QCOMPARE(activated, FakeDoc(1));
}

QTEST_MAIN(TestSearchDialogs)
#include "test_search_dialogs.moc"
