#include "net/ServerLookups.h"

#include "net/NetTimeouts.h"
#include "net/NetWork.h"
#include "net/ServerUrls.h"
#include "platform/Platform.h"

#include <QUrl>

std::optional<InspectorAnswer> lookupInspector(const QString& serverIp,
                                               const QString& identityNumber) {
    const QString url = inspectorLookupUrl(serverIp, identityNumber);
    diagnosticLine(QStringLiteral("urlString = %1").arg(url));
    const std::optional<QByteArray> body =
        platform().http->fetch(QUrl(url), netTimeouts().inspectorLookup);
    if (!body) return std::nullopt;
    return readInspectorAnswer(*body);
}

std::optional<CaseLookupAnswer> lookupCase(const QString& serverIp, const QString& pakeno,
                                           const QString& chkno) {
    const QString url = caseLookupUrl(serverIp, pakeno, chkno);
    diagnosticLine(url);
    return readCaseLookupAnswer(
        NetWork::getDictionaryByUrlJSonObject(QString::fromUtf8(percentEscapedUrl(url))));
}
