#include "support/TestCertificates.h"

#include <QFile>
#include <QProcess>

namespace {

constexpr int kOpensslCapMs = 30 * 1000;

// The settings of openssl req and openssl ca: the authority's extensions, and
// a database that signs any subject with the dates given.
const char kConfig[] = R"([req]
distinguished_name = name
prompt = no
[name]
CN = unnamed
[authority]
basicConstraints = critical,CA:TRUE
keyUsage = critical,keyCertSign,cRLSign
subjectKeyIdentifier = hash
[ca]
default_ca = signer
[signer]
database = index.txt
new_certs_dir = .
serial = serial
default_md = sha256
policy = any
unique_subject = no
[any]
commonName = supplied
)";

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QString asn1Time(const QDateTime& time) {
    return time.toUTC().toString(QStringLiteral("yyyyMMddHHmmss'Z'"));
}

// EC keys: made in milliseconds, where RSA keys take a good part of a second.
QStringList newKey(const QString& keyFile) {
    return {"-newkey", "ec",      "-pkeyopt", "ec_paramgen_curve:prime256v1",
            "-nodes",  "-keyout", keyFile};
}

} // namespace

TestCertificates::TestCertificates(const QString& name) {
    if (!writeFile(dir_.filePath("openssl.cnf"), kConfig) ||
        !writeFile(dir_.filePath("index.txt"), "") ||
        !writeFile(dir_.filePath("serial"), "1000\n")) {
        error_ = QStringLiteral("cannot write the openssl files in %1").arg(dir_.path());
        return;
    }
    openssl(QStringList{"req", "-x509", "-config", "openssl.cnf", "-extensions", "authority",
                        "-subj", "/CN=" + name, "-days", "30", "-out", "authority.pem"} +
            newKey("authority.key"));
}

TestCertificates::Server TestCertificates::server(const QString& altNames,
                                                  const QDateTime& notBefore,
                                                  const QDateTime& notAfter) {
    const QString stem = QStringLiteral("server-%1").arg(++servers_);
    const Server files{dir_.filePath(stem + ".pem"), dir_.filePath(stem + ".key")};
    const QString extensions = stem + ".ext";
    const bool made =
        writeFile(dir_.filePath(extensions), "subjectAltName = " + altNames.toUtf8() + "\n") &&
        openssl(QStringList{"req", "-new", "-config", "openssl.cnf", "-subj", "/CN=Test Server",
                            "-out", stem + ".csr"} +
                newKey(files.key)) &&
        openssl({"ca", "-batch", "-config", "openssl.cnf", "-cert", "authority.pem", "-keyfile",
                 "authority.key", "-in", stem + ".csr", "-out", files.cert, "-notext", "-startdate",
                 asn1Time(notBefore), "-enddate", asn1Time(notAfter), "-extfile", extensions});
    return made ? files : Server{};
}

bool TestCertificates::openssl(const QStringList& arguments) {
    QProcess process;
    process.setWorkingDirectory(dir_.path());
    process.start(QStringLiteral("openssl"), arguments);
    const bool ended = process.waitForFinished(kOpensslCapMs);
    if (ended && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        return true;
    if (!ended) process.kill();
    error_ = QStringLiteral("openssl %1 failed: %2")
                 .arg(arguments.value(0), QString::fromLocal8Bit(process.readAllStandardError()));
    return false;
}
