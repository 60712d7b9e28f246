#include "platform/qt/SharedCamera.h"

#include "platform/qt/CameraFrameCopies.h"

#include <QCameraFormat>
#include <algorithm>

namespace {

// The camera's own format closest in size to frameSize, so that frames
// need little scaling.
QCameraFormat formatFor(const QCameraDevice& device, QSize frameSize) {
    const QList<QCameraFormat> formats = device.videoFormats();
    const auto distance = [&](const QCameraFormat& f) {
        return std::abs(qint64(f.resolution().width()) * f.resolution().height() -
                        qint64(frameSize.width()) * frameSize.height());
    };
    const auto best = std::min_element(
        formats.begin(), formats.end(),
        [&](const QCameraFormat& a, const QCameraFormat& b) { return distance(a) < distance(b); });
    return best == formats.end() ? QCameraFormat() : *best;
}

} // namespace

SharedCamera& SharedCamera::instance() {
    // Kept until the process ends: tearing it down could hang the exit.
    static SharedCamera* shared = [] {
        // Before QtMultimedia makes its first camera source.
        copyCameraFramesOutOfPipeWire();
        return new SharedCamera;
    }();
    return *shared;
}

SharedCamera::SharedCamera() {
    session_.setCamera(&camera_);
    session_.setVideoSink(&sink_);
}

QCamera& SharedCamera::use(const QCameraDevice& device, QSize frameSize) {
    if (camera_.cameraDevice() != device) {
        camera_.stop();
        camera_.setCameraDevice(device);
    }
    const QCameraFormat format = formatFor(device, frameSize);
    if (!format.isNull() && camera_.cameraFormat() != format) camera_.setCameraFormat(format);
    return camera_;
}
