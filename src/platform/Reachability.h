#pragma once

#include <functional>

// Watches the general internet connection.
class Reachability {
  public:
    enum Status { NotReachable = 0, ReachableViaWiFi = 1, ReachableViaWWAN = 2 };
    virtual ~Reachability() = default;
    virtual Status currentStatus() const = 0;
    // Starts delivering change notices on the main thread.
    virtual void startNotifier(std::function<void()> changed) = 0;
};
