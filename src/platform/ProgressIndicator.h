#pragma once

#include <QString>

// The turning indicator that covers the app's window while it works on
// something the inspector must wait for; it takes no input while it shows.
class ProgressIndicator {
  public:
    virtual ~ProgressIndicator() = default;
    // Shows the indicator with label (none when empty), replacing one that shows.
    virtual void start(const QString& label) = 0;
    // Removes the indicator, if one shows.
    virtual void stop() = 0;
};
