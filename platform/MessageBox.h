#pragma once
// Every message box of the program goes through here, so tests can answer them by script and no
// box ever blocks a test run.
#include <QList>
#include <QString>

#include <functional>

class QWidget;

enum class TMessageKind { Error, Warning, Information, Question };
enum class TAnswer { Ok, Yes, No, Cancel, YesToAll, NoToAll };

struct TMessageRequest {
  TMessageKind Kind;
  QString Caption;
  QString Title;  // the bold heading of a task dialog; empty for a plain box
  QString Text;
  QList<TAnswer> Buttons;
};

// Shows the box (or asks the scripted answerer) and gives the answer; closing the box without a
// choice answers Cancel when there is such a button, else the last one.
TAnswer AskUser(QWidget *parent, TMessageRequest request);

void ShowError(QWidget *parent, const QString &text);
void ShowWarning(QWidget *parent, const QString &text);
void ShowInformation(QWidget *parent, const QString &text);
// A question with Yes and No; kind chooses the icon.
bool Confirm(QWidget *parent, const QString &text, TMessageKind kind = TMessageKind::Question);
TAnswer AskYesNoCancel(QWidget *parent, const QString &text);

// Tests install an answerer that takes every request instead of a real box; null restores boxes.
using TMessageAnswerer = std::function<TAnswer(const TMessageRequest &)>;
void SetMessageAnswerer(TMessageAnswerer answerer);

extern const char *const KAppTitle;
