#pragma once

#include "store/BaseVars.h"
#include "store/CaseListWriter.h"
#include "store/CaseRecord.h"

// The one shared state object, with the local case store: the list of cases
// in "waitingReport.plist" and one photo file per case in the documents
// folder. All of it is used on the main thread.
class PublicVars : public BaseVars {
  public:
    // The one instance, made on first use (exactly once, also when first
    // called from several threads at the same time), with the case list
    // loaded. It lives until the process ends.
    static PublicVars& sharedInstance();
    // Destroys the instance, so that the next sharedInstance() makes a new
    // one on the platform then installed. For tests only.
    static void resetSharedInstanceForTesting();

    // One-shot hand-back from the photo preview to the photo screen.
    bool isNeedDelete() const { return isNeedDelete_; }
    void setIsNeedDelete(bool value) { isNeedDelete_ = value; }

    // The list of cases, read from "waitingReport.plist" on the first call
    // only; a missing or unreadable file gives an empty list. An unreadable
    // file is first moved aside ("waitingReport.unreadable-<time>.plist") so
    // that the next save cannot overwrite it.
    CaseList& getWaitingStoreArray();
    // Writes the whole list to "waitingReport.plist", atomically. Returns
    // whether it was written; a failed write leaves the file as it was.
    bool storeWaitingStoreArray();
    // The list in memory (the store's own, not a copy); no file access.
    CaseList& waitingStoreArray() { return waitingStoreArray_; }
    void setWaitingStoreArray(CaseList cases);
    // Makes cases the list and writes it, as storeWaitingStoreArray() does.
    // When the write fails the list in memory is put back as it was, so that
    // memory and file agree, and false is returned.
    bool replaceWaitingStoreArray(CaseList cases);

    // Whether some case has this key.
    bool hasWaitingStoreArrayByPK(const QString& pk) const;
    // The first case, in list order, with this key; null when none has it.
    std::shared_ptr<CaseRecord> findWaitingStoreArrayByPK(const QString& pk) const;

    // Moves the inline photos of every case without a photoId into a new
    // photo file and names it in the case. A case whose file could not be
    // written keeps its photos inline and is tried again next time. When a
    // case was moved, the list is saved.
    void transPhotoInDictionary();
    // Replaces the photo file of photoId, atomically. False when it could not
    // be written or photoId is unsafe.
    bool storePhotoWithPhotoDict(const QString& photoId, const PhotoFile& photoFile);
    // Reads the photo file of photoId. No photoId, an unsafe one, or a missing
    // or unreadable file gives an empty one; an unreadable file is moved aside
    // so that a later store cannot overwrite it.
    PhotoFile getPhoto(const std::optional<QString>& photoId);
    // The photos an upload of record carries: those of its photo file, or
    // those kept inline when it names none. None, with the reason naming the
    // file, when the photo file is missing or cannot be read: such a case
    // must not be sent as if it had no photos.
    std::optional<PhotoFile> photosForUpload(const CaseRecord& record, QString* problem);
    // Deletes the photo file of photoId; false when there is none, photoId is
    // unsafe or the file cannot be deleted.
    bool removePhotoFile(const std::optional<QString>& photoId);

  private:
    PublicVars() = default;
    CaseList loadWaitingStoreArray();
    bool moveUnreadableAside(const QString& path, const QString& error, bool copy);
    QString newPhotoId() const;
    bool isNamedByCase(const QString& photoId) const;
    QString documents() const;

    bool isNeedDelete_ = false;
    CaseList waitingStoreArray_;
    CaseListWriter listWriter_;
    bool loaded_ = false;
    // The unreadable list file could not be moved aside; it must not be
    // overwritten until it has been.
    bool unreadableListInPlace_ = false;
};
