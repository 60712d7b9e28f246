#pragma once

#include <QByteArray>

// Whether the bytes are a whole JPEG: the start-of-image marker, every segment
// complete, and the end-of-image marker after the image data. A JPEG cut short
// still decodes (the missing part grey), so decoding alone cannot tell.
bool isWholeJpeg(const QByteArray& bytes);
