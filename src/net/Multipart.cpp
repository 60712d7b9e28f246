#include "net/Multipart.h"

const QByteArray kMultipartBoundary = "----MorvellatrixBoundarycC4YiaUFwM44F6rT";

namespace {

QByteArray partOpener() {
    return QStringLiteral("--%1\r\n").arg(QString::fromLatin1(kMultipartBoundary)).toUtf8();
}

void appendField(QByteArray& body, const QString& name, const QString& value) {
    body += partOpener();
    body +=
        QStringLiteral("Content-Disposition: form-data; name=\"%1\"\r\n\r\n").arg(name).toUtf8();
    body += QStringLiteral("%1\r\n").arg(value).toUtf8();
}

void appendFiles(QByteArray& body, const std::optional<QList<QByteArray>>& files,
                 const QString& header) {
    if (!files) return;
    int number = 0;
    for (const QByteArray& jpeg : *files) {
        ++number;
        body += partOpener();
        body += header.arg(number).toUtf8();
        body += QStringLiteral("Content-Type: image/jpeg\r\n\r\n").toUtf8();
        body += jpeg;
        body += "\r\n";
    }
}

} // namespace

QByteArray multipartContentType() {
    return QStringLiteral("multipart/form-data; boundary=%1")
        .arg(QString::fromLatin1(kMultipartBoundary))
        .toUtf8();
}

QByteArray multipartBody(const FormFields& fields, const std::optional<QList<QByteArray>>& files1,
                         const std::optional<QList<QByteArray>>& files2) {
    qsizetype size = 64;
    for (const auto& files : {files1, files2})
        if (files)
            for (const QByteArray& jpeg : *files)
                size += jpeg.size() + 160;
    QByteArray body;
    body.reserve(size + fields.size() * 96);
    for (const auto& [name, value] : fields)
        appendField(body, name, value);
    appendFiles(
        body, files1,
        QStringLiteral(
            "Content-Disposition: form-data; name=\"photo_1_%1\"; filename=\"photo_1_%1\"\r\n"));
    appendFiles(
        body, files2,
        QStringLiteral(
            "Content-Disposition: form-data; name=\"photo_2_%1\"; filename=\"photo_2_%1\"\r\n"));
    body += QStringLiteral("--%1--\r\n").arg(QString::fromLatin1(kMultipartBoundary)).toUtf8();
    return body;
}
