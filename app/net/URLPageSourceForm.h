#pragma once
// TfrmURLPageSource: "View URL Page Source", a window that fetches a page and shows its source in
// a read-only editor, and can copy it, save it or open it as a new document. Copy, Save As and
// Open in Editor take the page's text as fetched, not the viewer's lines (which show control
// characters as dots and cut very long lines). A certificate the system does not trust stops the
// fetch; the window then names its problems and offers to load that page once anyway.
#include "platform/HttpFetch.h"

#include <QWidget>

#include <functional>

class QLineEdit;
class QPushButton;
class TMEEdit;

using TOpenUrlContentEvent = std::function<void(const QString &url, const QString &content)>;

class TfrmURLPageSource : public QWidget {
  Q_OBJECT

 public:
  // A window of owner's, which lives until owner goes; closing only hides it.
  explicit TfrmURLPageSource(QWidget *owner);

  // Puts url in the box, empties the viewer, shows the window, and fetches url when it is not empty.
  void ShowFor(const QString &url);

  TOpenUrlContentEvent FOnOpenInEditor;
  // The fetch profile; tests shorten its times.
  TFetchProfile Profile;

  bool Busy() const { return FBusy; }
  // What the viewer shows: the page's text, or the two lines of a failure; empty when too large.
  const QString &ShownText() const { return FShownText; }
  QLineEdit *UrlBox() const { return edUrl; }
  QPushButton *ViewButton() const { return btnView; }
  TMEEdit *Viewer() const { return edt; }

  void btnViewClick();
  void btnCopyClick();
  void btnSaveAsClick();
  void btnOpenInEditorClick();

 private:
  void StartFetch(const std::optional<TCertificateException> &trustOnce);
  void FetchFinished(const TFetchResult &result);
  void SetBusy(bool busy);
  void ShowText(const QString &text);

  QLineEdit *edUrl = nullptr;
  QPushButton *btnView = nullptr;
  TMEEdit *edt = nullptr;
  QPushButton *btnCopy = nullptr;
  QPushButton *btnSaveAs = nullptr;
  QPushButton *btnOpenInEditor = nullptr;
  QPushButton *btnClose = nullptr;
  bool FBusy = false;
  bool FTooLarge = false;
  bool FShowsError = false;
  QString FShownText;
};
