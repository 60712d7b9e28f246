#include "ui/NavigationBar.h"

#include "ui/ViewController.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

NavigationBarAppearance& NavigationBarAppearance::shared() {
    static NavigationBarAppearance appearance;
    return appearance;
}

NavigationBar::NavigationBar(QWidget* parent)
    : QWidget(parent), layout_(new QHBoxLayout(this)), back_(new QPushButton(this)),
      title_(new QLabel(this)) {
    setObjectName(QStringLiteral("navigationBar"));
    setFixedHeight(kHeight);
    setAttribute(Qt::WA_StyledBackground);
    layout_->setContentsMargins(8, 0, 8, 0);
    back_->setFlat(true);
    title_->setAlignment(Qt::AlignCenter);
    layout_->addWidget(back_);
    layout_->addWidget(title_, 1);
    connect(back_, &QPushButton::clicked, this, &NavigationBar::backPressed);
    applyAppearance();
}

QString NavigationBar::titleText() const {
    return title_->text();
}

void NavigationBar::applyAppearance() {
    const NavigationBarAppearance& a = NavigationBarAppearance::shared();
    setStyleSheet(
        QStringLiteral(
            "#navigationBar { background: %1; } QPushButton { color: %2; border: none; }")
            .arg(a.barTintColor.name(QColor::HexArgb), a.tintColor.name(QColor::HexArgb)));
    QPalette palette = title_->palette();
    palette.setColor(QPalette::WindowText, a.titleColor);
    title_->setPalette(palette);
    title_->setFont(a.titleFont);
}

void NavigationBar::showItem(ViewController* top, const QString& backTitle) {
    // Bar buttons belong to their screens: hand the previous ones back.
    for (QPointer<QWidget>* slot : {&left_, &right_}) {
        if (QWidget* button = *slot) {
            layout_->removeWidget(button);
            button->hide();
            button->setParent(owner_);
        }
        *slot = nullptr;
    }
    owner_ = top;
    title_->setText(top ? top->title() : QString());
    left_ = top ? top->leftBarButton() : nullptr;
    right_ = top ? top->rightBarButton() : nullptr;
    back_->setText(QStringLiteral("‹ ") + backTitle);
    back_->setVisible(!left_ && !backTitle.isNull());
    if (left_) {
        layout_->insertWidget(0, left_);
        left_->show();
    }
    if (right_) {
        layout_->addWidget(right_);
        right_->show();
    }
}
