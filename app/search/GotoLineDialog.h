#pragma once
// TfrmGotoLine: the modal "Go to Line" dialog, made for one use.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TfrmGotoLine : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmGotoLine(QWidget *parent = nullptr);

  // Shows the dialog; on Go, target is the chosen line (the current one when the box holds no
  // number) and the answer is true. maxLine 0 sets no upper limit.
  bool Execute(int currentLine, int maxLine, int &target);

  // Go: a number is brought into 1 .. maxLine and accepted; anything else beeps and stays.
  void btnGoClick();

 private:
  int FMaxLine = 0;
  QLabel *lblHere;
  QLineEdit *edHere;
  QLabel *lblGoto;
  QLineEdit *edGoto;
  QPushButton *btnGo;
  QPushButton *btnCancel;
};
