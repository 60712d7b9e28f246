#include "net/ServerUrls.h"

QString chkerIdQueryValue(const QString& identityNumber) {
    return QString::fromLatin1(identityNumber.toUpper().toUtf8().toBase64());
}

QString inspectorLookupUrl(const QString& serverIp, const QString& identityNumber) {
    return QStringLiteral("http://%1/velquarda/GetChkerName?chkerId=%2")
        .arg(serverIp, chkerIdQueryValue(identityNumber));
}

QString caseLookupUrl(const QString& serverIp, const QString& pakeno, const QString& chkno) {
    return QStringLiteral("http://%1/velquarda/GetMobileServlet?pakno=%2&chkno=%3")
        .arg(serverIp, pakeno, chkno);
}

QString uploadUrl(const QString& uploadPath) {
    return QStringLiteral("%1/appUpPhoto.do").arg(uploadPath);
}

QByteArray percentEscapedUrl(const QString& url) {
    // The values put into our URLs are never escaped beforehand, so a "%" is
    // always a literal percent sign and is escaped like any other byte.
    static const QByteArray kept = "-._~:/?#[]@!$&'()*+,;=";
    return url.toUtf8().toPercentEncoding(kept);
}
