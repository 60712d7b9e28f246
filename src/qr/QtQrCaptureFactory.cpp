#include "qr/QtQrCaptureFactory.h"

#include "qr/CameraQrCapture.h"
#include "qr/ImageFileQrCapture.h"
#include "qr/PictureFiles.h"

#include <QCameraDevice>
#include <QFileInfo>
#include <QImageReader>
#include <QMediaDevices>

QtQrCaptureFactory::QtQrCaptureFactory(QString imagePath) : path_(std::move(imagePath)) {}

std::unique_ptr<QrCapture> QtQrCaptureFactory::create(QString& error) {
    if (!queued_.isEmpty()) return createShowing(queued_.takeFirst(), error);
    return path_.isEmpty() ? openCamera(error) : openImage(error);
}

std::unique_ptr<QrCapture> QtQrCaptureFactory::openCamera(QString& error) {
    const QCameraDevice device = QMediaDevices::videoInputs().value(0);
    if (device.isNull()) {
        error = QStringLiteral("no camera found");
        return nullptr;
    }
    auto camera = std::make_unique<CameraQrCapture>(device);
    if (camera->failed()) {
        error = camera->errorText();
        return nullptr;
    }
    return camera;
}

std::unique_ptr<QrCapture> QtQrCaptureFactory::openImage(QString& error) {
    QString file = path_;
    if (QFileInfo(path_).isDir()) {
        const QStringList files = pictureFilesIn(path_);
        if (files.isEmpty()) {
            error = QStringLiteral("no image files in %1").arg(path_);
            return nullptr;
        }
        file = files[next_++ % files.size()];
    }
    return createShowing(file, error);
}

std::unique_ptr<QrCapture> QtQrCaptureFactory::createShowing(const QString& file, QString& error) {
    QImageReader reader(file);
    // Photos taken on a phone carry their upright turn as a tag.
    reader.setAutoTransform(true);
    const QImage picture = reader.read();
    if (picture.isNull()) {
        error = QStringLiteral("cannot read image %1: %2").arg(file, reader.errorString());
        return nullptr;
    }
    return std::make_unique<ImageFileQrCapture>(picture);
}
