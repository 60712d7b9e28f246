#include "ui/AlertView.h"

#include "platform/Platform.h"
#include "ui/ViewController.h"

AlertView::AlertView(const QString& title, const QString& message, ViewController* owner,
                     std::optional<QString> cancelButtonTitle, QStringList otherButtonTitles)
    : title_(title), message_(message), owner_(owner), cancel_(std::move(cancelButtonTitle)),
      others_(std::move(otherButtonTitles)) {}

void AlertView::show() const {
    Alert alert;
    alert.title = title_;
    alert.message = message_;
    alert.cancelTitle = cancel_;
    alert.otherTitles = others_;
    alert.tag = tag;
    alert.hasTextField = alertViewStyle == AlertViewStyle::PlainTextInput;
    alert.placeholder = placeholder;
    alert.textFieldHints = textFieldHints;
    alert.destructive = destructive;
    alert.onButton = [owner = owner_, tag = tag](int index, const QString& text) {
        if (owner) owner->alertViewClickedButtonAtIndex(AlertAnswer{tag, index, text});
    };
    platform().alerts->present(std::move(alert));
}
