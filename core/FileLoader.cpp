#include "FileLoader.h"

#include "Encoding.h"
#include "FileRead.h"
#include "LineDecoder.h"

#include <new>

TFileLoaderThread::TFileLoaderThread(QString fileName, TLoadDoneEvent onDone, TLoadProgressEvent onProgress)
    : FFileName(std::move(fileName)),
      FEncoding(TEncoding::Utf8()),
      FOnDone(std::move(onDone)),
      FOnProgress(std::move(onProgress)) {
  connect(this, &QThread::finished, this, &QObject::deleteLater);
}

void TFileLoaderThread::ReportProgress(int percent) {
  if (!FOnProgress) return;
  // This object lives in the creating thread, so the call runs there while the worker waits.
  QMetaObject::invokeMethod(this, [this, percent] { FOnProgress(this, percent); }, Qt::BlockingQueuedConnection);
}

void TFileLoaderThread::run() {
  FSuccess = false;
  QByteArray bytes;
  const TReadResult read = ReadFileBytes(FFileName, bytes, &FError, [this](qint64 pos, qint64 size) {
    if (isInterruptionRequested()) return false;
    FPercent = int(pos * 100 / size);
    if (FPercent != FLastReported) {
      FLastReported = FPercent;
      ReportProgress(FPercent);
    }
    return true;
  });
  if (read == TReadResult::Stopped || isInterruptionRequested()) return;
  if (read == TReadResult::Done) {
    try {
      const TDetectedEncoding detected = DetectTextEncoding(bytes);
      FEncoding = detected.Encoding;
      FHasBOM = detected.BomLength > 0;
      FLines = std::make_unique<QStringList>();
      const TMELineEnding ending = DecodeBytesToLines(bytes, detected.BomLength, FEncoding, *FLines, &FDecodeAltered);
      bytes = QByteArray();
      FEOL = TMELineList::LineBreakOf(ending);
      FSuccess = true;
    } catch (const std::bad_alloc &) {
      FLines.reset();
      FError = tr("Not enough memory to load the file.");
    }
  }
  if (FOnDone)
    QMetaObject::invokeMethod(
        this, [this] { FOnDone(this, FLines, FEOL, FError, FSuccess, FHasBOM, FEncoding); },
        Qt::BlockingQueuedConnection);
}
