#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

class QAbstractButton;
class QAbstractItemView;
class QDialog;
class QLineEdit;
class NavigationBar;
class Popover;
class ViewController;

// What a scenario sees of the running app: the top screen with its
// navigation bar, an open popover and a showing alert, found through the
// real widgets of the window.
class ScenarioScreen {
  public:
    ScenarioScreen(QWidget* window, QDialog* alert);

    ViewController* topScreen() const;
    NavigationBar* bar() const;
    Popover* popover() const;
    // The camera picker laid over the whole window, while it shows.
    QWidget* cameraPicker() const;
    QDialog* alert() const { return alert_; }

    QString alertTitle() const;
    QString alertMessage() const;
    QStringList alertButtons() const;
    QAbstractButton* alertButton(const QString& title) const;
    QLineEdit* alertField() const;

    // The visible widget whose object name or text is nameOrText, looked for
    // in the camera picker, or else in the open popover, or else in the top
    // screen and its bar: first by
    // object name, then buttons by text, then other widgets by text.
    QWidget* find(const QString& nameOrText) const;
    // The visible list view of the top screen or popover named name.
    QAbstractItemView* list(const QString& name) const;
    // The visible list of the popover, or else of the top screen, with a row
    // whose cell shows exactly text; sets row to that row.
    QAbstractItemView* listWithRow(const QString& text, int& row) const;
    // The top screen's button that goes back: its left bar button, or the
    // bar's back button.
    QAbstractButton* backButton() const;

    // Every text the window shows (labels, buttons, fields, rows, bar, alert).
    QStringList windowTexts() const;
    // The top screen's title, the alert and the texts of the top screen, one
    // item per line, for a failure report.
    QString describe() const;

  private:
    QList<QWidget*> searchRoots() const;

    QWidget* window_;
    QDialog* alert_;
};

// Every text shown by root and its visible children, in widget order.
QStringList visibleTexts(QWidget* root);
