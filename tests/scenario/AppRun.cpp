#include "AppRun.h"

#include "support/ParameterFileText.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

namespace {

constexpr int kRunCapMs = 120 * 1000;

QStringList appOptionsOf(const QString& scenarioFile) {
    QFile file(scenarioFile);
    QStringList options;
    if (!file.open(QIODevice::ReadOnly)) return options;
    for (const QString& line : QString::fromUtf8(file.readAll()).split('\n'))
        if (line.startsWith(QStringLiteral("# app:")))
            options << line.mid(6).split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
    return options;
}

} // namespace

AppRunFixture::AppRunFixture() {
    server = std::make_unique<InspectionServer>(demoConfig());
    const int port = server->start();
    if (port <= 0) throw std::runtime_error("cannot start the stand-in server");
    pointAt(QStringLiteral("127.0.0.1:%1").arg(port));
}

ServerConfig AppRunFixture::demoConfig() {
    const ConfigReading reading =
        loadServerConfig(INSPECTOR_SOURCE_DIR "/tools/inspection-server/demo-config.json");
    if (!reading.config) throw std::runtime_error("cannot read the demo configuration");
    return *reading.config;
}

void AppRunFixture::pointAt(const QString& serverIp) const {
    QFile parameters(dir.filePath("Parameters.plist"));
    if (!parameters.open(QIODevice::WriteOnly) ||
        parameters.write(parameterFileText(serverIp, "1.0")) < 0)
        throw std::runtime_error("cannot write the parameter file");
}

AppRunFixture::~AppRunFixture() {
    server->stop();
}

QString AppRunFixture::writeScenario(const QString& text, const QString& name) const {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0)
        throw std::runtime_error("cannot write the scenario");
    return path;
}

bool AppRunFixture::startUntil(QProcess& app, const QString& scenarioFile, const QString& reached,
                               QProcessEnvironment env) const {
    app.setProcessEnvironment(env);
    app.start(INSPECTOR_APP, {"--scenario", scenarioFile, "--home", home(), "--parameters",
                              dir.filePath("Parameters.plist")});
    if (!app.waitForStarted(10000)) return false;
    QString out;
    QElapsedTimer clock;
    clock.start();
    while (!out.contains(reached) && clock.elapsed() < 60000 && app.state() == QProcess::Running) {
        app.waitForReadyRead(500);
        out += QString::fromUtf8(app.readAllStandardOutput());
    }
    return out.contains(reached);
}

StoredCase AppRunFixture::storedCase() const {
    const QString documents = QDir(home()).filePath("Documents");
    const CaseListRead read = readCaseList(waitingReportPath(documents));
    StoredCase stored;
    if (!read.cases || read.cases->size() != 1) {
        stored.error =
            read.cases ? QStringLiteral("%1 cases stored").arg(read.cases->size()) : read.error;
        stored.photos.error = stored.error;
        return stored;
    }
    stored.record = read.cases->at(0);
    stored.photos = readPhotosOf(documents, *stored.record);
    return stored;
}

AppRun AppRunFixture::run(const QString& scenarioFile, QStringList options) const {
    QProcess app;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    app.setProcessEnvironment(env);
    options << appOptionsOf(scenarioFile) << "--scenario" << scenarioFile << "--home" << home()
            << "--parameters" << dir.filePath("Parameters.plist") << "--screenshots" << shots();
    app.start(INSPECTOR_APP, options);
    AppRun result;
    if (!app.waitForFinished(kRunCapMs)) {
        app.kill();
        app.waitForFinished();
    } else if (app.exitStatus() == QProcess::NormalExit) {
        result.status = app.exitCode();
    }
    result.out = QString::fromUtf8(app.readAllStandardOutput());
    result.err = QString::fromUtf8(app.readAllStandardError());
    return result;
}
