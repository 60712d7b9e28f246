#include "qr/VideoFrame.h"

#include <QPainter>
#include <QTransform>
#include <gtest/gtest.h>

namespace {

// An upright scene of the given size in four coloured quarters, so that a
// turn or a mirror image shows: red top left, green top right, blue bottom
// left, yellow bottom right.
QImage scene(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    const int w = size.width() / 2;
    const int h = size.height() / 2;
    painter.fillRect(0, 0, w, h, Qt::red);
    painter.fillRect(w, 0, size.width() - w, h, Qt::green);
    painter.fillRect(0, h, w, size.height() - h, Qt::blue);
    painter.fillRect(w, h, size.width() - w, size.height() - h, Qt::yellow);
    return image;
}

QImage turned(const QImage& image, int degrees) {
    return image.transformed(QTransform().rotate(degrees));
}

struct Camera {
    const char* name;
    QImage picture; // what the camera hands over
    int rotationDegrees;
    bool mirrored;
};

TEST(VideoFrame, CameraPicturesShowUprightWhateverTheCameraOrientation) {
    const QImage landscape = scene({800, 600});
    const QImage portrait = scene({600, 800});
    const Camera cameras[] = {
        {"landscape webcam", landscape, 0, false},
        {"portrait camera", portrait, 0, false},
        {"phone camera, a quarter turn off", turned(portrait, -90), 90, false},
        {"upside down", turned(landscape, 180), 180, false},
        {"three quarters off", turned(portrait, 90), 270, false},
        {"front camera", landscape.mirrored(true, false), 0, true},
        {"front camera of a phone", turned(portrait, -90).mirrored(true, false), 90, true},
    };
    for (const Camera& camera : cameras) {
        SCOPED_TRACE(camera.name);
        const QImage frame =
            videoFrameFromCamera(camera.picture, camera.rotationDegrees, camera.mirrored);
        EXPECT_EQ(frame.size(), kVideoFrameSize);
        const QImage shown = imageFromSampleBuffer(frame);
        ASSERT_EQ(shown.size(), QSize(480, 640));
        EXPECT_EQ(shown.pixelColor(100, 100), QColor(Qt::red));
        EXPECT_EQ(shown.pixelColor(380, 100), QColor(Qt::green));
        EXPECT_EQ(shown.pixelColor(100, 540), QColor(Qt::blue));
        EXPECT_EQ(shown.pixelColor(380, 540), QColor(Qt::yellow));
    }
}

} // namespace
