#include "platform/CameraAccessRequest.h"

#include "platform/Platform.h"

#include <QCoreApplication>
#include <QPointer>

namespace {

constexpr double kAnswerDelay = 0.01;

} // namespace

void requestCameraAccess(QObject* context, std::function<void(bool granted)> answered) {
    QPointer<QObject> guard(context);
    platform().cameraAccess->requestAccess([guard, answered](bool granted) {
        // Runs at once when the answer comes on the main thread, else is
        // queued to it.
        QMetaObject::invokeMethod(QCoreApplication::instance(), [guard, answered, granted] {
            platform().loop->after(kAnswerDelay, [guard, answered, granted] {
                if (guard) answered(granted);
            });
        });
    });
}
