#include "app/ScriptedSession.h"

#include "platform/qt/QtAlertPresenter.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <cstdio>

namespace {

constexpr int kTickMs = 400;
constexpr int kGiveUpTicks = 150; // a minute without progress ends the run

QString dialogTitle(QWidget* dialog) {
    const auto labels = dialog->findChildren<QLabel*>();
    return labels.isEmpty() ? QString() : labels.first()->text();
}

QAbstractButton* buttonTitled(QWidget* parent, const QStringList& titles) {
    for (const QString& title : titles)
        for (QPushButton* b : parent->findChildren<QPushButton*>())
            if (b->text() == title && b->isVisible()) return b;
    return nullptr;
}

} // namespace

ScriptedSession::ScriptedSession(QWidget* window, QtAlertPresenter& alerts, QString id, QString dir)
    : window_(window), alerts_(alerts), id_(std::move(id)), dir_(std::move(dir)) {
    ticker_.setInterval(kTickMs);
    connect(&ticker_, &QTimer::timeout, this, &ScriptedSession::step);
}

void ScriptedSession::start() {
    QDir().mkpath(dir_);
    ticker_.start();
}

void ScriptedSession::step() {
    if (!window_) return;
    if (++idleTicks_ > kGiveUpTicks) {
        std::fprintf(stderr, "demo session: no progress, giving up\n");
        QCoreApplication::exit(1);
        return;
    }
    if (alerts_.currentDialog()) {
        answerAlert();
        return;
    }
    if (loggedOut_) return;
    QAbstractButton* logout = window_->findChild<QAbstractButton*>(QStringLiteral("closeBtn"));
    if (logout && logout->isVisible()) {
        idleTicks_ = 0;
        save(QStringLiteral("main-screen"));
        loggedOut_ = true;
        logout->click();
    }
}

void ScriptedSession::answerAlert() {
    QWidget* dialog = alerts_.currentDialog();
    if (dialog == lastDialog_) return; // still answering this one
    lastDialog_ = dialog;
    idleTicks_ = 0;
    const QString title = dialogTitle(dialog);
    if (QLineEdit* field = dialog->findChild<QLineEdit*>()) field->setText(id_);
    save(title.isEmpty() ? QStringLiteral("alert") : title, dialog);
    // Log in, postpone the update, acknowledge notices, confirm the logout.
    QAbstractButton* button = buttonTitled(dialog, {"好", "暫不更新", "知道了", "登出", "離開程式"});
    std::printf("demo session: alert \"%s\" -> %s\n", qPrintable(title),
                button ? qPrintable(button->text()) : "no known button");
    std::fflush(stdout);
    if (button) QTimer::singleShot(0, button, &QAbstractButton::click);
}

void ScriptedSession::save(const QString& name, QWidget* dialog) {
    QImage picture = window_->grab().toImage();
    if (dialog) {
        // Alerts are windows of their own offscreen: draw them over the screen.
        QPainter p(&picture);
        p.fillRect(picture.rect(), QColor(0, 0, 0, 90));
        const QPixmap box = dialog->grab();
        p.drawPixmap((picture.width() - box.width()) / 2, (picture.height() - box.height()) / 2, box);
    }
    const QString file = QDir(dir_).filePath(QStringLiteral("%1-%2.png").arg(++pictures_, 2, 10, QChar('0')).arg(name));
    picture.save(file);
    std::printf("demo session: saved %s\n", qPrintable(file));
    std::fflush(stdout);
}
