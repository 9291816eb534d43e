#pragma once
// Hand-offs from later copies wait while a modal dialog (a message box, a file dialog) is open:
// acting on one at once would raise the main window over the dialog, which then looks frozen.
// They are opened in the order they came, each once, as soon as no modal dialog is open.
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>

class QWidget;

class THandOffQueue : public QObject {
 public:
  THandOffQueue(std::function<void(const QString &text)> open, QObject *parent);

  // Opens text now, or once the modal dialog that is open has closed (raising that dialog meanwhile,
  // since the user asked for the program).
  void Receive(const QString &text);

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  void OpenWhenFree();
  void WaitFor(QWidget *modal);
  void OpenLater();

  std::function<void(const QString &)> FOpen;
  QStringList FPending;
  QPointer<QWidget> FWatched;
  bool FOpening = false;
};
