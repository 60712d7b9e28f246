#include "screens/GeneralViewController.h"
#include "screens/RecordsFixture.h"
#include "support/Fingers.h"
#include "ui/KineticScroller.h"
#include "util/PublicFunction.h"
#include "widgets/SwipeDeleteButton.h"

#include <QListWidget>
#include <QScrollBar>
#include <QTest>

namespace {

// The records list under a finger, over thirty cases.
class FingerOnRecords : public RecordsFixture {
  protected:
    FingerOnRecords() {
        CaseList stored;
        for (int i = 0; i < 30; ++i)
            stored << makeCase(QStringLiteral("P%1").arg(i, 2, 10, QChar('0')));
        storeCases(stored);
        open();
        nav.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&nav));
        viewport = screen->tbl->viewport();
        bar = screen->tbl->verticalScrollBar();
    }

    KineticScroller* scroller() const { return KineticScroller::of(screen->tbl); }
    QPoint rowCentre(int row) const {
        return screen->tbl->visualRect(screen->tbl->model()->index(row, 0)).center();
    }

    QWidget* viewport = nullptr;
    QScrollBar* bar = nullptr;
};

TEST_F(FingerOnRecords, ATapOpensItsCaseButADragOnlyScrollsByTheFingersWay) {
    ASSERT_GT(bar->maximum(), 600);
    // A slow drag up, held still before the finger lifts: no fling.
    fingers::drag(viewport, QPoint(200, 400), QPoint(200, 100), 10, 10, 120);
    EXPECT_EQ(bar->value(), 300);
    EXPECT_FALSE(scroller()->isMoving());
    // A drag across the tick box ticks nothing either.
    fingers::drag(viewport, QPoint(20, 100), QPoint(20, 300), 10, 10, 120);
    EXPECT_EQ(bar->value(), 100);
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(ticked().isEmpty());
    EXPECT_EQ(screen->navigationController()->topViewController(), screen);
    // The same finger tapping opens the row under it.
    fingers::tap(viewport, rowCentre(5));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0]->pakeno, screen->storeRecordArray()[5]->pakeno);
}

TEST_F(FingerOnRecords, AFlickFlingsOnUntilItSlowsDownAndAFingerCatchesIt) {
    fingers::drag(viewport, QPoint(200, 400), QPoint(200, 250), 4, 0, 0);
    const int lifted = bar->value();
    EXPECT_EQ(lifted, 150);
    ASSERT_TRUE(scroller()->isMoving());
    QTest::qWait(150);
    const int flung = bar->value();
    EXPECT_GT(flung, lifted);
    // The finger laid on the moving list stops it and opens nothing.
    fingers::tap(viewport, QPoint(200, 200));
    EXPECT_FALSE(scroller()->isMoving());
    const int caught = bar->value();
    QTest::qWait(100);
    EXPECT_EQ(bar->value(), caught);
    EXPECT_TRUE(opened.isEmpty());
    // A fling left alone comes to rest by itself, within the list.
    fingers::drag(viewport, QPoint(200, 400), QPoint(200, 250), 4, 0, 0);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !scroller()->isMoving(); }, 5000));
    EXPECT_GT(bar->value(), caught + 150);
    EXPECT_LE(bar->value(), bar->maximum());
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(FingerOnRecords, ASwipeByFingerRevealsDeleteAndAScrollHidesItDeletingNothing) {
    auto* button = viewport->findChild<SwipeDeleteButton*>();
    ASSERT_NE(button, nullptr);
    const QRect row = screen->tbl->visualRect(screen->tbl->model()->index(1, 0));
    fingers::drag(viewport, QPoint(row.left() + row.width() * 9 / 10, row.center().y()),
                  QPoint(row.left() + row.width() / 10, row.center().y()), 4, 0, 0);
    ASSERT_TRUE(button->isVisible());
    EXPECT_EQ(bar->value(), 0);
    fingers::drag(viewport, QPoint(100, 400), QPoint(100, 300), 10, 10, 120);
    EXPECT_FALSE(button->isVisible());
    EXPECT_EQ(storedStates().size(), 30);
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(FingerOnRecords, APickerDraggedByFingerChoosesNothingAndUnmarksTheTouchedRow) {
    QStringList entries;
    for (int i = 0; i < 60; ++i)
        entries << QStringLiteral("entry %1").arg(i);
    bool chosen = false;
    GeneralViewController picker(entries, -1, "t", nullptr, [&chosen](int) { chosen = true; });
    picker.resize(GeneralViewController::preferredContentSize());
    picker.loadViewIfNeeded();
    picker.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&picker));
    QListWidget* list = picker.tbl();
    ASSERT_GT(list->verticalScrollBar()->maximum(), 100);
    const QPoint start = list->visualItemRect(list->item(2)).center();
    fingers::drag(list->viewport(), start, start - QPoint(0, 100), 10, 10, 120);
    EXPECT_EQ(list->verticalScrollBar()->value(), 100);
    fake.clock.advance(1);
    EXPECT_FALSE(chosen);
    for (int row = 0; row < entries.size(); ++row)
        EXPECT_EQ(list->item(row)->background().color(), Qt::white) << row;
}

} // namespace
