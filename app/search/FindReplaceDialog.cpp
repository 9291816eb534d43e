#include "FindReplaceDialog.h"

#include "SearchCommands.h"
#include "SearchText.h"
#include "platform/MessageBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QComboBox *HistoryBox(QWidget *parent) {
  auto *box = new QComboBox(parent);
  box->setEditable(true);
  box->setCompleter(nullptr);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  return box;
}

}  // namespace

TfrmFindReplace::TfrmFindReplace(TSearchCommands &commands, QWidget *parent)
    : QDialog(parent), FCommands(commands) {
  setWindowTitle(QStringLiteral("Find / Replace"));
  setModal(false);
  lblFind = new QLabel(QStringLiteral("Find what:"), this);
  edFind = HistoryBox(this);
  lblReplace = new QLabel(QStringLiteral("Replace with:"), this);
  edReplace = HistoryBox(this);
  cbMatchCase = new QCheckBox(QStringLiteral("Match case"), this);
  cbWholeWord = new QCheckBox(QStringLiteral("Whole word only"), this);
  gbScope = new QGroupBox(QStringLiteral("Scope"), this);
  rbCurrent = new QRadioButton(QStringLiteral("Current file"), gbScope);
  rbAll = new QRadioButton(QStringLiteral("All open files"), gbScope);
  rbCurrent->setChecked(true);
  gbMode = new QGroupBox(QStringLiteral("Search Mode"), this);
  rbNormal = new QRadioButton(QStringLiteral("Normal"), gbMode);
  rbExtended = new QRadioButton(QStringLiteral("Extended (\\n, \\r, \\t, \\0, \\x...)"), gbMode);
  rbRegex = new QRadioButton(QStringLiteral("Regular expression"), gbMode);
  rbNormal->setChecked(true);
  btnFindNext = new QPushButton(QStringLiteral("Find Next"), this);
  btnFindAll = new QPushButton(QStringLiteral("Find All"), this);
  btnReplace = new QPushButton(QStringLiteral("Replace"), this);
  btnReplaceAll = new QPushButton(QStringLiteral("Replace All"), this);
  btnClose = new QPushButton(QStringLiteral("Close"), this);
  btnFindNext->setDefault(true);
  // Named as the window's other components, so scripts and tests find them.
  const std::pair<QWidget *, const char *> names[] = {
      {edFind, "edFind"},         {edReplace, "edReplace"},   {cbMatchCase, "cbMatchCase"},
      {cbWholeWord, "cbWholeWord"}, {rbCurrent, "rbCurrent"}, {rbAll, "rbAll"},
      {rbNormal, "rbNormal"},     {rbExtended, "rbExtended"}, {rbRegex, "rbRegex"}};
  for (const auto &[widget, name] : names) widget->setObjectName(QLatin1String(name));

  auto *scope = new QVBoxLayout(gbScope);
  scope->addWidget(rbCurrent);
  scope->addWidget(rbAll);
  auto *mode = new QVBoxLayout(gbMode);
  mode->addWidget(rbNormal);
  mode->addWidget(rbExtended);
  mode->addWidget(rbRegex);
  auto *buttons = new QVBoxLayout;
  for (QPushButton *button : {btnFindNext, btnFindAll, btnReplace, btnReplaceAll, btnClose}) buttons->addWidget(button);
  buttons->addStretch();
  auto *grid = new QGridLayout(this);
  grid->addWidget(lblFind, 0, 0);
  grid->addWidget(edFind, 0, 1, 1, 2);
  grid->addWidget(lblReplace, 1, 0);
  grid->addWidget(edReplace, 1, 1, 1, 2);
  grid->addWidget(cbMatchCase, 2, 1);
  grid->addWidget(cbWholeWord, 3, 1);
  grid->addWidget(gbScope, 4, 1);
  grid->addWidget(gbMode, 4, 2);
  grid->addLayout(buttons, 0, 3, 5, 1);
  setFixedSize(540, 250);

  connect(btnFindNext, &QPushButton::clicked, this, &TfrmFindReplace::btnFindNextClick);
  connect(btnFindAll, &QPushButton::clicked, this, &TfrmFindReplace::btnFindAllClick);
  connect(btnReplace, &QPushButton::clicked, this, &TfrmFindReplace::btnReplaceClick);
  connect(btnReplaceAll, &QPushButton::clicked, this, &TfrmFindReplace::btnReplaceAllClick);
  connect(btnClose, &QPushButton::clicked, this, &QDialog::hide);
  for (QRadioButton *button : {rbNormal, rbExtended, rbRegex})
    connect(button, &QRadioButton::toggled, this, &TfrmFindReplace::ModeChange);
}

void TfrmFindReplace::ShowFor(const QString &selectedText, bool replaceVisible) {
  if (!selectedText.isEmpty()) edFind->setEditText(selectedText);
  for (QWidget *w : {static_cast<QWidget *>(lblReplace), static_cast<QWidget *>(edReplace),
                     static_cast<QWidget *>(btnReplace), static_cast<QWidget *>(btnReplaceAll)})
    w->setVisible(replaceVisible);
  ModeChange();
  if (QWidget *main = parentWidget()) {
    const QRect frame = main->frameGeometry();
    move(frame.left() + (frame.width() - width()) / 2, frame.top() + (frame.height() - height()) / 2);
  }
  show();
  raise();
  activateWindow();
  edFind->setFocus();
  edFind->lineEdit()->selectAll();
}

void TfrmFindReplace::SetPersistedState(bool matchCase, bool wholeWord, int mode, bool scopeAll) {
  cbMatchCase->setChecked(matchCase);
  cbWholeWord->setChecked(wholeWord);
  (mode == 1 ? rbExtended : mode == 2 ? rbRegex : rbNormal)->setChecked(true);
  (scopeAll ? rbAll : rbCurrent)->setChecked(true);
  ModeChange();
}

bool TfrmFindReplace::MatchCase() const { return cbMatchCase->isChecked(); }
bool TfrmFindReplace::WholeWord() const { return cbWholeWord->isChecked(); }
int TfrmFindReplace::Mode() const { return rbRegex->isChecked() ? 2 : rbExtended->isChecked() ? 1 : 0; }
bool TfrmFindReplace::ScopeAll() const { return rbAll->isChecked(); }
QString TfrmFindReplace::FindBoxText() const { return edFind->currentText(); }

void TfrmFindReplace::ModeChange() { cbWholeWord->setEnabled(!rbRegex->isChecked()); }

TMESearchOptions TfrmFindReplace::SearchOptions() const {
  TMESearchOptions options = 0;
  if (cbMatchCase->isChecked()) options |= ssoMatchCase;
  if (cbWholeWord->isChecked() && !rbRegex->isChecked()) options |= ssoWholeWord;
  return options;
}

QString TfrmFindReplace::FindText() const {
  return rbExtended->isChecked() ? ExpandEscapes(edFind->currentText()) : edFind->currentText();
}

QString TfrmFindReplace::ReplaceText() const {
  return rbExtended->isChecked() ? ExpandEscapes(edReplace->currentText()) : edReplace->currentText();
}

void TfrmFindReplace::btnFindNextClick() {
  if (edFind->currentText().isEmpty()) return;
  AddHistory(edFind, edFind->currentText());
  FCommands.SetSearchRegex(rbRegex->isChecked());
  if (!FCommands.FindNext(FindText(), SearchOptions())) QApplication::beep();
}

void TfrmFindReplace::btnFindAllClick() {
  if (edFind->currentText().isEmpty()) return;
  AddHistory(edFind, edFind->currentText());
  if (!OnFindAll) return;
  const bool regex = rbRegex->isChecked();
  OnFindAll({FindText(), cbMatchCase->isChecked(), cbWholeWord->isChecked() && !regex, regex}, rbAll->isChecked());
}

void TfrmFindReplace::btnReplaceClick() {
  if (edFind->currentText().isEmpty()) return;
  AddHistory(edFind, edFind->currentText());
  AddHistory(edReplace, edReplace->currentText());
  FCommands.SetSearchRegex(rbRegex->isChecked());
  FCommands.ReplaceCurrent(FindText(), ReplaceText(), SearchOptions());
}

void TfrmFindReplace::btnReplaceAllClick() {
  if (edFind->currentText().isEmpty()) return;
  AddHistory(edFind, edFind->currentText());
  AddHistory(edReplace, edReplace->currentText());
  FCommands.SetSearchRegex(rbRegex->isChecked());
  const int count = FCommands.ReplaceAll(FindText(), ReplaceText(), SearchOptions(), rbAll->isChecked());
  if (OnReplacedAll) OnReplacedAll();
  ShowInformation(nullptr, QStringLiteral("%1 replacement(s) made.").arg(count));
}

void TfrmFindReplace::keyPressEvent(QKeyEvent *event) {
  if (event->key() == Qt::Key_Escape) {
    hide();
    return;
  }
  if (event->key() == Qt::Key_F3) {
    btnFindNextClick();
    return;
  }
  QDialog::keyPressEvent(event);
}
