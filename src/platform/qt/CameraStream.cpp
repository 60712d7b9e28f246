#include "platform/qt/CameraStream.h"

#include <QCameraFormat>
#include <algorithm>

namespace {

qint64 pixelsOf(QSize size) {
    return qint64(size.width()) * size.height();
}

// The camera's largest format, the fastest of those.
QCameraFormat largestFormat(const QCameraDevice& device) {
    const QList<QCameraFormat> formats = device.videoFormats();
    const auto smaller = [](const QCameraFormat& a, const QCameraFormat& b) {
        if (pixelsOf(a.resolution()) != pixelsOf(b.resolution()))
            return pixelsOf(a.resolution()) < pixelsOf(b.resolution());
        return a.maxFrameRate() < b.maxFrameRate();
    };
    const auto best = std::max_element(formats.begin(), formats.end(), smaller);
    return best == formats.end() ? QCameraFormat() : *best;
}

} // namespace

CameraStream::CameraStream() {
    session_.setCamera(&camera_);
    session_.setVideoSink(&sink_);
}

void CameraStream::start(const QCameraDevice& device) {
    if (camera_.cameraDevice() != device) camera_.setCameraDevice(device);
    if (const QCameraFormat format = largestFormat(device); !format.isNull())
        camera_.setCameraFormat(format);
    camera_.start();
}
