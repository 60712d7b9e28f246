#pragma once

#include <QObject>
#include <functional>

// Asks for access to the camera and hands the answer to answered on the main
// thread, 0.01 s after it came (the platform may answer on any thread).
// Nothing is called once context has gone.
void requestCameraAccess(QObject* context, std::function<void(bool granted)> answered);
