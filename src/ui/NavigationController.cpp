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
    remove(leaving, animated);
    return leaving;
}

void NavigationController::removeViewController(ViewController* screen) {
    remove(screen, false);
}

void NavigationController::remove(ViewController* screen, bool animated) {
    const qsizetype index = stack_.indexOf(screen);
    if (index < 0) return;
    const bool wasTop = screen == topViewController();
    if (wasTop) screen->viewWillDisappear(animated);
    stack_.removeAt(index);
    pages_->removeWidget(screen);
    screen->navigation_ = nullptr;
    screen->disconnect(this);
    if (wasTop)
        showTop(nullptr, animated);
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
    bar_->showItem(topViewController(), n >= 2 ? backTitleFor(stack_[n - 2]) : QString());
}

QString NavigationController::backTitleFor(const ViewController* below) {
    // A screen can always be left from the bar, even over a screen that
    // names itself nowhere.
    if (!below->backBarButtonTitle().isEmpty()) return below->backBarButtonTitle();
    if (!below->title().isEmpty()) return below->title();
    return QStringLiteral("返回");
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
