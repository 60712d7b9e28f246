#include "platform/qt/TrustedAuthorities.h"

#include <QFile>
#include <QSslCertificate>
#include <QSslConfiguration>

namespace {

// An authority's certificate is a few kilobytes; a file of a whole bundle is
// far below this.
constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024;

} // namespace

std::optional<QString> trustAuthoritiesOf(const QString& file) {
    QFile pem(file);
    if (!pem.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read %1: %2").arg(file, pem.errorString());
    if (pem.size() > kMaxFileBytes)
        return QStringLiteral("%1 is larger than %2 bytes").arg(file).arg(kMaxFileBytes);
    const QList<QSslCertificate> authorities = QSslCertificate::fromData(pem.readAll(), QSsl::Pem);
    if (authorities.isEmpty()) return QStringLiteral("no PEM certificate in %1").arg(file);
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    // An empty list means the system's authorities are looked up as needed;
    // a list that is not empty may stop that, so it takes them in explicitly.
    if (configuration.caCertificates().isEmpty())
        configuration.setCaCertificates(QSslConfiguration::systemCaCertificates());
    configuration.addCaCertificates(authorities);
    QSslConfiguration::setDefaultConfiguration(configuration);
    return std::nullopt;
}
