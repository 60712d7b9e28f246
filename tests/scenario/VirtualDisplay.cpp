#include "VirtualDisplay.h"

#include <QElapsedTimer>
#include <cstdlib>
#include <xcb/xcb.h>

VirtualDisplay::VirtualDisplay(QSize screen) {
    server_.setProgram("Xvfb");
    server_.setArguments({"-displayfd", "1", "-screen", "0",
                          QStringLiteral("%1x%2x24").arg(screen.width()).arg(screen.height()),
                          "-br", "-nolisten", "tcp"});
    server_.start();
    if (!server_.waitForStarted(5000)) return;
    QElapsedTimer clock;
    clock.start();
    while (!server_.canReadLine() && clock.elapsed() < 10000)
        server_.waitForReadyRead(500);
    const QString number = QString::fromLatin1(server_.readLine()).trimmed();
    if (!number.isEmpty()) name_ = u':' + number;
}

VirtualDisplay::~VirtualDisplay() {
    server_.terminate();
    if (!server_.waitForFinished(5000)) server_.kill();
    server_.waitForFinished();
}

QProcessEnvironment VirtualDisplay::environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("DISPLAY", name_);
    return env;
}

QImage VirtualDisplay::grab() const {
    xcb_connection_t* connection = xcb_connect(name_.toLatin1().constData(), nullptr);
    QImage image;
    if (!xcb_connection_has_error(connection)) {
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
        xcb_get_image_reply_t* reply = xcb_get_image_reply(
            connection,
            xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, screen->root, 0, 0,
                          screen->width_in_pixels, screen->height_in_pixels, ~0u),
            nullptr);
        // A 24-bit screen hands its pixels over as 32-bit words, blue first.
        const int length = reply ? xcb_get_image_data_length(reply) : 0;
        if (reply && length == 4 * screen->width_in_pixels * screen->height_in_pixels)
            image = QImage(xcb_get_image_data(reply), screen->width_in_pixels,
                           screen->height_in_pixels, QImage::Format_RGB32)
                        .copy();
        std::free(reply);
    }
    xcb_disconnect(connection);
    return image;
}

bool VirtualDisplay::click(QPoint point) const {
    QProcess tool;
    tool.setProcessEnvironment(environment());
    tool.start("xdotool",
               {"mousemove", QString::number(point.x()), QString::number(point.y()), "click", "1"});
    return tool.waitForFinished(10000) && tool.exitStatus() == QProcess::NormalExit &&
           tool.exitCode() == 0;
}
