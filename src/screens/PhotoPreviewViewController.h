#pragma once

#include "ui/ViewController.h"

#include <QImage>

class PhotoZoomArea;
class QLabel;
class QPushButton;

// One photo on the whole screen, fitted to it at first and zoomable up to
// twice its size, with an optional "刪除". The preview never touches a photo
// list: a confirmed deletion sets the shared isNeedDelete flag and closes the
// preview, and the photo screen below removes the photo it opened.
class PhotoPreviewViewController : public ViewController {
    Q_OBJECT
  public:
    enum Tag { DeleteQuestion = 1 };
    static constexpr float kMaximumZoomScale = 2.0f;

    // Offers deletion.
    static PhotoPreviewViewController* initWithTitleWithImage(const QString& title,
                                                              const QImage& image);
    // hasDeleteHidden hides deletion (the inspector-in-frame photo).
    static PhotoPreviewViewController* initWithTitleWithImageHasDeleteHidden(const QString& title,
                                                                             const QImage& image,
                                                                             bool hasDeleteHidden);

    void viewDidLoad() override;
    void alertViewClickedButtonAtIndex(const AlertAnswer& answer) override;
    // The "刪除" button: asks before deleting.
    void deletePhoto();

    QString _photoTitle;
    QImage _image;
    bool _hasTag = false; // deletion hidden
    QLabel* _imageView = nullptr;
    PhotoZoomArea* imageScrollView = nullptr;
    QPushButton* deleteButton = nullptr; // none while deletion is hidden

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    PhotoPreviewViewController(const QString& title, const QImage& image, bool hasDeleteHidden);
    void fitToArea();

    bool fitted_ = false;
};
