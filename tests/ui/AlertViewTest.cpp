#include "ui/AlertView.h"
#include "platform/qt/QtAlertPresenter.h"
#include "support/FakePlatform.h"
#include "ui/AppWindow.h"
#include "ui/NavigationController.h"
#include "ui/ProgressOverlay.h"
#include "ui/ViewController.h"

#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

class Owner : public ViewController {
  public:
    void alertViewClickedButtonAtIndex(const AlertAnswer& answer) override {
        answers.push_back(answer);
    }
    std::vector<AlertAnswer> answers;
};

struct Numbering {
    std::optional<QString> cancel;
    QStringList others;
    QString pressed;
    int expectedIndex;
};

class AlertNumbering : public testing::TestWithParam<Numbering> {};

TEST_P(AlertNumbering, CancelIsZeroAndOthersFollowInOrder) {
    FakePlatform fake;
    Owner owner;
    const Numbering& n = GetParam();
    AlertView alert("t", "m", &owner, n.cancel, n.others);
    alert.tag = 777;
    alert.show();
    fake.alerts.press(n.pressed);
    ASSERT_EQ(owner.answers.size(), 1u);
    EXPECT_EQ(owner.answers[0].tag, 777);
    EXPECT_EQ(owner.answers[0].buttonIndex, n.expectedIndex);
}

INSTANTIATE_TEST_SUITE_P(Buttons, AlertNumbering,
                         testing::Values(Numbering{QString("取消"), {"好"}, "取消", 0},
                                         Numbering{QString("取消"), {"好"}, "好", 1},
                                         Numbering{QString("更新"), {"離開程式"}, "離開程式", 1},
                                         Numbering{std::nullopt, {"知道了"}, "知道了", 0},
                                         Numbering{std::nullopt, {"a", "b", "c"}, "c", 2},
                                         Numbering{QString("x"), {"a", "b", "c"}, "c", 3}));

TEST(AlertView, TextFieldStyleHandsTheTypedTextToTheOwner) {
    FakePlatform fake;
    Owner owner;
    AlertView alert("身份驗證", "請輸入身份證字號", &owner, QString("取消"), {"好"});
    alert.tag = 21;
    alert.alertViewStyle = AlertViewStyle::PlainTextInput;
    alert.placeholder = "身份證字號";
    alert.show();
    EXPECT_TRUE(fake.alerts.current().hasTextField);
    EXPECT_EQ(fake.alerts.current().placeholder, "身份證字號");
    fake.alerts.press(1, "a123456789");
    ASSERT_EQ(owner.answers.size(), 1u);
    EXPECT_EQ(owner.answers[0].text, "a123456789");
}

TEST(AlertView, AnAlertWhoseOwnerHasGoneIsAnsweredByNobody) {
    FakePlatform fake;
    auto* owner = new Owner;
    AlertView("t", "m", owner, std::nullopt, {"知道了"}).show();
    delete owner;
    fake.alerts.press(0); // must not reach the deleted owner
    EXPECT_FALSE(fake.alerts.showing());
}

// The Qt presenter: dialogs one at a time, buttons left to right by index.
TEST(QtAlertPresenter, ShowsOneDialogAtATimeAndNumbersButtonsLeftToRight) {
    FakePlatform fake;
    QtAlertPresenter presenter;
    fake.services.alerts = &presenter;
    QWidget window;
    window.resize(320, 568);
    window.show();
    presenter.setWindow([&] { return &window; });

    std::vector<std::pair<int, QString>> pressed;
    Alert first{"A",
                "first",
                QString("取消"),
                {"好"},
                21,
                true,
                "身份證字號",
                [&](int i, const QString& text) { pressed.emplace_back(i, text); }};
    Alert second{"B",          "second",
                 std::nullopt, {"知道了"},
                 22,           false,
                 {},           [&](int i, const QString& text) { pressed.emplace_back(i, text); }};
    presenter.present(first);
    presenter.present(second);

    QDialog* dialog = presenter.currentDialog();
    ASSERT_NE(dialog, nullptr);
    const auto buttons = dialog->findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 2);
    EXPECT_LT(buttons[0]->x(), buttons[1]->x() + 1); // laid out in order
    EXPECT_EQ(buttons[0]->text(), "取消");
    dialog->findChild<QLineEdit*>()->setText("A1");
    buttons[1]->click();
    ASSERT_EQ(pressed.size(), 1u);
    EXPECT_EQ(pressed[0], std::make_pair(1, QString("A1")));

    dialog = presenter.currentDialog();
    ASSERT_NE(dialog, nullptr);
    const auto next = dialog->findChildren<QPushButton*>();
    ASSERT_EQ(next.size(), 1);
    EXPECT_EQ(next[0]->text(), "知道了");
    next[0]->click();
    EXPECT_EQ(pressed.back(), std::make_pair(0, QString()));
    EXPECT_EQ(presenter.currentDialog(), nullptr);
}

TEST(QtAlertPresenter, AlertsShownByAnAnswerStillComeOneAtATime) {
    FakePlatform fake;
    QtAlertPresenter presenter;
    QStringList answered;
    auto note = [&](const QString& title) {
        return Alert{title,
                     {},
                     std::nullopt,
                     {"知道了"},
                     0,
                     false,
                     {},
                     [&answered, title](int, const QString&) { answered << title; }};
    };
    Alert first = note("登入");
    first.onButton = [&](int, const QString&) {
        answered << "登入";
        presenter.present(note("通知訊息"));
        presenter.present(note("版本更新"));
    };
    presenter.present(first);
    for (const char* expected : {"登入", "通知訊息", "版本更新"}) {
        QDialog* dialog = presenter.currentDialog();
        ASSERT_NE(dialog, nullptr) << expected;
        EXPECT_EQ(dialog->findChild<QLabel*>()->text(), expected);
        dialog->findChild<QPushButton*>()->click();
    }
    EXPECT_EQ(answered, QStringList({"登入", "通知訊息", "版本更新"}));
    EXPECT_EQ(presenter.currentDialog(), nullptr);
}

// The Qt presenter with the app's window on screen, as the app runs it.
class AlertInWindow : public testing::Test {
  protected:
    AlertInWindow() {
        fake.services.alerts = &presenter;
        window.resize(320, 568);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        presenter.setWindow([this] { return &window; });
    }

    // Shows an alert whose answers land in pressed.
    QDialog* show(std::optional<QString> cancel, QStringList others, bool field = false,
                  bool destructive = false) {
        Alert alert;
        alert.title = "身份驗證";
        alert.cancelTitle = std::move(cancel);
        alert.otherTitles = std::move(others);
        alert.hasTextField = field;
        alert.destructive = destructive;
        alert.onButton = [this](int index, const QString& text) {
            pressed.emplace_back(index, text);
        };
        presenter.present(std::move(alert));
        return presenter.currentDialog();
    }

    FakePlatform fake;
    QtAlertPresenter presenter;
    AppWindow window;
    std::vector<std::pair<int, QString>> pressed;
};

TEST_F(AlertInWindow, TheTextFieldAsksTheOnScreenKeyboardForItsHints) {
    Alert alert;
    alert.hasTextField = true;
    alert.textFieldHints = Qt::ImhPreferUppercase | Qt::ImhNoPredictiveText;
    presenter.present(std::move(alert));
    auto* field = presenter.currentDialog()->findChild<QLineEdit*>("alertField");
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->inputMethodHints(), Qt::ImhPreferUppercase | Qt::ImhNoPredictiveText);
}

// An on-screen keyboard over the lower part of the window moves the alert up
// into what is left above it, title, field and buttons whole; when the
// keyboard goes, the alert stands in the middle again.
TEST_F(AlertInWindow, StandsClearOfAnOnScreenKeyboard) {
    QDialog* dialog = show("取消", {"好"}, true);
    ASSERT_NE(dialog, nullptr);
    const QRect centred = dialog->geometry();
    struct Cover {
        QRect keyboard;
        int expectedTop;
    };
    const int h = centred.height();
    for (const Cover& c : {Cover{QRect(0, 300, 320, 268), (300 - h) / 2},
                           Cover{QRect(-50, 400, 600, 500), (400 - h) / 2},
                           // Less room than the alert needs: its top stays in the window.
                           Cover{QRect(0, h / 2, 320, 568), 0}}) {
        QtAlertPresenter::keepAlertClearOf(&window, c.keyboard);
        EXPECT_EQ(dialog->geometry(), centred.translated(0, c.expectedTop - centred.top()))
            << c.keyboard.top();
    }
    QtAlertPresenter::keepAlertClearOf(&window, QRect(0, 300, 320, 268));
    for (QWidget* part : dialog->findChildren<QWidget*>()) {
        if (part->isVisible())
            EXPECT_LE(part->mapTo(&window, part->rect().bottomLeft()).y(), 300)
                << part->metaObject()->className();
    }
    // A keyboard off the window's lower edge covers nothing.
    QtAlertPresenter::keepAlertClearOf(&window, QRect(0, 600, 320, 200));
    EXPECT_EQ(dialog->geometry(), centred);
    QtAlertPresenter::keepAlertClearOf(&window, QRect(0, 300, 320, 268));
    QtAlertPresenter::keepAlertClearOf(&window, QRect());
    EXPECT_EQ(dialog->geometry(), centred);
    // The window changing size keeps it clear as well.
    QtAlertPresenter::keepAlertClearOf(&window, QRect(0, 300, 320, 268));
    window.resize(320, 480);
    EXPECT_EQ(dialog->geometry().top(), (300 - h) / 2);
    EXPECT_EQ(dialog->geometry().left(), centred.left());
}

struct KeyCase {
    const char* name;
    std::optional<QString> cancel;
    QStringList others;
    bool field;
    std::vector<Qt::Key> keys; // pressed one after another where the focus is
    std::optional<int> expected;
    bool destructive = false; // the alert deletes or drops work
};

class AlertKeys : public AlertInWindow, public testing::WithParamInterface<KeyCase> {};

TEST_P(AlertKeys, PressTheButtonADesktopUserExpects) {
    const KeyCase& c = GetParam();
    QDialog* dialog = show(c.cancel, c.others, c.field, c.destructive);
    ASSERT_NE(dialog, nullptr);
    if (auto* field = dialog->findChild<QLineEdit*>()) QTest::keyClicks(field, "A123");
    for (Qt::Key key : c.keys) {
        QWidget* focus = dialog->focusWidget();
        ASSERT_NE(focus, nullptr);
        QTest::keyClick(focus, key, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
    }
    if (c.expected) {
        ASSERT_EQ(pressed.size(), 1u);
        EXPECT_EQ(pressed[0].first, *c.expected);
        EXPECT_EQ(pressed[0].second, c.field ? "A123" : "");
        EXPECT_EQ(presenter.currentDialog(), nullptr);
    } else {
        EXPECT_TRUE(pressed.empty());
        EXPECT_EQ(presenter.currentDialog(), dialog);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, AlertKeys,
    testing::Values(
        KeyCase{"enter_in_field_logs_in", "取消", {"好"}, true, {Qt::Key_Return}, 1},
        KeyCase{"keypad_enter_too", "取消", {"好"}, true, {Qt::Key_Enter}, 1},
        KeyCase{"escape_cancels", "取消", {"好"}, true, {Qt::Key_Escape}, 0},
        KeyCase{"tab_to_cancel_then_enter", "取消", {"好"}, true, {Qt::Key_Tab, Qt::Key_Return}, 0},
        KeyCase{"tab_round_to_the_field",
                "取消",
                {"好"},
                true,
                {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Return},
                1},
        KeyCase{"backtab_from_the_field",
                "取消",
                {"好"},
                true,
                {Qt::Key_Backtab, Qt::Key_Backtab, Qt::Key_Return},
                0},
        KeyCase{"enter_presses_the_last", "取消", {"更新", "稍後"}, false, {Qt::Key_Return}, 2},
        KeyCase{"space_presses_the_focused",
                "取消",
                {"更新", "稍後"},
                false,
                {Qt::Key_Tab, Qt::Key_Space},
                0},
        KeyCase{"no_cancel_escape_does_nothing",
                std::nullopt,
                {"知道了"},
                false,
                {Qt::Key_Escape},
                std::nullopt},
        KeyCase{"no_cancel_enter", std::nullopt, {"知道了"}, false, {Qt::Key_Return}, 0},
        KeyCase{"cancel_alone_escape", "知道了", {}, false, {Qt::Key_Escape}, 0},
        KeyCase{"deleting_enter_keeps", "否", {"是"}, false, {Qt::Key_Return}, 0, true},
        KeyCase{"deleting_escape_keeps", "否", {"是"}, false, {Qt::Key_Escape}, 0, true},
        KeyCase{"deleting_tab_then_enter_deletes",
                "否",
                {"是"},
                false,
                {Qt::Key_Tab, Qt::Key_Return},
                1,
                true},
        KeyCase{"dropping_enter_keeps",
                "停止刪除",
                {"略過待傳案件", "全部刪除"},
                false,
                {Qt::Key_Return},
                0,
                true}),
    [](const auto& info) { return std::string(info.param.name); });

// Every title has room left and right inside its button: buttons too long to
// stand side by side stand one under the other, in their order.
TEST_F(AlertInWindow, EachButtonTitleHasRoomInsideItsButton) {
    struct Case {
        std::optional<QString> cancel;
        QStringList others;
        bool sideBySide;
    };
    const Case cases[] = {{"否", {"是"}, true}, {"停止刪除", {"略過待傳案件", "全部刪除"}, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.others.join(' ').toStdString());
        QDialog* dialog = show(c.cancel, c.others);
        ASSERT_NE(dialog, nullptr);
        QCoreApplication::processEvents();
        const QList<QPushButton*> buttons = dialog->findChildren<QPushButton*>();
        ASSERT_EQ(buttons.size(), c.others.size() + 1);
        for (qsizetype i = 0; i < buttons.size(); ++i) {
            const QPushButton* button = buttons[i];
            SCOPED_TRACE(button->text().toStdString());
            EXPECT_GE(button->width(),
                      button->fontMetrics().horizontalAdvance(button->text()) + 2 * 12);
            EXPECT_TRUE(dialog->rect().contains(button->geometry()));
            if (i > 0) {
                const QRect before = buttons[i - 1]->geometry();
                EXPECT_EQ(button->y() == before.y(), c.sideBySide);
                EXPECT_GT(c.sideBySide ? button->x() : button->y(),
                          c.sideBySide ? before.right() : before.bottom());
            }
        }
        buttons.first()->click();
    }
}

TEST_F(AlertInWindow, StandsInsideTheWindowAndTakesItsClicks) {
    auto* button = new QPushButton("menu", &window);
    button->setGeometry(0, 0, 320, 60);
    button->show();
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });
    QDialog* dialog = show("取消", {"好"});
    ASSERT_NE(dialog, nullptr);
    // Part of the window: it moves with it and needs no window manager.
    EXPECT_FALSE(dialog->isWindow());
    EXPECT_EQ(dialog->window(), &window);
    EXPECT_EQ(dialog->mapTo(&window, dialog->rect().center()), window.rect().center());
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, QPoint(160, 30));
    EXPECT_EQ(clicks, 0);
    // An overlay or popover started while it shows stays below it.
    ProgressOverlay* overlay =
        ProgressOverlay::showOver(&window, "資料傳送中", ProgressOverlay::Box::Dimmed);
    EXPECT_TRUE(dialog->isAncestorOf(window.childAt(window.rect().center())) ||
                window.childAt(window.rect().center()) == dialog);
    EXPECT_TRUE(dialog->isAncestorOf(dialog->focusWidget()));
    overlay->hideOverlay();
}

TEST_F(AlertInWindow, ClosingTheWindowEndsItWhileAnAlertShows) {
    ASSERT_NE(show("取消", {"好"}, true), nullptr);
    // As a window manager's close box does: through the window system.
    window.windowHandle()->close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(pressed.empty());
}

// A screen with work not yet stored asks its own question instead.
class Unstored : public ViewController {
  public:
    bool windowShouldClose() override {
        ++asked;
        AlertView("安檢照片尚未儲存", "", this, QString("取消"), {"離開"}).show();
        return false;
    }
    int asked = 0;
};

TEST_F(AlertInWindow, AScreenWithUnstoredWorkKeepsTheWindowOpen) {
    auto* navigation = new NavigationController(&window);
    navigation->resize(window.size());
    auto* bottom = new ViewController;
    auto* photos = new Unstored;
    navigation->pushViewController(bottom, false);
    navigation->pushViewController(photos, false);
    navigation->show();
    window.windowHandle()->close();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(photos->asked, 1);
    ASSERT_NE(presenter.currentDialog(), nullptr);
    EXPECT_EQ(presenter.currentDialog()->findChild<QLabel*>()->text(), "安檢照片尚未儲存");

    // Once the screen has gone, the window closes.
    presenter.currentDialog()->findChildren<QPushButton*>()[0]->click();
    navigation->popViewControllerAnimated(false);
    window.windowHandle()->close();
    EXPECT_FALSE(window.isVisible());
}

} // namespace

namespace {

// What label draws on white.
QImage drawn(QLabel* label) {
    QImage image(label->size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    label->render(&image, {}, {}, QWidget::DrawChildren);
    return image;
}

// What a label with the look of shown, holding text in format, draws.
QImage drawnLike(const QLabel* shown, const QString& text, Qt::TextFormat format) {
    QLabel label;
    label.setTextFormat(format);
    label.setText(text);
    label.setFont(shown->font());
    label.setWordWrap(shown->wordWrap());
    label.setAlignment(shown->alignment());
    label.resize(shown->size());
    return drawn(&label);
}

TEST(QtAlertPresenter, DrawsServerTextAsPlainText) {
    FakePlatform fake;
    QtAlertPresenter presenter;
    fake.services.alerts = &presenter;
    const QStringList texts = {"<b>粗</b>&王", "<img src=\":/box.png\">陳"};
    presenter.present(Alert{texts[0], texts[1], QString("知道了"), {}, 0, false, {}, {}});
    QDialog* dialog = presenter.currentDialog();
    ASSERT_NE(dialog, nullptr);
    const auto labels = dialog->findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), 2);
    for (int i = 0; i < 2; ++i) {
        const QImage shown = drawn(labels[i]);
        EXPECT_EQ(shown, drawnLike(labels[i], texts[i], Qt::PlainText));
        EXPECT_NE(shown, drawnLike(labels[i], texts[i], Qt::RichText));
    }
    dialog->findChild<QPushButton*>()->click();
}

} // namespace
