#include "FileLoader.h"

#include "Encoding.h"
#include "FileRead.h"
#include "LineStream.h"

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
  TFileReader file;
  if (file.Open(FFileName, &FError)) {
    try {
      // Each piece is decoded while the next ones are read, instead of reading the whole file into
      // one buffer first and decoding it afterwards on this thread alone.
      const qint64 size = file.Size();
      TLineStreamDecoder decoder(size);
      qint64 pos = 0;
      bool failed = false;
      while (pos < size) {
        if (isInterruptionRequested()) return;
        const qint64 want = qMin(size - pos, KReadPieceSize);
        const qint64 got = file.Read(decoder.PieceBuffer(want), want, &FError);
        if (got < 0) failed = true;
        if (got <= 0) break;  // a file that shrank ends early: only the bytes read count
        decoder.Commit(got);
        pos += got;
        FPercent = int(pos * 100 / size);
        if (FPercent != FLastReported) {
          FLastReported = FPercent;
          ReportProgress(FPercent);
        }
      }
      if (isInterruptionRequested()) return;
      if (!failed) {
        decoder.Finish();
        FEncoding = decoder.Encoding();
        FHasBOM = decoder.BomLength() > 0;
        FDecodeAltered = decoder.Altered();
        FLines = decoder.TakeLines();
        FEOL = TMELineList::LineBreakOf(decoder.LineEnding());
        FSuccess = true;
      }
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
