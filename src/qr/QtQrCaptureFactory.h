#pragma once

#include "platform/QrCapture.h"

#include <QStringList>

// Opens the QR captures of the desktop app. Without a path each capture uses
// the first camera QtMultimedia lists, looked up anew at each opening. With a
// path the camera is a still camera looking at image files: a single file is
// shown to every capture; the image files of a folder are shown one per
// capture, in the order of their names with numbers counted as numbers
// (1-code.png, 2-permit.png, ..., 10-code.png), starting again after the last.
// Each opening of a reader takes the next file, so a folder lists the codes in
// the order they are scanned (a registration code, then its permit). A picture file given with
// showNext goes before all of them to the next capture that opens.
class QtQrCaptureFactory : public QrCaptureFactory {
  public:
    explicit QtQrCaptureFactory(QString imagePath = {});
    std::unique_ptr<QrCapture> create(QString& error) override;
    std::unique_ptr<QrCapture> createShowing(const QString& path, QString& error) override;
    // The next capture shows this picture file; files given one after
    // another go to successive captures.
    void showNext(const QString& file) { queued_ << file; }

  private:
    std::unique_ptr<QrCapture> openCamera(QString& error);
    std::unique_ptr<QrCapture> openImage(QString& error);

    QString path_;
    int next_ = 0;
    QStringList queued_;
};
