#include "store/PublicVars.h"

#include "platform/Platform.h"
#include "plist/Plist.h"
#include "store/StoreFiles.h"

#include <QFile>
#include <QFileInfo>
#include <mutex>
#include <utility>

namespace {

// Guards the creation only; everything else runs on the main thread.
std::mutex instanceMutex;
PublicVars* instance = nullptr;

// "%f" of the seconds, from the whole microseconds: no rounding on the way.
QString secondsWithSixDecimals(qint64 micros) {
    const qint64 magnitude = micros < 0 ? -micros : micros;
    return QStringLiteral("%1%2.%3")
        .arg(micros < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / 1000000)
        .arg(magnitude % 1000000, 6, 10, QLatin1Char('0'));
}

} // namespace

PublicVars& PublicVars::sharedInstance() {
    std::lock_guard lock(instanceMutex);
    if (!instance) {
        instance = new PublicVars;
        instance->getWaitingStoreArray();
    }
    return *instance;
}

void PublicVars::resetSharedInstanceForTesting() {
    std::lock_guard lock(instanceMutex);
    delete instance;
    instance = nullptr;
}

QString PublicVars::documents() const {
    return platform().documents->path();
}

CaseList& PublicVars::getWaitingStoreArray() {
    if (!loaded_) {
        waitingStoreArray_ = loadWaitingStoreArray();
        loaded_ = true;
    }
    return waitingStoreArray_;
}

CaseList PublicVars::loadWaitingStoreArray() {
    const QString path = waitingReportPath(documents());
    if (!QFileInfo::exists(path)) return {};
    CaseListRead read = readCaseList(path);
    if (!read.cases) {
        unreadableListInPlace_ = !moveUnreadableAside(path, read.error, false);
        return {};
    }
    // The readable cases are used; a copy of the file keeps the rest.
    QStringList unread = read.readPast;
    if (read.skipped > 0) unread << QStringLiteral("%1 entries are not cases").arg(read.skipped);
    if (!unread.isEmpty()) moveUnreadableAside(path, unread.join(QStringLiteral("; ")), true);
    return std::move(*read.cases);
}

bool PublicVars::moveUnreadableAside(const QString& path, const QString& error, bool copy) {
    const std::optional<QString> kept = keepAside(path, platform().clock->now(), copy);
    const QString name = QFileInfo(path).fileName();
    if (kept)
        logLine(QStringLiteral("%1 could not be read (%2); kept as %3")
                    .arg(name, error, QFileInfo(*kept).fileName()));
    else
        logLine(QStringLiteral("%1 could not be read (%2) and could not be kept aside")
                    .arg(name, error));
    return kept.has_value();
}

bool PublicVars::storeWaitingStoreArray() {
    const QString path = waitingReportPath(documents());
    if (unreadableListInPlace_) {
        if (QFileInfo::exists(path) &&
            !moveUnreadableAside(path, QStringLiteral("not yet kept aside"), false))
            return false;
        unreadableListInPlace_ = false;
    }
    QString error;
    if (listWriter_.write(path, waitingStoreArray_, &error)) return true;
    logLine(error);
    return false;
}

void PublicVars::setWaitingStoreArray(CaseList cases) {
    waitingStoreArray_ = std::move(cases);
    // A list handed in is never replaced by the file's.
    loaded_ = true;
}

bool PublicVars::replaceWaitingStoreArray(CaseList cases) {
    CaseList before = std::exchange(waitingStoreArray_, std::move(cases));
    const bool wasLoaded = std::exchange(loaded_, true);
    if (storeWaitingStoreArray()) return true;
    waitingStoreArray_ = std::move(before);
    loaded_ = wasLoaded;
    return false;
}

bool PublicVars::hasWaitingStoreArrayByPK(const QString& pk) const {
    return findWaitingStoreArrayByPK(pk) != nullptr;
}

std::shared_ptr<CaseRecord> PublicVars::findWaitingStoreArrayByPK(const QString& pk) const {
    for (const auto& record : waitingStoreArray_)
        if (record && record->pk == pk) return record;
    return nullptr;
}

void PublicVars::transPhotoInDictionary() {
    CaseList& cases = getWaitingStoreArray();
    bool moved = false;
    // By index, reading the count again each time.
    for (qsizetype i = 0; i < cases.size(); ++i) {
        const std::shared_ptr<CaseRecord> record = cases.at(i); // at(): the list is not copied
        if (!record || record->photoId || record->hasUnreadablePhotoId()) continue;
        const QString photoId = newPhotoId();
        // Only a written file lets the record drop its inline photos.
        if (!storePhotoWithPhotoDict(photoId, record->inlinePhotos())) continue;
        record->photoId = photoId;
        record->dropInlinePhotos();
        moved = true;
    }
    // Until the list names the new files, every start would move the same
    // photos into yet another file. A failed save keeps them inline in the
    // file, and the next save names the new one.
    if (moved) storeWaitingStoreArray();
}

QString PublicVars::newPhotoId() const {
    // The present time in seconds with six decimals, stepped on by a
    // microsecond while it names an existing file or case: two moves in one
    // microsecond, or a clock set back, must not share a photo file.
    for (qint64 micros = platform().clock->microsecondsSinceEpoch();; ++micros) {
        const QString photoId = secondsWithSixDecimals(micros);
        if (!QFileInfo::exists(*photoFilePath(documents(), photoId)) && !isNamedByCase(photoId))
            return photoId;
    }
}

bool PublicVars::isNamedByCase(const QString& photoId) const {
    for (const auto& record : waitingStoreArray_)
        if (record && record->photoId == photoId) return true;
    return false;
}

bool PublicVars::storePhotoWithPhotoDict(const QString& photoId, const PhotoFile& photoFile) {
    const std::optional<QString> path = photoFilePath(documents(), photoId);
    QString error = QStringLiteral("unsafe photoId: %1").arg(photoId);
    if (path && writePlistFile(*path, PlistValue(photoFile.toPlist()), &error)) return true;
    logLine(error);
    return false;
}

PhotoFile PublicVars::getPhoto(const std::optional<QString>& photoId) {
    const std::optional<QString> path =
        photoId ? photoFilePath(documents(), *photoId) : std::nullopt;
    if (!path || !QFileInfo::exists(*path)) return {};
    PhotoFileRead read = readPhotoFile(*path);
    if (read.file) return std::move(*read.file);
    moveUnreadableAside(*path, read.error, false);
    return {};
}

std::optional<PhotoFile> PublicVars::photosForUpload(const CaseRecord& record, QString* problem) {
    PhotoFileRead read = readPhotosOf(documents(), record);
    if (!read.file && problem) *problem = read.error;
    return std::move(read.file);
}

bool PublicVars::removePhotoFile(const std::optional<QString>& photoId) {
    const std::optional<QString> path =
        photoId ? photoFilePath(documents(), *photoId) : std::nullopt;
    return path && QFile::remove(*path);
}
