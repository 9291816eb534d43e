#pragma once
// TfrmFindReplace: the modeless "Find / Replace" dialog. One instance lives for the whole run and
// is hidden, not destroyed, when closed.
#include "FindAllSearch.h"
#include "editor/SearchEngine.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class TSearchCommands;

class TfrmFindReplace : public QDialog {
  Q_OBJECT

 public:
  TfrmFindReplace(TSearchCommands &commands, QWidget *parent = nullptr);

  // Runs Find All in the window and answers the number of hits.
  std::function<int(const TFindAllQuery &query, bool allFiles)> OnFindAll;
  // After Replace All, so the window can refresh its status bar.
  std::function<void()> OnReplacedAll;

  void ShowFor(const QString &selectedText, bool replaceVisible);
  // mode: 1 Extended, 2 Regular expression, anything else Normal.
  void SetPersistedState(bool matchCase, bool wholeWord, int mode, bool scopeAll);
  // What is written back to the settings at exit.
  bool MatchCase() const;
  bool WholeWord() const;
  int Mode() const;
  bool ScopeAll() const;

  // The find box as typed, for F3 in the main window.
  QString FindBoxText() const;
  TMESearchOptions SearchOptions() const;
  // The boxes' texts, with the Extended mode's escapes expanded.
  QString FindText() const;
  QString ReplaceText() const;

  void btnFindNextClick();
  void btnFindAllClick();
  void btnReplaceClick();
  void btnReplaceAllClick();

 protected:
  void keyPressEvent(QKeyEvent *event) override;

 private:
  void ModeChange();

  TSearchCommands &FCommands;
  QLabel *lblFind;
  QComboBox *edFind;
  QLabel *lblReplace;
  QComboBox *edReplace;
  QCheckBox *cbMatchCase;
  QCheckBox *cbWholeWord;
  QGroupBox *gbScope;
  QRadioButton *rbCurrent;
  QRadioButton *rbAll;
  QGroupBox *gbMode;
  QRadioButton *rbNormal;
  QRadioButton *rbExtended;
  QRadioButton *rbRegex;
  QPushButton *btnFindNext;
  QPushButton *btnFindAll;
  QPushButton *btnReplace;
  QPushButton *btnReplaceAll;
  QPushButton *btnClose;
};
