#pragma once

#include "net/Multipart.h"
#include "platform/Http.h"

#include <QUrl>

// Builds and starts the multipart POST that carries a case's fields and
// photos. It knows nothing of cases or screens.
class HttpConnect {
  public:
    // Returns the one shared instance.
    static HttpConnect& sharedInstance();

    // Starts a POST of the fields and the two JPEG lists to url before it
    // returns; the connection's events go to target on the main thread. A
    // transport failure or time-out reaches target as the failure event.
    void postConnectDataInfoFiledataInfoFiledataInfo2Target(
        const QUrl& url, const FormFields& dataInfo,
        const std::optional<QList<QByteArray>>& filedataInfo,
        const std::optional<QList<QByteArray>>& filedataInfo2, std::shared_ptr<HttpEvents> target);

  private:
    HttpConnect() = default;
};
