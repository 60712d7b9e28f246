#pragma once

#include "platform/Device.h"

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
