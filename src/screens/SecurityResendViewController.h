#pragma once

#include "inspection/CaseRecords.h"
#include "inspection/SendingRun.h"
#include "qr/QRReaderViewControllerDelegate.h"
#include "store/CaseRecord.h"
#include "ui/ViewController.h"

#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <set>

class ImageButton;
class Popover;
class QLabel;
class QListView;
class QPushButton;
class SecurityResendCellDelegate;
class SecurityResendTableModel;
class SecurityResendTableViewCell;

// The records screen: every stored case with its state. The inspector ticks
// cases and sends them in a run (look up, upload, next), sorts the list,
// deletes cases, opens a waiting or sent case for editing, and finds a case
// by scanning its registration code.
//
// A tick belongs to its case, not to a row position: sorting or deleting
// moves no tick onto another case.
class SecurityResendViewController : public ViewController,
                                     public QRReaderViewControllerDelegate,
                                     private SendingRunHost {
    Q_OBJECT
  public:
    enum Tag {
        RunSummary = 1,
        RunStopped = 2,
        UpdatePrompt = 11,
        LookupRefused = 22,
        PendingDelete = 99,
    };
    enum class EditingStyle { None, Delete, Insert };
    enum DeleteMode { KeepWaiting = 1, DeleteAll = 2 };

    // The screen's list is the store's list of cases, in store order.
    explicit SecurityResendViewController(const QString& layoutName = {});
    ~SecurityResendViewController() override;

    // The editing screen of a waiting or sent case; the case opens nowhere
    // without it.
    std::function<ViewController*(std::shared_ptr<CaseRecord>)> makeEditingScreen;

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void alertViewClickedButtonAtIndex(const AlertAnswer& answer) override;

    // ---- List, ticks, sort ----
    void allSelectButtonPressed();
    // Ticks ("1") or unticks (any other tag) the case shown at row index.
    void setIndexWithTag(int index, const QString& tag);
    void sortArray();
    void acceptSortId(int row);
    void popViewClose();

    // ---- Deleting ----
    void deleteCase();
    // Deletes the ticked cases (mode KeepWaiting keeps the waiting ones).
    // Returns false, with everything kept and the inspector told, when the
    // shortened list could not be saved.
    bool deleteCaseFN(int mode);

    // ---- Opening a case, finding it by its code, leaving ----
    void qrCodeButtonPressed();
    void openQRCode();
    void didFinishedReadingQR(const QString& text) override;
    void popView();

    // ---- The table ----
    int tableViewNumberOfRowsInSection() const;
    // The row's cell, shown for that row and width wide: the case's cell or
    // the placeholder.
    QWidget* tableViewCellForRowAtIndexPath(int row, int width);
    void tableViewDidSelectRowAtIndexPath(int row);
    bool tableViewCanEditRowAtIndexPath(int row) const;
    void tableViewCommitEditingStyleForRowAtIndexPath(EditingStyle style, int row);

    // ---- The sending run ----
    // Sends the ticked cases, or says that none is ticked.
    void startSend();

    // The screen's list of cases, in the order shown.
    const CaseList& storeRecordArray() const { return records_.cases(); }
    // The ticked cases.
    bool isTicked(const CaseRecord* record) const { return records_.isTicked(record); }
    std::size_t tickCount() const { return records_.ticked().size(); }
    qint64 sortIndex() const { return records_.sortIndex(); }
    bool isDelayShow() const { return delayShow; }
    int runPosition() const { return run_.position(); }

    QListView* tbl = nullptr;
    QPushButton* allSelectButton = nullptr;
    QPushButton* qrCodeButton = nullptr;
    QPushButton* sendButton = nullptr;
    ImageButton* deleteButton = nullptr;
    ImageButton* sort_Button = nullptr;
    QPushButton* backButton = nullptr;
    QPointer<Popover> popoverController;      // the sort menu on tablets
    QPointer<Popover> phonePopoverController; // the sort menu on phones
    std::optional<QString> ver_ios;
    std::optional<QString> url_ios;
    QString plistUrl;
    QString ServerIP;

  private:
    void buildNavigationBar();
    void buildLayout();
    void showRowMenu(const QPoint& at);
    ImageButton* imageBarButton(const QString& name, const QString& image);
    void reloadData();
    // Saves the deletion in the store; a list that cannot be saved changes
    // nothing, and the inspector is told.
    bool commitDeletion(const CaseRecords::Deletion& deletion);

    void showRunNotice(Notice kind, const QString& title, const QString& message) override;
    void showRunProgress(const QString& label) override;
    void hideRunProgress() override;
    void showRunStep(int place, int count, const QString& equipment) override;
    void showRunShare(qint64 sent, qint64 total) override;
    void runChangedCases() override;
    void runLearnedVersion(const std::optional<QString>& version,
                           const std::optional<QString>& url) override;

    CaseRecords records_;
    bool delayShow = false;
    std::unique_ptr<SecurityResendTableViewCell> cell_;
    std::unique_ptr<QLabel> placeholderCell_;
    SecurityResendTableModel* model_ = nullptr;
    SecurityResendCellDelegate* delegate_ = nullptr;
    SendingRun run_{*this, records_.cases(), records_.ticked()};
};
