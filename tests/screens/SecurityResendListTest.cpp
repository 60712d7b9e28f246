#include "plist/PlistWriteFailure.h"
#include "qr/QRReaderViewController.h"
#include "screens/GeneralViewController.h"
#include "screens/MainViewController.h"
#include "screens/RecordsFixture.h"
#include "screens/SecurityResendTableViewCell.h"
#include "screens/UploadCheckAddCaseViewController.h"
#include "ui/ElidedLabel.h"
#include "ui/Popover.h"
#include "util/PublicFunction.h"
#include "widgets/SwipeDeleteButton.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

namespace {

using Records = RecordsFixture;

// The photo file of a case once the screen has moved its photos out.
QString photoFileOf(const CaseRecord& record, const QString& folder) {
    return *photoFilePath(folder, record.photoId.value_or("none"));
}

TEST_F(Records, AnEmptyStoreShowsThePlaceholderThatNeitherOpensNorSwipes) {
    open();
    EXPECT_EQ(screen->title(), "安檢照片紀錄");
    EXPECT_EQ(rowTexts(), QStringList({"無任何資料"}));
    auto* cell = qobject_cast<QLabel*>(screen->tableViewCellForRowAtIndexPath(0, 320));
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->objectName(), "NULLCELL");
    EXPECT_EQ(cell->font().pixelSize(), 17);
    EXPECT_FALSE(screen->tableViewCanEditRowAtIndexPath(0));
    screen->tableViewDidSelectRowAtIndexPath(0);
    screen->tableViewCommitEditingStyleForRowAtIndexPath(
        SecurityResendViewController::EditingStyle::Delete, 0);
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_FALSE(fake.alerts.showing());
    EXPECT_EQ(rowTexts(), QStringList({"無任何資料"}));
}

TEST_F(Records, OpeningMovesInlinePhotosOutAndBuildsTheBar) {
    storeCases({makeCase("P1")});
    open();
    const CaseRecord& record = *screen->storeRecordArray()[0];
    ASSERT_TRUE(record.photoId);
    EXPECT_FALSE(record.hasInlinePhotos());
    EXPECT_TRUE(QFileInfo::exists(photoFileOf(record, fake.path())));
    ASSERT_EQ(screen->rightBarButtons().size(), 3);
    EXPECT_EQ(screen->rightBarButtons()[0]->text(), "傳送");
    EXPECT_EQ(screen->rightBarButtons()[1]->objectName(), "deleteCase");
    EXPECT_EQ(screen->rightBarButtons()[2], screen->sort_Button);
    // Each image button is as tall as its image and 20 points wider.
    EXPECT_EQ(screen->sort_Button->size(), QSize(44, 24));
    EXPECT_EQ(screen->leftBarButton()->text(), "返回");
    // In the bar from the right edge inward.
    nav.show();
    EXPECT_GT(screen->sendButton->x(), screen->deleteButton->x());
    EXPECT_GT(screen->deleteButton->x(), screen->sort_Button->x());
    EXPECT_TRUE(screen->sort_Button->isVisible());
}

struct StateCase {
    QString state, badge, colour;
    bool disclosure;
};

TEST_F(Records, EachStateShowsItsBadgeAndOnlyWaitingAndSentCasesOpen) {
    const std::vector<StateCase> table = {{"0", "待傳", "f9b233ff", true},
                                          {"1", "已傳", "2e9868ff", true},
                                          {"2", "逾期", "a52a2aff", false},
                                          {"9", "逾期", "a52a2aff", false}};
    CaseList cases;
    for (const StateCase& c : table)
        cases << makeCase("P" + c.state, c.state, "安全檢查", "104/06/30 09:0" + c.state);
    storeCases(cases);
    open();
    for (int row = 0; row < int(table.size()); ++row) {
        SCOPED_TRACE(table[row].state.toStdString());
        auto* cell = qobject_cast<SecurityResendTableViewCell*>(
            screen->tableViewCellForRowAtIndexPath(row, 320));
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->line1->text(), "104/06/30 09:0" + table[row].state);
        EXPECT_EQ(cell->line2->text(), "P" + table[row].state + " 安全檢查照片");
        EXPECT_EQ(cell->txtState->text(), table[row].badge);
        EXPECT_TRUE(cell->txtState->styleSheet().contains(
            PublicFunction::colorWithHexString(table[row].colour).name(QColor::HexArgb)));
        EXPECT_EQ(cell->disclosure->isVisibleTo(cell), table[row].disclosure);
        EXPECT_EQ(cell->index, row);
        screen->tableViewDidSelectRowAtIndexPath(row);
        if (table[row].disclosure) {
            ASSERT_FALSE(opened.isEmpty());
            EXPECT_EQ(opened.last(), screen->storeRecordArray()[row]); // the very record
            EXPECT_EQ(nav.topViewController()->layoutName(), "UploadCheckAddCaseViewController");
            nav.popViewControllerAnimated(false);
        } else {
            ASSERT_TRUE(fake.alerts.showing());
            EXPECT_EQ(fake.alerts.current().title, "案件逾期");
            EXPECT_EQ(fake.alerts.current().message, "此案件已經逾期，無法再做更改");
            fake.alerts.press("知道了");
        }
    }
    EXPECT_EQ(opened.size(), 2);
}

// A long equipment number is shortened in its middle on a phone, so the type
// stays readable, and shown whole on a tablet's wider row.
TEST_F(Records, ALongEquipmentNumberIsShortenedWhereTheRowIsTooNarrow) {
    const QString number = "ABCDEFGHIJKLMNOPQRSTUVWX";
    storeCases({makeCase(number, "0", "安全檢查")});
    open();
    for (const int width : {320, 768}) {
        SCOPED_TRACE(width);
        auto* cell = qobject_cast<SecurityResendTableViewCell*>(
            screen->tableViewCellForRowAtIndexPath(0, width));
        ASSERT_NE(cell, nullptr);
        auto* line = dynamic_cast<ElidedLabel*>(cell->line2);
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->text(), number + " 安全檢查照片");
        EXPECT_LE(line->geometry().right(), cell->txtState->geometry().left());
        if (width == 320) {
            EXPECT_TRUE(line->shownText().contains("…")) << line->shownText().toStdString();
            EXPECT_TRUE(line->shownText().startsWith("ABC"));
            EXPECT_TRUE(line->shownText().endsWith("照片"));
        } else {
            EXPECT_EQ(line->shownText(), line->text());
        }
    }
}

TEST_F(Records, PressingTheTickBoxTicksItsCaseAndSelectAllTicksEvery) {
    storeCases({makeCase("P1"), makeCase("P2"), makeCase("P3")});
    open();
    nav.show();
    QWidget* viewport = screen->tbl->viewport();
    const QRect row1 = screen->tbl->visualRect(screen->tbl->model()->index(1, 0));
    QTest::mouseClick(viewport, Qt::LeftButton, {}, row1.topLeft() + QPoint(20, row1.height() / 2));
    EXPECT_EQ(ticked(), QStringList({"P2"}));
    EXPECT_EQ(screen->tbl->model()->index(1, 0).data(Qt::CheckStateRole), Qt::Checked);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, row1.topLeft() + QPoint(20, row1.height() / 2));
    EXPECT_TRUE(ticked().isEmpty());
    EXPECT_TRUE(opened.isEmpty()); // a tick opens nothing
    // A press beside the box opens the case.
    QTest::mouseClick(viewport, Qt::LeftButton, {}, row1.center());
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0]->pakeno, "P2");
    nav.popViewControllerAnimated(false);

    // A tap on a checkable row's indicator, as an item view sends it.
    QAbstractItemModel* model = screen->tbl->model();
    ASSERT_TRUE(model->flags(model->index(2, 0)) & Qt::ItemIsUserCheckable);
    EXPECT_TRUE(model->setData(model->index(2, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_EQ(ticked(), QStringList({"P3"}));
    model->setData(model->index(2, 0), Qt::Unchecked, Qt::CheckStateRole);
    EXPECT_TRUE(ticked().isEmpty());

    screen->allSelectButton->click();
    EXPECT_EQ(ticked(), QStringList({"P1", "P2", "P3"}));
    auto* cell =
        qobject_cast<SecurityResendTableViewCell*>(screen->tableViewCellForRowAtIndexPath(2, 320));
    EXPECT_TRUE(cell->chk_true->isSelected());
}

struct SortCase {
    int entry;
    QStringList order;
};

TEST_F(Records, EachSortEntryOrdersByItsKeyAndTicksStayOnTheirCases) {
    // Kept in this order; keys chosen so that every entry orders differently.
    storeCases({makeCase("B", "1", "竣工檢查", "104/01/02 08:00"),
                makeCase("C", "0", "安全檢查", "103/12/31 23:59"),
                makeCase("A", "2", "竣工檢查", "104/03/01 10:00")});
    open();
    EXPECT_EQ(listed(), QStringList({"B", "C", "A"})); // store order, unsorted
    tick({"C"});
    const std::vector<SortCase> table = {{0, {"C", "B", "A"}},  // time kept
                                         {1, {"A", "B", "C"}},  // registration number
                                         {2, {"C", "B", "A"}}}; // upload state "0" < "1" < "2"
    for (const SortCase& c : table) {
        SCOPED_TRACE(c.entry);
        screen->sortArray();
        ASSERT_TRUE(screen->phonePopoverController);
        auto* picker =
            qobject_cast<GeneralViewController*>(screen->phonePopoverController->content());
        ASSERT_NE(picker, nullptr);
        EXPECT_EQ(screen->phonePopoverController->boxGeometry().size(), QSize(200, 250));
        const QStringList before = listed();
        picker->tbl()->itemClicked(picker->tbl()->item(c.entry));
        EXPECT_EQ(listed(), before);
        fake.clock.advance(0); // the choice arrives on the next turn
        EXPECT_EQ(screen->sortIndex(), c.entry);
        EXPECT_EQ(listed(), c.order);
        EXPECT_EQ(ticked(), QStringList({"C"}));
        EXPECT_FALSE(screen->phonePopoverController);
    }
    // The sort is the screen's own until it hands its list over.
    EXPECT_EQ(storedStates(), QStringList({"B:1", "C:0", "A:2"}));
}

TEST_F(Records, TheSortMenuMarksThePresentEntryAndCarriesTheTwoSymbols) {
    open();
    screen->acceptSortId(1);
    screen->sortArray();
    auto* picker = qobject_cast<GeneralViewController*>(screen->phonePopoverController->content());
    ASSERT_NE(picker, nullptr);
    QListWidget* list = picker->tbl();
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0)->text(), "依時間排序");
    EXPECT_EQ(list->item(2)->text(), "依上傳狀態排序");
    EXPECT_EQ(picker->title(), "紀錄排序");
    const QColor chosen = PublicFunction::colorWithHexString("71BCC1ff");
    EXPECT_EQ(list->item(0)->background().color(), Qt::white);
    EXPECT_EQ(list->item(1)->background().color(), chosen);
    EXPECT_TRUE(list->item(0)->icon().isNull());
    EXPECT_FALSE(list->item(1)->icon().isNull());
    EXPECT_FALSE(list->item(2)->icon().isNull());
    EXPECT_EQ(list->item(1)->font().pixelSize(), 14);
    EXPECT_FALSE(picker->titleBar()->isVisibleTo(picker)); // no container bar on a phone
}

TEST_F(Records, OnATabletTheMenuHangsUnderTheSortButtonWithItsTitleBar) {
    fake.device.tablet = true;
    fake.device.size = {768, 1024};
    nav.resize(768, 1024);
    open();
    nav.show();
    screen->sortArray();
    ASSERT_TRUE(screen->popoverController);
    EXPECT_FALSE(screen->phonePopoverController);
    EXPECT_TRUE(screen->popoverController->hasArrow());
    EXPECT_EQ(screen->popoverController->boxGeometry().size(), QSize(320, 250));
    auto* picker = qobject_cast<GeneralViewController*>(screen->popoverController->content());
    EXPECT_TRUE(picker->titleBar()->isVisibleTo(picker));
    EXPECT_EQ(picker->titleBar()->text(), "紀錄排序");
    EXPECT_EQ(picker->tbl()->item(0)->font().pixelSize(), 20);
}

TEST_F(Records, ListsOfOtherLengthsCarryNoSymbolsAndAPickerWithoutOwnerOnlyMarks) {
    for (const QStringList& entries : {QStringList{"a", "b"}, QStringList{"a", "b", "c", "d"}}) {
        GeneralViewController picker(entries, -1, "t", nullptr, [](int) { FAIL(); });
        picker.loadViewIfNeeded();
        picker.viewWillAppear(false);
        for (int row = 0; row < entries.size(); ++row) {
            EXPECT_TRUE(picker.tbl()->item(row)->icon().isNull());
            EXPECT_EQ(picker.tbl()->item(row)->background().color(), Qt::white);
        }
        picker.tableViewDidSelectRowAtIndexPath(1);
        fake.clock.advance(0); // no owner: nothing is called
        EXPECT_EQ(picker.tbl()->item(1)->background().color(),
                  PublicFunction::colorWithHexString("71BCC1ff"));
    }
}

// A finger dragged across row from fromX to toX (fractions of its width).
void swipeRow(SecurityResendViewController* screen, int row, double fromX, double toX) {
    const QRect rect = screen->tbl->visualRect(screen->tbl->model()->index(row, 0));
    QWidget* viewport = screen->tbl->viewport();
    const int y = rect.center().y();
    QTest::mousePress(viewport, Qt::LeftButton, {},
                      QPoint(rect.left() + int(rect.width() * fromX), y));
    QTest::mouseRelease(viewport, Qt::LeftButton, {},
                        QPoint(rect.left() + int(rect.width() * toX), y));
}

TEST_F(Records, SwipingTheOnlyCaseAndTappingDeleteLeavesNoRowsForAMomentThenThePlaceholder) {
    storeCases({makeCase("P1")});
    open();
    nav.show();
    const QString photoFile = photoFileOf(*screen->storeRecordArray()[0], fake.path());
    ASSERT_TRUE(QFileInfo::exists(photoFile));
    swipeRow(screen, 0, 0.9, 0.1);
    // The swipe only reveals the red button at the row's right end.
    auto* button = screen->tbl->viewport()->findChild<QPushButton*>("swipeDeleteButton");
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isVisible());
    EXPECT_EQ(button->text(), "刪除");
    const QRect row = screen->tbl->visualRect(screen->tbl->model()->index(0, 0));
    EXPECT_EQ(button->geometry().right(), row.right());
    EXPECT_EQ(button->height(), row.height());
    EXPECT_GE(button->width(), 44);
    EXPECT_EQ(storedStates(), QStringList({"P1:0"}));
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_FALSE(button->isVisible());
    EXPECT_TRUE(rowTexts().isEmpty());
    EXPECT_TRUE(storedStates().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(photoFile));
    EXPECT_FALSE(fake.alerts.showing()); // it asks nothing
    fake.clock.advance(0.19);
    EXPECT_TRUE(rowTexts().isEmpty());
    fake.clock.advance(0.01);
    EXPECT_EQ(rowTexts(), QStringList({"無任何資料"}));
}

// What may happen to a row's revealed "刪除" button other than its tap: each
// hides it (or never shows it), and no case is deleted or opened.
TEST_F(Records, OnlyATapOnTheRevealedDeleteButtonDeletes) {
    struct Case {
        const char* name;
        std::function<void(SecurityResendViewController*)> act;
    };
    const std::vector<Case> cases = {
        {"swipe (a press elsewhere)",
         [](SecurityResendViewController* s) { swipeRow(s, 1, 0.9, 0.1); }},
        {"tap elsewhere on the list",
         [](SecurityResendViewController* s) {
             const QRect row = s->tbl->visualRect(s->tbl->model()->index(1, 0));
             QTest::mouseClick(s->tbl->viewport(), Qt::LeftButton, {}, row.center());
         }},
        {"scroll",
         [](SecurityResendViewController* s) { s->tbl->verticalScrollBar()->setValue(40); }},
    };
    CaseList stored;
    for (int i = 0; i < 12; ++i)
        stored << makeCase(QStringLiteral("P%1").arg(i, 2, 10, QChar('0')));
    storeCases(stored);
    open();
    nav.show();
    auto* button = screen->tbl->viewport()->findChild<SwipeDeleteButton*>();
    ASSERT_NE(button, nullptr);
    // A swipe to the right, or one shorter than a third of the row, reveals nothing.
    swipeRow(screen, 0, 0.1, 0.9);
    swipeRow(screen, 0, 0.9, 0.7);
    EXPECT_FALSE(button->isVisible());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        screen->tbl->verticalScrollBar()->setValue(0);
        swipeRow(screen, 0, 0.9, 0.1);
        ASSERT_TRUE(button->isVisible());
        EXPECT_EQ(button->revealedRow(), 0);
        c.act(screen);
        EXPECT_FALSE(button->isVisible());
        EXPECT_EQ(button->revealedRow(), -1);
        EXPECT_EQ(rowTexts().size(), 12);
        EXPECT_EQ(storedStates().size(), 12);
        EXPECT_TRUE(opened.isEmpty());
    }
    // The context menu's entry still deletes, for a mouse.
    emit screen->tbl->customContextMenuRequested(
        screen->tbl->visualRect(screen->tbl->model()->index(0, 0)).center());
    auto* menu = screen->findChild<QMenu*>();
    ASSERT_NE(menu, nullptr);
    menu->actions().first()->trigger();
    EXPECT_EQ(storedStates().size(), 11);
}

TEST_F(Records, ASwipeAfterASortDeletesThatCaseAndKeepsEveryOtherTick) {
    openTickTwoAndSort(); // C, B, A
    screen->tableViewCommitEditingStyleForRowAtIndexPath(
        SecurityResendViewController::EditingStyle::Delete, 0); // C
    EXPECT_EQ(listed(), QStringList({"B", "A"}));
    EXPECT_EQ(ticked(), QStringList({"A"}));
    EXPECT_EQ(storedStates(), QStringList({"B:0", "A:0"}));
    fake.clock.advance(0.2);
    EXPECT_EQ(rowTexts().size(), 2);
}

TEST_F(Records, DeletingAsksOnlyWhenAWaitingCaseIsTicked) {
    storeCases({makeCase("W1"), makeCase("S1", "1"), makeCase("W2"), makeCase("O1", "2"),
                makeCase("S2", "1")});
    open();
    std::vector<QString> photoFiles;
    for (const auto& record : screen->storeRecordArray())
        photoFiles.push_back(photoFileOf(*record, fake.path()));

    screen->deleteCase();
    EXPECT_EQ(fake.alerts.current().message, "請先勾選案件後再刪除");
    fake.alerts.press("知道了");

    // Only sent and overdue cases ticked: deleted at once, without a word.
    tick({"S1", "O1"});
    screen->deleteCase();
    EXPECT_FALSE(fake.alerts.showing());
    EXPECT_EQ(listed(), QStringList({"W1", "W2", "S2"}));
    EXPECT_EQ(storedStates(), QStringList({"W1:0", "W2:0", "S2:1"}));
    EXPECT_FALSE(QFileInfo::exists(photoFiles[1]));
    EXPECT_FALSE(QFileInfo::exists(photoFiles[3]));

    screen->allSelectButton->click();
    screen->deleteCase();
    ASSERT_EQ(fake.alerts.current().tag, SecurityResendViewController::PendingDelete);
    EXPECT_EQ(fake.alerts.current().buttonTitles(),
              QStringList({"停止刪除", "略過待傳案件", "全部刪除"}));
    fake.alerts.press("停止刪除");
    EXPECT_EQ(listed(), QStringList({"W1", "W2", "S2"}));
    EXPECT_EQ(ticked(), QStringList({"W1", "W2", "S2"}));

    screen->deleteCase();
    fake.alerts.press("略過待傳案件");
    EXPECT_EQ(listed(), QStringList({"W1", "W2"}));
    EXPECT_TRUE(ticked().isEmpty());
    EXPECT_EQ(storedStates(), QStringList({"W1:0", "W2:0"}));
    EXPECT_FALSE(QFileInfo::exists(photoFiles[4]));
    EXPECT_TRUE(QFileInfo::exists(photoFiles[0]));
    EXPECT_EQ(fake.alerts.current().message, "紀錄刪除成功");
    fake.alerts.press("知道了");

    tick({"W2"});
    screen->deleteCase();
    fake.alerts.press("全部刪除");
    EXPECT_EQ(listed(), QStringList({"W1"}));
    EXPECT_FALSE(QFileInfo::exists(photoFiles[2]));
    EXPECT_EQ(fake.alerts.current().message, "紀錄刪除成功");
}

TEST_F(Records, ADeletionThatCannotBeSavedKeepsEveryCaseAndItsPhotos) {
    storeCases({makeCase("S1", "1"), makeCase("S2", "1")});
    open();
    const QString photoFile = photoFileOf(*screen->storeRecordArray()[0], fake.path());
    tick({"S1"});
    {
        const FileSizeLimit fullDisk(64);
        screen->deleteCase();
        screen->tableViewCommitEditingStyleForRowAtIndexPath(
            SecurityResendViewController::EditingStyle::Delete, 1);
    }
    EXPECT_EQ(listed(), QStringList({"S1", "S2"}));
    EXPECT_EQ(ticked(), QStringList({"S1"}));
    EXPECT_EQ(storedStates(), QStringList({"S1:1", "S2:1"}));
    EXPECT_EQ(PublicVars::sharedInstance().waitingStoreArray().size(), 2);
    EXPECT_TRUE(QFileInfo::exists(photoFile));
    ASSERT_EQ(fake.alerts.count(), 2u);
    EXPECT_EQ(fake.alerts.current().title, "紀錄刪除失敗");
    EXPECT_EQ(rowTexts().size(), 2);
}

struct LookupCase {
    QString scanned;
    QString alertTitle; // "" when the editing screen opens
    bool readerStays;
};

TEST_F(Records, AScannedCodeOpensItsCaseOrSaysWhyNot) {
    storeCases({makeCase("P1"), makeCase("OLD", "2")});
    const std::vector<LookupCase> table = {
        {"P1C1", "登記碼掃描錯誤", false},
        {"P9,C1", "資料檢核錯誤", false},
        {"OLD,C1", "案件逾期", false},
        {"P1,C1", "", false},
    };
    open();
    for (const LookupCase& c : table) {
        SCOPED_TRACE(c.scanned.toStdString());
        screen->qrCodeButton->click();
        auto* reader = qobject_cast<QRReaderViewController*>(nav.topViewController());
        ASSERT_NE(reader, nullptr);
        EXPECT_EQ(reader->title(), "登記碼掃描");
        EXPECT_FALSE(reader->hasFoot);
        reader->callDidFinishedReadingQR(c.scanned);
        EXPECT_EQ(nav.topViewController(), screen); // the reader has gone either way
        if (c.alertTitle.isEmpty()) {
            EXPECT_FALSE(fake.alerts.showing());
            EXPECT_TRUE(overlayShows());
            EXPECT_EQ(fake.indicator.showing, "資料讀取中");
            fake.clock.advance(0.01);
            EXPECT_FALSE(overlayShows());
            ASSERT_EQ(opened.size(), 1);
            EXPECT_EQ(opened[0]->pk, "P1,C1");
            EXPECT_EQ(nav.viewControllers().size(), 3);
            nav.popViewControllerAnimated(false);
            EXPECT_EQ(nav.topViewController(), screen);
        } else {
            ASSERT_TRUE(fake.alerts.showing());
            EXPECT_EQ(fake.alerts.current().title, c.alertTitle);
            fake.alerts.press(0);
            EXPECT_TRUE(opened.isEmpty());
        }
    }
}

TEST_F(Records, BackLeavesAtOnceUnlessARunHeardOfAnotherVersion) {
    open();
    screen->popView();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(nav.viewControllers().size(), 1);

    open();
    screen->ver_ios = "1.0"; // the same as ours: nothing to ask
    screen->url_ios = "http://update.test/app";
    screen->backButton->click();
    EXPECT_EQ(nav.viewControllers().size(), 1);

    open();
    screen->ver_ios = "1.1";
    screen->url_ios = "http://update.test/app";
    screen->popView();
    ASSERT_EQ(fake.alerts.current().tag, SecurityResendViewController::UpdatePrompt);
    EXPECT_EQ(fake.alerts.current().title, "有新的版本可更新");
    fake.alerts.press("更新");
    EXPECT_EQ(fake.system.opened, QList<QUrl>({QUrl("http://update.test/app")}));
    EXPECT_EQ(nav.topViewController(), screen);
    screen->popView();
    fake.alerts.press("現在不要");
    EXPECT_EQ(nav.viewControllers().size(), 1);
}

} // namespace
