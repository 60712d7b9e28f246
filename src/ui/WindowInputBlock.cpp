#include "ui/WindowInputBlock.h"

#include "platform/qt/QtAlertPresenter.h"
#include "platform/qt/UserInput.h"

#include <QCoreApplication>
#include <QEvent>

WindowInputBlock::WindowInputBlock(QWidget* window) : window_(window) {
    QCoreApplication::instance()->installEventFilter(this);
}

WindowInputBlock::~WindowInputBlock() {
    QCoreApplication::instance()->removeEventFilter(this);
}

bool WindowInputBlock::eventFilter(QObject* watched, QEvent* event) {
    if (!window_ || !isUserInput(event) || !watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != window_) return false;
    // An alert stands inside the window and still takes its answer.
    if (QWidget* alert = QtAlertPresenter::currentLayer(window_);
        alert && alert->isAncestorOf(widget))
        return false;
    event->accept(); // an accepted shortcut override stops the shortcut too
    return true;
}
