#include "platform/qt/QtAlertPresenter.h"
#include "scenario/ScenarioRunner.h"
#include "support/FakePlatform.h"
#include "ui/NavigationController.h"
#include "ui/Popover.h"
#include "ui/ViewController.h"
#include "ui/WindowInputBlock.h"
#include "widgets/CheckBoxButton.h"
#include "widgets/CustomCheckBoxVariants.h"
#include "widgets/SwipeDeleteButton.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPointingDevice>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

QPushButton* button(const QString& text, QWidget* parent, std::function<void()> pressed) {
    auto* b = new QPushButton(text, parent);
    parent->layout()->addWidget(b);
    QObject::connect(b, &QPushButton::clicked, parent, std::move(pressed));
    return b;
}

// Reveals a row's "刪除" button when the row is dragged leftwards across a
// third of the list's width; the button's tap deletes the row.
struct SwipeToDelete : QObject {
    bool eventFilter(QObject* viewport, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress)
            pressedAt = static_cast<QMouseEvent*>(event)->position().toPoint();
        if (event->type() != QEvent::MouseButtonRelease) return false;
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        if (pressedAt.x() - at.x() < static_cast<QWidget*>(viewport)->width() / 3) return false;
        button->reveal(view->indexAt(pressedAt).row());
        return true;
    }
    void attach(QAbstractItemView* list) {
        view = list;
        button = new SwipeDeleteButton(list, [list](int row) { list->model()->removeRow(row); });
        list->viewport()->installEventFilter(this);
    }
    QAbstractItemView* view = nullptr;
    SwipeDeleteButton* button = nullptr;
    QPoint pressedAt;
};

// A window built as the app builds its own: a navigation stack whose screen
// holds a list of cell-widget rows (a label and a tick box each) with a swipe
// deletion, a list of checkable items, buttons that open a second screen, an alert and a popover,
// and a label telling what happened.
struct DriverWindow {
    DriverWindow() {
        window.setFixedSize(320, 568);
        auto* layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(nav);
        auto* screen = new ViewController;
        screen->setTitle("清單");
        screen->setBackBarButtonTitle("返回");
        new QVBoxLayout(screen);
        buildList(screen);
        log = new QLabel(screen);
        screen->layout()->addWidget(log);
        button("下一頁", screen, [this] {
            auto* next = new ViewController;
            next->setTitle("第二頁");
            nav->pushViewController(next, false);
        });
        button("問一下", screen, [this] { ask(); });
        auto* menu = button("選單", screen, [] {});
        QObject::connect(menu, &QPushButton::clicked, [this, menu] { openMenu(menu); });
        button("鎖住", screen, [this] {
            auto* block = new WindowInputBlock(&window);
            QTimer::singleShot(500, [block] { delete block; });
        });
        button("送出", screen, [] {})->setEnabled(false);
        screen->findChildren<QPushButton*>().last()->setObjectName("sendButton");
        nav->pushViewController(screen, false);
        alerts.setWindow([this] { return &window; });
        window.show();
    }

    void buildList(ViewController* screen) {
        auto* model = new QStandardItemModel(0, 2, screen);
        for (const char* text : {"甲", "乙", "丙"})
            model->appendRow(new QStandardItem(text));
        list = new QTableView(screen);
        list->setObjectName("tbl");
        list->setModel(model);
        screen->layout()->addWidget(list);
        for (int row = 0; row < model->rowCount(); ++row) {
            auto* cell = new QWidget;
            auto* cellLayout = new QHBoxLayout(cell);
            cellLayout->setContentsMargins(0, 0, 0, 0);
            cellLayout->addWidget(new QLabel(QString("第%1列").arg(row)));
            auto* box = new CustomRedCheckBox(QRect(0, 0, 20, 20));
            cellLayout->addWidget(box);
            QObject::connect(box->checkboxButton(), &QAbstractButton::clicked,
                             [this, row] { log->setText(QString("ticked %1").arg(row)); });
            list->setIndexWidget(model->index(row, 1), cell);
        }
        QObject::connect(list, &QTableView::clicked, [this](const QModelIndex& index) {
            log->setText(QString("clicked %1").arg(index.row()));
        });
        swipe.attach(list);
        checks = new QListWidget(screen);
        checks->setObjectName("checks");
        for (const char* text : {"一", "二"})
            (new QListWidgetItem(text, checks))->setCheckState(Qt::Unchecked);
        screen->layout()->addWidget(checks);
    }

    void ask() {
        Alert alert{"請問", "貴姓", "取消", {"好"}};
        alert.hasTextField = true;
        alert.onButton = [this](int index, const QString& text) {
            log->setText(QString("answer %1 %2").arg(index).arg(text));
        };
        alerts.present(alert);
    }

    void openMenu(QWidget* anchor) {
        auto* content = new ViewController;
        auto* choices = new QListWidget(content);
        choices->setObjectName("menu");
        choices->addItems({"依時間排序", "依編號排序"});
        choices->setGeometry(0, 0, 200, 100);
        auto* popover = Popover::present(content, anchor, QSize(200, 100));
        QObject::connect(choices, &QListWidget::clicked, [this, popover](const QModelIndex& i) {
            log->setText(QString("sorted %1").arg(i.row()));
            popover->dismiss();
        });
    }

    FakePlatform fake;
    QWidget window;
    NavigationController* nav = new NavigationController(&window);
    QTableView* list = nullptr;
    SwipeToDelete swipe;
    QListWidget* checks = nullptr;
    QLabel* log = nullptr;
    QtAlertPresenter alerts;
};

struct DriverRun {
    int status;
    std::string out;
    std::string err;
};

struct ScenarioDriver : testing::Test {
    ScenarioDriver() {
        QImage(8, 8, QImage::Format_RGB32).save(dir.filePath("code.png"));
        QImage(8, 8, QImage::Format_RGB32).save(dir.filePath("shot.jpg"));
    }

    DriverRun run(const QByteArray& text, bool touch = false) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();
        QStringList errors;
        std::optional<Scenario> scenario = readScenario(path, true, errors);
        EXPECT_TRUE(scenario) << errors.join('\n').toStdString();
        if (!scenario) return {2, {}, {}};
        ScenarioRunner runner(
            std::move(*scenario),
            {[this] { return &ui.window; }, [this] { return ui.alerts.currentDialog(); },
             [this](const QString& f) { fed << "qr " + f; },
             [this](const QString& f) { fed << "photo " + f; }, dir.filePath("shots"), touch});
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        runner.start();
        const int status = runner.conclude(QApplication::exec());
        return {status, testing::internal::GetCapturedStdout(),
                testing::internal::GetCapturedStderr()};
    }

    QTemporaryDir dir;
    QString path = dir.filePath("driver.scenario");
    DriverWindow ui;
    QStringList fed;
};

// Counts the presses that reach the widgets, by the kind of device that made them.
struct PressCount : QObject {
    PressCount() { QCoreApplication::instance()->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!watched->isWidgetType()) return false;
        if (event->type() == QEvent::TouchBegin) ++touches;
        if (event->type() == QEvent::MouseButtonPress) {
            const auto type = static_cast<QMouseEvent*>(event)->pointingDevice()->type();
            ++(type == QInputDevice::DeviceType::TouchScreen ? fromTouch : fromMouse);
        }
        return false;
    }
    int touches = 0;
    int fromTouch = 0; // mouse presses Qt made of touches
    int fromMouse = 0;
};

// The same walk by mouse and by a finger on a touch screen.
class ScenarioDriverBy : public ScenarioDriver, public testing::WithParamInterface<bool> {};

INSTANTIATE_TEST_SUITE_P(Input, ScenarioDriverBy, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "Touch" : "Mouse");
                         });

TEST_P(ScenarioDriverBy, ReachesListsAlertsPopoversAndScreensThroughTheirWidgets) {
    const bool touch = GetParam();
    QDir().mkpath(dir.filePath("shots"));
    PressCount presses;
    const DriverRun run = this->run("expect screen 清單\n"
                                    "expect rows tbl 3\n"
                                    "expect row tbl 1 乙\n"
                                    "expect row tbl 1 第1列\n"
                                    "expect disabled sendButton\n"
                                    "expect enabled 下一頁\n"
                                    "tap-row tbl 2\n"
                                    "expect text clicked 2\n"
                                    "tap 甲\n"
                                    "expect text clicked 0\n"
                                    "tick tbl 1\n"
                                    "expect text ticked 1\n"
                                    "tick checks 1\n"
                                    "swipe-delete tbl 0\n"
                                    "expect rows tbl 2\n"
                                    "expect no text 甲\n"
                                    "tap 選單\n"
                                    "tap 依編號排序\n"
                                    "expect text sorted 1\n"
                                    "tap 問一下\n"
                                    "expect alert 請問 | 貴姓\n"
                                    "screenshot asked\n"
                                    "type 王小明\n"
                                    "press 好\n"
                                    "expect text answer 1 王小明\n"
                                    "tap 鎖住\n"
                                    "tap 下一頁\n"
                                    "expect screen 第二頁\n"
                                    "back\n"
                                    "expect screen 清單\n"
                                    "qr code.png\n"
                                    "photo shot.jpg\n",
                                    touch);
    EXPECT_EQ(run.status, 0) << run.err;
    // Every tap came from the device asked for.
    if (touch) {
        EXPECT_GT(presses.touches + presses.fromTouch, 10);
        EXPECT_EQ(presses.fromMouse, 0);
    } else {
        EXPECT_EQ(presses.touches + presses.fromTouch, 0);
        EXPECT_GT(presses.fromMouse, 10);
    }
    // The ticked row moved up when the first row was deleted.
    auto* box = ui.list->indexWidget(ui.list->model()->index(0, 1))->findChild<CustomCheckBox*>();
    EXPECT_TRUE(box->isSelected());
    EXPECT_EQ(fed,
              QStringList({"qr " + dir.filePath("code.png"), "photo " + dir.filePath("shot.jpg")}));
    const QImage shot(dir.filePath("shots/001-asked.png"));
    EXPECT_EQ(shot.size(), QSize(320, 568));
    EXPECT_NE(run.out.find("32: photo shot.jpg\n"), std::string::npos) << run.out;
    EXPECT_EQ(ui.checks->item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(ui.checks->item(1)->checkState(), Qt::Checked);
}

// A camera step reaches the virtual camera through the folder the app's
// PipeWire runs in; a folder without the camera's link ends the run at once.
TEST_F(ScenarioDriver, ACameraStepWithoutAVirtualCameraSaysSo) {
    QTemporaryDir noCamera;
    const QByteArray before = qgetenv("PIPEWIRE_RUNTIME_DIR");
    qputenv("PIPEWIRE_RUNTIME_DIR", QFile::encodeName(noCamera.path()));
    const DriverRun run = this->run("camera none\n");
    qputenv("PIPEWIRE_RUNTIME_DIR", before);
    EXPECT_EQ(run.status, 1);
    const std::string start = path.toStdString() +
                              ":1: camera none: no virtual camera: " + "PIPEWIRE_RUNTIME_DIR (" +
                              noCamera.path().toStdString() + ")";
    EXPECT_EQ(run.err.substr(0, start.size()), start) << run.err;
}

struct Failure {
    const char* steps;
    const char* report; // the last step's line and reason
};

class FailingStep : public ScenarioDriver, public testing::WithParamInterface<Failure> {};

TEST_P(FailingStep, EndsTheRunWithItsLineAndReason) {
    const DriverRun run = this->run(QByteArray("timeout 0.2\n") + GetParam().steps);
    EXPECT_EQ(run.status, 1);
    const std::string start = path.toStdString() + ":" + GetParam().report + " after 0.2 s\n";
    EXPECT_EQ(run.err.substr(0, start.size()), start) << run.err;
    EXPECT_NE(run.err.find("  screen: \""), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, FailingStep,
    testing::Values(
        Failure{"tap-row tbl 5\n", "2: tap-row tbl 5: tbl has 3 rows, no row 5"},
        Failure{"expect rows tbl 4\n", "2: expect rows tbl 4: tbl shows 3 rows"},
        Failure{"expect row tbl 0 乙\n",
                "2: expect row tbl 0 乙: row 0 of tbl shows \"甲\" \"第0列\""},
        Failure{"tap 送出\n", "2: tap 送出: \"送出\" is disabled"},
        Failure{"tap 無此鈕\n", "2: tap 無此鈕: no visible \"無此鈕\""},
        Failure{"tap 問一下\ntap 下一頁\n", "3: tap 下一頁: an alert is in the way: \"請問\""},
        Failure{"tap 問一下\npress 不要\n", "3: press 不要: the alert has no button \"不要\""},
        Failure{"press 好\n", "2: press 好: no alert is showing"},
        Failure{"type 王\n", "2: type 王: no alert is showing"},
        Failure{"swipe-delete other 0\n", "2: swipe-delete other 0: no visible list other"},
        Failure{"tick 選單 0\n", "2: tick 選單 0: no visible list 選單"},
        Failure{
            "swipe-delete checks 0\n",
            "2: swipe-delete checks 0: row 0 of checks shows no \"刪除\" button after the swipe"},
        Failure{"tap 選單\ntick menu 0\n", "3: tick menu 0: row 0 of menu has no tick box"},
        Failure{"back\n", "2: back: no visible back button"},
        Failure{"tap 鎖住\ntap 下一頁\n", "3: tap 下一頁: the window takes no input"},
        Failure{"tap 選單\ntap 下一頁\n", "3: tap 下一頁: no visible \"下一頁\""},
        Failure{"expect alert 請問\n", "2: expect alert 請問: no alert is showing"},
        Failure{"tap 問一下\nexpect alert 請問 | 貴",
                "3: expect alert 請問 | 貴: the alert showing is \"請問\" | \"貴姓\""},
        Failure{"expect screen 第二頁\n", "2: expect screen 第二頁: the screen on top is \"清單\""},
        Failure{"expect no text 甲\n", "2: expect no text 甲: a visible text contains \"甲\""}),
    [](const testing::TestParamInfo<Failure>& info) {
        return "Step" + std::to_string(info.index);
    });

} // namespace
