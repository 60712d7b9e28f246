#pragma once

#include "app/AppOptions.h"
#include "platform/Platform.h"
#include "platform/qt/QtAlertPresenter.h"
#include "platform/qt/QtCamera.h"
#include "platform/qt/QtHttpClient.h"
#include "platform/qt/QtLocation.h"
#include "platform/qt/QtMainLoop.h"
#include "platform/qt/QtPictureChooser.h"
#include "platform/qt/QtReachability.h"
#include "platform/qt/QtSettings.h"
#include "platform/qt/QtSystem.h"

// The folder of the stored cases the options name.
QString documentsPath(const AppOptions& options);

// The real platform services of the desktop app, set up from its options.
// The QR capture is left for main() to add.
class QtServices {
  public:
    explicit QtServices(const AppOptions& options);

    Platform platform;
    QtAlertPresenter alerts;
    QtCamera camera;
    QtPictureChooser pictures;

  private:
    QtMainLoop loop_;
    SystemClock clock_;
    QtSettingsStore settings_;
    DirectoryDocuments documents_;
    QtHttpClient http_;
    QtSoundPlayer sound_;
    QtSystemActions system_;
    ConfiguredDevice device_;
    StderrLog log_;
    QtLocationProvider location_;
    QtReachability reachability_;
};
