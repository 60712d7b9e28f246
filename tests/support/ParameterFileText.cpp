#include "support/ParameterFileText.h"

QByteArray parameterFileText(int port, const QString& version) {
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\"><dict>"
                          "<key>ServerIP</key><string>127.0.0.1:%1</string>"
                          "<key>ver_ios</key><string>%2</string></dict></plist>")
        .arg(port)
        .arg(version.toHtmlEscaped())
        .toUtf8();
}
