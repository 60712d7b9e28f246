#pragma once
// Real services for the benchmarks of the screens, on a fresh temporary
// folder, installed for the object's life: alerts, settings (with the
// inspector's name), documents, main loop, clock, a phone and a log. A
// benchmark may add a service to platform before it installs them.
#include "platform/Platform.h"
#include "platform/qt/QtAlertPresenter.h"
#include "platform/qt/QtMainLoop.h"
#include "platform/qt/QtSettings.h"
#include "platform/qt/QtSystem.h"

#include <QTemporaryDir>
#include <optional>

class ScreenServices {
  public:
    explicit ScreenServices(const QString& inspectorName)
        : settings_(dir_.filePath("settings.ini")), documents_(dir_.filePath("Documents")) {
        platform.alerts = &alerts_;
        platform.settings = &settings_;
        platform.documents = &documents_;
        platform.loop = &loop_;
        platform.clock = &clock_;
        platform.device = &device_;
        platform.log = &log_;
        settings_.setString(QStringLiteral("chkerName_preference"), inspectorName);
    }
    // Installs the services until the object goes.
    void install() { scope_.emplace(platform); }

    Platform platform;

  private:
    QTemporaryDir dir_;
    QtAlertPresenter alerts_;
    QtSettingsStore settings_;
    DirectoryDocuments documents_;
    QtMainLoop loop_;
    SystemClock clock_;
    ConfiguredDevice device_{false, {320, 568}, QStringLiteral("8.0")};
    StderrLog log_;
    std::optional<PlatformScope> scope_;
};
