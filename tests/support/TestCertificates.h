#pragma once

#include <QDateTime>
#include <QString>
#include <QTemporaryDir>

// A throw-away certificate authority, made with the openssl program in a
// temporary folder, and server certificates it signs.
class TestCertificates {
  public:
    // A server's certificate and key files (PEM).
    struct Server {
        QString cert, key;
    };

    // Makes the authority; error() says why when that failed.
    explicit TestCertificates(const QString& name = QStringLiteral("Inspector Test Authority"));

    const QString& error() const { return error_; }
    // The authority's certificate (PEM), to be trusted by a client.
    QString authority() const { return dir_.filePath("authority.pem"); }

    // Signs a certificate for the names ("DNS:localhost,IP:127.0.0.1") valid
    // from notBefore to notAfter; returns its files, or empty paths (with
    // error() set) when openssl failed.
    Server server(const QString& altNames,
                  const QDateTime& notBefore = QDateTime::currentDateTimeUtc().addDays(-1),
                  const QDateTime& notAfter = QDateTime::currentDateTimeUtc().addDays(30));

  private:
    // Runs openssl with arguments in the folder; false (with error_) on failure.
    bool openssl(const QStringList& arguments);

    QTemporaryDir dir_;
    QString error_;
    int servers_ = 0;
};
