#pragma once

#include "net/ServerAnswers.h"
#include "store/CaseRecord.h"

#include <QString>
#include <memory>
#include <optional>
#include <set>

struct UploadOutcome;

// The cases ticked on the records screen; a tick belongs to its case.
using TickedCases = std::set<std::shared_ptr<CaseRecord>>;

// What the sending run asks of the screen that shows it: alerts, the
// progress overlay and a fresh look at the list.
class SendingRunHost {
  public:
    enum class Notice { NothingTicked, Refused, Stopped, Summary };

    virtual ~SendingRunHost() = default;
    // Shows an alert of this kind; the answer to a Refused, Stopped or
    // Summary alert comes back through SendingRun::noticeDismissed().
    virtual void showRunNotice(Notice kind, const QString& title, const QString& message) = 0;
    // Shows the progress overlay with this label.
    virtual void showRunProgress(const QString& label) = 0;
    // Hides the progress overlay.
    virtual void hideRunProgress() = 0;
    // Shows on the overlay the case's place in the run, the run's size and its
    // equipment number.
    virtual void showRunStep(int place, int count, const QString& equipment) = 0;
    // Fills the overlay's bar to sent of total bytes of the current upload.
    virtual void showRunShare(qint64 sent, qint64 total) = 0;
    // Draws the list again, as a case's state has changed.
    virtual void runChangedCases() = 0;
    // Keeps the version and download address of the app a lookup named.
    virtual void runLearnedVersion(const std::optional<QString>& version,
                                   const std::optional<QString>& url) = 0;
};

// A sending run: the ticked cases of the list, one at a time in list order, a
// blocking case lookup and then the upload; a summary at the end. A case the
// server took is marked sent and saved before the next is looked up.
class SendingRun {
  public:
    // The run over cases (in the order shown) and the ticks on them; both
    // belong to the screen and outlive the run.
    SendingRun(SendingRunHost& host, const CaseList& cases, TickedCases& ticked);
    ~SendingRun();
    SendingRun(const SendingRun&) = delete;
    SendingRun& operator=(const SendingRun&) = delete;

    // Starts a run against the server at serverIp, or says that nothing is
    // ticked.
    void start(const QString& serverIp);
    // Goes on from the current position to the next ticked case not yet sent,
    // or ends the run with its summary when none is left.
    void send();
    // Steps past the current case and goes on.
    void sendNext();
    // Takes the upload's answer for the current case.
    void sendFinish(const UploadAnswer& answer);
    // Stops the run after a failed upload, telling the inspector.
    void connectionDidFailWithError(const QString& error);
    // Takes the inspector's dismissal of a notice the run showed.
    void noticeDismissed(SendingRunHost::Notice kind);
    // The position in the list of the case being sent; 0 between runs.
    int position() const { return position_; }

  private:
    void handleCase(const std::shared_ptr<CaseRecord>& record);
    void uploadCase(const std::shared_ptr<CaseRecord>& record, const CaseLookupAnswer& answer);
    void uploadEnded(const UploadOutcome& outcome);
    void stopRun(const QString& title, const QString& message);
    void summarise();
    void endOfRun();
    void saveRunState();

    SendingRunHost& host_;
    const CaseList& cases_;
    TickedCases& ticked_;
    QString serverIp_;
    int position_ = 0;
    int looked_ = 0;
    int sent_ = 0;
    int refused_ = 0;
    // Expires when the run goes, so that late answers reach nothing.
    std::shared_ptr<SendingRun*> alive_;
};
