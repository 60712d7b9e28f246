#pragma once

#include "app/PhotoEntry.h"

#include <QMap>
#include <QString>
#include <memory>
#include <optional>

// One stored inspection case. The store's list and the screens share the
// same records, so a change made through any of them is a change to the
// stored case.
struct CaseRecord {
    QString pk;                    // "pakeno,Chkno", the case key
    QString pakeno;                // registration number
    QString Chkno;                 // check number
    QString type;                  // check type text
    QString state;                 // CaseState
    QString rcdTime;               // ROC display time of the first save
    QMap<QString, QString> prarms; // upload form fields
    // Names the photo file "photo_<photoId>.plist" once the photos have been
    // moved there; the inline photos below are then absent.
    std::optional<QString> photoId;
    std::optional<PhotoEntry> topPhoto;
    std::optional<PhotoList> photos;   // site photos
    std::optional<PhotoList> photos_1; // maintenance-order photos
    PlistDict extra;                   // keys read from the file that this version does not know

    bool hasInlinePhotos() const { return topPhoto || photos || photos_1; }
    // The photos kept inline, in the form of a photo file.
    PhotoFile inlinePhotos() const;

    // The file form: a dictionary of the keys above (absent ones left out).
    PlistDict toPlist() const;
    // Reads what it can: a field of the wrong type is left unset and kept in
    // extra, so that writing the record back loses nothing.
    static CaseRecord fromPlist(const PlistDict& dict);

    bool operator==(const CaseRecord&) const = default;
};

using CaseList = QList<std::shared_ptr<CaseRecord>>;
