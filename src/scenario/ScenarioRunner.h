#pragma once

#include "scenario/Scenario.h"
#include "scenario/VirtualCameraCommand.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>

class QDialog;
class ScenarioScreen;

// Where a scenario meets the app: its window, the alert on screen, and the
// camera and QR reader it feeds.
struct ScenarioHooks {
    std::function<QWidget*()> window;
    std::function<QDialog*()> alert;
    // The next QR reader that opens sees this picture file.
    std::function<void(const QString& file)> showQrPicture;
    // The next photo the camera returns is this JPEG file.
    std::function<void(const QString& file)> returnPhoto;
    QString screenshotFolder;
    // Taps and drags are touches of a touch screen, not mouse clicks.
    bool touch = false;
};

// Performs the steps of a scenario on the running app, one after another on
// its event loop. A step that checks something passes as soon as it holds
// and fails when it still does not after the time-out; the first failure
// ends the app with status 1 and a report of what is on screen.
class ScenarioRunner : public QObject {
    Q_OBJECT
  public:
    static constexpr double kDefaultTimeout = 10;
    static constexpr int kRunLimitMs = 15 * 60 * 1000;

    ScenarioRunner(Scenario scenario, ScenarioHooks hooks);
    void start();
    // The status the process ends with once the app's event loop returned
    // appStatus: a failure, or the app ending before the last step, is 1.
    int conclude(int appStatus);

  private:
    struct Outcome {
        Outcome(bool done, QString reason = {}, bool hopeless = false)
            : done(done), reason(std::move(reason)), hopeless(hopeless) {}
        bool done = false;
        QString reason;        // why it does not hold (yet)
        bool hopeless = false; // waiting cannot help
    };

    void tick();
    Outcome attempt(const ScenarioStep& step);
    Outcome act(const ScenarioStep& step, const ScenarioScreen& screen);
    // Presses the named key where the keyboard is.
    Outcome pressKeyStep(const QString& name);
    Outcome check(const ScenarioStep& step, const ScenarioScreen& screen) const;
    Outcome tapRow(const ScenarioStep& step, const ScenarioScreen& screen);
    // Drags the list once, then holds until it has come to rest.
    Outcome scroll(const ScenarioStep& step, const ScenarioScreen& screen);
    // Pinches the top screen's zoom area.
    Outcome pinch(const ScenarioStep& step, const ScenarioScreen& screen);
    Outcome checkRows(const ScenarioStep& step, const ScenarioScreen& screen) const;
    Outcome screenshot(const QString& name, const ScenarioScreen& screen);
    // Has the virtual camera show a picture (or nothing), or unplug or plug it.
    Outcome cameraStep(const QString& what);
    void pass();
    void finish();
    void fail(const QString& reason);

    Scenario scenario_;
    ScenarioHooks hooks_;
    QTimer ticker_;
    QTimer runLimit_;
    QElapsedTimer stepClock_;
    size_t next_ = 0;
    bool stepStarted_ = false;
    bool stepActed_ = false; // the step's input has been given; it waits for its effect
    bool failed_ = false;
    double timeout_ = kDefaultTimeout;
    int screenshots_ = 0;
    VirtualCameraCommand camera_;
};
