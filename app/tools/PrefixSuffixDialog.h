#pragma once
// TfrmPrefixSuffix: the modal dialog that asks for a prefix and a suffix for every line.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TfrmPrefixSuffix : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmPrefixSuffix(QWidget *parent = nullptr);

  // Shows the dialog with caption as its title and applyCaption on the Apply button. On Apply the
  // answer is true with both texts as typed (not trimmed); otherwise false with both empty.
  static bool Execute(QWidget *parent, const QString &caption, const QString &applyCaption, QString &prefix,
                      QString &suffix);

 private:
  QLabel *lblPrefix;
  QLineEdit *edPrefix;
  QLabel *lblSuffix;
  QLineEdit *edSuffix;
  QPushButton *btnApply;
  QPushButton *btnCancel;
};
