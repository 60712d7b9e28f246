#pragma once

#include "screens/CasePhotoViewController.h"
#include "store/CaseRecord.h"

#include <memory>

// The photo screen of a case already in the store, waiting or sent: it shows
// the case's photos from its photo file and lets the inspector replace the
// inspector photo and add or delete the others. Nothing changes on disk until
// "完成", which writes the photo file anew and sets the case waiting ("0")
// again; the screen then goes back to the records screen.
class UploadCheckAddCaseViewController : public CasePhotoViewController {
    Q_OBJECT
  public:
    // The record is the store's own: saving changes the stored case.
    static UploadCheckAddCaseViewController* initWithDict(std::shared_ptr<CaseRecord> record);

    std::shared_ptr<CaseRecord> _caseDict;
    // The photos as read when the screen opened.
    PhotoFile _photoDict;

  protected:
    QString timeLabelText() const override;
    Notice cameraRefusedNotice() const override;
    bool saveReport() override;
    void leaveAfterSaving() override;

  private:
    using CasePhotoViewController::CasePhotoViewController;
};
