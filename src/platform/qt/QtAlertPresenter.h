#pragma once

#include "platform/Alert.h"

#include <QDialog>
#include <QPointer>
#include <QWidget>
#include <deque>
#include <functional>

// Alerts as boxes inside the app's window, one at a time, over a dimmed layer
// that takes every click meant for the screens below. Being part of the
// window, an alert moves with it and never keeps the window from closing.
// Buttons run left to right in index order; the last one is the preferred
// one (shown bold): Enter presses it, or the button that has the focus;
// Escape presses the cancel button when there is one; Tab moves between the
// text field and the buttons.
class QtAlertPresenter : public AlertPresenter {
  public:
    // The window alerts stand in; an alert waits until it is on screen.
    void setWindow(std::function<QWidget*()> window) { window_ = std::move(window); }
    void present(Alert alert) override;
    // The dialog on screen, if any (for screenshots and scripted runs).
    QDialog* currentDialog() const { return dialog_; }

    // Raises widget (an overlay or a popover of window) as high as it can go
    // without covering an alert that shows in window.
    static void raiseBelowAlerts(QWidget* widget);
    // The layer of the alert that shows in window, or none.
    static QWidget* currentLayer(QWidget* window);
    // Stands the alert that shows in window clear of covered (in window's
    // coordinates), the part an on-screen keyboard hides: centred in what is
    // left above it, or in the whole window again when covered is empty.
    // The alert follows the input method's keyboard by itself; this sets
    // the covered part until that keyboard next comes, moves or goes.
    static void keepAlertClearOf(QWidget* window, const QRect& covered);

  private:
    void showNext();

    std::function<QWidget*()> window_;
    QPointer<QDialog> dialog_;
    std::deque<Alert> waiting_;
};
