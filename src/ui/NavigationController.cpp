#include "ui/NavigationController.h"

#include "ui/NavigationBar.h"
#include "ui/ViewController.h"

#include <QStackedLayout>
#include <QVBoxLayout>

NavigationController::NavigationController(QWidget* parent)
    : QWidget(parent), bar_(new NavigationBar(this)), pages_(new QStackedLayout) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar_);
    layout->addLayout(pages_, 1);
    connect(bar_, &NavigationBar::backPressed, this, [this] { popViewControllerAnimated(true); });
}

void NavigationController::pushViewController(ViewController* screen, bool animated) {
    if (!screen || stack_.contains(screen)) return;
    ViewController* previous = topViewController();
    screen->navigation_ = this;
    screen->loadViewIfNeeded();
    stack_.append(screen);
    pages_->addWidget(screen);
    connect(screen, &ViewController::navigationItemChanged, this, [this, screen] {
        if (screen == topViewController()) refreshBar();
    });
    showTop(previous, animated);
}

ViewController* NavigationController::popViewControllerAnimated(bool animated) {
    if (stack_.size() < 2) return nullptr;
    ViewController* leaving = topViewController();
    removeViewController(leaving);
    Q_UNUSED(animated);
    return leaving;
}

void NavigationController::removeViewController(ViewController* screen) {
    const qsizetype index = stack_.indexOf(screen);
    if (index < 0) return;
    const bool wasTop = screen == topViewController();
    if (wasTop) screen->viewWillDisappear(false);
    stack_.removeAt(index);
    pages_->removeWidget(screen);
    screen->navigation_ = nullptr;
    screen->disconnect(this);
    if (wasTop)
        showTop(nullptr, false);
    else
        refreshBar();
    screen->hide();
    screen->deleteLater();
}

void NavigationController::showTop(ViewController* previous, bool animated) {
    if (previous) previous->viewWillDisappear(animated);
    ViewController* top = topViewController();
    refreshBar();
    if (!top) return;
    top->viewWillAppear(animated);
    pages_->setCurrentWidget(top);
}

void NavigationController::refreshBar() {
    const qsizetype n = stack_.size();
    const QString back = n >= 2 ? stack_[n - 2]->backBarButtonTitle() : QString();
    bar_->showItem(topViewController(), n >= 2 && back.isEmpty() ? stack_[n - 2]->title() : back);
}

void NavigationController::setNavigationBarHidden(bool hidden, bool animated) {
    Q_UNUSED(animated);
    bar_->setVisible(!hidden);
}

bool NavigationController::isNavigationBarHidden() const {
    return bar_->isHidden();
}

void NavigationController::applyAppearance() {
    bar_->applyAppearance();
}
