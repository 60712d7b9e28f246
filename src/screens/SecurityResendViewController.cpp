#include "screens/SecurityResendViewController.h"

#include "inspection/QrPayloads.h"
#include "platform/Platform.h"
#include "qr/QRReaderViewController.h"
#include "screens/GeneralViewController.h"
#include "screens/SecurityResendLayout.h"
#include "screens/SecurityResendTable.h"
#include "screens/SecurityResendTableViewCell.h"
#include "store/PublicVars.h"
#include "store/StoreKeys.h"
#include "ui/AlertView.h"
#include "ui/KineticScroller.h"
#include "ui/NavigationController.h"
#include "ui/Popover.h"
#include "util/PublicFunction.h"
#include "util/PublicFunctionParameters.h"
#include "util/SystemFont.h"
#include "widgets/ImageButton.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPushButton>

namespace {

const QString kOk = QStringLiteral("知道了");
constexpr double kOverlayDelay = 0.01;
constexpr double kSwipeDelay = 0.2;
const QStringList kSortEntries = {QStringLiteral("依時間排序"), QStringLiteral("依編號排序"),
                                  QStringLiteral("依上傳狀態排序")};

bool isTablet() {
    return platform().device->isTablet();
}

void showPlainAlert(const QString& title, const QString& message) {
    AlertView(title, message, nullptr, kOk).show();
}

void showOverdueAlert() {
    showPlainAlert(QStringLiteral("案件逾期"), QStringLiteral("此案件已經逾期，無法再做更改"));
}

QString localVersion() {
    return PublicFunction::getPlistPrarmAndKey(parametersFileName, verIosKey).value_or(QString());
}

} // namespace

SecurityResendViewController::SecurityResendViewController(const QString& layoutName)
    : ViewController(layoutName.isEmpty() ? QStringLiteral("SecurityResendViewController")
                                          : layoutName) {
    records_.reload();
}

SecurityResendViewController::~SecurityResendViewController() {
    popViewClose();
}

void SecurityResendViewController::viewDidLoad() {
    PublicVars& store = PublicVars::sharedInstance();
    store.transPhotoInDictionary();
    // The move may have changed records the screen already lists: the same
    // records, so only the list itself is taken again.
    records_.reload();
    setTitle(QStringLiteral("安檢照片紀錄"));
    setBackBarButtonTitle(QStringLiteral("返回"));
    buildNavigationBar();
    buildLayout();
    ServerIP =
        PublicFunction::getPlistPrarmAndKey(parametersFileName, serverIpKey).value_or(QString());
}

void SecurityResendViewController::viewWillAppear(bool animated) {
    Q_UNUSED(animated);
    reloadData();
    if (navigationController()) navigationController()->setNavigationBarHidden(false, false);
}

ImageButton* SecurityResendViewController::imageBarButton(const QString& name,
                                                          const QString& image) {
    const QImage picture(image);
    auto* button = new ImageButton(this);
    button->setObjectName(name);
    button->setImage(picture);
    // As tall as its image and 20 points wider.
    button->setFixedSize(picture.width() + 20, picture.height());
    button->hide();
    return button;
}

void SecurityResendViewController::buildNavigationBar() {
    backButton = new QPushButton(QStringLiteral("返回"), this);
    backButton->setObjectName(QStringLiteral("popView"));
    backButton->hide();
    connect(backButton, &QPushButton::clicked, this, &SecurityResendViewController::popView);
    setLeftBarButton(backButton);
    sendButton = new QPushButton(QStringLiteral("傳送"), this);
    sendButton->setObjectName(QStringLiteral("startSend"));
    sendButton->setFlat(true);
    sendButton->hide();
    connect(sendButton, &QPushButton::clicked, this, &SecurityResendViewController::startSend);
    deleteButton = imageBarButton(QStringLiteral("deleteCase"), QStringLiteral(":/ic_delete.png"));
    connect(deleteButton, &ImageButton::clicked, this, &SecurityResendViewController::deleteCase);
    sort_Button =
        imageBarButton(QStringLiteral("sort_Button"), QStringLiteral(":/tabItemList.png"));
    connect(sort_Button, &ImageButton::clicked, this, &SecurityResendViewController::sortArray);
    setRightBarButtons({sendButton, deleteButton, sort_Button});
}

void SecurityResendViewController::buildLayout() {
    const SecurityResendLayout& look = securityResendLayout();
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(look.ground));
    setPalette(palette);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 8, 0, 0);
    layout->setSpacing(8);
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(8, 0, 8, 0);
    allSelectButton = new QPushButton(QStringLiteral("全選"), this);
    allSelectButton->setObjectName(QStringLiteral("allSelectButton"));
    qrCodeButton = new QPushButton(QStringLiteral("掃描登記碼"), this);
    qrCodeButton->setObjectName(QStringLiteral("qrCodeButton"));
    for (QPushButton* button : {allSelectButton, qrCodeButton}) {
        button->setFont(systemFont(look.buttonFontSize));
        button->setMinimumHeight(look.buttonHeight);
        buttons->addWidget(button);
    }
    connect(allSelectButton, &QPushButton::clicked, this,
            &SecurityResendViewController::allSelectButtonPressed);
    connect(qrCodeButton, &QPushButton::clicked, this,
            &SecurityResendViewController::qrCodeButtonPressed);
    layout->addLayout(buttons);

    cell_ = std::make_unique<SecurityResendTableViewCell>(look);
    cell_->target = this;
    placeholderCell_ = std::make_unique<QLabel>(QStringLiteral("無任何資料"));
    placeholderCell_->setObjectName(QStringLiteral("NULLCELL"));
    placeholderCell_->setAttribute(Qt::WA_DontShowOnScreen);
    placeholderCell_->setFont(systemFont(look.placeholderFontSize));
    placeholderCell_->setIndent(16);
    placeholderCell_->setAutoFillBackground(true);
    placeholderCell_->setStyleSheet(QStringLiteral("background: white; color: black;"));
    placeholderCell_->show();

    tbl = new QListView(this);
    tbl->setObjectName(QStringLiteral("tbl"));
    tbl->setSelectionMode(QAbstractItemView::NoSelection);
    tbl->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tbl->setUniformItemSizes(true);
    tbl->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    tbl->setSpacing(0);
    tbl->setFrameShape(QFrame::NoFrame);
    tbl->setContextMenuPolicy(Qt::CustomContextMenu);
    model_ = new SecurityResendTableModel(*this);
    delegate_ = new SecurityResendCellDelegate(*this);
    tbl->setModel(model_);
    tbl->setItemDelegate(delegate_);
    delegate_->attachTo(tbl);
    scrollByFinger(tbl);
    connect(tbl, &QListView::customContextMenuRequested, this,
            &SecurityResendViewController::showRowMenu);
    layout->addWidget(tbl, 1);
}

void SecurityResendViewController::reloadData() {
    if (model_) model_->reloadData();
}

// ---- The table ----

int SecurityResendViewController::tableViewNumberOfRowsInSection() const {
    if (!records_.cases().isEmpty()) return int(records_.cases().size());
    return delayShow ? 0 : 1;
}

QWidget* SecurityResendViewController::tableViewCellForRowAtIndexPath(int row, int width) {
    if (records_.cases().isEmpty()) {
        placeholderCell_->resize(width, securityResendLayout().rowHeight);
        return placeholderCell_.get();
    }
    const std::shared_ptr<CaseRecord>& record = records_.cases().at(row);
    cell_->showRecord(*record, row, records_.ticked().contains(record), width);
    return cell_.get();
}

void SecurityResendViewController::setIndexWithTag(int index, const QString& tag) {
    if (records_.setTicked(index, tag == QStringLiteral("1")) && model_) model_->reloadRow(index);
}

void SecurityResendViewController::allSelectButtonPressed() {
    records_.tickAll();
    reloadData();
}

void SecurityResendViewController::tableViewDidSelectRowAtIndexPath(int row) {
    if (row < 0 || row >= records_.cases().size()) return;
    const std::shared_ptr<CaseRecord>& record = records_.cases().at(row);
    if (!caseStateLook(record->state).opens) {
        showOverdueAlert();
        return;
    }
    if (makeEditingScreen && navigationController())
        navigationController()->pushViewController(makeEditingScreen(record), true);
}

bool SecurityResendViewController::tableViewCanEditRowAtIndexPath(int row) const {
    Q_UNUSED(row);
    return !records_.cases().isEmpty();
}

void SecurityResendViewController::showRowMenu(const QPoint& at) {
    const int row = tbl->indexAt(at).row();
    if (row < 0 || !tableViewCanEditRowAtIndexPath(row)) return;
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    connect(menu->addAction(QStringLiteral("刪除")), &QAction::triggered, this, [this, row] {
        tableViewCommitEditingStyleForRowAtIndexPath(EditingStyle::Delete, row);
    });
    menu->popup(tbl->viewport()->mapToGlobal(at));
}

// ---- Sorting ----

void SecurityResendViewController::sortArray() {
    popViewClose();
    auto* picker =
        new GeneralViewController(kSortEntries, records_.sortIndex(), QStringLiteral("紀錄排序"),
                                  this, [this](int row) { acceptSortId(row); });
    if (isTablet()) {
        picker->setShowsNavigationBar(true);
        popoverController =
            Popover::present(picker, sort_Button, GeneralViewController::preferredContentSize());
    } else {
        phonePopoverController = Popover::present(picker, sort_Button, QSize(200, 250));
    }
}

void SecurityResendViewController::acceptSortId(int row) {
    records_.sortBy(row);
    reloadData();
    popViewClose();
}

void SecurityResendViewController::popViewClose() {
    for (QPointer<Popover>* popover : {&popoverController, &phonePopoverController}) {
        if (*popover) (*popover)->dismiss();
        *popover = nullptr;
    }
}

// ---- Deleting ----

bool SecurityResendViewController::commitDeletion(const CaseRecords::Deletion& deletion) {
    if (CaseRecords::save(deletion)) return true;
    showPlainAlert(QStringLiteral("紀錄刪除失敗"), QStringLiteral("無法寫入紀錄檔, 案件都未刪除"));
    return false;
}

void SecurityResendViewController::tableViewCommitEditingStyleForRowAtIndexPath(EditingStyle style,
                                                                                int row) {
    if (style != EditingStyle::Delete || row < 0 || row >= records_.cases().size()) return;
    const CaseRecords::Deletion deletion = records_.deletionOfRow(row);
    if (!commitDeletion(deletion)) return;
    delayShow = true;
    model_->deleteRow(row, [&] { records_.apply(deletion); });
    QPointer<SecurityResendViewController> self(this);
    platform().loop->after(kSwipeDelay, [self] {
        if (!self) return;
        self->delayShow = false;
        self->reloadData();
    });
}

void SecurityResendViewController::deleteCase() {
    if (records_.ticked().empty()) {
        showPlainAlert(QString(""), QStringLiteral("請先勾選案件後再刪除"));
        return;
    }
    if (!records_.anyTickedWaiting()) {
        deleteCaseFN(DeleteAll);
        return;
    }
    AlertView alert(QStringLiteral("刪除"), QStringLiteral("尚有未傳送案件, 是否繼續刪除作業?"),
                    this, QStringLiteral("停止刪除"),
                    {QStringLiteral("略過待傳案件"), QStringLiteral("全部刪除")});
    alert.tag = PendingDelete;
    alert.destructive = true;
    alert.show();
}

bool SecurityResendViewController::deleteCaseFN(int mode) {
    const CaseRecords::Deletion deletion = records_.deletionOfTicked(mode == KeepWaiting);
    if (!commitDeletion(deletion)) return false;
    records_.apply(deletion);
    reloadData();
    return true;
}

// ---- Finding a case by its code ----

void SecurityResendViewController::qrCodeButtonPressed() {
    openQRCode();
}

void SecurityResendViewController::openQRCode() {
    auto* reader = new QRReaderViewController;
    reader->delegate = this;
    reader->setTitle(QStringLiteral("登記碼掃描"));
    if (navigationController()) navigationController()->pushViewController(reader, true);
}

void SecurityResendViewController::didFinishedReadingQR(const QString& text) {
    const std::optional<RegistrationCode> code = readRegistrationCode(text);
    if (!code) {
        showPlainAlert(QStringLiteral("登記碼掃描錯誤"),
                       QStringLiteral("掃描的QRcode並非檢查/維護登記碼"));
        return;
    }
    PublicVars& store = PublicVars::sharedInstance();
    const std::shared_ptr<CaseRecord> record = store.findWaitingStoreArrayByPK(code->text);
    if (!record) {
        showPlainAlert(QStringLiteral("資料檢核錯誤"), QStringLiteral("查無此登記碼的上傳紀錄"));
        NavigationController* navigation = navigationController();
        if (navigation && navigation->topViewController() != this)
            navigation->removeViewController(navigation->topViewController());
        return;
    }
    if (!caseStateLook(record->state).opens) {
        showOverdueAlert();
        return;
    }
    PublicFunction::startIndicator(QStringLiteral("資料讀取中"));
    QPointer<SecurityResendViewController> self(this);
    platform().loop->after(kOverlayDelay, [self, record] {
        PublicFunction::stopIndicator();
        if (!self || !self->makeEditingScreen || !self->navigationController()) return;
        self->navigationController()->pushViewController(self->makeEditingScreen(record), true);
    });
}

// ---- Leaving ----

void SecurityResendViewController::popView() {
    if (url_ios && ver_ios != localVersion()) {
        plistUrl = *url_ios;
        AlertView alert(QStringLiteral("有新的版本可更新"),
                        QStringLiteral("你目前使用的版本不是最新的, 是否要下載更新？"), this,
                        QStringLiteral("更新"), {QStringLiteral("現在不要")});
        alert.tag = UpdatePrompt;
        alert.show();
        return;
    }
    if (navigationController()) navigationController()->popViewControllerAnimated(true);
}

void SecurityResendViewController::alertViewClickedButtonAtIndex(const AlertAnswer& answer) {
    switch (answer.tag) {
    case PendingDelete:
        if (answer.buttonIndex == 0) break;
        if (deleteCaseFN(answer.buttonIndex == 1 ? KeepWaiting : DeleteAll))
            AlertView(QString(""), QStringLiteral("紀錄刪除成功"), this, kOk).show();
        break;
    case UpdatePrompt:
        if (answer.buttonIndex == 0)
            platform().system->openUrl(QUrl(plistUrl));
        else if (navigationController())
            navigationController()->popViewControllerAnimated(true);
        break;
    case LookupRefused:
        run_.noticeDismissed(Notice::Refused);
        break;
    case RunSummary:
        run_.noticeDismissed(Notice::Summary);
        break;
    case RunStopped:
        run_.noticeDismissed(Notice::Stopped);
        break;
    default:
        break;
    }
}
