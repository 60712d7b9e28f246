#include "platform/qt/QtCamera.h"

#include <QCameraDevice>
#include <QDir>
#include <QFile>
#include <QMediaDevices>
#include <QTimer>

bool QtCamera::hasCamera() const {
    return present_ || !folder_.isEmpty() || !QMediaDevices::videoInputs().isEmpty();
}

std::optional<QByteArray> QtCamera::nextPhoto() {
    QString name;
    if (!queued_.isEmpty()) {
        name = queued_.takeFirst();
    } else {
        const QStringList files = QDir(folder_).entryList({"*.jpg", "*.jpeg", "*.JPG", "*.JPEG"},
                                                          QDir::Files, QDir::Name);
        if (files.isEmpty()) return std::nullopt;
        name = QDir(folder_).filePath(files[next_++ % files.size()]);
    }
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    return file.readAll();
}

void QtCamera::takePhoto(std::function<void(std::optional<QByteArray>)> done) {
    const std::optional<QByteArray> photo = nextPhoto();
    // The picker answers after it was shown, never from inside the call.
    QTimer::singleShot(0, [done = std::move(done), photo] { done(photo); });
}
