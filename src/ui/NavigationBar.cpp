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
    for (const QPointer<QWidget>& button : std::as_const(shown_)) {
        if (!button) continue;
        layout_->removeWidget(button);
        button->hide();
        button->setParent(owner_);
    }
    shown_.clear();
    owner_ = top;
    title_->setText(top ? top->title() : QString());
    QAbstractButton* left = top ? top->leftBarButton() : nullptr;
    back_->setText(QStringLiteral("‹ ") + backTitle);
    back_->setVisible(!left && !backTitle.isNull());
    if (left) {
        layout_->insertWidget(0, left);
        left->show();
        shown_ << left;
    }
    const QList<QAbstractButton*> right = top ? top->rightBarButtons() : QList<QAbstractButton*>();
    // The first right button stands at the right edge.
    for (auto it = right.rbegin(); it != right.rend(); ++it) {
        layout_->addWidget(*it);
        (*it)->show();
        shown_ << *it;
    }
}
