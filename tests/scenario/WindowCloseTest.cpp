#include "AppRun.h"
#include "VirtualDisplay.h"
#include "fixtures/QrImages.h"
#include "store/StoreFiles.h"
#include "store/StoreFixture.h"

#include <QDir>
#include <QProcess>
#include <QThread>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace {

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t value = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return value;
}

QString windowName(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t utf8Name,
                   xcb_atom_t utf8) {
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, utf8Name, utf8, 0, 256), nullptr);
    QString name;
    if (reply)
        name = QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(reply)),
                                 xcb_get_property_value_length(reply));
    std::free(reply);
    return name;
}

// Sends the window titled title on display the message a window manager sends
// when its close button is pressed (WM_DELETE_WINDOW); false when no such
// window is mapped.
bool sendWindowClose(const QString& display, const QString& title) {
    xcb_connection_t* connection = xcb_connect(display.toLatin1().constData(), nullptr);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return false;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const xcb_atom_t utf8Name = atom(connection, "_NET_WM_NAME");
    const xcb_atom_t utf8 = atom(connection, "UTF8_STRING");
    const xcb_atom_t protocols = atom(connection, "WM_PROTOCOLS");
    const xcb_atom_t deleteWindow = atom(connection, "WM_DELETE_WINDOW");
    xcb_query_tree_reply_t* tree =
        xcb_query_tree_reply(connection, xcb_query_tree(connection, root), nullptr);
    bool sent = false;
    const xcb_window_t* children = tree ? xcb_query_tree_children(tree) : nullptr;
    for (int i = 0; tree && i < xcb_query_tree_children_length(tree) && !sent; ++i) {
        xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
            connection, xcb_get_window_attributes(connection, children[i]), nullptr);
        const bool mapped = attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
        std::free(attributes);
        if (!mapped || windowName(connection, children[i], utf8Name, utf8) != title) continue;
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = children[i];
        event.type = protocols;
        event.data.data32[0] = deleteWindow;
        event.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(connection, 0, children[i], XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char*>(&event));
        xcb_flush(connection);
        sent = true;
    }
    std::free(tree);
    xcb_disconnect(connection);
    return sent;
}

// One place of the demo: the steps that lead there once the inspector is
// logged in and past the notice and the update question, or at the login
// prompt itself.
struct Place {
    const char* name;
    const char* steps;
    bool loggedIn = true;
};

const Place places[] = {
    {"login-alert", "", false},
    {"main", "expect screen 主畫面\n"},
    {"check-start", "tap 開始檢查\n"
                    "expect screen 檢查設備確認\n"},
    {"no-camera-alert", "tap 開始檢查\n"
                        "tap topButton\nexpect alert 相機無法使用\n"},
    {"reader", "tap 開始檢查\nqr registration.png\n"
               "tap topButton\nexpect text 設備編號：A100\n"},
    {"photo-screen", "tap 開始檢查\n"
                     "qr registration.png\ntap topButton\nexpect text 設備編號：A100\ntap 確定\n"
                     "qr permit.png\n"
                     "tap bottomButton\nexpect screen 安檢照片拍攝\n"},
    {"records", "tap 檢查紀錄\n"
                "expect screen 安檢照片紀錄\n"},
    {"sort-menu", "tap 檢查紀錄\n"
                  "expect screen 安檢照片紀錄\ntap sort_Button\nexpect text 依編號排序\n"},
    {"opened-case", "tap 檢查紀錄\n"
                    "expect screen 安檢照片紀錄\ntap-row tbl 0\nexpect no text 依編號排序\n"
                    "expect screen 安檢照片拍攝\n"},
    {"alert-over-records", "tap 檢查紀錄\n"
                           "expect screen 安檢照片紀錄\ntick tbl 0\ntap deleteCase\n"
                           "expect alert 刪除\n"},
};

// Closing the real window (as a window manager does) ends the real app from
// every screen, popover and alert of the demo it is reached in.
class WindowClose : public AppRunFixture, public testing::WithParamInterface<Place> {
  protected:
    void storeCases() const {
        const QString documents = QDir(home()).filePath("Documents");
        ASSERT_TRUE(QDir().mkpath(documents));
        ASSERT_TRUE(writeCaseList(waitingReportPath(documents),
                                  {testCase("B100", "C1", 1, 1), testCase("A200", "C1", 1, 1)}));
        ASSERT_TRUE(qrCode("A100,C2024001", 8).save(dir.filePath("registration.png")));
        ASSERT_TRUE(qrCode("https://permit.test/query.do?type=1&ipno=A100", 8)
                        .save(dir.filePath("permit.png")));
    }
};

TEST_P(WindowClose, EndsTheApp) {
    storeCases();
    VirtualDisplay display;
    ASSERT_FALSE(display.name().isEmpty()) << "Xvfb did not start";
    const QString steps =
        QStringLiteral("expect alert 身份驗證\ntype A123456789\n") +
        (GetParam().loggedIn ? QStringLiteral("press 好\npress 知道了\npress 暫不更新\n")
                             : QString()) +
        QString::fromUtf8(GetParam().steps);
    const int lastLine = steps.count('\n');
    const QString lastStep = steps.section('\n', -2, -2);
    const QString scenario = writeScenario(steps + "wait 120\n");

    QProcess app;
    ASSERT_TRUE(startUntil(app, scenario, QStringLiteral("%1: %2").arg(lastLine).arg(lastStep),
                           display.environment()))
        << app.readAllStandardError().toStdString();
    QThread::msleep(300); // the step's screen settles
    // A close that lands in a blocking wait of the app is dropped with the
    // other input, so it is sent again while the window still shows, as a
    // person clicks again; a window that has gone while the app runs on is
    // the fault.
    const QString title = QString::fromUtf8("建築物昇降設備安全檢查");
    EXPECT_TRUE(sendWindowClose(display.name(), title));
    bool ended = false;
    for (int tries = 0; tries < 10 && !ended; ++tries) {
        ended = app.waitForFinished(1000);
        if (!ended) sendWindowClose(display.name(), title);
    }
    if (!ended) app.kill();
    app.waitForFinished();
    EXPECT_TRUE(ended) << "still running after the window was closed on " << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    EveryPlace, WindowClose, testing::ValuesIn(places),
    [](const testing::TestParamInfo<Place>& info) {
        return QString::fromLatin1(info.param.name).replace('-', '_').toStdString();
    });

} // namespace
