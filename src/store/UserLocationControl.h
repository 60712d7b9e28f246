#pragma once

// Starts and stops the gathering of positions; the application delegate
// implements it, and the shared state calls it when the GPS switch is set.
class UserLocationControl {
  public:
    virtual ~UserLocationControl() = default;
    // Starts location updates, replacing a service that already runs.
    virtual void startUserLocation() = 0;
    virtual void stopUserLocation() = 0;
};
