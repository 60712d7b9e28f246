#include "screens/PhotoPreviewViewController.h"

#include "screens/PhotoZoomArea.h"
#include "store/PublicVars.h"
#include "ui/AlertView.h"
#include "ui/NavigationController.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

PhotoPreviewViewController::PhotoPreviewViewController(const QString& title, const QImage& image,
                                                       bool hasDeleteHidden)
    : ViewController(QStringLiteral("PhotoPreviewViewController")), _photoTitle(title),
      _image(image), _hasTag(hasDeleteHidden) {}

PhotoPreviewViewController*
PhotoPreviewViewController::initWithTitleWithImage(const QString& title, const QImage& image) {
    return new PhotoPreviewViewController(title, image, false);
}

PhotoPreviewViewController* PhotoPreviewViewController::initWithTitleWithImageHasDeleteHidden(
    const QString& title, const QImage& image, bool hasDeleteHidden) {
    return new PhotoPreviewViewController(title, image, hasDeleteHidden);
}

void PhotoPreviewViewController::viewDidLoad() {
    if (!_hasTag) {
        deleteButton = new QPushButton(QStringLiteral("刪除"), this);
        deleteButton->setObjectName(QStringLiteral("deletePhoto"));
        connect(deleteButton, &QPushButton::clicked, this,
                &PhotoPreviewViewController::deletePhoto);
        setRightBarButton(deleteButton);
    }
    setTitle(_photoTitle);
    setAutoFillBackground(true);
    QPalette ground = palette();
    ground.setColor(QPalette::Window, Qt::black);
    setPalette(ground);
    imageScrollView = new PhotoZoomArea(this);
    imageScrollView->setObjectName(QStringLiteral("imageScrollView"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(imageScrollView);
    _imageView = new QLabel;
    _imageView->setObjectName(QStringLiteral("imageView"));
    _imageView->setScaledContents(true);
    _imageView->setPixmap(QPixmap::fromImage(_image));
    imageScrollView->setZoomingView(_imageView, QSizeF(_image.size()));
    imageScrollView->setMaximumZoomScale(kMaximumZoomScale);
}

void PhotoPreviewViewController::resizeEvent(QResizeEvent* event) {
    ViewController::resizeEvent(event);
    // The zoom area has its size once the screen is first laid out; the whole
    // photo shows at first.
    if (!fitted_) fitToArea();
}

void PhotoPreviewViewController::fitToArea() {
    if (!imageScrollView || imageScrollView->size().isEmpty()) return;
    fitted_ = true;
    const float fit = fitZoomScale(QSizeF(imageScrollView->size()), QSizeF(_image.size()));
    imageScrollView->setMinimumZoomScale(fit);
    imageScrollView->setZoomScale(fit);
}

void PhotoPreviewViewController::deletePhoto() {
    AlertView alert(QStringLiteral("照片刪除確認"), QStringLiteral("你確定要刪除此張照片?"), this,
                    QStringLiteral("否"), {QStringLiteral("是")});
    alert.tag = DeleteQuestion;
    alert.destructive = true;
    alert.show();
}

void PhotoPreviewViewController::alertViewClickedButtonAtIndex(const AlertAnswer& answer) {
    if (answer.tag != DeleteQuestion || answer.buttonIndex != 1 || _hasTag) return;
    PublicVars::sharedInstance().setIsNeedDelete(true);
    if (navigationController()) navigationController()->removeViewController(this);
}
