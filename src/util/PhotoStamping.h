#pragma once

#include <QSize>
#include <QtGlobal>

// Size arithmetic of PublicFunction::imageByShrinkingWithWidthWithHeight,
// shared with the taken-photo pipeline so that both give the same size.

// The ratio by which a picture of this size is scaled to fit
// maxWidth x maxHeight, in single precision; above 1 it fits already.
float shrinkRatio(const QSize& size, qreal maxWidth, qreal maxHeight);

// The whole-pixel size of a picture of this size scaled by ratio. Each side
// rounds to the nearest pixel, halves up (562.5 -> 563), and is at least 1:
// the float product for a 1000-pixel side can land just under 1000, which
// truncation would turn into 999.
QSize scaledPixelSize(const QSize& size, float ratio);

// The size imageByShrinkingWithWidthWithHeight gives a picture of this size.
QSize shrunkPixelSize(const QSize& size, qreal maxWidth, qreal maxHeight);
