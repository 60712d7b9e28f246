#pragma once

// How long each server request may take, in seconds. The production values
// live here alone; tests shorten them for their scope with NetTimeoutsScope.
struct NetTimeouts {
    double inspectorLookup = 10;
    // A blocking case lookup must end: a server that accepts the connection
    // and never answers would otherwise freeze the app for good.
    double caseLookup = 60;
    double upload = 60;
};

// Returns the time-outs in use.
const NetTimeouts& netTimeouts();

// Uses other time-outs for its lifetime and restores the earlier ones after.
class NetTimeoutsScope {
  public:
    explicit NetTimeoutsScope(const NetTimeouts& timeouts);
    ~NetTimeoutsScope();
    NetTimeoutsScope(const NetTimeoutsScope&) = delete;
    NetTimeoutsScope& operator=(const NetTimeoutsScope&) = delete;

  private:
    NetTimeouts previous_;
};
