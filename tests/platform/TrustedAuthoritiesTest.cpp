#include "platform/qt/TrustedAuthorities.h"
#include "support/TestCertificates.h"

#include <QFile>
#include <QSslConfiguration>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(TrustedAuthorities, AFileThatHoldsNoCertificateIsRefusedWithItsName) {
    QTemporaryDir dir;
    const QString notPem = dir.filePath("notes.txt");
    QFile file(notPem);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("no certificate here\n") > 0);
    file.close();
    const QString missing = dir.filePath("missing.pem");
    EXPECT_EQ(trustAuthoritiesOf(notPem), "no PEM certificate in " + notPem);
    const std::optional<QString> problem = trustAuthoritiesOf(missing);
    ASSERT_TRUE(problem);
    EXPECT_TRUE(problem->startsWith("cannot read " + missing + ": ")) << problem->toStdString();
}

// The authority joins the system's, which still count.
TEST(TrustedAuthorities, AddsTheAuthorityBesideTheSystemOnes) {
    TestCertificates authority;
    ASSERT_EQ(authority.error(), "");
    ASSERT_EQ(trustAuthoritiesOf(authority.authority()), std::nullopt);
    const QList<QSslCertificate> trusted =
        QSslConfiguration::defaultConfiguration().caCertificates();
    const QList<QSslCertificate> ours = QSslCertificate::fromPath(authority.authority());
    ASSERT_EQ(ours.size(), 1);
    EXPECT_TRUE(trusted.contains(ours[0]));
    for (const QSslCertificate& system : QSslConfiguration::systemCaCertificates())
        ASSERT_TRUE(trusted.contains(system)) << system.subjectDisplayName().toStdString();
}

} // namespace
