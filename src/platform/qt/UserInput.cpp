#include "platform/qt/UserInput.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QInputEvent>
#include <QPointer>
#include <QTimer>

namespace {

// How long after the main loop resumes queued input is still dropped: the
// loop delivers what was queued in its first turns, well within this.
constexpr int kDrainMilliseconds = 100;

class InputDrop;

// The drop now in force, if any.
QPointer<InputDrop>& activeDrop() {
    static QPointer<InputDrop> drop;
    return drop;
}

// An application-wide filter that swallows user input while it lives.
class InputDrop : public QObject {
  public:
    InputDrop() {
        QCoreApplication::instance()->installEventFilter(this);
        QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
        // The glib dispatcher reports a turn with one signal or the other.
        connect(dispatcher, &QAbstractEventDispatcher::awake, this, &InputDrop::loopResumed);
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &InputDrop::loopResumed);
    }
    // Drops input again until the loop has run for a while after now.
    void restart() {
        lift_.stop();
        resumed_ = false;
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (!isUserInput(event)) return false;
        event->accept(); // an accepted shortcut override stops shortcuts too
        return true;
    }

  private:
    void loopResumed() {
        if (resumed_) return;
        resumed_ = true;
        lift_.setSingleShot(true);
        connect(&lift_, &QTimer::timeout, this, &InputDrop::lift, Qt::UniqueConnection);
        lift_.start(kDrainMilliseconds);
    }
    void lift() {
        QCoreApplication::instance()->removeEventFilter(this);
        activeDrop() = nullptr;
        deleteLater();
    }

    QTimer lift_;
    bool resumed_ = false;
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
    if (!QCoreApplication::instance() || !QAbstractEventDispatcher::instance()) return;
    if (InputDrop* drop = activeDrop())
        drop->restart();
    else
        activeDrop() = new InputDrop;
}
