#include "store/StoreTidy.h"

#include "store/PlistFields.h"
#include "store/StoreFiles.h"
#include "store/StoreKeys.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMultiHash>
#include <QSet>
#include <algorithm>

namespace {

// A photo file written this recently may be one that the app has just made
// and is about to name in the list.
constexpr qint64 youngSeconds = 60;

QList<const PhotoEntry*> entriesOf(const PhotoFile& file) {
    QList<const PhotoEntry*> entries;
    if (file.topPhoto) entries << &*file.topPhoto;
    for (const PhotoEntry& entry : file.photos)
        entries << &entry;
    for (const PhotoEntry& entry : file.photos_1)
        entries << &entry;
    return entries;
}

QByteArray digestOf(const PhotoEntry& entry) {
    return QCryptographicHash::hash(entry.photo, QCryptographicHash::Sha256);
}

// Whether held has every photo of file, and all else that file holds.
bool holdsAll(const PhotoFile& held, const PhotoFile& file) {
    const QList<const PhotoEntry*> heldEntries = entriesOf(held);
    for (const PhotoEntry* entry : entriesOf(file))
        if (std::none_of(heldEntries.begin(), heldEntries.end(),
                         [&](const PhotoEntry* other) { return *other == *entry; }))
            return false;
    return (file.extra.empty() || file.extra == held.extra) &&
           (file.strays.empty() || file.strays == held.strays);
}

// The photos that the cases hold, found by the digests of their JPEGs. A
// case found is read again to compare its photos byte for byte.
class HeldPhotos {
  public:
    HeldPhotos(const QString& folder, const CaseList& cases) : folder_(folder), cases_(cases) {
        for (int i = 0; i < cases.size(); ++i)
            if (const PhotoFileRead read = readPhotosOf(folder, *cases[i]); read.file)
                for (const PhotoEntry* entry : entriesOf(*read.file))
                    casesByDigest_.insert(digestOf(*entry), i);
    }

    // The place in the list of a case that holds every photo of file; none
    // when no case does or file has no photo.
    std::optional<int> holderOf(const PhotoFile& file) const {
        const QList<const PhotoEntry*> entries = entriesOf(file);
        if (entries.isEmpty()) return std::nullopt;
        QList<int> candidates = casesByDigest_.values(digestOf(*entries.front()));
        std::sort(candidates.begin(), candidates.end());
        candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
        for (const int i : candidates)
            if (const PhotoFileRead read = readPhotosOf(folder_, *cases_[i]);
                read.file && holdsAll(*read.file, file))
                return i;
        return std::nullopt;
    }

  private:
    const QString& folder_;
    const CaseList& cases_;
    QMultiHash<QByteArray, int> casesByDigest_;
};

// The photoIds the cases name, also one this version cannot read as a
// string but that has a text.
QSet<QString> namedPhotoIds(const CaseList& cases) {
    QSet<QString> named;
    for (const auto& record : cases) {
        const PlistValue* unread = record->extra.value(QString::fromLatin1(StoreKeys::photoId));
        if (record->photoId)
            named.insert(*record->photoId);
        else if (const std::optional<QString> text = unread ? textOf(*unread) : std::nullopt)
            named.insert(*text);
    }
    return named;
}

// The names of the photo files that no case names, but files kept aside.
QStringList unnamedPhotoFiles(const QString& folder, const QSet<QString>& named) {
    QStringList names;
    for (const QString& name : QDir(folder).entryList(QDir::Files, QDir::Name)) {
        const std::optional<QString> id = photoIdOfFileName(name);
        if (id && !named.contains(*id) && !name.contains(QLatin1String(".unreadable-")))
            names << name;
    }
    return names;
}

class Tidier {
  public:
    Tidier(const QString& folder, const CaseList& cases, const QDateTime& now)
        : folder_(folder), cases_(cases), now_(now) {}

    // Why the photo file is kept, or empty with *holder set to the case that
    // holds its photos.
    QString whyKept(const QString& path, int* holder) {
        if (QFileInfo(path).lastModified().secsTo(now_) < youngSeconds)
            return QStringLiteral("written less than a minute ago");
        const PhotoFileRead read = readPhotoFile(path);
        if (!read.file) return QStringLiteral("unreadable: %1").arg(read.error);
        if (entriesOf(*read.file).isEmpty()) return QStringLiteral("it holds no photos");
        // The cases' photos are looked at once, when the first file needs them.
        if (!held_) held_.emplace(folder_, cases_);
        const std::optional<int> found = held_->holderOf(*read.file);
        if (!found) return QStringLiteral("no case holds its photos");
        *holder = *found;
        return {};
    }

  private:
    const QString& folder_;
    const CaseList& cases_;
    const QDateTime now_;
    std::optional<HeldPhotos> held_;
};

} // namespace

StoreTidying tidyStore(const QString& folder, bool dryRun, const QDateTime& now) {
    StoreTidying result;
    CaseList cases;
    if (const QString list = waitingReportPath(folder); QFileInfo::exists(list)) {
        CaseListRead read = readCaseList(list);
        if (!read.cases) {
            result.problems << QStringLiteral("waitingReport.plist: unreadable: %1; nothing "
                                              "was deleted")
                                   .arg(read.error);
            return result;
        }
        cases = std::move(*read.cases);
    }
    Tidier tidier(folder, cases, now);
    int deleted = 0, kept = 0;
    for (const QString& name : unnamedPhotoFiles(folder, namedPhotoIds(cases))) {
        QFile file(QDir(folder).filePath(name));
        int holder = -1;
        if (const QString why = tidier.whyKept(file.fileName(), &holder); !why.isEmpty()) {
            result.lines << QStringLiteral("kept %1: %2").arg(name, why);
            ++kept;
        } else if (!dryRun && !file.remove()) {
            result.problems
                << QStringLiteral("%1: cannot be deleted: %2").arg(name, file.errorString());
            ++kept;
        } else {
            result.lines << QStringLiteral("%1 %2: case %3 (%4) holds its photos")
                                .arg(dryRun ? QStringLiteral("to delete")
                                            : QStringLiteral("deleted"),
                                     name)
                                .arg(holder + 1)
                                .arg(cases[holder]->pk);
            ++deleted;
        }
    }
    result.lines << QStringLiteral("%1 %2, %3 kept")
                        .arg(deleted)
                        .arg(dryRun ? QStringLiteral("to delete") : QStringLiteral("deleted"))
                        .arg(kept);
    return result;
}
