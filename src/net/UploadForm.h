#pragma once

#include "net/Multipart.h"
#include "store/CaseRecord.h"

// What one case upload carries: its form fields and its two JPEG lists, in
// which file part photo_G_N and the fields photoTime_G_N, PhotoLng_G_N and
// PhotoLat_G_N describe the same photo.
struct UploadForm {
    FormFields fields;
    QList<QByteArray> files1; // the inspector-in-frame photo, then the site photos
    QList<QByteArray> files2; // the maintenance-order photos
};

// Builds the upload of a case from the form fields kept with it and its photo
// file: the kept fields without any photo fields left from earlier photos,
// then "osType" "1", "appVersion" and each photo's time (compact ROC time,
// "" when unknown) and position (decimal text). The record is not changed.
UploadForm uploadFormFor(const CaseRecord& record, const PhotoFile& photos,
                         const QString& appVersion);
