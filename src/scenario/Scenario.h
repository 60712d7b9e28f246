#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// One line of a scenario file: what to do or check, and its arguments.
struct ScenarioStep {
    enum Kind {
        Tap,
        TapRow,
        Tick,
        SwipeDelete,
        Scroll,
        Pinch,
        Back,
        ExpectScreen,
        ExpectAlert,
        Press,
        Key,
        Type,
        ExpectText,
        ExpectNoText,
        ExpectRows,
        ExpectRow,
        ExpectEnabled,
        ExpectDisabled,
        Qr,
        Photo,
        Camera,
        Wait,
        Timeout,
        Screenshot,
    };

    Kind kind = Tap;
    int line = 0;
    QString source; // the line as written, trimmed, for reports
    QString text;   // the widget, title, button, text, file or picture name; for
                    // camera: the picture, or "none", "unplug" or "plug"
    QString list;   // the list's object name, for the row steps
    int row = 0;
    int pixels = 0;                 // scroll: how far the finger drags, downwards (up when below 0)
    double factor = 1;              // pinch: how far apart the fingers end, to how far they start
    std::optional<QString> message; // expect alert: the message, when one is given
    double seconds = 0;
};

// A scenario read from its file: the steps in order.
struct Scenario {
    QString file;
    std::vector<ScenarioStep> steps;

    // Returns true iff a step feeds the camera or the QR reader.
    bool usesCamera() const;
};

// Reads a scenario file. Relative picture files are taken from the file's
// folder and must exist; screenshot steps need a screenshots folder. On any
// fault returns none and puts one "FILE:LINE: what is wrong" per fault into
// errors.
std::optional<Scenario> readScenario(const QString& file, bool hasScreenshotFolder,
                                     QStringList& errors);
