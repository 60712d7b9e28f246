#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <optional>

class ViewController;

enum class AlertViewStyle { Default, PlainTextInput };

// What the owner of an alert learns when a button is pressed.
struct AlertAnswer {
    int tag = 0;
    int buttonIndex = 0;
    QString text; // the text field's text, for the plain-text-input style
};

// An alert dialog owned by a screen. The owner's alertViewClickedButtonAtIndex
// receives the tag and the button index: the cancel button is 0 and the other
// buttons follow from 1; without a cancel button the first other button is 0.
// An alert without owner (or whose owner has gone) is answered by nobody.
class AlertView {
  public:
    AlertView(const QString& title, const QString& message, ViewController* owner,
              std::optional<QString> cancelButtonTitle, QStringList otherButtonTitles = {});

    int tag = 0;
    AlertViewStyle alertViewStyle = AlertViewStyle::Default;
    QString placeholder;
    // What the text field asks of an on-screen keyboard.
    Qt::InputMethodHints textFieldHints = Qt::ImhNone;
    // Its other buttons delete or drop work: Enter presses the cancel button.
    bool destructive = false;

    // Hands the alert to the platform's presenter; alerts show one at a time.
    void show() const;

  private:
    QString title_;
    QString message_;
    QPointer<ViewController> owner_;
    std::optional<QString> cancel_;
    QStringList others_;
};
