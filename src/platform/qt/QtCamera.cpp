#include "platform/qt/QtCamera.h"

#include <QDir>
#include <QFile>
#include <QCameraDevice>
#include <QMediaDevices>
#include <QTimer>

bool QtCamera::hasCamera() const { return !folder_.isEmpty() || !QMediaDevices::videoInputs().isEmpty(); }

void QtCamera::takePhoto(std::function<void(std::optional<QByteArray>)> done) {
    const QStringList files =
        QDir(folder_).entryList({"*.jpg", "*.jpeg", "*.JPG", "*.JPEG"}, QDir::Files, QDir::Name);
    std::optional<QByteArray> photo;
    if (!files.isEmpty()) {
        QFile file(QDir(folder_).filePath(files[next_++ % files.size()]));
        if (file.open(QIODevice::ReadOnly)) photo = file.readAll();
    }
    // The picker answers after it was shown, never from inside the call.
    QTimer::singleShot(0, [done = std::move(done), photo] { done(photo); });
}
