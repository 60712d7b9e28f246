#pragma once

#include <QProcess>
#include <QString>
#include <memory>
#include <optional>

// A command to the virtual camera the app sees (scripts/virtual-camera): the
// camera's folder is PIPEWIRE_RUNTIME_DIR, where the camera's start left a
// link to the script. Runs beside the app's event loop.
class VirtualCameraCommand {
  public:
    // Starts the command for what: a picture file to show, or "none",
    // "unplug" or "plug". Returns what is wrong, or an empty text.
    QString start(const QString& what);
    // None while the command runs; then an empty text when it succeeded, or
    // why it failed.
    std::optional<QString> result();
    bool running() const { return process_ != nullptr; }

  private:
    std::unique_ptr<QProcess> process_;
};
