#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class QtAlertPresenter;
class QWidget;

// Drives the running app through a demo session without a person: logs in
// with the given ID, answers the update prompt and the notice, looks at the
// main screen, logs out. Saves a PNG picture of every screen and alert it
// passes. Used where no display exists.
class ScriptedSession : public QObject {
    Q_OBJECT
public:
    ScriptedSession(QWidget* window, QtAlertPresenter& alerts, QString id, QString screenshotDir);
    void start();

private:
    void step();
    void answerAlert();
    void save(const QString& name, QWidget* dialog = nullptr);

    QPointer<QWidget> window_;
    QtAlertPresenter& alerts_;
    QString id_;
    QString dir_;
    QTimer ticker_;
    int pictures_ = 0;
    int idleTicks_ = 0;
    bool loggedOut_ = false;
    QPointer<QWidget> lastDialog_;
};
