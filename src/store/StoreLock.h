#pragma once

#include <QLockFile>
#include <QString>

// Keeps a second program from writing a store folder while one does: the app
// holds it for as long as it runs, inspector-cli while a command writes. The
// lock is a file beside the folder (FOLDER.lock), so the store itself holds
// nothing but cases and photos; a lock left by a killed process is taken over.
class StoreLock {
  public:
    explicit StoreLock(const QString& documentsFolder);

    // Takes the lock, waiting at most waitMs for its holder to let go; false
    // when another program still holds it (or the lock file cannot be made).
    bool tryLock(int waitMs);
    // The lock file's path, for messages.
    QString fileName() const { return fileName_; }

  private:
    QString fileName_;
    QLockFile lock_;
};
