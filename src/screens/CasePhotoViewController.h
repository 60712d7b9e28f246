#pragma once

#include "platform/Location.h"
#include "store/PhotoEntry.h"
#include "ui/ViewController.h"

#include <QPixmap>
#include <optional>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QToolButton;
class SecuritycheckTableViewCell;

// The photo screen of one case, titled "安檢照片拍攝": the inspector takes
// the photo with himself in frame (one; a new one replaces it), up to 10 site
// photos and up to 3 maintenance-order photos. Each photo is shrunk, stamped
// with the check number (the inspector's photo also with his name) and kept
// with its time and the position read when the camera opened. Rows open the
// photo in the preview, which can hand a deletion back. "完成" stores the
// case; "返回" asks before dropping what was taken. The GPS runs while the
// screen lives.
//
// SecurityCheckAddCaseViewController (a new case) and
// UploadCheckAddCaseViewController (a stored case) differ only in how they
// start and what storing does.
class CasePhotoViewController : public ViewController {
    Q_OBJECT
  public:
    enum Tag { Saved = 5, LeaveQuestion = 999 };
    enum TakeType { InspectorPhoto = 0, SitePhoto = 1, MaintenancePhoto = 2 };
    static constexpr int kSitePhotoLimit = 10;
    static constexpr int kMaintenancePhotoLimit = 3;

    // Switches the GPS off.
    ~CasePhotoViewController() override;

    void viewDidLoad() override;
    // Shows the bar and carries out a deletion the preview handed back.
    void viewWillAppear(bool animated) override;
    void alertViewClickedButtonAtIndex(const AlertAnswer& answer) override;
    // Photos taken or deleted and not yet stored keep the window open: the
    // leave question comes first, and its "是" closes the window.
    bool windowShouldClose() override;

    // The three camera buttons: inspector in frame, site, maintenance order.
    void cameraUpperButtonPressed();
    void cameraLowerButtonPressed();
    void cameraRightButtonPressed();
    // Asks for camera access; granted, takes the position and opens the camera.
    void cameraButtonPressed();
    void openCamera();
    // The camera's results: a photo as the camera wrote it, or a cancel.
    void imagePickerControllerDidFinishPickingMediaWithInfo(const QByteArray& originalJpeg);
    void imagePickerControllerDidCancel();

    // The two photo lists: tbl shows tableDetailArray, tbl1 tableDetailArray_1.
    int tableViewNumberOfRowsInSection(const QListWidget* table) const;
    // The row for a photo, showing its framed picture.
    SecuritycheckTableViewCell* tableViewCellForRowAtIndexPath(QListWidget* table, int row,
                                                               const QPixmap& picture);
    // Opens the row's photo in the preview, which offers deletion.
    void tableViewDidSelectRowAtIndexPath(QListWidget* table, int row);
    // A tap on the inspector photo: the preview without deletion.
    void photoSelect();

    // "返回": the question before leaving.
    void popView();
    // "完成": checks the case, then stores it.
    void checkSend();
    // Whether the inspector-in-frame photo is there; otherwise says so.
    bool checkFields();
    // Stores the case and says whether that worked.
    void waitSend();

    QString _pakeno;
    QString Chkno_;
    QString _type;
    QString _takePhotoTime;
    std::optional<PhotoEntry> _topDict;
    bool _takeUserPhoto = false;
    PhotoList tableDetailArray;   // site photos
    PhotoList tableDetailArray_1; // maintenance-order photos
    int takeType = InspectorPhoto;
    std::optional<LocationFix> cameraLocation;
    int _deleteIndex = -1;
    QListWidget* _deleteTbl = nullptr;

    QLabel* type_lab = nullptr;
    QLabel* time_lab = nullptr;
    QLabel* pakeno_lab = nullptr;
    QLabel* Chkno_lab = nullptr;
    // "尚未定位" while no position has arrived: photos then carry 0, 0.
    QLabel* noFixMark = nullptr;
    QToolButton* personImg = nullptr;
    QListWidget* tbl = nullptr;
    QListWidget* tbl1 = nullptr;
    QPushButton* cameraUpperButton = nullptr;
    QPushButton* cameraLowerButton = nullptr;
    QPushButton* cameraRightButton = nullptr;

  protected:
    CasePhotoViewController(const QString& layoutName, const QString& pakeno, const QString& chkno,
                            const QString& type);

    // The time the time label shows.
    virtual QString timeLabelText() const = 0;
    // Title and message of the alert when camera access is refused.
    struct Notice {
        QString title;
        QString message;
    };
    virtual Notice cameraRefusedNotice() const = 0;
    // Stores the case; false when it could not be written, with memory and
    // disk left as they were.
    virtual bool saveReport() = 0;
    // What follows the inspector's "知道了" on the stored alert.
    virtual void leaveAfterSaving() = 0;

  private:
    void buildLayout();
    QListWidget* makeTable(const QString& name);
    PhotoList& arrayOf(const QListWidget* table);
    void showStoredPhotos();
    // Fills the table anew, each row with its picture (none for a photo that cannot be read).
    void reloadData(QListWidget* table, const QList<QPixmap>& pictures);
    // Adds the next row of the table with its picture.
    QListWidgetItem* addRow(QListWidget* table, const QPixmap& picture);
    // Adds a row for a photo just taken and scrolls it into view.
    void appendRow(QListWidget* table, const QPixmap& picture);
    void showPersonPhoto(const QPixmap& picture);
    void openCameraFor(int type);
    void refuseCount(const QString& message);
    void handBackDeletion();
    void showPositionState();

    int positionObserver_ = 0;
    bool cameraBusy_ = false;
    bool photosUnstored_ = false;       // a photo taken or deleted since the last store
    bool leaveQuestionShown_ = false;   // the leave question waits for its answer
    bool closeWindowOnLeaving_ = false; // the leave question came from closing the window
};
