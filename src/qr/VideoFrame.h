#pragma once

#include <QImage>
#include <QSize>

// The capture's frames: 640 x 480 landscape, two a second.
inline constexpr QSize kVideoFrameSize{640, 480};
inline constexpr double kVideoFrameInterval = 0.5;

// The still picture of a frame as the user saw it: the landscape frame turned
// a quarter turn clockwise, so that it stands upright on a phone held upright.
QImage imageFromSampleBuffer(const QImage& frame);

// The capture's frame of one camera picture, whatever way the camera stands:
// the picture is turned upright (mirrored first when the camera says so, then
// turned clockwise by rotationDegrees), the middle of it that fills a portrait
// 480 x 640 screen is kept, and that is laid a quarter turn counter-clockwise
// into the 640 x 480 frame, so that imageFromSampleBuffer shows it upright.
QImage videoFrameFromCamera(const QImage& picture, int rotationDegrees, bool mirrored);
