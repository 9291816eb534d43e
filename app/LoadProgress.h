#pragma once
// The progress of background loads in the status label and bar. A load reports every whole
// percent, which on a fast disk is hundreds of times a second; the widgets are redrawn at most once
// per refresh interval (with the latest report), so painting them does not slow the load itself.
#include <QObject>
#include <QString>
#include <QTimer>

class QLabel;
class QProgressBar;

class TLoadProgress : public QObject {
 public:
  static constexpr int KRefreshMs = 40;

  TLoadProgress(QLabel *label, QProgressBar *bar, QObject *parent = nullptr);

  // Shows the bar with "Loading <fileName> ... <percent>%", now or at the end of the interval.
  void Report(const QString &fileName, int percent);
  // The last load ended: hides the bar and drops a report not yet shown.
  void Finish();

 private:
  void Show();

  QLabel *FLabel;
  QProgressBar *FBar;
  QTimer FRefresh;
  QString FFileName;
  int FPercent = 0;
  bool FPending = false;
};
