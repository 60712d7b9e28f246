// The window that draws the app's window smaller on a small desktop screen.
#include "ui/ScaledWindow.h"

#include <QCloseEvent>
#include <QIcon>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A top-level widget that lets itself be closed only when told so.
class Content : public QWidget {
  public:
    bool mayClose = false;

  protected:
    void closeEvent(QCloseEvent* event) override { event->setAccepted(mayClose); }
};

TEST(ScaledWindow, DrawsTheWidgetSmallerWithItsTitleAndIcon) {
    Content content;
    content.setFixedSize(768, 1024);
    content.setWindowTitle(QStringLiteral("建築物昇降設備安全檢查"));
    QPixmap icon(16, 16);
    icon.fill(Qt::red);
    content.setWindowIcon(QIcon(icon));
    ScaledWindow window(&content, 0.71);
    EXPECT_EQ(window.size(), QSize(546, 728));
    EXPECT_EQ(window.windowTitle(), content.windowTitle());
    EXPECT_FALSE(window.windowIcon().isNull());
}

// A click on the smaller picture lands on what is drawn there.
TEST(ScaledWindow, AClickReachesTheWidgetDrawnUnderIt) {
    Content content;
    content.setFixedSize(768, 1024);
    auto* button = new QPushButton(QStringLiteral("好"), &content);
    button->setGeometry(100, 100, 100, 50);
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&clicks] { ++clicks; });
    ScaledWindow window(&content, 0.5);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    // At (60, 60) the button is drawn; (150, 110) is where it would be at full size.
    QTest::mouseClick(window.viewport(), Qt::LeftButton, {}, QPoint(60, 60));
    EXPECT_EQ(clicks, 1);
    QTest::mouseClick(window.viewport(), Qt::LeftButton, {}, QPoint(150, 110));
    EXPECT_EQ(clicks, 1);
}

// The close box asks the widget; a refusal keeps both open.
TEST(ScaledWindow, ClosesOnlyWhenTheWidgetAgrees) {
    Content content;
    content.resize(320, 568);
    ScaledWindow window(&content, 0.5);
    window.show();
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    content.mayClose = true;
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isVisible());
}

// The widget belongs to its owner: the window going leaves it whole and
// hidden, not shown as a window of its own nor deleted.
TEST(ScaledWindow, HandsTheWidgetBackWhenItGoes) {
    auto content = std::make_unique<Content>();
    QPointer<QWidget> watched(content.get());
    {
        ScaledWindow window(content.get(), 0.5);
        window.show();
    }
    ASSERT_TRUE(watched);
    EXPECT_FALSE(content->isVisible());
    content.reset();
    EXPECT_FALSE(watched);
}

} // namespace
