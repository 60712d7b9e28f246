#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>

// What the photo screens store for a camera shot: the camera's JPEG shrunk
// to fit 1000 x 1000 and upright, stamped with the check number and, for the
// photo with the inspector in frame, his name, then encoded as JPEG at
// quality 100. None, with a log line saying why, when the bytes are not a
// whole picture. Decodes once at a reduced scale and encodes once, so it
// takes little more than decoding the camera file does.
std::optional<QByteArray> stampTakenPhoto(const QByteArray& cameraJpeg, const QString& chkno,
                                          const std::optional<QString>& inspectorName);

// The stored JPEG together with the stamped picture it was encoded from, so
// that a screen can show the photo without decoding it again.
struct StampedPhoto {
    QByteArray jpeg;
    QImage image;
};
std::optional<StampedPhoto> stampTakenPhotoWithImage(const QByteArray& cameraJpeg,
                                                     const QString& chkno,
                                                     const std::optional<QString>& inspectorName);

// The picture as JPEG at quality 0-100 (4:2:0 chroma); none when it cannot
// be encoded.
std::optional<QByteArray> encodeJpeg(const QImage& image, int quality);
