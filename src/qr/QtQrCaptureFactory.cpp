#include "qr/QtQrCaptureFactory.h"

#include "qr/CameraQrCapture.h"
#include "qr/ImageFileQrCapture.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QMediaDevices>

namespace {

QStringList imageFilesIn(const QString& folder) {
    QStringList patterns;
    for (const QByteArray& suffix : QImageReader::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(suffix);
    QStringList files;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(patterns, QDir::Files, QDir::Name))
        files << dir.filePath(name);
    return files;
}

} // namespace

QtQrCaptureFactory::QtQrCaptureFactory(QString imagePath) : path_(std::move(imagePath)) {}

std::unique_ptr<QrCapture> QtQrCaptureFactory::create(QString& error) {
    if (!queued_.isEmpty()) return openImageFile(queued_.takeFirst(), error);
    return path_.isEmpty() ? openCamera(error) : openImage(error);
}

std::unique_ptr<QrCapture> QtQrCaptureFactory::openCamera(QString& error) {
    const QCameraDevice device = QMediaDevices::defaultVideoInput();
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
        const QStringList files = imageFilesIn(path_);
        if (files.isEmpty()) {
            error = QStringLiteral("no image files in %1").arg(path_);
            return nullptr;
        }
        file = files[next_++ % files.size()];
    }
    return openImageFile(file, error);
}

std::unique_ptr<QrCapture> QtQrCaptureFactory::openImageFile(const QString& file, QString& error) {
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
