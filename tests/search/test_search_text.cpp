// The Extended mode's escapes and the find dialog's history lists.
#include "app/search/SearchText.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

class TestSearchText : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void expandEscapes_data();
  void expandEscapes();
  void historyMovesRepeatsUpAndKeepsThirty();
  void historyKeepsWhatIsTyped();
};

void TestSearchText::expandEscapes_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("expanded");
  QTest::newRow("tab") << "a\\tb" << "a\tb";
  QTest::newRow("breaksAndNul") << "\\r\\n\\0" << QString::fromUtf16(u"\r\n\u0000", 3);
  QTest::newRow("backslash") << "a\\\\b" << "a\\b";
  QTest::newRow("hexOneDigit") << "\\x4" << QString(QChar(4));
  QTest::newRow("hexTwoDigitsThenText") << "\\x414" << "A4";
  QTest::newRow("hexAnyCase") << "\\x4a\\x4A" << "JJ";
  QTest::newRow("hexTabFromOneDigit") << "\\x9" << "\t";
  QTest::newRow("hexWithoutDigitsStays") << "\\xZZ" << "\\xZZ";
  QTest::newRow("unknownEscapeStays") << "\\q\\d" << "\\q\\d";
  QTest::newRow("trailingBackslashStays") << "end\\" << "end\\";
  QTest::newRow("plain") << "no escapes" << "no escapes";
}

void TestSearchText::expandEscapes() {
  QFETCH(QString, text);
  QFETCH(QString, expanded);
  QCOMPARE(ExpandEscapes(text), expanded);
}

void TestSearchText::historyMovesRepeatsUpAndKeepsThirty() {
  QComboBox combo;
  combo.setEditable(true);
  for (int i = 1; i <= 31; ++i) AddHistory(&combo, QString("text%1").arg(i));
  QCOMPARE(combo.count(), 30);
  QCOMPARE(combo.itemText(0), QString("text31"));
  QCOMPARE(combo.itemText(29), QString("text2"));  // text1, the oldest, was pushed out
  AddHistory(&combo, "TEXT10");
  QCOMPARE(combo.count(), 30);
  QCOMPARE(combo.itemText(0), QString("TEXT10"));
  QCOMPARE(combo.findText("text10"), -1);
  AddHistory(&combo, QString());
  QCOMPARE(combo.count(), 30);
}

void TestSearchText::historyKeepsWhatIsTyped() {
  QComboBox combo;
  combo.setEditable(true);
  AddHistory(&combo, "older");
  combo.setEditText("typed now");
  combo.lineEdit()->setCursorPosition(3);
  AddHistory(&combo, "typed now");
  QCOMPARE(combo.currentText(), QString("typed now"));
  QCOMPARE(combo.lineEdit()->cursorPosition(), 3);
  QCOMPARE(combo.itemText(0), QString("typed now"));
  QCOMPARE(combo.itemText(1), QString("older"));
}

QTEST_MAIN(TestSearchText)
#include "test_search_text.moc"
