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

QAbstractButton* ViewController::rightBarButton() const {
    const QList<QAbstractButton*> buttons = rightBarButtons();
    return buttons.isEmpty() ? nullptr : buttons.first();
}

QList<QAbstractButton*> ViewController::rightBarButtons() const {
    QList<QAbstractButton*> buttons;
    for (const QPointer<QAbstractButton>& button : right_)
        if (button) buttons << button;
    return buttons;
}

void ViewController::setRightBarButton(QAbstractButton* button) {
    setRightBarButtons(button ? QList<QAbstractButton*>{button} : QList<QAbstractButton*>{});
}

void ViewController::setRightBarButtons(const QList<QAbstractButton*>& buttons) {
    right_.clear();
    for (QAbstractButton* button : buttons)
        right_ << button;
    emit navigationItemChanged();
}

NavigationController* ViewController::navigationController() const {
    return navigation_;
}
