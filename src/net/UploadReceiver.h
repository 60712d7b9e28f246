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
    // progress, when given, hears how many of the form's bytes went out.
    explicit UploadReceiver(std::function<void(const UploadOutcome&)> done,
                            std::function<void(qint64 sent, qint64 total)> progress = {});

    void didSendBodyData(qint64 sent, qint64 total) override;

    // Logs the status code; the answer body alone decides. A refusal whose
    // body says nothing ("msg") is explained by the HTTP status and its reason.
    void didReceiveResponse(int statusCode) override;
    void didReceiveData(const QByteArray& chunk) override;
    // Logs the body as text and reads it as the upload answer.
    void didFinishLoading() override;
    void didFailWithError(const QString& error) override;

  private:
    std::function<void(const UploadOutcome&)> done_;
    std::function<void(qint64, qint64)> progress_;
    QByteArray responseData_;
    int statusCode_ = 0;
};
