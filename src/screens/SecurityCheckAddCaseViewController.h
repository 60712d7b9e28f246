#pragma once

#include "screens/CasePhotoViewController.h"

#include <functional>

// The photo screen of a new case, opened by the check start with the case's
// equipment number, check number and type. "完成" adds the case to the store
// in state "0" with the form fields of its later upload; a fresh check start
// then takes this screen's place.
class SecurityCheckAddCaseViewController : public CasePhotoViewController {
    Q_OBJECT
  public:
    static SecurityCheckAddCaseViewController*
    initWithPakenoWithChknoWithType(const QString& pakeno, const QString& chkno,
                                    const QString& type);

    // The check start that follows a stored case; without it the screen
    // just leaves.
    std::function<ViewController*()> makeCheckStartScreen;

    void viewDidLoad() override;

  protected:
    QString timeLabelText() const override;
    Notice cameraRefusedNotice() const override;
    bool saveReport() override;
    void leaveAfterSaving() override;

  private:
    using CasePhotoViewController::CasePhotoViewController;
};
