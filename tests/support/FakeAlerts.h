#pragma once

#include "platform/Alert.h"

#include <deque>

// Keeps presented alerts in order; the first is "on screen" until a test
// presses one of its buttons.
class FakeAlerts : public AlertPresenter {
  public:
    void present(Alert alert) override { queue_.push_back(std::move(alert)); }

    bool showing() const { return !queue_.empty(); }
    // The alert on screen; fails the test when there is none.
    const Alert& current() const;
    // Presses the button with this index (typing text into the field first).
    void press(int index, const QString& text = {});
    // Presses the button with this title.
    void press(const QString& title, const QString& text = {});
    std::size_t count() const { return queue_.size(); }

  private:
    std::deque<Alert> queue_;
};
