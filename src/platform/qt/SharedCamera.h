#pragma once

#include <QCamera>
#include <QCameraDevice>
#include <QMediaCaptureSession>
#include <QVideoSink>

// The one camera of the process: a QtMultimedia capture session with its
// camera and video sink, made on first use and kept until the process ends.
// QtMultimedia 6.4 on GStreamer can deadlock when a capture session is
// destroyed while its stream renegotiates, and two sessions on one device
// fight over it; so every user of the camera takes turns on this one.
// Main thread only.
class SharedCamera {
  public:
    static SharedCamera& instance();

    // Points the camera at device (stopping it first when it shows another
    // one), with the video format closest to frameSize. Returns the camera.
    QCamera& use(const QCameraDevice& device, QSize frameSize);
    QCamera& camera() { return camera_; }
    QVideoSink& sink() { return sink_; }
    QMediaCaptureSession& session() { return session_; }

  private:
    SharedCamera();

    QCamera camera_;
    QVideoSink sink_;
    QMediaCaptureSession session_;
};
