#include "net/UploadReceiver.h"

#include "platform/Platform.h"

UploadReceiver::UploadReceiver(std::function<void(const UploadOutcome&)> done)
    : done_(std::move(done)) {}

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
