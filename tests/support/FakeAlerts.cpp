#include "support/FakeAlerts.h"

#include <gtest/gtest.h>

const Alert& FakeAlerts::current() const {
    if (queue_.empty()) {
        ADD_FAILURE() << "no alert on screen";
        static const Alert none;
        return none;
    }
    return queue_.front();
}

void FakeAlerts::press(int index, const QString& text) {
    if (queue_.empty()) {
        ADD_FAILURE() << "no alert on screen to press " << index;
        return;
    }
    Alert alert = std::move(queue_.front());
    queue_.pop_front();
    if (index < 0 || index >= alert.buttonTitles().size()) {
        ADD_FAILURE() << "alert has no button " << index;
        return;
    }
    if (alert.onButton) alert.onButton(index, text);
}

void FakeAlerts::press(const QString& title, const QString& text) {
    const int index = current().buttonTitles().indexOf(title);
    if (index < 0) {
        ADD_FAILURE() << "alert has no button " << title.toStdString();
        return;
    }
    press(index, text);
}
