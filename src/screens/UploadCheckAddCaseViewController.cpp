#include "screens/UploadCheckAddCaseViewController.h"

#include "inspection/CaseBuilding.h"
#include "platform/Platform.h"
#include "store/PublicVars.h"
#include "ui/NavigationController.h"

namespace {

// The photos of a case: its photo file, or, while they have not been moved
// there yet, the ones kept in the record itself.
PhotoFile photosOf(const CaseRecord& record) {
    if (record.photoId) return PublicVars::sharedInstance().getPhoto(record.photoId);
    return record.inlinePhotos();
}

} // namespace

UploadCheckAddCaseViewController*
UploadCheckAddCaseViewController::initWithDict(std::shared_ptr<CaseRecord> record) {
    auto* screen =
        new UploadCheckAddCaseViewController(QStringLiteral("UploadCheckAddCaseViewController"),
                                             record->pakeno, record->Chkno, record->type);
    screen->_caseDict = std::move(record);
    screen->_takePhotoTime = screen->_caseDict->rcdTime;
    screen->_photoDict = photosOf(*screen->_caseDict);
    screen->_topDict = screen->_photoDict.topPhoto;
    // A case whose inspector photo is missing must get one before it is
    // saved, as a new case must.
    screen->_takeUserPhoto = screen->_topDict.has_value();
    screen->tableDetailArray = screen->_photoDict.photos;
    screen->tableDetailArray_1 = screen->_photoDict.photos_1;
    return screen;
}

QString UploadCheckAddCaseViewController::timeLabelText() const {
    return _takePhotoTime;
}

CasePhotoViewController::Notice UploadCheckAddCaseViewController::cameraRefusedNotice() const {
    return {QStringLiteral("檢核錯誤"),
            QStringLiteral("無權限使用「相機」功能, 請於[設定] > [隱私權]內授權開啟相機功能")};
}

bool UploadCheckAddCaseViewController::saveReport() {
    PhotoFile edited = _photoDict;
    edited.topPhoto = _topDict;
    edited.photos = tableDetailArray;
    edited.photos_1 = tableDetailArray_1;
    if (!storeEditedCase(*_caseDict, _photoDict, edited)) return false;
    _photoDict = std::move(edited);
    return true;
}

void UploadCheckAddCaseViewController::leaveAfterSaving() {
    if (navigationController()) navigationController()->removeViewController(this);
}
