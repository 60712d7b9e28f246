#pragma once

// The stand-in inspection server as its own process, started on a free port
// of 127.0.0.1 from the build tree beside the benchmark programs.
#include <QCoreApplication>
#include <QProcess>
#include <QString>

class InspectionServerProcess {
  public:
    // options go to the server as well (--tls CERT KEY, ...).
    explicit InspectionServerProcess(const QStringList& options = {}) {
        const QString program = QCoreApplication::applicationDirPath() +
                                "/../tools/inspection-server/inspection-server";
        process_.start(program, QStringList{"--port", "0", "--quiet"} + options);
        process_.waitForReadyRead(10000);
        const QByteArray line = process_.readLine().trimmed();
        if (line.startsWith("listening on ")) address_ = QString::fromLatin1(line.mid(13));
    }
    ~InspectionServerProcess() {
        process_.terminate();
        process_.waitForFinished(5000);
    }
    InspectionServerProcess(const InspectionServerProcess&) = delete;
    InspectionServerProcess& operator=(const InspectionServerProcess&) = delete;

    // "127.0.0.1:PORT" ("https://127.0.0.1:PORT" with --tls), empty when the
    // server did not start.
    QString address() const { return address_; }

  private:
    QProcess process_;
    QString address_;
};
