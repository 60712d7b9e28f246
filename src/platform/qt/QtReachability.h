#pragma once

#include "platform/Reachability.h"

// Reachability from QNetworkInformation. Where no backend exists the network
// counts as reachable; `offline` pins it to not reachable.
class QtReachability : public Reachability {
  public:
    explicit QtReachability(bool offline) : offline_(offline) {}
    Status currentStatus() const override;
    void startNotifier(std::function<void()> changed) override;

  private:
    bool offline_;
};
