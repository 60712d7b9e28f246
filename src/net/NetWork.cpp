#include "net/NetWork.h"

#include "net/NetTimeouts.h"
#include "platform/Platform.h"
#include "json/JsonParser.h"

#include <QUrl>

Alert transferInterruptedAlert() {
    Alert alert;
    alert.title = QStringLiteral("紀錄傳送中斷");
    alert.message = QStringLiteral("尚未連接網路或後端伺服主機忙碌中, 目前無法傳送");
    alert.cancelTitle = QStringLiteral("知道了");
    return alert;
}

std::optional<JsonValue> NetWork::getDictionaryByUrlJSonObject(const QString& url) {
    const std::optional<QByteArray> body =
        platform().http->fetch(QUrl::fromEncoded(url.toUtf8()), netTimeouts().caseLookup);
    if (!body) {
        platform().alerts->present(transferInterruptedAlert());
        return std::nullopt;
    }
    return JsonParser().objectWithData(body->constData(), body->size());
}
