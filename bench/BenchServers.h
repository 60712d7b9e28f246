#pragma once

// The stand-in server for the benchmarks of the server exchange, as its own
// process on plain HTTP and on HTTPS, with a throw-away certificate that the
// app (and curl, given --cacert) trusts.
#include "InspectionServerProcess.h"
#include "net/Multipart.h"
#include "net/ServerUrls.h"
#include "platform/Platform.h"
#include "platform/qt/TrustedAuthorities.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <optional>

// Keeps the app's diagnostic lines out of the benchmark's output.
class NullLog : public Log {
  public:
    void line(const QString&) override {}
};

// A self-signed certificate for 127.0.0.1 and localhost with its key, made by
// the openssl program in a temporary folder.
class TlsServerFiles {
  public:
    TlsServerFiles() {
        QProcess openssl;
        openssl.start("openssl",
                      {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
                       "-nodes", "-days", "2", "-subj", "/CN=localhost", "-addext",
                       "subjectAltName=DNS:localhost,IP:127.0.0.1", "-keyout", key(), "-out",
                       cert()});
        made_ = openssl.waitForFinished(30000) && openssl.exitStatus() == QProcess::NormalExit &&
                openssl.exitCode() == 0;
    }

    // False when openssl failed.
    bool made() const { return made_; }
    QString cert() const { return dir_.filePath("server.pem"); }
    QString key() const { return dir_.filePath("server.key"); }

  private:
    QTemporaryDir dir_;
    bool made_ = false;
};

inline const TlsServerFiles& tlsFiles() {
    static TlsServerFiles files;
    return files;
}

// The server on plain HTTP, or on HTTPS.
inline InspectionServerProcess& benchServer(bool tls) {
    static InspectionServerProcess plain;
    if (!tls) return plain;
    static InspectionServerProcess secure({"--tls", tlsFiles().cert(), tlsFiles().key()});
    return secure;
}

// Why the server cannot serve a benchmark, or null.
inline const char* benchServerProblem(bool tls) {
    if (benchServer(tls).address().isEmpty()) return "inspection-server did not start";
    static const bool trusted = !trustAuthoritiesOf(tlsFiles().cert());
    if (tls && !trusted) return "the app cannot trust the server's certificate";
    return nullptr;
}

// The server's address as "ServerIP" names it: "127.0.0.1:PORT", or
// "https://127.0.0.1:PORT".
inline QString benchServerIp(bool tls) {
    return benchServer(tls).address();
}

// The arguments of curl for the request of url over the server: -s, and
// --cacert for HTTPS.
inline QStringList curlArguments(bool tls, const QString& url) {
    QStringList args = {"-s", "--fail-with-body"};
    if (tls) args << "--cacert" << tlsFiles().cert();
    return args << url;
}

// The arguments of curl -F for the multipart form of the fields and the two
// photo lists, the photos written into dir (curl names a file part after its
// file, so the files carry the part names); none when they cannot be written.
inline std::optional<QStringList> curlFormArguments(const FormFields& fields,
                                                    const QList<QByteArray>& files1,
                                                    const QList<QByteArray>& files2,
                                                    const QTemporaryDir& dir) {
    QStringList args;
    for (const auto& [name, value] : fields)
        args << "--form-string" << name + "=" + value;
    for (int group : {1, 2}) {
        const QList<QByteArray>& files = group == 1 ? files1 : files2;
        for (int n = 1; n <= files.size(); ++n) {
            const QString name = QStringLiteral("photo_%1_%2").arg(group).arg(n);
            QFile file(dir.filePath(name));
            if (!file.open(QIODevice::WriteOnly) || file.write(files[n - 1]) != files[n - 1].size())
                return std::nullopt;
            args << "-F" << name + "=@" + file.fileName() + ";type=image/jpeg";
        }
    }
    return args;
}

// Runs curl; returns what it printed, or none when it failed or took over a minute.
inline std::optional<QByteArray> runCurl(const QStringList& args) {
    QProcess curl;
    curl.start("curl", args);
    if (!curl.waitForFinished(60000) || curl.exitStatus() != QProcess::NormalExit ||
        curl.exitCode() != 0)
        return std::nullopt;
    return curl.readAllStandardOutput();
}
