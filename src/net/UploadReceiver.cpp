#include "net/UploadReceiver.h"

#include "platform/Platform.h"

#include <map>

namespace {

// The status code with its reason phrase, where it is a common one.
QString httpStatusText(int code) {
    static const std::map<int, const char*> reasons = {
        {400, "Bad Request"},       {401, "Unauthorized"},        {403, "Forbidden"},
        {404, "Not Found"},         {405, "Method Not Allowed"},  {408, "Request Timeout"},
        {413, "Payload Too Large"}, {429, "Too Many Requests"},   {500, "Internal Server Error"},
        {502, "Bad Gateway"},       {503, "Service Unavailable"}, {504, "Gateway Timeout"},
    };
    const auto reason = reasons.find(code);
    return reason == reasons.end() ? QString::number(code)
                                   : QStringLiteral("%1 %2").arg(code).arg(reason->second);
}

} // namespace

UploadReceiver::UploadReceiver(std::function<void(const UploadOutcome&)> done,
                               std::function<void(qint64, qint64)> progress)
    : done_(std::move(done)), progress_(std::move(progress)) {}

void UploadReceiver::didSendBodyData(qint64 sent, qint64 total) {
    if (progress_) progress_(sent, total);
}

void UploadReceiver::didReceiveResponse(int statusCode) {
    responseData_.clear();
    statusCode_ = statusCode;
    diagnosticLine(QStringLiteral("%1").arg(statusCode));
}

void UploadReceiver::didReceiveData(const QByteArray& chunk) {
    responseData_ += chunk;
}

void UploadReceiver::didFinishLoading() {
    diagnosticLine(QString::fromUtf8(responseData_));
    UploadAnswer answer = readUploadAnswer(responseData_);
    if (!answer.msg && (statusCode_ < 200 || statusCode_ > 299))
        answer.msg = QStringLiteral("伺服器回應 HTTP %1").arg(httpStatusText(statusCode_));
    done_({answer, {}});
}

void UploadReceiver::didFailWithError(const QString& error) {
    done_({std::nullopt, error});
}
