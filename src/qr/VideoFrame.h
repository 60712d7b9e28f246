#pragma once

#include <QImage>
#include <QSize>

// The capture's frames: 640 x 480 landscape, two a second.
inline constexpr QSize kVideoFrameSize{640, 480};
inline constexpr double kVideoFrameInterval = 0.5;

// The still picture of a frame as the user saw it: the landscape frame turned
// a quarter turn clockwise, so that it stands upright on a phone held upright.
QImage imageFromSampleBuffer(const QImage& frame);
