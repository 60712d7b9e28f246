#include "platform/qt/QtAlertPresenter.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int kAlertWidth = 270; // points, as phone alerts are

// An alert closes only through one of its buttons, never with Escape.
class AlertDialog : public QDialog {
  public:
    using QDialog::QDialog;
    void reject() override {}
};

QLabel* wrappedLabel(const QString& text, const char* name, bool bold) {
    auto* label = new QLabel;
    label->setTextFormat(Qt::PlainText); // titles and messages may carry server text
    label->setText(text);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignCenter);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

} // namespace

void QtAlertPresenter::present(Alert alert) {
    waiting_.push_back(std::move(alert));
    if (!dialog_) showNext();
}

void QtAlertPresenter::showNext() {
    if (waiting_.empty()) return;
    QWidget* window = window_ ? window_() : nullptr;
    if (window && !window->isVisible()) {
        // Shown before its window (a login prompt at launch): wait for it.
        QTimer::singleShot(20, window, [this] {
            if (!dialog_) showNext();
        });
        return;
    }
    Alert alert = std::move(waiting_.front());
    waiting_.pop_front();

    auto* dialog = new AlertDialog(window, Qt::Dialog | Qt::FramelessWindowHint);
    dialog->setFixedWidth(kAlertWidth);
    dialog->setWindowModality(window ? Qt::WindowModal : Qt::ApplicationModal);
    dialog->setObjectName(QStringLiteral("alert"));
    dialog->setStyleSheet(
        QStringLiteral("#alert { background: #f7f7f7; border: 1px solid #b0b0b0; }"));
    auto* layout = new QVBoxLayout(dialog);
    if (!alert.title.isEmpty()) layout->addWidget(wrappedLabel(alert.title, "alertTitle", true));
    if (!alert.message.isEmpty())
        layout->addWidget(wrappedLabel(alert.message, "alertMessage", false));
    QLineEdit* field = nullptr;
    if (alert.hasTextField) {
        field = new QLineEdit;
        field->setObjectName(QStringLiteral("alertField"));
        field->setPlaceholderText(alert.placeholder);
        layout->addWidget(field);
    }
    auto* buttons = new QHBoxLayout;
    const QStringList titles = alert.buttonTitles();
    auto handler =
        std::make_shared<std::function<void(int, const QString&)>>(std::move(alert.onButton));
    for (int index = 0; index < titles.size(); ++index) {
        auto* button = new QPushButton(titles[index]);
        button->setAutoDefault(false);
        buttons->addWidget(button);
        QObject::connect(button, &QPushButton::clicked, dialog,
                         [this, dialog, field, handler, index] {
                             const QString text = field ? field->text() : QString();
                             dialog->done(QDialog::Accepted);
                             dialog->deleteLater();
                             dialog_ = nullptr;
                             if (*handler) (*handler)(index, text);
                             // The handler may have shown the next alert itself.
                             if (!dialog_) showNext();
                         });
    }
    layout->addLayout(buttons);
    // Wrapped texts make the alert as high as its width needs.
    dialog->setFixedHeight(layout->totalHeightForWidth(kAlertWidth));

    dialog_ = dialog;
    dialog->open();
    if (window) // centred over the app's window, as on a phone
        dialog->move(window->mapToGlobal(window->rect().center()) - dialog->rect().center());
    if (field) field->setFocus();
}
