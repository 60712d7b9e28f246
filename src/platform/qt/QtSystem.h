#pragma once

#include "platform/Device.h"

#include <QTemporaryDir>
#include <memory>

// The device the app pretends to be, chosen at start.
class ConfiguredDevice : public DeviceFacts {
  public:
    ConfiguredDevice(bool tablet, QSizeF screenSize, QString systemVersion);
    bool isTablet() const override { return tablet_; }
    QSizeF screenSize() const override { return size_; }
    QString systemVersion() const override { return version_; }

  private:
    bool tablet_;
    QSizeF size_;
    QString version_;
};

class QtSoundPlayer : public SoundPlayer {
  public:
    bool play(const QString& resource, std::function<void()> finished) override;
};

class QtSystemActions : public SystemActions {
  public:
    bool openUrl(const QUrl& url) override;
    void exitProcess(int status) override;
};

// Log lines on standard error.
class StderrLog : public Log {
  public:
    void line(const QString& text) override;
};

// Qt wants a private runtime folder (XDG_RUNTIME_DIR) for a GUI application
// and warns on stderr when the session has none, as on a headless machine or
// from a plain shell. Gives this process a fresh one when it has none, before
// the application object is made; the folder goes with the returned object.
std::unique_ptr<QTemporaryDir> providePrivateRuntimeFolder();
