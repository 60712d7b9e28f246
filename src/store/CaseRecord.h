#pragma once

#include "store/PhotoEntry.h"

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
    // Values of "prarms" as read that are not strings: a number (also in
    // prarms as its text) goes back as the number while its text is
    // unchanged, and a value without a text form goes back as it was.
    PlistDict prarmsKept;
    // Names the photo file "photo_<photoId>.plist" once the photos have been
    // moved there; the inline photos below are then absent.
    std::optional<QString> photoId;
    std::optional<PhotoEntry> topPhoto;
    std::optional<PhotoList> photos;   // site photos
    std::optional<PhotoList> photos_1; // maintenance-order photos
    StrayEntries strays;               // entries of the inline lists that are not photos
    PlistDict extra; // keys read from the file that this version does not know, and known
                     // keys whose value has another type

    // Whether the record holds photos (or what was read under their keys) inline.
    bool hasInlinePhotos() const;
    // The inline photos as a photo file, with everything read under their keys.
    PhotoFile inlinePhotos() const;
    // Removes the inline photos and everything read under their keys.
    void dropInlinePhotos();
    // Whether "photoId" was read with another type than a string: the record
    // names a photo file this version cannot tell, so it gets no new one.
    bool hasUnreadablePhotoId() const;

    // The file form: a dictionary of the keys above (absent ones left out).
    PlistDict toPlist() const;
    // Reads what it can: a field of the wrong type is left unset and kept in
    // extra, so that writing the record back loses nothing.
    static CaseRecord fromPlist(const PlistDict& dict);

    bool operator==(const CaseRecord&) const = default;
};

using CaseList = QList<std::shared_ptr<CaseRecord>>;
