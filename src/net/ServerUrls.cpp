#include "net/ServerUrls.h"

QString chkerIdQueryValue(const QString& identityNumber) {
    return QString::fromLatin1(identityNumber.toUpper().toUtf8().toBase64());
}

QString serverBaseUrl(const QString& serverIp) {
    for (const QLatin1String scheme : {QLatin1String("https://"), QLatin1String("http://")})
        if (serverIp.startsWith(scheme, Qt::CaseInsensitive)) {
            QString base = scheme + serverIp.mid(scheme.size());
            while (base.endsWith(u'/'))
                base.chop(1);
            return base;
        }
    return QStringLiteral("http://") + serverIp;
}

QString inspectorLookupUrl(const QString& serverIp, const QString& identityNumber) {
    return QStringLiteral("%1/velquarda/GetChkerName?chkerId=%2")
        .arg(serverBaseUrl(serverIp), chkerIdQueryValue(identityNumber));
}

QString caseLookupUrl(const QString& serverIp, const QString& pakeno, const QString& chkno) {
    return QStringLiteral("%1/velquarda/GetMobileServlet?pakno=%2&chkno=%3")
        .arg(serverBaseUrl(serverIp), pakeno, chkno);
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
