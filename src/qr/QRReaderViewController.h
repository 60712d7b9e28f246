#pragma once

#include "platform/MainLoop.h"
#include "platform/QrCapture.h"
#include "qr/QRReaderViewControllerDelegate.h"
#include "qr/ScanLineSweep.h"
#include "ui/ViewController.h"

#include <QImage>
#include <memory>
#include <optional>

class QLabel;
class QPushButton;
class QrPreviewView;

// The camera screen that reads one QR code inside its scan square and hands
// the code's text, with the still picture of the moment it was read, to its
// delegate; then it leaves the navigation stack. With hasFoot the inspector
// first confirms the code in a bar at the bottom and may read another one
// before he does. A code is read once: holding the same code up again
// changes nothing.
class QRReaderViewController : public ViewController {
    Q_OBJECT
  public:
    QRReaderViewController();
    ~QRReaderViewController() override;

    // Receives the result; not owned. Set by the opener before pushing.
    QRReaderViewControllerDelegate* delegate = nullptr;
    // Confirmation mode: the foot bar shows and only its button delivers.
    bool hasFoot = false;

    // Whether a code has been read on this screen.
    bool hasScan() const { return hasScan_; }
    // The text of the last code read.
    const std::optional<QString>& scanValue() const { return scanValue_; }
    // The latest still picture, and the one kept when the code was read.
    const QImage& scanImage() const { return scanImage_; }
    const QImage& qrcodeScanImage() const { return qrcodeScanImage_; }
    // Whether the torch button has switched the torch on.
    bool lightState() const { return lightState_; }
    // Whether the camera has a torch.
    bool hasFlash() const;

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    // Hands the result to the delegate and leaves; happens at most once.
    void callDidFinishedReadingQRWithScanImage(const QString& text, const QImage& image);
    void callDidFinishedReadingQR(const QString& text);
    // The confirmation bar's button.
    void footButtonTapped();
    // The torch button: switches the torch to its other state.
    void lightTurn();
    // Sets the torch; returns false (the torch as it was, the failure logged)
    // when the camera cannot be locked for it.
    bool flashSwitch(bool on);
    // Starts the sweeps of the scan line, one every 3 seconds.
    void createTimer();
    // One sweep of the scan line down the square.
    void moveUpAndDownLine();

    // The screen's views: none before loading or without a camera; the foot
    // bar's none without hasFoot, the torch button none without a torch.
    QrPreviewView* previewLayer() const { return previewLayer_; }
    QLabel* infoLabel() const { return infoLabel_; }
    QLabel* scanLineImageView() const { return scanLineImageView_; }
    QWidget* footView() const { return footView_; }
    QLabel* footLabel() const { return footLabel_; }
    QPushButton* footBtn() const { return footBtn_; }
    QPushButton* lightButton() const { return lightButton_; }

  private:
    void initViewAndSubViews(const QString& cameraError);
    void buildScanViews();
    void viewDidAppear();
    void startSweeps();
    // Without a camera: says so and offers to read the code from a picture file.
    void offerPicture();
    void readFromPicture(const std::optional<QString>& path);
    void didOutputCodes(const QStringList& codes);
    void didOutputFrame(const QImage& frame);
    void waitForBeep();
    void beepEnded();
    void leaveStack();

    std::unique_ptr<QrCapture> session_;
    bool hasScan_ = false;
    std::optional<QString> scanValue_;
    QImage scanImage_;
    QImage qrcodeScanImage_;
    bool lightState_ = false;
    bool onScreen_ = false;
    bool waitingForBeep_ = false;
    bool delivered_ = false;
    bool pictureOffered_ = false;

    QrPreviewView* previewLayer_ = nullptr;
    QLabel* infoLabel_ = nullptr;
    QLabel* scanLineImageView_ = nullptr;
    QWidget* footView_ = nullptr;
    QLabel* footLabel_ = nullptr;
    QPushButton* footBtn_ = nullptr;
    QPushButton* lightButton_ = nullptr;

    std::unique_ptr<ScanLineSweep> sweep_;
    std::optional<MainLoop::TimerId> scanLineTimer_;
    std::optional<MainLoop::TimerId> appearTimer_;
    std::optional<MainLoop::TimerId> beepLimit_;
};
