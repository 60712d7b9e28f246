#pragma once

#include <QSizeF>
#include <QString>
#include <QUrl>
#include <functional>

// Facts about the device the app runs on.
class DeviceFacts {
  public:
    virtual ~DeviceFacts() = default;
    virtual bool isTablet() const = 0;
    // The main screen's size in points.
    virtual QSizeF screenSize() const = 0;
    // The operating system's version, such as "8.0" or "7.1.2".
    virtual QString systemVersion() const = 0;
};

// Plays short sounds from the app's resources.
class SoundPlayer {
  public:
    virtual ~SoundPlayer() = default;
    // Plays the resource; finished runs once on the main thread when it has
    // ended or failed to load. Returns false, and never calls finished, when
    // it cannot play at all (no such resource, no audio output).
    virtual bool play(const QString& resource, std::function<void()> finished) = 0;
};

// Opens a URL in the system browser and ends the process.
class SystemActions {
  public:
    virtual ~SystemActions() = default;
    virtual bool openUrl(const QUrl& url) = 0;
    virtual void exitProcess(int status) = 0;
};

// Diagnostic log lines, never shown to the user.
class Log {
  public:
    virtual ~Log() = default;
    virtual void line(const QString& text) = 0;
};
