#pragma once

#include <QString>
#include <QStringList>
#include <Qt>
#include <functional>
#include <optional>

// One alert dialog as the presenter shows it. Buttons are numbered the way
// the owner's handler expects them: the cancel button is 0 and the other
// buttons follow from 1 in order; without a cancel button the first other
// button is 0.
struct Alert {
    QString title;
    QString message;
    std::optional<QString> cancelTitle;
    QStringList otherTitles;
    int tag = 0;
    bool hasTextField = false; // one plain text field
    QString placeholder;
    // Called once with the pressed button's index and the text field's text.
    std::function<void(int buttonIndex, const QString& text)> onButton;
    // What the text field asks of an on-screen keyboard (letters, prediction).
    Qt::InputMethodHints textFieldHints = Qt::ImhNone;
    // The other buttons delete or drop work: the cancel button is then the
    // one Enter presses.
    bool destructive = false;

    // Returns the button titles in index order.
    QStringList buttonTitles() const;
};

// Shows alerts modally, one at a time: an alert presented while another is
// on screen waits its turn.
class AlertPresenter {
  public:
    virtual ~AlertPresenter() = default;
    virtual void present(Alert alert) = 0;
};
