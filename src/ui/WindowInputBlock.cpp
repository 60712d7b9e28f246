#include "ui/WindowInputBlock.h"

#include "platform/qt/QtAlertPresenter.h"

#include <QCoreApplication>
#include <QEvent>

namespace {

bool isUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::TabletMove:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
        return true;
    default:
        return false;
    }
}

} // namespace

WindowInputBlock::WindowInputBlock(QWidget* window) : window_(window) {
    QCoreApplication::instance()->installEventFilter(this);
}

WindowInputBlock::~WindowInputBlock() {
    QCoreApplication::instance()->removeEventFilter(this);
}

bool WindowInputBlock::eventFilter(QObject* watched, QEvent* event) {
    if (!window_ || !isUserInput(event->type()) || !watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != window_) return false;
    // An alert stands inside the window and still takes its answer.
    if (QWidget* alert = QtAlertPresenter::currentLayer(window_);
        alert && alert->isAncestorOf(widget))
        return false;
    // An accepted override keeps a key from triggering shortcuts as well.
    if (event->type() == QEvent::ShortcutOverride) event->accept();
    return true;
}
