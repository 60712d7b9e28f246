#pragma once

#include "FakeQrCapture.h"
#include "fixtures/QrImages.h"
#include "fixtures/QtPrinters.h"
#include "qr/QRReaderViewController.h"
#include "support/FakePlatform.h"
#include "ui/NavigationController.h"

#include <QPushButton>
#include <gtest/gtest.h>

// Records what the reader delivers through the required callback.
struct TextDelegate : QRReaderViewControllerDelegate {
    void didFinishedReadingQR(const QString& text) override { texts << text; }
    QStringList texts;
};

// A delegate that also takes the still picture, and may act during the call.
struct ImageDelegate : TextDelegate, QRReaderViewControllerScanImageDelegate {
    void didFinishedReadingQRWithScanImage(const QString& text, const QImage& image) override {
        imageTexts << text;
        images << image;
        if (onDelivery) onDelivery();
    }
    QStringList imageTexts;
    QList<QImage> images;
    std::function<void()> onDelivery;
};

// A navigation stack of two screens, the opener on top, on the fake
// platform with a fake camera; open() pushes a reader above the opener.
class ReaderTest : public testing::Test {
  protected:
    ReaderTest() {
        fake.services.qrCapture = &captures;
        navigation.pushViewController(root, false);
        navigation.pushViewController(opener, false);
    }

    QRReaderViewController* open(QRReaderViewControllerDelegate* delegate, bool hasFoot = false) {
        auto* reader = new QRReaderViewController;
        reader->delegate = delegate;
        reader->hasFoot = hasFoot;
        reader->setTitle(QStringLiteral("登記碼掃描"));
        navigation.pushViewController(reader, true);
        fake.clock.advance(0);
        return reader;
    }

    FakeQrCapture& camera() { return *captures.last; }
    // Holds a code up in the middle of the camera's view.
    void hold(const QString& text) { camera().show(frameWithCode(qrCode(text))); }
    void press(QRReaderViewController* reader) { reader->footBtn()->click(); }

    FakePlatform fake;
    FakeQrCaptureFactory captures;
    NavigationController navigation;
    ViewController* root = new ViewController;
    ViewController* opener = new ViewController;
};
