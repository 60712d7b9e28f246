#pragma once

#include <QString>
#include <QtGlobal>

// The turning indicator that covers the app's window while it works on
// something the inspector must wait for; it takes no input while it shows.
class ProgressIndicator {
  public:
    virtual ~ProgressIndicator() = default;
    // Shows the indicator with label (none when empty), replacing one that shows.
    virtual void start(const QString& label) = 0;
    // Removes the indicator, if one shows.
    virtual void stop() = 0;
    // Shows under the label which item of a run is under way ("第 place /
    // count 筆") and its name, with an empty bar for its transfer.
    virtual void showStep(int place, int count, const QString& name) = 0;
    // Fills the bar to the share done of total (bytes) of the current item.
    virtual void showShare(qint64 done, qint64 total) = 0;
    // While the main thread is blocked on a wait: shows label with a spinner
    // (over whatever shows) and draws the window at once; each further call
    // turns the spinner and draws again.
    virtual void showBlockedWait(const QString& label) = 0;
    // Ends what showBlockedWait showed.
    virtual void endBlockedWait() = 0;
};
