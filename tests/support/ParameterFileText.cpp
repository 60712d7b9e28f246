#include "support/ParameterFileText.h"

QByteArray parameterFileText(const QString& serverIp, const QString& version) {
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\"><dict>"
                          "<key>ServerIP</key><string>%1</string>"
                          "<key>ver_ios</key><string>%2</string></dict></plist>")
        .arg(serverIp.toHtmlEscaped(), version.toHtmlEscaped())
        .toUtf8();
}

QByteArray parameterFileText(int port, const QString& version) {
    return parameterFileText(QStringLiteral("127.0.0.1:%1").arg(port), version);
}
