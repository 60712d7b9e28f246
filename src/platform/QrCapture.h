#pragma once

#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

// A video stream from the back camera that reports the QR codes it finds
// inside its region of interest and hands out its frames, all on the main
// thread.
class QrCapture {
  public:
    virtual ~QrCapture() = default;
    // The region in which codes are read, as fractions of the frame:
    // x and width along the frame's long side, y and height along its short side.
    virtual void setRegionOfInterest(const QRectF& region) = 0;
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool isRunning() const = 0;
    virtual bool hasTorch() const = 0;
    // Switches the torch; returns an error text when the device cannot be locked.
    virtual std::optional<QString> setTorch(bool on) = 0;

    // Called with the texts of the codes found in a frame, never with none.
    std::function<void(const QStringList& codes)> onCodes;
    // Called with every frame: 32-bit B, G, R, A pixels in memory, landscape.
    std::function<void(const QImage& frame)> onFrame;
};

class QrCaptureFactory {
  public:
    virtual ~QrCaptureFactory() = default;
    // Opens the default camera. When it cannot be opened (no camera, or the
    // device refused) returns none and puts the reason into error.
    virtual std::unique_ptr<QrCapture> create(QString& error) = 0;
    // Opens a still camera held up to the picture file at path, for reading
    // a code from a picture where there is no camera. Returns none, with the
    // reason in error, when the file cannot be read as a picture.
    virtual std::unique_ptr<QrCapture> createShowing(const QString& path, QString& error) = 0;
};
