#pragma once

#include <QImage>
#include <QRectF>
#include <QStringList>

// Reads the QR codes of one video frame within region (fractions of the
// frame's width and height); what lies outside it is not looked at, so a code
// reaching out of it is not read. Cheap enough to run on every frame on the
// main thread. The texts come in the order the codes were found, each once.
QStringList readQrCodesInRegion(const QImage& frame, const QRectF& region = QRectF(0, 0, 1, 1));

// Reads every QR code of a still picture such as a photograph taken at an
// angle: tries harder than the frame reader, in every rotation, on the
// picture and on ever smaller copies of it, and gathers what each finds.
QStringList readQrCodesInPicture(const QImage& picture);
