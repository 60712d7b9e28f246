#include "platform/qt/QtCamera.h"

#include "platform/NoCameraOffer.h"
#include "platform/Platform.h"
#include "platform/qt/CameraPickerView.h"

#include <QCameraDevice>
#include <QDir>
#include <QFile>
#include <QMediaDevices>
#include <QTimer>

bool QtCamera::hasCamera() const {
    return present_ || !folder_.isEmpty() || !QMediaDevices::videoInputs().isEmpty();
}

std::optional<QByteArray> QtCamera::nextPhoto() {
    if (!queued_.isEmpty()) return readCameraPhotoFile(queued_.takeFirst());
    if (folder_.isEmpty()) return std::nullopt;
    const QStringList files =
        QDir(folder_).entryList({"*.jpg", "*.jpeg", "*.JPG", "*.JPEG"}, QDir::Files, QDir::Name);
    if (files.isEmpty()) {
        logLine(QStringLiteral("no JPEG files in the photo folder %1").arg(folder_));
        return std::nullopt;
    }
    return readCameraPhotoFile(QDir(folder_).filePath(files[next_++ % files.size()]));
}

void QtCamera::takePhoto(std::function<void(std::optional<QByteArray>)> done) {
    if (queued_.isEmpty() && folder_.isEmpty() && !present_) {
        const QCameraDevice camera = QMediaDevices::videoInputs().value(0);
        if (camera.isNull()) return chooseFile(std::move(done));
        new CameraPickerView(camera, window_ ? window_() : nullptr, std::move(done));
        return;
    }
    const std::optional<QByteArray> photo = nextPhoto();
    // The picker answers after it was shown, never from inside the call.
    QTimer::singleShot(0, [done = std::move(done), photo] { done(photo); });
}

void QtCamera::chooseFile(std::function<void(std::optional<QByteArray>)> done) {
    const PictureOffer offer{QStringLiteral("可改選擇照片檔"), QStringLiteral("選擇照片檔"),
                             QStringLiteral("選擇照片"),
                             QStringLiteral("JPEG (*.jpg *.jpeg *.JPG *.JPEG)")};
    offerPictureForCamera(offer, [done = std::move(done)](std::optional<QString> path) {
        done(path ? readCameraPhotoFile(*path) : std::nullopt);
    });
}

std::optional<QByteArray> readCameraPhotoFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        logLine(QStringLiteral("photo %1 could not be read: %2").arg(path, file.errorString()));
        return std::nullopt;
    }
    QByteArray bytes = file.read(QtCamera::kMaxPhotoFileBytes + 1);
    if (bytes.size() > QtCamera::kMaxPhotoFileBytes) {
        logLine(QStringLiteral("photo %1 is larger than %2 bytes")
                    .arg(path)
                    .arg(QtCamera::kMaxPhotoFileBytes));
        return std::nullopt;
    }
    return bytes;
}
