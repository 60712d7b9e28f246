#include "support/VirtualCamera.h"

#include <QDir>
#include <QFile>
#include <QProcess>

namespace {

const QString kScript = QStringLiteral(INSPECTOR_SOURCE_DIR "/scripts/virtual-camera");
constexpr int kCommandMs = 30000;

} // namespace

VirtualCamera& VirtualCamera::shared(QSize frameSize) {
    static VirtualCamera camera(frameSize);
    return camera;
}

VirtualCamera::VirtualCamera(QSize frameSize)
    : dir_(QDir::tempPath() + QStringLiteral("/vcam-XXXXXX")), size_(frameSize) {
    if (!dir_.isValid()) {
        error_ = QStringLiteral("no folder for the virtual camera: %1").arg(dir_.errorString());
        return;
    }
    const QString sizeText = QStringLiteral("%1x%2").arg(size_.width()).arg(size_.height());
    if (!run({QStringLiteral("start"), dir_.path(), sizeText})) return;
    // This process finds PipeWire and the bus in the camera's folder alone.
    const QByteArray folder = QFile::encodeName(dir_.path());
    qputenv("XDG_RUNTIME_DIR", folder);
    qputenv("PIPEWIRE_RUNTIME_DIR", folder);
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + folder + "/bus");
}

VirtualCamera::~VirtualCamera() {
    if (dir_.isValid()) run({QStringLiteral("stop"), dir_.path()});
}

bool VirtualCamera::run(const QStringList& arguments) {
    QProcess script;
    script.start(kScript, arguments);
    if (!script.waitForFinished(kCommandMs) || script.exitStatus() != QProcess::NormalExit ||
        script.exitCode() != 0) {
        error_ = QStringLiteral("%1 %2 failed: %3%4")
                     .arg(kScript, arguments.join(' '), script.errorString(),
                          QString::fromLocal8Bit(script.readAllStandardError()));
        return false;
    }
    return true;
}

bool VirtualCamera::show(const QImage& picture) {
    if (picture.isNull()) return run({QStringLiteral("show"), dir_.path(), QStringLiteral("none")});
    const QString file = dir_.filePath(QStringLiteral("picture.png"));
    if (!picture.save(file)) {
        error_ = QStringLiteral("cannot write %1").arg(file);
        return false;
    }
    return run({QStringLiteral("show"), dir_.path(), file});
}

bool VirtualCamera::unplug() {
    return run({QStringLiteral("unplug"), dir_.path()});
}

bool VirtualCamera::plug(const QString& name) {
    return run({QStringLiteral("plug"), dir_.path(), name});
}
