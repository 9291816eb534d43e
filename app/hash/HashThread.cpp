#include "HashThread.h"

#include "app/Worker.h"

THashThread::THashThread(QString file, TProgressEvent onProgress, TDoneEvent onDone)
    : FWorker(std::make_unique<TWorker>([file = std::move(file), onProgress = std::move(onProgress),
                                         onDone = std::move(onDone)](const std::atomic<bool> &stop) {
        THashControl control;
        control.Cancel = &stop;
        control.OnProgress = [&onProgress](int percent) { PostToMainThread([onProgress, percent] { onProgress(percent); }); };
        const std::optional<THashResult> result = HashFile(file, control);
        if (result && !stop) PostToMainThread([onDone, result = *result] { onDone(result); });
      })) {}

THashThread::~THashThread() = default;

void THashThread::Stop() { FWorker->Stop(); }
