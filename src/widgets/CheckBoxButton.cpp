#include "widgets/CheckBoxButton.h"

#include <QPainter>

CheckBoxButton::CheckBoxButton(QWidget* parent) : QAbstractButton(parent) {}

void CheckBoxButton::setImages(const QPixmap& normal, const QPixmap& selected) {
    normal_ = normal;
    selectedImage_ = selected;
    update();
}

void CheckBoxButton::setSelected(bool selected) {
    selected_ = selected;
    update();
}

void CheckBoxButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), selected_ ? selectedImage_ : normal_);
}
