#include "store/StoreFiles.h"

#include "plist/Plist.h"
#include "store/CaseListWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString waitingReportName = QStringLiteral("waitingReport.plist");
const QString photoFilePrefix = QStringLiteral("photo_");
const QString plistSuffix = QStringLiteral(".plist");

} // namespace

QString waitingReportPath(const QString& folder) {
    return QDir(folder).filePath(waitingReportName);
}

bool isSafePhotoId(const QString& photoId) {
    return photoId != QLatin1String(".") && photoId != QLatin1String("..") &&
           !photoId.contains(u'/') && !photoId.contains(u'\\') && !photoId.contains(QChar(u'\0'));
}

std::optional<QString> photoFilePath(const QString& folder, const QString& photoId) {
    if (!isSafePhotoId(photoId)) return std::nullopt;
    return QDir(folder).filePath(photoFilePrefix + photoId + plistSuffix);
}

std::optional<QString> photoIdOfFileName(const QString& fileName) {
    if (!fileName.startsWith(photoFilePrefix) || !fileName.endsWith(plistSuffix))
        return std::nullopt;
    return fileName.mid(photoFilePrefix.size(),
                        fileName.size() - photoFilePrefix.size() - plistSuffix.size());
}

CaseListRead readCaseList(const QString& path) {
    CaseListRead result;
    PlistReadResult file = readPlistFile(path);
    result.readPast = std::move(file.skipped);
    const PlistValue::Array* items = file.value ? file.value->asArray() : nullptr;
    if (!items) {
        result.error = file.value ? QStringLiteral("not a list of cases") : file.error;
        return result;
    }
    CaseList cases;
    cases.reserve(qsizetype(items->size()));
    for (const PlistValue& item : *items) {
        if (const PlistDict* dict = item.asDict())
            cases.append(std::make_shared<CaseRecord>(CaseRecord::fromPlist(*dict)));
        else
            ++result.skipped;
    }
    result.cases = std::move(cases);
    return result;
}

bool writeCaseList(const QString& path, const CaseList& cases, QString* error) {
    return CaseListWriter().write(path, cases, error);
}

PhotoFileRead readPhotoFile(const QString& path) {
    PlistReadResult file = readPlistFile(path);
    const PlistDict* dict = file.value ? file.value->asDict() : nullptr;
    if (!dict)
        return {std::nullopt, file.value ? QStringLiteral("not a photo dictionary") : file.error};
    return {PhotoFile::fromPlist(*dict), QString()};
}

PhotoFileRead readPhotoFileOf(const QString& folder, const CaseRecord& record) {
    if (!record.photoId) return {std::nullopt, QStringLiteral("the case has no photo file")};
    const std::optional<QString> path = photoFilePath(folder, *record.photoId);
    if (!path)
        return {std::nullopt, QStringLiteral("the photo file name \"%1\" is unsafe")
                                  .arg(photoFilePrefix + *record.photoId + plistSuffix)};
    const QString name = QFileInfo(*path).fileName();
    if (!QFileInfo::exists(*path))
        return {std::nullopt, QStringLiteral("the photo file %1 is missing").arg(name)};
    PhotoFileRead read = readPhotoFile(*path);
    if (!read.file)
        read.error = QStringLiteral("the photo file %1 cannot be read: %2").arg(name, read.error);
    return read;
}

PhotoFileRead readPhotosOf(const QString& folder, const CaseRecord& record) {
    if (!record.photoId) return {record.inlinePhotos(), QString()};
    return readPhotoFileOf(folder, record);
}

namespace {

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A file kept aside earlier from path with the same content, or none.
std::optional<QString> keptCopyOf(const QString& path, const QString& suffix) {
    const QFileInfo info(path);
    const QString pattern = info.completeBaseName() + QStringLiteral(".unreadable-*") + suffix;
    QByteArray content;
    for (const QFileInfo& kept : info.dir().entryInfoList({pattern}, QDir::Files, QDir::Name)) {
        if (kept.size() != info.size()) continue;
        if (content.isNull()) content = contentOf(path);
        if (contentOf(kept.filePath()) == content) return kept.filePath();
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> keepAside(const QString& path, const QDateTime& now, bool copy) {
    const QFileInfo info(path);
    const QString stem = info.completeBaseName() + QStringLiteral(".unreadable-") +
                         now.toUTC().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    // A file read again at every start is copied once.
    if (copy)
        if (std::optional<QString> earlier = keptCopyOf(path, suffix)) return earlier;
    for (int n = 1; n < 1000; ++n) {
        const QString name = stem + (n == 1 ? QString() : QStringLiteral("-%1").arg(n)) + suffix;
        const QString target = info.dir().filePath(name);
        if (QFileInfo::exists(target)) continue;
        // rename and copy never replace an existing file.
        if (copy ? QFile::copy(path, target) : QFile::rename(path, target)) return target;
        return std::nullopt;
    }
    return std::nullopt;
}
