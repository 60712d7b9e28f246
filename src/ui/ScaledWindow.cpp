#include "ui/ScaledWindow.h"

#include <QCloseEvent>
#include <QGraphicsProxyWidget>
#include <cmath>

ScaledWindow::ScaledWindow(QWidget* content, double factor)
    : content_(content), proxy_(scene_.addWidget(content)) {
    setScene(&scene_);
    setWindowTitle(content->windowTitle());
    setWindowIcon(content->windowIcon());
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                   QPainter::SmoothPixmapTransform);
    scale(factor, factor);
    setFixedSize(int(std::ceil(content->width() * factor)),
                 int(std::ceil(content->height() * factor)));
    proxy_->setFocus();
    proxy_->setAcceptTouchEvents(true);
    viewport()->setAttribute(Qt::WA_AcceptTouchEvents);
}

void ScaledWindow::showFillingScreen() {
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    showFullScreen();
}

ScaledWindow::~ScaledWindow() {
    content_->hide();
    proxy_->setWidget(nullptr);
}

void ScaledWindow::closeEvent(QCloseEvent* event) {
    if (content_->close())
        event->accept();
    else
        event->ignore();
}
