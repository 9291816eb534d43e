#pragma once
// TFileLoaderThread reads and decodes one large file on a worker thread. It hands progress and the
// finished lines to the thread that created it, waiting each time until that thread has run the
// callback, and deletes itself once it has finished.
#include "LineStore.h"

#include <QThread>

#include <functional>
#include <memory>

class TEncoding;

class TFileLoaderThread : public QThread {
  Q_OBJECT
 public:
  using TLoadProgressEvent = std::function<void(TFileLoaderThread *sender, int percent)>;
  // lines may be taken (moved from) by the callback; what it leaves is freed with the thread.
  using TLoadDoneEvent = std::function<void(TFileLoaderThread *sender, std::unique_ptr<QStringList> &lines,
                                            const QString &eol, const QString &error, bool success, bool hasBOM,
                                            const TEncoding *encoding)>;

  TFileLoaderThread(QString fileName, TLoadDoneEvent onDone, TLoadProgressEvent onProgress);

  const QString &FileName() const { return FFileName; }
  // Whether decoding changed anything the file held (see DecodeBytesToLines); valid in the done callback.
  bool DecodeAltered() const { return FDecodeAltered; }

 protected:
  void run() override;

 private:
  void ReportProgress(int percent);

  QString FFileName;
  std::unique_ptr<QStringList> FLines;
  const TEncoding *FEncoding;
  bool FHasBOM = false;
  bool FSuccess = false;
  bool FDecodeAltered = false;
  QString FError;
  QString FEOL;
  int FPercent = 0;
  int FLastReported = -1;
  TLoadDoneEvent FOnDone;
  TLoadProgressEvent FOnProgress;
};
