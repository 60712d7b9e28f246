#pragma once

#include "store/CaseRecord.h"

#include <memory>

// A new case as its photo screen holds it before it is stored.
struct CaseDraft {
    QString pakeno;    // registration number
    QString Chkno;     // check number
    QString type;      // check type text
    QString startTime; // ROC time the photo screen opened (its "startTime" field)
    std::optional<PhotoEntry> topPhoto;
    PhotoList photos;   // site photos
    PhotoList photos_1; // maintenance-order photos
};

// The time now as the records show it: ROC years, "yyy/MM/dd HH:mm".
QString rocDisplayTimeNow();

// The record of a new case: its key, its photos, state "0" (waiting), the
// time it is kept, and the form fields of its later upload (the time now,
// the device's token, the inspector's ID and name from the settings, in
// Base64).
std::shared_ptr<CaseRecord> newCaseRecord(const CaseDraft& draft);

// Adds a new case to the store and saves the list; false, with the case not
// kept in memory either, when the list cannot be saved.
bool storeNewCase(const std::shared_ptr<CaseRecord>& record);

// Saves a stored case's edited photos and marks it waiting again: in its
// photo file, or inline with the list when it has none yet. False, with the
// record and its photo file as they were (stored holds the photos as last
// saved), when something cannot be saved.
bool storeEditedCase(CaseRecord& record, const PhotoFile& stored, const PhotoFile& edited);
