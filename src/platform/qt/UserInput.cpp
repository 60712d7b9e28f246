#include "platform/qt/UserInput.h"

#include <QInputEvent>

bool isUserInput(const QEvent* event) {
    switch (event->type()) {
    case QEvent::Shortcut:
    case QEvent::InputMethod:
        return true;
    default:
        return dynamic_cast<const QInputEvent*>(event) != nullptr;
    }
}
