#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QTemporaryDir>

// A camera that QtMultimedia lists, run by scripts/virtual-camera in a private
// runtime folder with its own session bus, PipeWire and WirePlumber. There is
// one per test program: shared() starts it on first use and points this
// process at it, so it must come before anything asks QtMultimedia for
// devices. It stops when the program ends.
class VirtualCamera {
  public:
    // The program's camera, started with frames of this size on its first
    // call (later calls keep the size it has). When it cannot start, the
    // camera is not running and error() says why.
    static VirtualCamera& shared(QSize frameSize = QSize(640, 480));
    ~VirtualCamera();

    bool running() const { return error_.isEmpty(); }
    // Why the camera could not start, or a later command failed.
    const QString& error() const { return error_; }
    QSize frameSize() const { return size_; }
    // From now on the camera shows picture, scaled to fit the frame on a grey
    // background; a null picture shows the grey background alone. Programs
    // watching the camera see it from the next frame on.
    bool show(const QImage& picture);
    // The camera disappears from the device list, and a (new) one with this
    // name appears again.
    bool unplug();
    bool plug(const QString& name = QStringLiteral("VirtualCam"));

  private:
    explicit VirtualCamera(QSize frameSize);
    bool run(const QStringList& arguments);

    QTemporaryDir dir_;
    QSize size_;
    QString error_;
};
