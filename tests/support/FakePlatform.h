#pragma once

#include "platform/Platform.h"
#include "support/FakeAlerts.h"
#include "support/FakeServices.h"
#include "support/VirtualClock.h"

#include <QTemporaryDir>

// Every platform service as a fake, installed for the lifetime of the object,
// with a fresh temporary documents folder.
class FakePlatform : public DocumentsFolder {
  public:
    FakePlatform();
    QString path() const override { return documentsDir.path(); }

    FakeAlerts alerts;
    FakeIndicator indicator;
    FakeCamera camera;
    FakePictureChooser pictures;
    FakeLocation location;
    FakeReachability reachability;
    FakeHttp http;
    FakeSettings settings;
    VirtualClock clock;
    FakeSound sound;
    FakeSystem system;
    FakeDevice device;
    RecordingLog log;
    QTemporaryDir documentsDir;
    // The installed services; a test may swap one (a QR capture, real HTTP).
    Platform services;

  private:
    PlatformScope scope_;
};
