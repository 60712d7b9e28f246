#include "store/StoreLock.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString lockFileName(const QString& documentsFolder) {
    return QDir::cleanPath(QFileInfo(documentsFolder).absoluteFilePath()) + ".lock";
}

} // namespace

StoreLock::StoreLock(const QString& documentsFolder)
    : fileName_(lockFileName(documentsFolder)), lock_(fileName_) {
    // Held for hours by a running app: only a holder that has died makes it stale.
    lock_.setStaleLockTime(0);
}

bool StoreLock::tryLock(int waitMs) {
    QDir().mkpath(QFileInfo(fileName_).absolutePath());
    return lock_.tryLock(waitMs);
}
