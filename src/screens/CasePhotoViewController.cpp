#include "screens/CasePhotoViewController.h"

#include "platform/CameraAccessRequest.h"
#include "platform/Platform.h"
#include "screens/CasePhotoFacts.h"
#include "screens/CasePhotoLayout.h"
#include "screens/PhotoPictures.h"
#include "screens/PhotoPreviewViewController.h"
#include "screens/SecuritycheckTableViewCell.h"
#include "store/PublicVars.h"
#include "store/SettingsKeys.h"
#include "ui/AlertView.h"
#include "ui/KineticScroller.h"
#include "ui/NavigationController.h"
#include "util/PhotoPipeline.h"
#include "util/PublicFunction.h"
#include "util/SystemFont.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <utility>

namespace {

const QString kPreviewTitle = QStringLiteral("照片檢視");
const QString kUnderstood = QStringLiteral("知道了");

void showNotice(const QString& title, const QString& message) {
    AlertView(title, message, nullptr, std::nullopt, {kUnderstood}).show();
}

} // namespace

CasePhotoViewController::CasePhotoViewController(const QString& layoutName, const QString& pakeno,
                                                 const QString& chkno, const QString& type)
    : ViewController(layoutName), _pakeno(pakeno), Chkno_(chkno), _type(type) {}

CasePhotoViewController::~CasePhotoViewController() {
    PublicVars::sharedInstance().removeNowLocationObserver(positionObserver_);
    PublicVars::sharedInstance().setIsOpenGps(false);
}

void CasePhotoViewController::viewDidLoad() {
    _deleteIndex = -1;
    setTitle(QStringLiteral("安檢照片拍攝"));
    setBackBarButtonTitle(QStringLiteral("返回"));
    auto* back = new QPushButton(QStringLiteral("返回"), this);
    back->setObjectName(QStringLiteral("popView"));
    connect(back, &QPushButton::clicked, this, &CasePhotoViewController::popView);
    setLeftBarButton(back);
    auto* done = new QPushButton(QStringLiteral("完成"), this);
    done->setObjectName(QStringLiteral("checkSend"));
    connect(done, &QPushButton::clicked, this, &CasePhotoViewController::checkSend);
    setRightBarButton(done);
    buildLayout();
    positionObserver_ =
        PublicVars::sharedInstance().addNowLocationObserver([this] { showPositionState(); });
    showPositionState();
    PublicVars::sharedInstance().setIsOpenGps(true);
    type_lab->setText(_type);
    time_lab->setText(timeLabelText());
    pakeno_lab->setText(_pakeno);
    Chkno_lab->setText(Chkno_);
    showStoredPhotos();
}

// The stored photos' pictures are made together, on all cores: opening a case
// with its fourteen photos decodes them all.
void CasePhotoViewController::showStoredPhotos() {
    const CasePhotoLayout& look = casePhotoLayout();
    const QSize rowSize = look.rowPicture;
    QList<PhotoPictureRequest> requests;
    for (const PhotoEntry& entry : tableDetailArray)
        requests.append({entry.photo, rowSize});
    for (const PhotoEntry& entry : tableDetailArray_1)
        requests.append({entry.photo, rowSize});
    if (_topDict) requests.append({_topDict->photo, look.personPicture});
    const QList<QPixmap> pictures = framedPhotoPicturesOfJpegs(requests);
    reloadData(tbl, pictures.first(tableDetailArray.size()));
    reloadData(tbl1, pictures.sliced(tableDetailArray.size(), tableDetailArray_1.size()));
    if (_topDict) showPersonPhoto(pictures.last());
}

void CasePhotoViewController::buildLayout() {
    const CasePhotoLayout& look = casePhotoLayout();
    // White texts on the app's dark blue; rows and lists are transparent on it.
    setAutoFillBackground(true);
    QPalette ground = palette();
    ground.setColor(QPalette::Window, QColor::fromRgb(look.ground));
    ground.setColor(QPalette::WindowText, Qt::white);
    setPalette(ground);
    CasePhotoFacts facts;
    QVBoxLayout* factsColumn = casePhotoFactsColumn(this, look, facts);
    type_lab = facts.type_lab;
    time_lab = facts.time_lab;
    pakeno_lab = facts.pakeno_lab;
    Chkno_lab = facts.Chkno_lab;
    noFixMark = facts.noFixMark;

    personImg = new QToolButton(this);
    personImg->setObjectName(QStringLiteral("personImg"));
    personImg->setAutoRaise(true);
    personImg->setStyleSheet(QStringLiteral("QToolButton { border: 1px dashed #80ffffff; }"));
    personImg->setFixedSize(look.personPicture);
    personImg->setIconSize(look.personPicture);
    connect(personImg, &QToolButton::clicked, this, &CasePhotoViewController::photoSelect);

    cameraUpperButton = new QPushButton(QStringLiteral("檢查員入鏡照片"), this);
    cameraUpperButton->setObjectName(QStringLiteral("cameraUpperButton"));
    cameraLowerButton = new QPushButton(QStringLiteral("現場照片"), this);
    cameraLowerButton->setObjectName(QStringLiteral("cameraLowerButton"));
    cameraRightButton = new QPushButton(QStringLiteral("維護保養單照片"), this);
    cameraRightButton->setObjectName(QStringLiteral("cameraRightButton"));
    for (QPushButton* button : {cameraUpperButton, cameraLowerButton, cameraRightButton})
        button->setFont(systemFont(look.textFontSize));
    connect(cameraUpperButton, &QPushButton::clicked, this,
            &CasePhotoViewController::cameraUpperButtonPressed);
    connect(cameraLowerButton, &QPushButton::clicked, this,
            &CasePhotoViewController::cameraLowerButtonPressed);
    connect(cameraRightButton, &QPushButton::clicked, this,
            &CasePhotoViewController::cameraRightButtonPressed);
    tbl = makeTable(QStringLiteral("tbl"));
    tbl1 = makeTable(QStringLiteral("tbl1"));

    auto* person = new QVBoxLayout;
    person->addWidget(personImg);
    person->addWidget(cameraUpperButton);
    auto* top = new QHBoxLayout;
    top->addLayout(person);
    top->addLayout(factsColumn, 1);
    auto* lists = new QGridLayout;
    lists->addWidget(cameraLowerButton, 0, 0);
    lists->addWidget(cameraRightButton, 0, 1);
    lists->addWidget(tbl, 1, 0);
    lists->addWidget(tbl1, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(look.margins);
    layout->addLayout(top);
    layout->addLayout(lists, 1);
}

QListWidget* CasePhotoViewController::makeTable(const QString& name) {
    auto* table = new QListWidget(this);
    table->setObjectName(name);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setFocusPolicy(Qt::NoFocus);
    table->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setFrameShape(QFrame::NoFrame);
    table->setStyleSheet(QStringLiteral("QListWidget { background: transparent; }"));
    table->viewport()->setAutoFillBackground(false);
    scrollByFinger(table);
    connect(table, &QListWidget::itemClicked, this, [this, table](QListWidgetItem* item) {
        tableViewDidSelectRowAtIndexPath(table, table->row(item));
    });
    return table;
}

PhotoList& CasePhotoViewController::arrayOf(const QListWidget* table) {
    return table == tbl ? tableDetailArray : tableDetailArray_1;
}

int CasePhotoViewController::tableViewNumberOfRowsInSection(const QListWidget* table) const {
    if (table == tbl) return int(tableDetailArray.size());
    if (table == tbl1) return int(tableDetailArray_1.size());
    return 0;
}

SecuritycheckTableViewCell*
CasePhotoViewController::tableViewCellForRowAtIndexPath(QListWidget* table, int row,
                                                        const QPixmap& picture) {
    const PhotoEntry& entry = arrayOf(table).at(row);
    auto* cell = new SecuritycheckTableViewCell(casePhotoLayout());
    cell->take_img->setPixmap(picture);
    cell->time_lab->setText(
        PublicFunction::getFormatROCTimeFormatString(entry.imgTime, rocDisplayTimePattern)
            .value_or(QString()));
    return cell;
}

void CasePhotoViewController::reloadData(QListWidget* table, const QList<QPixmap>& pictures) {
    table->clear();
    for (int row = 0; row < tableViewNumberOfRowsInSection(table); ++row)
        addRow(table, pictures.value(row));
    // A list opens at its first photo.
    table->scrollToTop();
}

QListWidgetItem* CasePhotoViewController::addRow(QListWidget* table, const QPixmap& picture) {
    SecuritycheckTableViewCell* cell =
        tableViewCellForRowAtIndexPath(table, table->count(), picture);
    auto* item = new QListWidgetItem(table);
    item->setSizeHint(QSize(0, cell->height()));
    table->setItemWidget(item, cell);
    return item;
}

void CasePhotoViewController::appendRow(QListWidget* table, const QPixmap& picture) {
    // A photo just taken is shown at once, wherever the list was scrolled.
    table->scrollToItem(addRow(table, picture));
}

void CasePhotoViewController::showPersonPhoto(const QPixmap& picture) {
    personImg->setIcon(QIcon(picture));
}

void CasePhotoViewController::tableViewDidSelectRowAtIndexPath(QListWidget* table, int row) {
    if (row < 0 || row >= tableViewNumberOfRowsInSection(table)) return;
    _deleteTbl = table;
    _deleteIndex = row;
    const QImage photo = QImage::fromData(arrayOf(table).at(row).photo);
    if (navigationController())
        navigationController()->pushViewController(
            PhotoPreviewViewController::initWithTitleWithImage(kPreviewTitle, photo), true);
}

void CasePhotoViewController::photoSelect() {
    if (!_topDict || !navigationController()) return;
    navigationController()->pushViewController(
        PhotoPreviewViewController::initWithTitleWithImageHasDeleteHidden(
            kPreviewTitle, QImage::fromData(_topDict->photo), true),
        true);
}

void CasePhotoViewController::viewWillAppear(bool animated) {
    Q_UNUSED(animated);
    if (navigationController()) navigationController()->setNavigationBarHidden(false, false);
    if (PublicVars::sharedInstance().isNeedDelete()) handBackDeletion();
}

void CasePhotoViewController::handBackDeletion() {
    if (_deleteTbl && _deleteIndex >= 0 &&
        _deleteIndex < tableViewNumberOfRowsInSection(_deleteTbl)) {
        arrayOf(_deleteTbl).removeAt(_deleteIndex);
        photosUnstored_ = true;
        // The other rows keep their pictures; only the deleted row goes.
        delete _deleteTbl->takeItem(_deleteIndex);
    }
    _deleteIndex = -1;
    PublicVars::sharedInstance().setIsNeedDelete(false);
}

void CasePhotoViewController::showPositionState() {
    noFixMark->setVisible(!PublicVars::sharedInstance().nowLocation().has_value());
}

void CasePhotoViewController::cameraUpperButtonPressed() {
    openCameraFor(InspectorPhoto);
}

void CasePhotoViewController::cameraLowerButtonPressed() {
    if (tableDetailArray.size() >= kSitePhotoLimit)
        refuseCount(QStringLiteral("現場照片數量最多10張, 請刪除不要的照片後再拍照"));
    else
        openCameraFor(SitePhoto);
}

void CasePhotoViewController::cameraRightButtonPressed() {
    if (tableDetailArray_1.size() >= kMaintenancePhotoLimit)
        refuseCount(QStringLiteral("維護保養單照片數量最多3張, 請刪除不要的照片後再拍照"));
    else
        openCameraFor(MaintenancePhoto);
}

void CasePhotoViewController::refuseCount(const QString& message) {
    showNotice(QStringLiteral("照片數量錯誤"), message);
}

void CasePhotoViewController::openCameraFor(int type) {
    // One camera at a time: a second press while one opens is ignored.
    if (cameraBusy_) return;
    takeType = type;
    cameraButtonPressed();
}

void CasePhotoViewController::cameraButtonPressed() {
    cameraBusy_ = true;
    requestCameraAccess(this, [this](bool granted) {
        if (!granted) {
            cameraBusy_ = false;
            const Notice refused = cameraRefusedNotice();
            showNotice(refused.title, refused.message);
            return;
        }
        cameraLocation = PublicVars::sharedInstance().nowLocation();
        openCamera();
    });
}

void CasePhotoViewController::openCamera() {
    cameraBusy_ = true;
    QPointer<CasePhotoViewController> self(this);
    platform().cameraPicker->takePhoto([self](std::optional<QByteArray> jpeg) {
        if (!self) return;
        self->cameraBusy_ = false;
        if (jpeg)
            self->imagePickerControllerDidFinishPickingMediaWithInfo(*jpeg);
        else
            self->imagePickerControllerDidCancel();
    });
}

void CasePhotoViewController::imagePickerControllerDidCancel() {}

void CasePhotoViewController::imagePickerControllerDidFinishPickingMediaWithInfo(
    const QByteArray& originalJpeg) {
    const QDateTime returned = platform().clock->now();
    std::optional<QString> name;
    if (takeType == InspectorPhoto)
        name = QStringLiteral("%1").arg(
            platform().settings->string(QString(chkerNamePreferenceKey)).value_or(QString()));
    const std::optional<StampedPhoto> stamped =
        stampTakenPhotoWithImage(originalJpeg, Chkno_, name);
    if (!stamped) {
        showNotice(QStringLiteral("照片無法使用"),
                   QStringLiteral("相機傳回的照片無法讀取, 請重新拍照"));
        return;
    }
    photosUnstored_ = true;
    PhotoEntry entry;
    entry.photo = stamped->jpeg;
    entry.imgTime = returned;
    entry.lat = cameraLocation ? float(cameraLocation->latitude) : 0.0f;
    entry.lon = cameraLocation ? float(cameraLocation->longitude) : 0.0f;
    const CasePhotoLayout& look = casePhotoLayout();
    if (takeType == InspectorPhoto) {
        _takeUserPhoto = true;
        showPersonPhoto(framedPhotoPicture(stamped->image, look.personPicture));
        _topDict = std::move(entry);
        return;
    }
    QListWidget* table = takeType == MaintenancePhoto ? tbl1 : tbl;
    arrayOf(table).append(std::move(entry));
    appendRow(table, framedPhotoPicture(stamped->image, look.rowPicture));
}

bool CasePhotoViewController::windowShouldClose() {
    if (!photosUnstored_) return true;
    // Closing the window is leaving: the same question, and "是" then closes it.
    closeWindowOnLeaving_ = true;
    if (!leaveQuestionShown_) popView();
    return false;
}

void CasePhotoViewController::popView() {
    leaveQuestionShown_ = true;
    AlertView alert(QStringLiteral("安檢照片尚未儲存"),
                    QStringLiteral("拍攝的安檢照片尚未儲存, 你確定不儲存直接離開?"), this,
                    QStringLiteral("否"), {QStringLiteral("是")});
    alert.tag = LeaveQuestion;
    alert.destructive = true;
    alert.show();
}

void CasePhotoViewController::checkSend() {
    if (checkFields()) waitSend();
}

bool CasePhotoViewController::checkFields() {
    if (_takeUserPhoto && _topDict) return true;
    showNotice(QStringLiteral("資料檢核錯誤"), QStringLiteral("檢查員入鏡照片必須拍攝"));
    return false;
}

void CasePhotoViewController::waitSend() {
    if (!saveReport()) {
        // Nothing was stored: every photo stays, and "完成" can be pressed again.
        showNotice(QStringLiteral("照片儲存失敗"),
                   QStringLiteral("檢查照片無法寫入裝置, 請確認儲存空間後再按「完成」"));
        return;
    }
    photosUnstored_ = false;
    AlertView alert(QStringLiteral("照片儲存成功"), QStringLiteral("檢查照片已成功儲存"), this,
                    std::nullopt, {kUnderstood});
    alert.tag = Saved;
    alert.show();
}

void CasePhotoViewController::alertViewClickedButtonAtIndex(const AlertAnswer& answer) {
    if (answer.tag == Saved) {
        leaveAfterSaving();
    } else if (answer.tag == LeaveQuestion) {
        leaveQuestionShown_ = false;
        const bool closeWindow = std::exchange(closeWindowOnLeaving_, false);
        if (answer.buttonIndex != 1) return;
        QWidget* appWindow = window();
        if (navigationController()) navigationController()->removeViewController(this);
        if (closeWindow) appWindow->close();
    }
}
