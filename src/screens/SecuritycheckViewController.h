#pragma once

#include "inspection/CheckStart.h"
#include "qr/QRReaderViewControllerDelegate.h"
#include "screens/SecuritycheckLayout.h"
#include "ui/ProgressOverlay.h"
#include "ui/ViewController.h"

#include <QPointer>
#include <functional>
#include <memory>
#include <optional>

class AnimateView;
class FrameAnimation;
class ImageButton;
class QLabel;
class WindowInputBlock;

// The check start: the inspector scans the registration code of a check and,
// unless its check number begins with "F", the equipment's use permit. When
// the permit number is the registration code's equipment number (or no permit
// is needed) a green banner shows and the screen gives its place to the site
// photo screen; otherwise a red banner shows and both codes must be scanned
// again. The screen decides from the two codes and the local case store
// alone; it sends nothing.
class SecuritycheckViewController : public ViewController,
                                    public QRReaderViewControllerDelegate,
                                    public QRReaderViewControllerScanImageDelegate {
    Q_OBJECT
  public:
    // initWithNibName: on a 3.5-inch phone the "3d5" layout is used.
    explicit SecuritycheckViewController(const QString& layoutName);
    ~SecuritycheckViewController() override;

    // Makes the site photo screen for a case: pakeno, Chkno and the check
    // type ("竣工檢查" or "安全檢查").
    std::function<ViewController*(const QString& pakeno, const QString& Chkno, const QString& type)>
        makeUploadScreen;

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    void topButtonPressed();
    void bottomButtonPressed();
    void gotoTopQRcodeView();
    void gotoBottomQRcodeView();
    void didFinishedReadingQR(const QString& text) override;
    void didFinishedReadingQRWithScanImage(const QString& text, const QImage& scanImage) override;
    void changeSuccess();
    // Shows the result for 3 s, touches off, then goes on or starts over.
    void startAnimate(bool match);
    // Forgets both codes and shows the starting pictures again.
    void resetScan();
    // Gives this screen's place to the site photo screen of the held case.
    void gotoUploadView();

    // The registration code accepted last, whole.
    std::optional<QString> topString() const;
    // The permit number accepted last.
    const std::optional<QString>& bottomString() const { return start_.permitNumber(); }
    // Whether the reader now open reads the registration code.
    bool isTopQRCode() const { return isTopQRCode_; }
    // Whether a permit delivered now would be taken.
    bool canSuccess() const { return start_.acceptsPermits(); }
    // The overlay over the result box while the result is awaited.
    ProgressOverlay* activityIndicator() const { return activityIndicator_; }

    ImageButton* topButton = nullptr;
    ImageButton* bottomButton = nullptr;
    AnimateView* checkView = nullptr;
    QLabel* equalResult_lab = nullptr;
    QLabel* note_lab = nullptr;
    QLabel* centerView = nullptr;

  private:
    void buildLayout();
    void openReader(bool top);
    // Shows what a scan led to: the alert of a refused code, or its picture
    // on its button, the reader gone and, with both codes, the result.
    void showScanStep(CheckStart::Step step, ImageButton* button, const QImage& scanImage);
    void removeReader();
    void showResult(const QColor& colour, const QString& text, bool match);
    void showStartingLook();
    void setCheckViewColour(const std::optional<QColor>& colour);
    void afterDelay(double seconds, std::function<void()> fn);

    SecuritycheckLayout layout_{};
    CheckStart start_;
    bool isTopQRCode_ = false;
    QPointer<ProgressOverlay> activityIndicator_;
    std::unique_ptr<FrameAnimation> checkViewAnimation_;
    std::unique_ptr<WindowInputBlock> touchesOff_;
};
