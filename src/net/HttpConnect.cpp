#include "net/HttpConnect.h"

#include "net/NetTimeouts.h"
#include "platform/Platform.h"

HttpConnect& HttpConnect::sharedInstance() {
    static HttpConnect instance;
    return instance;
}

namespace {

// No cache, no cookies: every upload goes to the server as it is.
HttpRequest uploadRequest(const QUrl& url, const FormFields& dataInfo,
                          const std::optional<QList<QByteArray>>& filedataInfo,
                          const std::optional<QList<QByteArray>>& filedataInfo2) {
    HttpRequest request;
    request.url = url;
    request.method = "POST";
    request.timeoutSeconds = netTimeouts().upload;
    request.useCache = false;
    request.useCookies = false;
    request.body = multipartPieces(dataInfo, filedataInfo, filedataInfo2);
    request.headers = {
        {"Content-Type", multipartContentType()},
        {"Content-Length", QByteArray::number(request.body.size())},
    };
    return request;
}

} // namespace

void HttpConnect::postConnectDataInfoFiledataInfoFiledataInfo2Target(
    const QUrl& url, const FormFields& dataInfo,
    const std::optional<QList<QByteArray>>& filedataInfo,
    const std::optional<QList<QByteArray>>& filedataInfo2, std::shared_ptr<HttpEvents> target) {
    platform().http->start(uploadRequest(url, dataInfo, filedataInfo, filedataInfo2),
                           std::move(target));
}
