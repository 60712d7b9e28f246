#pragma once

#include "store/CaseRecord.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

// The case store's files in a documents folder: "waitingReport.plist" with
// the list of cases and one "photo_<photoId>.plist" per case. These
// functions read and write them and change nothing else.

QString waitingReportPath(const QString& folder);

// Whether photoId names a file inside the folder: not "." or "..", and no
// "/", "\" or NUL that would lead elsewhere.
bool isSafePhotoId(const QString& photoId);
// The photo file's path; none for an unsafe photoId.
std::optional<QString> photoFilePath(const QString& folder, const QString& photoId);
// The photoId of a photo file's name ("photo_<id>.plist"); none for other names.
std::optional<QString> photoIdOfFileName(const QString& fileName);

struct CaseListRead {
    std::optional<CaseList> cases; // none when the file could not be read
    QString error;                 // why not
    int skipped = 0;               // entries that are not dictionaries
    QStringList readPast;          // text and unknown elements read past (with their lines)
};
// Reads a list of cases; every record is new.
CaseListRead readCaseList(const QString& path);
// Replaces the file with the list, atomically; false leaves it as it was.
bool writeCaseList(const QString& path, const CaseList& cases, QString* error = nullptr);

struct PhotoFileRead {
    std::optional<PhotoFile> file;
    QString error;
};
PhotoFileRead readPhotoFile(const QString& path);
// The photo file that a moved record names, in the folder. The error names
// the file when the record has no photoId or an unsafe one, or the file is
// missing or cannot be read. Nothing is moved aside.
PhotoFileRead readPhotoFileOf(const QString& folder, const CaseRecord& record);

// The photos of a case: those it holds inline, or those of the photo file it
// names (read as readPhotoFileOf reads it).
PhotoFileRead readPhotosOf(const QString& folder, const CaseRecord& record);

// Moves (or copies) a file that could not be read out of the way, to
// "<base>.unreadable-<UTC time>[-n].<suffix>" in its folder, never over an
// earlier one. A copy is not made again when an earlier kept file has the
// same content. Returns the kept file's path, or none when that failed.
std::optional<QString> keepAside(const QString& path, const QDateTime& now, bool copy);
