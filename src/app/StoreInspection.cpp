#include "app/StoreInspection.h"

#include "app/StoreFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QMap>

namespace {

struct Folder {
    QString path;
    CaseList cases;
    QStringList problems;
};

// Reads the list; a missing file is an empty store, an unreadable one a problem.
Folder readFolder(const QString& path) {
    Folder folder{path, {}, {}};
    const QString list = waitingReportPath(path);
    if (!QFileInfo::exists(list)) return folder;
    CaseListRead read = readCaseList(list);
    if (!read.cases)
        folder.problems << QStringLiteral("waitingReport.plist: unreadable: %1").arg(read.error);
    else
        folder.cases = std::move(*read.cases);
    if (read.skipped > 0)
        folder.problems
            << QStringLiteral("waitingReport.plist: %1 entries are not cases").arg(read.skipped);
    return folder;
}

QString photoFileName(const QString& photoId) {
    return QFileInfo(*photoFilePath(QStringLiteral("."), photoId)).fileName();
}

bool photoFileExists(const Folder& folder, const QString& photoId) {
    return QFileInfo::exists(*photoFilePath(folder.path, photoId));
}

// The photos of a case: inline, or from its photo file (none when that is
// unsafe, missing or unreadable).
std::optional<PhotoFile> photosOf(const Folder& folder, const CaseRecord& record,
                                  QString* error = nullptr) {
    if (!record.photoId) {
        return PhotoFile{record.topPhoto,
                         record.photos.value_or(PhotoList()),
                         record.photos_1.value_or(PhotoList()),
                         {}};
    }
    const std::optional<QString> path = photoFilePath(folder.path, *record.photoId);
    if (!path) return std::nullopt;
    PhotoFileRead read = readPhotoFile(*path);
    if (error) *error = read.error;
    return read.file;
}

QString counts(const std::optional<PhotoFile>& photos) {
    if (!photos) return QStringLiteral("-");
    return QStringLiteral("top %1, site %2, maintenance %3")
        .arg(photos->topPhoto ? 1 : 0)
        .arg(photos->photos.size())
        .arg(photos->photos_1.size());
}

QString whereLabel(const Folder& folder, const CaseRecord& record) {
    if (!record.photoId) return QStringLiteral("inline");
    if (!isSafePhotoId(*record.photoId))
        return QStringLiteral("unsafe photoId \"%1\"").arg(*record.photoId);
    const QString name = photoFileName(*record.photoId);
    return photoFileExists(folder, *record.photoId) ? name : name + QStringLiteral(" (missing)");
}

void checkJpegs(const PhotoFile& photos, const QString& where, QStringList& problems) {
    const auto check = [&](const PhotoEntry& entry, const QString& which) {
        if (QImage::fromData(entry.photo, "JPEG").isNull())
            problems << QStringLiteral("%1: %2 is not a JPEG").arg(where, which);
    };
    if (photos.topPhoto) check(*photos.topPhoto, QStringLiteral("inspector photo"));
    for (int i = 0; i < photos.photos.size(); ++i)
        check(photos.photos[i], QStringLiteral("site photo %1").arg(i + 1));
    for (int i = 0; i < photos.photos_1.size(); ++i)
        check(photos.photos_1[i], QStringLiteral("maintenance photo %1").arg(i + 1));
}

// Checks one case; named collects photoId -> index of the first case naming it.
void checkCase(const Folder& folder, int index, QMap<QString, int>& named, QStringList& problems) {
    const CaseRecord& record = *folder.cases[index];
    const QString label = QStringLiteral("case %1 (%2)").arg(index + 1).arg(record.pk);
    if (!record.photoId) {
        checkJpegs(*photosOf(folder, record), label + QStringLiteral(" inline"), problems);
        return;
    }
    const QString& photoId = *record.photoId;
    if (!isSafePhotoId(photoId)) {
        problems << QStringLiteral("%1: unsafe photoId \"%2\"").arg(label, photoId);
        return;
    }
    const QString name = photoFileName(photoId);
    if (named.contains(photoId))
        problems << QStringLiteral("%1: %2 is also named by case %3")
                        .arg(label, name)
                        .arg(named[photoId] + 1);
    else
        named.insert(photoId, index);
    if (record.hasInlinePhotos())
        problems << QStringLiteral("%1: holds photos both inline and in %2").arg(label, name);
    if (!photoFileExists(folder, photoId)) {
        problems << QStringLiteral("%1: %2 is missing").arg(label, name);
        return;
    }
    QString error;
    if (const std::optional<PhotoFile> photos = photosOf(folder, record, &error))
        checkJpegs(*photos, name, problems);
    else
        problems << QStringLiteral("%1: unreadable: %2").arg(name, error);
}

// Photo files that no case names, and files kept aside as unreadable.
void checkStrayFiles(const Folder& folder, const QMap<QString, int>& named, QStringList& problems) {
    for (const QString& name : QDir(folder.path).entryList(QDir::Files, QDir::Name)) {
        if (name.contains(QLatin1String(".unreadable-")))
            problems << QStringLiteral("%1: an unreadable file kept aside").arg(name);
        else if (const std::optional<QString> id = photoIdOfFileName(name);
                 id && !named.contains(*id))
            problems << QStringLiteral("%1: no case names this file").arg(name);
    }
}

} // namespace

StoreListing listStore(const QString& path) {
    const Folder folder = readFolder(path);
    StoreListing listing{{}, folder.problems};
    for (const auto& record : folder.cases)
        listing.lines << QStringList{record->pk,
                                     record->state,
                                     record->rcdTime,
                                     record->type,
                                     whereLabel(folder, *record),
                                     counts(photosOf(folder, *record))}
                             .join(u'\t');
    return listing;
}

QStringList checkStore(const QString& path) {
    const Folder folder = readFolder(path);
    QStringList problems = folder.problems;
    QMap<QString, int> named;
    for (int i = 0; i < folder.cases.size(); ++i)
        checkCase(folder, i, named, problems);
    checkStrayFiles(folder, named, problems);
    return problems;
}
