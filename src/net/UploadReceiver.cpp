#include "net/UploadReceiver.h"

#include "platform/Platform.h"

UploadReceiver::UploadReceiver(std::function<void(const UploadOutcome&)> done,
                               std::function<void(qint64, qint64)> progress)
    : done_(std::move(done)), progress_(std::move(progress)) {}

void UploadReceiver::didSendBodyData(qint64 sent, qint64 total) {
    if (progress_) progress_(sent, total);
}

void UploadReceiver::didReceiveResponse(int statusCode) {
    responseData_.clear();
    logLine(QStringLiteral("%1").arg(statusCode));
}

void UploadReceiver::didReceiveData(const QByteArray& chunk) {
    responseData_ += chunk;
}

void UploadReceiver::didFinishLoading() {
    logLine(QString::fromUtf8(responseData_));
    done_({readUploadAnswer(responseData_), {}});
}

void UploadReceiver::didFailWithError(const QString& error) {
    done_({std::nullopt, error});
}
