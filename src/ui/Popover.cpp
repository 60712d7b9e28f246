#include "ui/Popover.h"

#include "platform/Platform.h"
#include "platform/qt/QtAlertPresenter.h"
#include "ui/ViewController.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace {
constexpr int kArrowHeight = 10;
constexpr int kMargin = 4;
} // namespace

Popover* Popover::present(ViewController* content, QWidget* anchor, QSize contentSize) {
    QWidget* window = anchor->window();
    const QRect anchorRect(anchor->mapTo(window, QPoint(0, 0)), anchor->size());
    auto* popover =
        new Popover(window, content, anchorRect, contentSize, platform().device->isTablet());
    popover->show();
    QtAlertPresenter::raiseBelowAlerts(popover);
    popover->setFocus();
    return popover;
}

Popover::Popover(QWidget* window, ViewController* content, QRect anchorRect, QSize contentSize,
                 bool arrow)
    : QWidget(window), content_(content), arrow_(arrow) {
    setFocusPolicy(Qt::StrongFocus);
    setGeometry(window->rect());
    const int top = anchorRect.bottom() + 1 + (arrow ? kArrowHeight : 0);
    int left = anchorRect.center().x() - contentSize.width() / 2;
    left = std::clamp(left, kMargin, std::max(kMargin, width() - contentSize.width() - kMargin));
    box_ = QRect(QPoint(left, top), contentSize);
    arrowTip_ = QPoint(anchorRect.center().x(), anchorRect.bottom() + 1);
    content->setParent(this);
    content->setGeometry(box_);
    content->loadViewIfNeeded();
    content->viewWillAppear(true);
    content->show();
}

void Popover::dismiss() {
    if (dismissed_) return;
    dismissed_ = true;
    hide();
    deleteLater();
    if (onDismissed) onDismissed();
}

void Popover::mousePressEvent(QMouseEvent* e) {
    e->accept();
    if (!box_.contains(e->position().toPoint())) dismiss();
}

void Popover::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        e->accept();
        dismiss();
        return;
    }
    QWidget::keyPressEvent(e);
}

void Popover::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(box_.adjusted(-2, -2, 2, 2), 6, 6);
    if (arrow_) {
        QPainterPath arrow;
        arrow.moveTo(arrowTip_);
        arrow.lineTo(arrowTip_ + QPoint(kArrowHeight, kArrowHeight));
        arrow.lineTo(arrowTip_ + QPoint(-kArrowHeight, kArrowHeight));
        arrow.closeSubpath();
        path = path.united(arrow);
    }
    p.fillPath(path, QColor(0x40, 0x40, 0x40));
}
