#include "ui/ViewController.h"

#include "platform/Platform.h"
#include "ui/NavigationController.h"
#include "ui/PlainTextLabels.h"

ViewController::ViewController(const QString& layoutName) : layout_(layoutName) {
    // Screens show text from outside (server, store, settings, QR codes).
    showLabelsAsPlainText();
}

QString ViewController::layoutName() const {
    const bool smallPhone = platform().device->screenSize().height() == 480.0;
    return smallPhone ? layout_ + QStringLiteral("3d5") : layout_;
}

void ViewController::loadViewIfNeeded() {
    if (loaded_) return;
    loaded_ = true;
    viewDidLoad();
}

void ViewController::setTitle(const QString& title) {
    title_ = title;
    emit navigationItemChanged();
}

void ViewController::setLeftBarButton(QAbstractButton* button) {
    left_ = button;
    emit navigationItemChanged();
}

void ViewController::setRightBarButton(QAbstractButton* button) {
    right_ = button;
    emit navigationItemChanged();
}

NavigationController* ViewController::navigationController() const {
    return navigation_;
}
