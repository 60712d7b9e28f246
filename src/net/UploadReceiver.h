#pragma once

#include "net/ServerAnswers.h"
#include "platform/Http.h"

#include <functional>

// How one upload ended: the server's answer, or none with the transport
// error when the connection failed (a time-out, or an answer cut off).
struct UploadOutcome {
    std::optional<UploadAnswer> answer;
    QString error;
};

// Collects the answer of one upload and hands over the outcome once.
class UploadReceiver : public HttpEvents {
  public:
    explicit UploadReceiver(std::function<void(const UploadOutcome&)> done);

    // Logs the status code; the answer body alone decides.
    void didReceiveResponse(int statusCode) override;
    void didReceiveData(const QByteArray& chunk) override;
    // Logs the body as text and reads it as the upload answer.
    void didFinishLoading() override;
    void didFailWithError(const QString& error) override;

  private:
    std::function<void(const UploadOutcome&)> done_;
    QByteArray responseData_;
};
