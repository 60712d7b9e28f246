#include "platform/qt/UserInput.h"

#include <QGuiApplication>
#include <QInputEvent>
#include <QThread>

namespace {

// Swallows the user input sent to anything in the app while it lives.
class InputSwallow : public QObject {
  public:
    InputSwallow() { QCoreApplication::instance()->installEventFilter(this); }
    ~InputSwallow() override { QCoreApplication::instance()->removeEventFilter(this); }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (!isUserInput(event)) return false;
        event->accept(); // an accepted shortcut override stops the shortcut too
        return true;
    }
};

} // namespace

bool isUserInput(const QEvent* event) {
    switch (event->type()) {
    case QEvent::Shortcut:
    case QEvent::InputMethod:
        return true;
    default:
        return dynamic_cast<const QInputEvent*>(event) != nullptr;
    }
}

void dropInputQueuedMeanwhile() {
    // Without a window system there is no user input.
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app || QThread::currentThread() != app->thread()) return;
    const InputSwallow swallow;
    // One turn that does not wait hands over everything the window system
    // has queued, together with the events already posted to the main
    // thread. Timers and sockets are left to the main loop, so no delayed
    // work of the app runs before the blocking caller has its answer.
    QCoreApplication::processEvents(QEventLoop::X11ExcludeTimers |
                                    QEventLoop::ExcludeSocketNotifiers);
}
