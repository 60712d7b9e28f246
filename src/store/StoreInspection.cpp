#include "store/StoreInspection.h"

#include "store/StoreFiles.h"
#include "store/StoreKeys.h"
#include "util/JpegStructure.h"

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
    for (const QString& what : read.readPast)
        folder.problems << QStringLiteral("waitingReport.plist: read past %1").arg(what);
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
    if (!record.photoId) return record.inlinePhotos();
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

const char* const recordKeys[] = {StoreKeys::pk,     StoreKeys::pakeno, StoreKeys::Chkno,
                                  StoreKeys::type,   StoreKeys::state,  StoreKeys::rcdTime,
                                  StoreKeys::prarms, StoreKeys::photoId};
const char* const photoFileKeys[] = {StoreKeys::topPhoto, StoreKeys::photos, StoreKeys::photos_1};
const char* const photoKeys[] = {StoreKeys::photo, StoreKeys::imgTime, StoreKeys::lat,
                                 StoreKeys::lon};

// Known keys kept because their value has another type than this version
// reads (values that could not be read at all are reported on their own).
template <std::size_t n>
void checkKeptKeys(const PlistDict& kept, const char* const (&keys)[n], const QString& where,
                   QStringList& problems) {
    for (const char* key : keys) {
        const PlistValue* value = kept.value(QString::fromLatin1(key));
        if (value && !value->asUnread())
            problems << QStringLiteral("%1: \"%2\" has a value of another type").arg(where, key);
    }
}

// Every value kept because its text could not be read, with where it is.
void checkUnread(const PlistValue& value, const QString& at, const QString& where,
                 QStringList& problems) {
    if (const PlistUnread* unread = value.asUnread())
        problems << QStringLiteral("%1: <%2> \"%3\" at %4 could not be read")
                        .arg(where, unread->element, unread->text.left(40), at);
    if (const PlistValue::Array* items = value.asArray())
        for (std::size_t i = 0; i < items->size(); ++i)
            checkUnread((*items)[i], QStringLiteral("%1[%2]").arg(at).arg(i), where, problems);
    if (const PlistDict* dict = value.asDict())
        for (const auto& [key, item] : *dict)
            checkUnread(item, at.isEmpty() ? key : at + u'.' + key, where, problems);
}

void checkPhoto(const PhotoEntry& entry, const QString& which, const QString& where,
                QStringList& problems) {
    if (QImage::fromData(entry.photo, "JPEG").isNull())
        problems << QStringLiteral("%1: %2 is not a JPEG").arg(where, which);
    else if (!isWholeJpeg(entry.photo))
        problems << QStringLiteral("%1: %2 is cut short").arg(where, which);
    checkKeptKeys(entry.extra, photoKeys, QStringLiteral("%1: %2").arg(where, which), problems);
}

void checkPhotos(const PhotoFile& photos, const QString& where, QStringList& problems) {
    if (photos.topPhoto)
        checkPhoto(*photos.topPhoto, QStringLiteral("inspector photo"), where, problems);
    for (int i = 0; i < photos.photos.size(); ++i)
        checkPhoto(photos.photos[i], QStringLiteral("site photo %1").arg(i + 1), where, problems);
    for (int i = 0; i < photos.photos_1.size(); ++i)
        checkPhoto(photos.photos_1[i], QStringLiteral("maintenance photo %1").arg(i + 1), where,
                   problems);
    for (const auto& [key, entries] : photos.strays)
        problems << QStringLiteral("%1: \"%2\" has entries that are not photos (%3)")
                        .arg(where, key)
                        .arg(entries.asArray()->size());
    checkKeptKeys(photos.extra, photoFileKeys, where, problems);
    checkUnread(PlistValue(photos.toPlist()), QString(), where, problems);
}

// What a record holds besides its photos that this version cannot use.
void checkRecord(const CaseRecord& record, const QString& label, QStringList& problems) {
    checkKeptKeys(record.extra, recordKeys, label, problems); // photo keys: with the photos
    for (const auto& [key, value] : record.prarmsKept)
        if (!textOf(value))
            problems << QStringLiteral("%1: form field \"%2\" is not text").arg(label, key);
    CaseRecord withoutPhotos = record;
    withoutPhotos.dropInlinePhotos();
    checkUnread(PlistValue(withoutPhotos.toPlist()), QString(), label, problems);
}

// Checks one case; named collects photoId -> index of the first case naming it.
void checkCase(const Folder& folder, int index, QMap<QString, int>& named, QStringList& problems) {
    const CaseRecord& record = *folder.cases[index];
    const QString label = QStringLiteral("case %1 (%2)").arg(index + 1).arg(record.pk);
    checkRecord(record, label, problems);
    if (!record.photoId) {
        checkPhotos(*photosOf(folder, record), label + QStringLiteral(" inline"), problems);
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
        checkPhotos(*photos, name, problems);
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
