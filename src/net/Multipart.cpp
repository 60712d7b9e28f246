#include "net/Multipart.h"

const QByteArray kMultipartBoundary = "----MorvellatrixBoundarycC4YiaUFwM44F6rT";

namespace {

// Gathers the text between the photos into one piece at a time; each photo
// becomes a piece of its own that shares the caller's bytes.
class BodyBuilder {
  public:
    void text(const QString& text) { text_ += text.toUtf8(); }
    void shared(const QByteArray& bytes) {
        flush();
        body_.append(bytes);
    }
    HttpBody take() {
        flush();
        return std::move(body_);
    }

  private:
    void flush() { body_.append(std::exchange(text_, {})); }

    HttpBody body_;
    QByteArray text_;
};

QString partOpener() {
    return QStringLiteral("--%1\r\n").arg(QString::fromLatin1(kMultipartBoundary));
}

void appendField(BodyBuilder& body, const QString& name, const QString& value) {
    body.text(partOpener());
    body.text(QStringLiteral("Content-Disposition: form-data; name=\"%1\"\r\n\r\n").arg(name));
    body.text(QStringLiteral("%1\r\n").arg(value));
}

void appendFiles(BodyBuilder& body, const std::optional<QList<QByteArray>>& files,
                 const QString& header) {
    if (!files) return;
    int number = 0;
    for (const QByteArray& jpeg : *files) {
        ++number;
        body.text(partOpener());
        body.text(header.arg(number));
        body.text(QStringLiteral("Content-Type: image/jpeg\r\n\r\n"));
        body.shared(jpeg);
        body.text(QStringLiteral("\r\n"));
    }
}

} // namespace

QByteArray multipartContentType() {
    return QStringLiteral("multipart/form-data; boundary=%1")
        .arg(QString::fromLatin1(kMultipartBoundary))
        .toUtf8();
}

HttpBody multipartPieces(const FormFields& fields, const std::optional<QList<QByteArray>>& files1,
                         const std::optional<QList<QByteArray>>& files2) {
    BodyBuilder body;
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
    body.text(QStringLiteral("--%1--\r\n").arg(QString::fromLatin1(kMultipartBoundary)));
    return body.take();
}

QByteArray multipartBody(const FormFields& fields, const std::optional<QList<QByteArray>>& files1,
                         const std::optional<QList<QByteArray>>& files2) {
    return multipartPieces(fields, files1, files2).joined();
}
