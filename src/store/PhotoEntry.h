#pragma once

#include "plist/PlistValue.h"
#include "store/PlistFields.h"

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

// The file form of a photo list: the photos, then the entries read with them
// that are not photos (strays).
PlistValue::Array photoListToPlist(const PhotoList& photos, const PlistValue* strays = nullptr);
// The photos of a list read from a file. Entries that are not dictionaries
// cannot be photos; they are appended to *strays, so that writing the list
// back loses nothing.
PhotoList photoListFromPlist(const PlistValue::Array& items, PlistValue::Array* strays);

// Entries of a record's photo lists that are not photos, kept under the
// list's key ("photos", "photos_1") to be written back after its photos.
using StrayEntries = PlistDict;

// A case's photo file: the inspector-in-frame photo, the site photos and the
// maintenance-order photos.
struct PhotoFile {
    std::optional<PhotoEntry> topPhoto;
    PhotoList photos;
    PhotoList photos_1;
    PlistDict extra;          // keys read from the file that this version does not know
    StrayEntries strays = {}; // entries of the two lists that are not photos

    bool isEmpty() const { return !topPhoto && photos.isEmpty() && photos_1.isEmpty(); }
    PlistDict toPlist() const;
    static PhotoFile fromPlist(const PlistDict& dict);

    bool operator==(const PhotoFile&) const = default;
};

// The three photo keys of a record or a photo file, as read.
struct PhotoLists {
    std::optional<PhotoEntry> topPhoto;
    std::optional<PhotoList> photos;
    std::optional<PhotoList> photos_1;
    StrayEntries strays;
};
// Takes "topPhoto", "photos" and "photos_1" where they have their types.
PhotoLists readPhotoLists(FieldReader& in);
// Writes the photo keys that are present, each list with its strays.
void writePhotoLists(FieldWriter& out, const std::optional<PhotoEntry>& topPhoto,
                     const std::optional<PhotoList>& photos,
                     const std::optional<PhotoList>& photos_1, const StrayEntries& strays);
