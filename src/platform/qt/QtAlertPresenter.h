#pragma once

#include "platform/Alert.h"

#include <QDialog>
#include <QPointer>
#include <QWidget>
#include <deque>
#include <functional>

// Alerts as Qt dialogs over the app's window, one at a time; buttons run left
// to right in index order.
class QtAlertPresenter : public AlertPresenter {
  public:
    // The window alerts stand over; an alert waits until it is on screen.
    void setWindow(std::function<QWidget*()> window) { window_ = std::move(window); }
    void present(Alert alert) override;
    // The dialog on screen, if any (for screenshots and scripted runs).
    QDialog* currentDialog() const { return dialog_; }

  private:
    void showNext();

    std::function<QWidget*()> window_;
    QPointer<QDialog> dialog_;
    std::deque<Alert> waiting_;
};
