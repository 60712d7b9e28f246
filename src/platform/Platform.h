#pragma once

#include "platform/Alert.h"
#include "platform/Camera.h"
#include "platform/Device.h"
#include "platform/Http.h"
#include "platform/Location.h"
#include "platform/MainLoop.h"
#include "platform/PictureChooser.h"
#include "platform/ProgressIndicator.h"
#include "platform/QrCapture.h"
#include "platform/Reachability.h"
#include "platform/Settings.h"

// Every service the app needs from the outside world. main() wires the Qt
// implementations; tests install fakes for the scope of a test. The services
// are owned elsewhere and outlive the scope that installs them.
struct Platform {
    AlertPresenter* alerts = nullptr;
    ProgressIndicator* indicator = nullptr; // none until the app has a window
    CameraAccess* cameraAccess = nullptr;
    CameraPicker* cameraPicker = nullptr;
    PictureChooser* pictureChooser = nullptr; // none where the device offers no files
    QrCaptureFactory* qrCapture = nullptr;
    LocationProvider* location = nullptr;
    Reachability* reachability = nullptr;
    HttpClient* http = nullptr;
    SettingsStore* settings = nullptr;
    DocumentsFolder* documents = nullptr;
    MainLoop* loop = nullptr;
    Clock* clock = nullptr;
    SoundPlayer* sound = nullptr;
    SystemActions* system = nullptr;
    DeviceFacts* device = nullptr;
    Log* log = nullptr;
};

// Returns the services in use. Aborts with a message when none are installed.
Platform& platform();

// Installs services for its lifetime and restores the earlier ones after.
// The Platform is used in place (not copied): changing one of its pointers
// while the scope lasts swaps that service.
class PlatformScope {
  public:
    explicit PlatformScope(Platform& services);
    ~PlatformScope();
    PlatformScope(const PlatformScope&) = delete;
    PlatformScope& operator=(const PlatformScope&) = delete;

  private:
    Platform* previous_;
};

// Writes a log line through the installed log.
void logLine(const QString& text);
// Writes a diagnostic line (a request's address, a server's raw answer: they
// carry the inspector's ID) through the installed log, only while the
// "inspector.diagnostics" logging category is on: --verbose, or
// QT_LOGGING_RULES="inspector.diagnostics.debug=true".
void diagnosticLine(const QString& text);
