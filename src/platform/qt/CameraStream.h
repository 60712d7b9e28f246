#pragma once

#include <QCamera>
#include <QCameraDevice>
#include <QMediaCaptureSession>
#include <QVideoSink>

// A camera's live frames for the camera picker, made once and used by every
// opening: QtMultimedia 6.4 on GStreamer at times deadlocks when a capture
// session that has streamed lets go of its camera, so the session stays and
// only its camera device changes, to the one each opening looks up.
class CameraStream {
  public:
    CameraStream();
    // Starts device at its largest format, after the one used before if it
    // was another.
    void start(const QCameraDevice& device);
    void stop() { camera_.stop(); }
    QCamera& camera() { return camera_; }
    QVideoSink& sink() { return sink_; }

  private:
    QCamera camera_;
    QVideoSink sink_;
    // Declared last so that it goes first, while camera and sink still exist.
    QMediaCaptureSession session_;
};
