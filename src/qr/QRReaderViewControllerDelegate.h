#pragma once

#include <QImage>
#include <QString>

// Receives the code the QR reader has read. Every delegate implements
// didFinishedReadingQR.
class QRReaderViewControllerDelegate {
  public:
    virtual ~QRReaderViewControllerDelegate() = default;
    virtual void didFinishedReadingQR(const QString& text) = 0;
};

// The optional part of the delegate: a delegate that also derives from this
// class wants the still picture of the moment the code was read, and then
// receives only didFinishedReadingQRWithScanImage, never didFinishedReadingQR.
class QRReaderViewControllerScanImageDelegate {
  public:
    virtual ~QRReaderViewControllerScanImageDelegate() = default;
    virtual void didFinishedReadingQRWithScanImage(const QString& text,
                                                   const QImage& scanImage) = 0;
};
