// Keys, mouse clicks, the wheel and the scroll bars, sent through QTest as a user would.
#include "EditorTestUtil.h"

#include <QScrollBar>
#include <QSignalSpy>

namespace {

// Keys as words separated by spaces: "S+" adds Shift, "C+" Ctrl; "'text" types text.
void SendKeys(TMEEdit &edit, const QString &keys) {
  static const QHash<QString, Qt::Key> names = {
      {"Left", Qt::Key_Left},   {"Right", Qt::Key_Right},     {"Up", Qt::Key_Up},
      {"Down", Qt::Key_Down},   {"Home", Qt::Key_Home},       {"End", Qt::Key_End},
      {"PgUp", Qt::Key_PageUp}, {"PgDn", Qt::Key_PageDown},   {"BS", Qt::Key_Backspace},
      {"Del", Qt::Key_Delete},  {"Enter", Qt::Key_Return},    {"Tab", Qt::Key_Tab},
      {"A", Qt::Key_A},         {"C", Qt::Key_C},             {"V", Qt::Key_V},
      {"X", Qt::Key_X},         {"Y", Qt::Key_Y},             {"Z", Qt::Key_Z},
      {"BackTab", Qt::Key_Backtab},
  };
  for (QString key : keys.split(u' ', Qt::SkipEmptyParts)) {
    if (key.startsWith(u'\'')) {
      QTest::keyClicks(&edit, key.mid(1));
      continue;
    }
    Qt::KeyboardModifiers modifiers;
    for (;;) {
      if (key.startsWith(u"S+")) modifiers |= Qt::ShiftModifier;
      else if (key.startsWith(u"C+")) modifiers |= Qt::ControlModifier;
      else break;
      key = key.mid(2);
    }
    QVERIFY2(names.contains(key), qPrintable(key));
    QTest::keyClick(&edit, names[key], modifiers);
  }
}

// The client point a quarter into the cell of 0-based column col on 1-based screen row row.
QPoint Cell(TMEEdit &edit, int col, int row) {
  return {edit.TextLeft() + col * edit.CharWidth() + edit.CharWidth() / 4, (row - 1) * edit.LineHeight() + 3};
}

void Wheel(TMEEdit &edit, int delta) {
  QWheelEvent event(QPointF(20, 20), edit.viewport()->mapToGlobal(QPointF(20, 20)), QPoint(), QPoint(0, delta),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(edit.viewport(), &event);
  QVERIFY(event.isAccepted());
}

// An editor shown with exactly rows visible rows, painted once so layouts are in use.
void ShowRows(TMEEdit &edit, int rows) {
  edit.show();
  edit.resize(400, edit.height() - edit.viewport()->height() + rows * edit.LineHeight());
  QCOMPARE(edit.VisibleRowCount(), rows);
  edit.viewport()->repaint();
}

QString Numbered(int count) {
  QStringList lines;
  for (int i = 1; i <= count; ++i) lines << QStringLiteral("line %1").arg(i);
  return lines.join(u'|');
}

}  // namespace

class TestEditorInput : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void keys_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<TBufferCoord>("caret");
    QTest::addColumn<int>("options");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("expected");
    const int plain = eoAutoIndent | eoTabIndent | eoGroupUndo;
    QTest::newRow("rightAtEndOfLastLineStays") << "ab" << BC(3, 1) << plain << "Right" << "ab caret=(3,1) sel=(3,1)-(3,1)";
    QTest::newRow("leftAtDocumentStartStays") << "ab" << BC(1, 1) << plain << "Left" << "ab caret=(1,1) sel=(1,1)-(1,1)";
    QTest::newRow("rightAtLineEndGoesToNextLine") << "ab|cd" << BC(3, 1) << plain << "Right" << "ab|cd caret=(1,2) sel=(1,2)-(1,2)";
    QTest::newRow("leftAtLineStartGoesToPreviousEnd") << "ab|cd" << BC(1, 2) << plain << "Left" << "ab|cd caret=(3,1) sel=(3,1)-(3,1)";
    QTest::newRow("upClampsAndDownKeepsTheClampedChar")
        << "1|2|3|0123456789|" + QString(45, u'x') << BC(40, 5) << plain << "Up"
        << "1|2|3|0123456789|" + QString(45, u'x') + " caret=(11,4) sel=(11,4)-(11,4)";
    QTest::newRow("downAfterUpLandsOnClampedChar")
        << "1|2|3|0123456789|" + QString(45, u'x') << BC(40, 5) << plain << "Up Down"
        << "1|2|3|0123456789|" + QString(45, u'x') + " caret=(11,5) sel=(11,5)-(11,5)";
    QTest::newRow("shiftRightSelectsFromAnchor") << "abcdef" << BC(1, 1) << plain << "S+Right S+Right S+Right"
                                                 << "abcdef caret=(4,1) sel=(1,1)-(4,1)";
    QTest::newRow("plainRightCollapsesSelection") << "abcdef" << BC(1, 1) << plain << "S+Right S+Right S+Right Right"
                                                  << "abcdef caret=(5,1) sel=(5,1)-(5,1)";
    // An emoji is two code units; the caret steps over both at once, either way, and selects it whole.
    QTest::newRow("rightStepsOverSurrogatePair") << S(u"a\U0001F600b") << BC(2, 1) << plain << "Right Right"
                                                 << "a<D83D><DE00>b caret=(5,1) sel=(5,1)-(5,1)";
    QTest::newRow("leftStepsOverSurrogatePair") << S(u"a\U0001F600b") << BC(4, 1) << plain << "Left"
                                                << "a<D83D><DE00>b caret=(2,1) sel=(2,1)-(2,1)";
    QTest::newRow("shiftRightSelectsSurrogatePair") << S(u"\U0001F600") << BC(1, 1) << plain << "S+Right"
                                                    << "<D83D><DE00> caret=(3,1) sel=(1,1)-(3,1)";
    QTest::newRow("ctrlHomeActsAsHome") << "ab|cd" << BC(2, 2) << plain << "C+Home" << "ab|cd caret=(1,2) sel=(1,2)-(1,2)";
    QTest::newRow("shiftEndSelectsToLineEnd") << "abcd" << BC(2, 1) << plain << "S+End" << "abcd caret=(5,1) sel=(2,1)-(5,1)";
    QTest::newRow("enterCopiesBlanksBeforeCaret") << "  ab xyz" << BC(5, 1) << plain << "Enter"
                                                  << "  ab|   xyz caret=(3,2) sel=(3,2)-(3,2)";
    QTest::newRow("enterCutsIndentAtCaret") << "    ab" << BC(3, 1) << plain << "Enter" << "  |    ab caret=(3,2) sel=(3,2)-(3,2)";
    QTest::newRow("enterWithoutAutoIndent") << "  ab" << BC(5, 1) << int(eoGroupUndo) << "Enter"
                                            << "  ab| caret=(1,2) sel=(1,2)-(1,2)";
    QTest::newRow("shiftTabInsertsTab") << "ab" << BC(2, 1) << plain << "S+BackTab" << "a<0009>b caret=(3,1) sel=(3,1)-(3,1)";
    QTest::newRow("ctrlEnterTypesNothing") << "ab" << BC(2, 1) << plain << "C+Enter" << "ab caret=(2,1) sel=(2,1)-(2,1)";
    QTest::newRow("tabInsertsTab") << "ab" << BC(2, 1) << plain << "Tab" << "a<0009>b caret=(3,1) sel=(3,1)-(3,1)";
    QTest::newRow("tabToSpacesFillsToStop") << "ab" << BC(2, 1) << (plain | int(eoTabsToSpaces)) << "Tab"
                                            << "a   b caret=(5,1) sel=(5,1)-(5,1)";
    QTest::newRow("tabReplacesSelection") << "abcd" << BC(2, 1) << plain << "S+Right S+Right Tab"
                                          << "a<0009>d caret=(3,1) sel=(3,1)-(3,1)";
    QTest::newRow("typedTextReplacesSelection") << "abcd" << BC(1, 1) << plain << "S+Right S+Right 'xy"
                                                << "xycd caret=(3,1) sel=(3,1)-(3,1)";
    QTest::newRow("backspaceJoinsWithPreviousLine") << "ab|cd" << BC(1, 2) << plain << "BS" << "abcd caret=(3,1) sel=(3,1)-(3,1)";
    QTest::newRow("backspaceRemovesOneUnit") << "abc" << BC(3, 1) << plain << "BS" << "ac caret=(2,1) sel=(2,1)-(2,1)";
    QTest::newRow("deleteJoinsNextLineCaretStays") << "ab|cd" << BC(3, 1) << plain << "Del" << "abcd caret=(3,1) sel=(3,1)-(3,1)";
    QTest::newRow("deleteRemovesSelection") << "abcd" << BC(1, 1) << plain << "S+Right S+Right Del"
                                            << "cd caret=(1,1) sel=(1,1)-(1,1)";
    QTest::newRow("ctrlASelectsAll") << "ab|cd" << BC(1, 1) << plain << "C+A" << "ab|cd caret=(3,2) sel=(1,1)-(3,2)";
    QTest::newRow("ctrlZUndoesTyping") << "ab" << BC(3, 1) << plain << "'x C+Z" << "ab caret=(3,1) sel=(3,1)-(3,1)";
    QTest::newRow("ctrlShiftZAlsoUndoes") << "ab" << BC(3, 1) << plain << "'x C+S+Z" << "ab caret=(3,1) sel=(3,1)-(3,1)";
    QTest::newRow("ctrlYRedoes") << "ab" << BC(3, 1) << plain << "'x C+Z C+Y" << "abx caret=(4,1) sel=(4,1)-(4,1)";
    QTest::newRow("cutAndPaste") << "abcd" << BC(1, 1) << plain << "S+Right S+Right C+X End C+V"
                                 << "cdab caret=(5,1) sel=(5,1)-(5,1)";
  }

  void keys() {
    QFETCH(QString, text);
    QFETCH(TBufferCoord, caret);
    QFETCH(int, options);
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    TMEEdit edit;
    SetLines(edit, text);
    edit.SetOptions(TMEEditorOptions(options));
    edit.SetCaretXY(caret);
    SendKeys(edit, keys);
    QCOMPARE(DumpEdit(edit), expected);
  }

  void readOnlyIgnoresEditingKeys() {
    TMEEdit edit;
    SetLines(edit, "ab|cd");
    edit.SetReadOnly(true);
    edit.SetCaretXY(BC(2, 2));
    SendKeys(edit, "BS Del Enter Tab 'xy Left");
    QCOMPARE(DumpEdit(edit), QStringLiteral("ab|cd caret=(1,2) sel=(1,2)-(1,2)"));
  }

  void tabMovesFocusWithoutWantTabs() {
    QWidget window;
    auto *edit = new TMEEdit(&window);
    auto *other = new TMEEdit(&window);
    other->move(0, 300);
    window.show();
    QApplication::setActiveWindow(&window);
    edit->setFocus();
    QVERIFY(QTest::qWaitFor([&] { return edit->hasFocus(); }));
    edit->SetWantTabs(false);
    QTest::keyClick(edit, Qt::Key_Tab);
    QCOMPARE(edit->LineText(1), QString());
    QVERIFY(other->hasFocus());
    other->SetWantTabs(true);
    QTest::keyClick(other, Qt::Key_Tab);
    QCOMPARE(other->LineText(1), QStringLiteral("\t"));
    QVERIFY(other->hasFocus());
  }

  // The owner's handlers see each key first: they may cancel it or hand the editor another one.
  void ownerKeyHandlersRunFirst() {
    TMEEdit edit;
    SetLines(edit, "ab|cd");
    QStringList seen;
    edit.SetOnKeyDown([&](int &key, Qt::KeyboardModifiers) {
      seen << QString::number(key);
      if (key == Qt::Key_Down) key = 0;
      if (key == Qt::Key_PageDown) key = Qt::Key_End;
    });
    edit.SetOnKeyPress([&](QString &text) {
      seen << text;
      if (text == u"x") text.clear();
      if (text == u"y") text = QStringLiteral("Y");
    });
    SendKeys(edit, "Down PgDn 'xyz");
    QCOMPARE(DumpEdit(edit), QStringLiteral("abYz|cd caret=(5,1) sel=(5,1)-(5,1)"));
    QCOMPARE(seen.mid(0, 3), QStringList({QString::number(Qt::Key_Down), QString::number(Qt::Key_PageDown),
                                          QString::number(Qt::Key_X)}));
    QCOMPARE(seen.mid(3, 1), QStringList({"x"}));
  }

  // A dead key or an input method hands over the composed text; the owner's handler sees it first.
  void composedTextIsTyped() {
    TMEEdit edit;
    SetLines(edit, "ab");
    edit.SetCaretXY(BC(2, 1));
    QVERIFY(edit.testAttribute(Qt::WA_InputMethodEnabled));
    QString seen;
    edit.SetOnKeyPress([&](QString &text) { seen = text; });
    QInputMethodEvent composing(QStringLiteral("\u00B4"), {});
    QApplication::sendEvent(&edit, &composing);
    QCOMPARE(edit.LineText(1), "ab");
    QInputMethodEvent committed;
    committed.setCommitString(QString::fromUtf16(u"\u00E9\u4E00"));
    QApplication::sendEvent(&edit, &committed);
    QCOMPARE(DumpEdit(edit), QStringLiteral("a<00E9><4E00>b caret=(4,1) sel=(4,1)-(4,1)"));
    QCOMPARE(seen, QString::fromUtf16(u"\u00E9\u4E00"));
    edit.SetReadOnly(true);
    QVERIFY(!edit.inputMethodQuery(Qt::ImEnabled).toBool());
    QApplication::sendEvent(&edit, &committed);
    QCOMPARE(edit.LineText(1).size(), 4);
  }

  void pageKeysMoveByVisibleRows() {
    TMEEdit edit;
    SetLines(edit, Numbered(100));
    ShowRows(edit, 20);
    edit.SetCaretXY(BC(3, 1));
    SendKeys(edit, "PgDn");
    QCOMPARE(edit.CaretXY(), BC(3, 21));
    // The view follows only as far as the caret needs.
    QCOMPARE(edit.TopLine(), 2);
    SendKeys(edit, "PgDn PgDn PgDn PgDn PgDn");
    QCOMPARE(edit.CaretXY(), BC(3, 100));
    QCOMPARE(edit.TopLine(), 81);
    SendKeys(edit, "S+PgUp");
    QCOMPARE(edit.CaretXY(), BC(3, 80));
    QCOMPARE(edit.BlockBegin(), BC(3, 100));
    QCOMPARE(edit.TopLine(), 80);
  }

  void scrollingKeepsCaretVisible() {
    TMEEdit edit;
    SetLines(edit, Numbered(60) + "|" + QString(300, u'w'));
    ShowRows(edit, 10);
    for (int i = 0; i < 59; ++i) {
      SendKeys(edit, "Down");
      QVERIFY(edit.CaretY() >= edit.TopLine() && edit.CaretY() <= edit.TopLine() + edit.VisibleRowCount() - 1);
    }
    QCOMPARE(edit.TopLine(), 51);
    SendKeys(edit, "Down End");
    QCOMPARE(edit.CaretXY(), BC(301, 61));
    // Column 301 is the last visible one.
    QCOMPARE(edit.LeftChar(), 301 - edit.VisibleColumns() + 1);
    SendKeys(edit, "Home");
    QCOMPARE(edit.LeftChar(), 1);
    // The bars follow the view.
    edit.viewport()->repaint();
    QCOMPARE(edit.verticalScrollBar()->value(), edit.TopLine());
    QCOMPARE(edit.verticalScrollBar()->maximum(), 61 - 10 + 1);
  }

  void scrollBarMovesView() {
    TMEEdit edit;
    SetLines(edit, Numbered(50));
    ShowRows(edit, 20);
    QSignalSpy scrolled(&edit, &TMEEdit::OnScroll);
    edit.verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(edit.TopLine(), 2);
    edit.verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
    QCOMPARE(edit.TopLine(), 31);
    QCOMPARE(scrolled.count(), 2);
    QCOMPARE(scrolled.last().at(0).toInt(), 1);
    // An action that moves nothing is reported too.
    edit.verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(edit.TopLine(), 31);
    QCOMPARE(scrolled.count(), 3);
    edit.horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(edit.LeftChar(), 2);
    QCOMPARE(scrolled.last().at(0).toInt(), 0);
    edit.horizontalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    edit.horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(edit.LeftChar(), 1);
    QCOMPARE(scrolled.count(), 6);
    // A value set from outside moves the view without a report.
    edit.verticalScrollBar()->setValue(5);
    QCOMPARE(edit.TopLine(), 5);
    QCOMPARE(scrolled.count(), 6);
  }

  // Holding the thumb at the right end keeps the range; letting it go widens it by the visible page.
  void thumbDragKeepsHorizontalRange() {
    TMEEdit edit;
    SetLines(edit, QString(300, u'w'));
    ShowRows(edit, 5);
    QScrollBar *bar = edit.horizontalScrollBar();
    const int maximum = bar->maximum();
    bar->setSliderDown(true);
    for (int i = 0; i < 5; ++i) bar->setSliderPosition(bar->maximum());
    QCOMPARE(bar->maximum(), maximum);
    QCOMPARE(edit.LeftChar(), maximum);
    bar->setSliderDown(false);
    QVERIFY(bar->maximum() >= maximum);
    QCOMPARE(edit.LeftChar(), maximum);
  }

  // The horizontal bar reaches the widest line seen; switching word wrap forgets lines left behind.
  void wordWrapSwitchMeasuresWidthAgain() {
    TMEEdit edit;
    SetLines(edit, QString(300, u'w') + u'|' + Numbered(100));
    ShowRows(edit, 10);
    const int wide = edit.horizontalScrollBar()->maximum();
    QVERIFY(wide > 250);
    edit.SetTopLine(50);
    edit.viewport()->repaint();
    QCOMPARE(edit.horizontalScrollBar()->maximum(), wide);
    edit.SetWordWrap(true);
    edit.SetWordWrap(false);
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    edit.viewport()->repaint();
    QCOMPARE(edit.TopLine(), 50);
    QVERIFY2(edit.horizontalScrollBar()->maximum() < 20, qPrintable(QString::number(edit.horizontalScrollBar()->maximum())));
  }

  void wheel_data() {
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("topLine");
    QTest::newRow("notchDownScrollsThreeRows") << -120 << 13;
    QTest::newRow("notchUpScrollsThreeRows") << 120 << 7;
    QTest::newRow("smallDeltaScrollsNothing") << 30 << 10;
    QTest::newRow("fortyScrollsOneRow") << -40 << 11;
    QTest::newRow("farDownStopsAtLastPage") << -12000 << 31;
  }

  void wheel() {
    QFETCH(int, delta);
    QFETCH(int, topLine);
    TMEEdit edit;
    SetLines(edit, Numbered(50));
    ShowRows(edit, 20);
    edit.SetTopLine(10);
    QSignalSpy scrolled(&edit, &TMEEdit::OnScroll);
    Wheel(edit, delta);
    QCOMPARE(edit.TopLine(), topLine);
    QCOMPARE(scrolled.count(), topLine == 10 ? 0 : 1);
  }

  void clickPlacesCaret() {
    TMEEdit edit;
    SetLines(edit, "hello world|second line|third");
    ShowRows(edit, 10);
    QTest::mouseClick(edit.viewport(), Qt::LeftButton, Qt::NoModifier, Cell(edit, 3, 2));
    QCOMPARE(DumpEdit(edit), QStringLiteral("hello world|second line|third caret=(4,2) sel=(4,2)-(4,2)"));
    // Right of a line's end and below the last line, positions are clamped.
    QTest::mouseClick(edit.viewport(), Qt::LeftButton, Qt::NoModifier, Cell(edit, 30, 9));
    QCOMPARE(edit.CaretXY(), BC(6, 3));
    QTest::mouseClick(edit.viewport(), Qt::LeftButton, Qt::ShiftModifier, Cell(edit, 1, 1));
    QCOMPARE(DumpEdit(edit), QStringLiteral("hello world|second line|third caret=(2,1) sel=(6,3)-(2,1)"));
    // Other buttons leave caret and selection alone.
    QTest::mouseClick(edit.viewport(), Qt::RightButton, Qt::NoModifier, Cell(edit, 0, 2));
    QCOMPARE(edit.CaretXY(), BC(2, 1));
  }

  void dragSelects() {
    TMEEdit edit;
    SetLines(edit, "hello world|second line|third");
    ShowRows(edit, 10);
    QTest::mousePress(edit.viewport(), Qt::LeftButton, Qt::NoModifier, Cell(edit, 2, 1));
    QMouseEvent move(QEvent::MouseMove, Cell(edit, 4, 3), edit.viewport()->mapToGlobal(Cell(edit, 4, 3)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(edit.viewport(), &move);
    QCOMPARE(DumpEdit(edit), QStringLiteral("hello world|second line|third caret=(5,3) sel=(3,1)-(5,3)"));
    QTest::mouseRelease(edit.viewport(), Qt::LeftButton, Qt::NoModifier, Cell(edit, 4, 3));
    // Moving after the release selects nothing more.
    QMouseEvent after(QEvent::MouseMove, Cell(edit, 0, 1), edit.viewport()->mapToGlobal(Cell(edit, 0, 1)),
                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(edit.viewport(), &after);
    QCOMPARE(edit.BlockEnd(), BC(5, 3));
  }

  void doubleClick_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("expected");
    QTest::newRow("wordWithDigitsAndUnderscore") << "foo bar_baz9 qux" << 6 << "caret=(13,1) sel=(5,1)-(13,1)";
    QTest::newRow("atWordEndTakesWordBefore") << "foo bar" << 3 << "caret=(4,1) sel=(1,1)-(4,1)";
    QTest::newRow("betweenTwoSpacesNothing") << "a  b" << 2 << "caret=(3,1) sel=(3,1)-(3,1)";
    QTest::newRow("accentedLettersAreWordChars") << S(u"x \u00E9t\u00E9 y") << 3 << "caret=(6,1) sel=(3,1)-(6,1)";
  }

  void doubleClick() {
    QFETCH(QString, text);
    QFETCH(int, column);
    QFETCH(QString, expected);
    TMEEdit edit;
    SetLines(edit, text);
    ShowRows(edit, 5);
    QTest::mouseDClick(edit.viewport(), Qt::LeftButton, Qt::NoModifier, Cell(edit, column, 1));
    QCOMPARE(DumpEdit(edit).section(u' ', -2), expected);
  }

  void ownerDoubleClickHandlerRunsBeforeWordSelection() {
    TMEEdit edit;
    SetLines(edit, "foo bar");
    ShowRows(edit, 5);
    QString seen;
    connect(&edit, &TMEEdit::OnDblClick, this, [&] { seen = DumpEdit(edit); });
    QTest::mouseDClick(edit.viewport(), Qt::LeftButton, Qt::NoModifier, Cell(edit, 5, 1));
    QCOMPARE(seen, QStringLiteral("foo bar caret=(6,1) sel=(6,1)-(6,1)"));
    QCOMPARE(edit.SelText(), QStringLiteral("bar"));
  }

  void tripleClickSelectsLineWithBreak() {
    TMEEdit edit;
    SetLines(edit, "one|two words|three");
    ShowRows(edit, 5);
    QTest::mouseDClick(edit.viewport(), Qt::LeftButton, Qt::NoModifier, Cell(edit, 5, 2));
    QCOMPARE(edit.SelText(), QStringLiteral("words"));
    QTest::mouseClick(edit.viewport(), Qt::LeftButton, Qt::NoModifier, Cell(edit, 5, 2));
    QCOMPARE(edit.SelText(), QStringLiteral("two words\r\n"));
    // A fourth click is a plain click again.
    QTest::mouseClick(edit.viewport(), Qt::LeftButton, Qt::NoModifier, Cell(edit, 1, 1));
    QCOMPARE(DumpEdit(edit), QStringLiteral("one|two words|three caret=(2,1) sel=(2,1)-(2,1)"));
  }

  void clickFarFromDoubleClickIsPlain() {
    TMEEdit edit;
    SetLines(edit, "one|two words|three");
    ShowRows(edit, 5);
    QTest::mouseDClick(edit.viewport(), Qt::LeftButton, Qt::NoModifier, Cell(edit, 5, 2));
    QTest::mouseClick(edit.viewport(), Qt::LeftButton, Qt::NoModifier, Cell(edit, 2, 3));
    QCOMPARE(DumpEdit(edit), QStringLiteral("one|two words|three caret=(3,3) sel=(3,3)-(3,3)"));
  }

 private:
  static QString S(const char16_t *s) { return QString::fromUtf16(s); }
};

QTEST_MAIN(TestEditorInput)
#include "test_editor_input.moc"
