#pragma once

#include "util/PlistValue.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <optional>

// One photo of a case: the stamped JPEG, when it was taken and where.
struct PhotoEntry {
    QByteArray photo; // JPEG
    QDateTime imgTime;
    float lat = 0; // degrees; 0 when no position was known
    float lon = 0;
    PlistDict extra; // keys read from a file that this version does not know

    // The file form: a dictionary with "photo" (data), "imgTime" (date),
    // "lat" and "lon" (reals).
    PlistDict toPlist() const;
    // Reads what it can; a field of the wrong type is kept in extra.
    static PhotoEntry fromPlist(const PlistDict& dict);

    bool operator==(const PhotoEntry&) const = default;
};

using PhotoList = QList<PhotoEntry>;

PlistValue::Array photoListToPlist(const PhotoList& photos);
// Entries that are not dictionaries cannot be photos and are left out.
PhotoList photoListFromPlist(const PlistValue::Array& items);

// A case's photo file: the inspector-in-frame photo, the site photos and the
// maintenance-order photos.
struct PhotoFile {
    std::optional<PhotoEntry> topPhoto;
    PhotoList photos;
    PhotoList photos_1;
    PlistDict extra; // keys read from the file that this version does not know

    bool isEmpty() const { return !topPhoto && photos.isEmpty() && photos_1.isEmpty(); }
    PlistDict toPlist() const;
    static PhotoFile fromPlist(const PlistDict& dict);

    bool operator==(const PhotoFile&) const = default;
};
