#include "scenario/VirtualCameraCommand.h"

#include <QDir>
#include <QFileInfo>

QString VirtualCameraCommand::start(const QString& what) {
    const QString folder = qEnvironmentVariable("PIPEWIRE_RUNTIME_DIR");
    const QString script = QDir(folder).filePath(QStringLiteral("virtual-camera"));
    if (folder.isEmpty() || !QFileInfo(script).isExecutable())
        return QStringLiteral("no virtual camera: PIPEWIRE_RUNTIME_DIR (%1) is no folder that "
                              "scripts/virtual-camera start made")
            .arg(folder);
    QStringList arguments;
    if (what == "unplug" || what == "plug")
        arguments = {what, folder};
    else
        arguments = {QStringLiteral("show"), folder, what};
    process_ = std::make_unique<QProcess>();
    process_->start(script, arguments);
    return {};
}

std::optional<QString> VirtualCameraCommand::result() {
    if (!process_) return QStringLiteral("no virtual camera command was started");
    if (process_->state() != QProcess::NotRunning && !process_->waitForFinished(0))
        return std::nullopt;
    const std::unique_ptr<QProcess> done = std::move(process_);
    if (done->error() == QProcess::FailedToStart)
        return QStringLiteral("the virtual camera did not start: %1").arg(done->errorString());
    if (done->exitStatus() != QProcess::NormalExit || done->exitCode() != 0)
        return QStringLiteral("the virtual camera failed: %1")
            .arg(QString::fromLocal8Bit(done->readAllStandardError()).trimmed());
    return QString();
}
