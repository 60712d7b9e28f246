#include "platform/qt/QtAlertPresenter.h"

#include <algorithm>

#include <QDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QInputMethod>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

namespace {

constexpr int kAlertWidth = 270;   // points, as phone alerts are
constexpr int kButtonPadding = 12; // the least room left and right of a button's title
constexpr char kLayerName[] = "alertLayer";

// The part of window that an on-screen keyboard covers, in window's
// coordinates; empty while none shows. The input method gives the keyboard's
// place in the coordinates of the window that has the focus.
QRect keyboardOver(QWidget* window) {
    QInputMethod* keyboard = QGuiApplication::inputMethod();
    const QRectF area = keyboard->keyboardRectangle();
    const QWindow* focus = QGuiApplication::focusWindow();
    if (!keyboard->isVisible() || area.isEmpty() || !focus) return {};
    const QPointF origin = focus->mapToGlobal(QPointF(0, 0));
    return QRect(window->mapFromGlobal((area.topLeft() + origin).toPoint()),
                 window->mapFromGlobal((area.bottomRight() + origin).toPoint()));
}

// The dimmed layer an alert stands on. It covers the whole window, keeps the
// alert centred when the window changes size, and takes every click, wheel
// turn and key meant for the screens below. While an on-screen keyboard
// covers part of the window, the alert stands centred in what is left above
// it, so that its text field and buttons stay in sight.
class AlertLayer : public QWidget {
  public:
    explicit AlertLayer(QWidget* window) : QWidget(window), covered_(keyboardOver(window)) {
        setObjectName(kLayerName);
        // Only the dimming is drawn: the window's own background must not cover its screens.
        setStyleSheet(QStringLiteral("#%1 { background: transparent; }").arg(kLayerName));
        setAttribute(Qt::WA_NoMousePropagation);
        setGeometry(window->rect());
        window->installEventFilter(this);
        QInputMethod* keyboard = QGuiApplication::inputMethod();
        const auto follow = [this] { keepClearOf(keyboardOver(parentWidget())); };
        connect(keyboard, &QInputMethod::keyboardRectangleChanged, this, follow);
        connect(keyboard, &QInputMethod::visibleChanged, this, follow);
    }

    void place(QWidget* box) const {
        const QRect hidden = covered_ & rect();
        const int above = hidden.isEmpty() ? height() : hidden.top();
        // Centred as before while nothing covers the layer; never above its top.
        const int y = hidden.isEmpty() ? rect().center().y() - box->rect().center().y()
                                       : std::max(0, (above - box->height()) / 2);
        box->move(rect().center().x() - box->rect().center().x(), y);
    }

    // covered: the part of the window an on-screen keyboard hides, or empty.
    void keepClearOf(const QRect& covered) {
        covered_ = covered;
        placeBoxes();
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == parent() && event->type() == QEvent::Resize) {
            setGeometry(parentWidget()->rect());
            placeBoxes();
        }
        return false;
    }
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), QColor(0, 0, 0, 90)); }
    void mousePressEvent(QMouseEvent* e) override { e->accept(); }
    void mouseReleaseEvent(QMouseEvent* e) override { e->accept(); }
    void mouseDoubleClickEvent(QMouseEvent* e) override { e->accept(); }
    void wheelEvent(QWheelEvent* e) override { e->accept(); }
    void keyPressEvent(QKeyEvent* e) override { e->accept(); }

  private:
    void placeBoxes() const {
        for (QWidget* box : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            place(box);
    }

    QRect covered_;
};

// An alert closes only through one of its buttons. Enter presses the focused
// button, else the preferred one; Escape the cancel button, if any; Tab and
// Backtab go round the field and the buttons and never leave the alert.
class AlertDialog : public QDialog {
  public:
    using QDialog::QDialog;
    void reject() override {}

    QList<QWidget*> stops;            // the text field and the buttons, in tab order
    QPushButton* preferred = nullptr; // the last button; the cancel button on a destructive alert
    QPushButton* cancel = nullptr;    // button 0, when the alert has a cancel button

  protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
            auto* focused = qobject_cast<QPushButton*>(focusWidget());
            QPushButton* target = focused && stops.contains(focused) ? focused : preferred;
            if (target) target->click();
        } else if (e->key() == Qt::Key_Escape) {
            if (cancel) cancel->click();
        } else {
            QWidget::keyPressEvent(e);
            return;
        }
        e->accept();
    }

    bool focusNextPrevChild(bool next) override {
        if (stops.isEmpty()) return false;
        const qsizetype at = stops.indexOf(focusWidget());
        const qsizetype count = stops.size();
        const qsizetype to = at < 0 ? 0 : (at + (next ? 1 : count - 1)) % count;
        stops[to]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }
};

// An alert's text field calls up the on-screen keyboard (where there is one)
// whenever it takes the focus, as on a phone, not only after a tap on it.
class AlertField : public QLineEdit {
  protected:
    void focusInEvent(QFocusEvent* e) override {
        QLineEdit::focusInEvent(e);
        // Once the window has handed its focus on to the field.
        QMetaObject::invokeMethod(QGuiApplication::inputMethod(), &QInputMethod::show,
                                  Qt::QueuedConnection);
    }
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

// The buttons side by side when every title fits its share of the row with
// room to spare; otherwise one under the other, as phone alerts do.
QBoxLayout* buttonLayout(const QList<QPushButton*>& buttons, int width, int spacing) {
    int widest = 0;
    for (const QPushButton* button : buttons)
        widest = std::max(widest, button->fontMetrics().horizontalAdvance(button->text()));
    const qsizetype count = std::max<qsizetype>(1, buttons.size());
    const int share = int((width - spacing * (count - 1)) / count);
    QBoxLayout* layout = widest + 2 * kButtonPadding <= share
                             ? static_cast<QBoxLayout*>(new QHBoxLayout)
                             : new QVBoxLayout;
    for (QPushButton* button : buttons)
        layout->addWidget(button);
    return layout;
}

// Takes the alert off the screen: its layer with it, when it has one.
void dismiss(QDialog* dialog) {
    dialog->done(QDialog::Accepted);
    QWidget* gone = dialog->parentWidget() && dialog->parentWidget()->objectName() == kLayerName
                        ? dialog->parentWidget()
                        : dialog;
    gone->hide();
    gone->deleteLater();
}

} // namespace

void QtAlertPresenter::present(Alert alert) {
    waiting_.push_back(std::move(alert));
    if (!dialog_) showNext();
}

QWidget* QtAlertPresenter::currentLayer(QWidget* window) {
    return window->findChild<QWidget*>(QLatin1String(kLayerName), Qt::FindDirectChildrenOnly);
}

void QtAlertPresenter::keepAlertClearOf(QWidget* window, const QRect& covered) {
    if (auto* layer = static_cast<AlertLayer*>(currentLayer(window))) layer->keepClearOf(covered);
}

void QtAlertPresenter::raiseBelowAlerts(QWidget* widget) {
    QWidget* window = widget->window();
    QWidget* layer = window == widget ? nullptr : currentLayer(window);
    if (layer && widget->parentWidget() == window)
        widget->stackUnder(layer);
    else
        widget->raise();
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

    AlertLayer* layer = window ? new AlertLayer(window) : nullptr;
    // Made a box inside the window (setParent drops the dialog's window type)
    // only after it exists: a dialog born a window inside a window drawn
    // smaller (ScaledWindow) would be given a frame of its own there.
    auto* dialog = new AlertDialog;
    if (layer)
        dialog->setParent(layer);
    else
        dialog->setWindowModality(Qt::ApplicationModal);
    dialog->setFixedWidth(kAlertWidth);
    dialog->setObjectName(QStringLiteral("alert"));
    dialog->setAutoFillBackground(true);
    dialog->setStyleSheet(
        QStringLiteral("#alert { background: #f7f7f7; border: 1px solid #b0b0b0; }"
                       "#alert QLabel { background: transparent; }"));
    auto* layout = new QVBoxLayout(dialog);
    if (!alert.title.isEmpty()) layout->addWidget(wrappedLabel(alert.title, "alertTitle", true));
    if (!alert.message.isEmpty())
        layout->addWidget(wrappedLabel(alert.message, "alertMessage", false));
    QLineEdit* field = nullptr;
    if (alert.hasTextField) {
        field = new AlertField;
        field->setObjectName(QStringLiteral("alertField"));
        field->setPlaceholderText(alert.placeholder);
        field->setInputMethodHints(alert.textFieldHints);
        layout->addWidget(field);
        dialog->stops << field;
    }
    QList<QPushButton*> buttons;
    const QStringList titles = alert.buttonTitles();
    auto handler =
        std::make_shared<std::function<void(int, const QString&)>>(std::move(alert.onButton));
    for (int index = 0; index < titles.size(); ++index) {
        auto* button = new QPushButton(titles[index]);
        button->setAutoDefault(false);
        // A tap leaves the focus in the text field: the on-screen keyboard
        // stays, and the alert does not move down under the finger before
        // the tap ends. Tab still reaches the button.
        button->setFocusPolicy(Qt::TabFocus);
        buttons << button;
        dialog->stops << button;
        QObject::connect(button, &QPushButton::clicked, dialog,
                         [this, dialog, field, handler, index] {
                             const QString text = field ? field->text() : QString();
                             dismiss(dialog);
                             dialog_ = nullptr;
                             if (*handler) (*handler)(index, text);
                             // The handler may have shown the next alert itself.
                             if (!dialog_) showNext();
                         });
        dialog->preferred = button;
        if (index == 0 && alert.cancelTitle) dialog->cancel = button;
    }
    // On an alert that deletes or drops work, Enter keeps the work.
    if (alert.destructive && dialog->cancel) dialog->preferred = dialog->cancel;
    if (dialog->preferred) {
        QFont bold = dialog->preferred->font();
        bold.setBold(true);
        dialog->preferred->setFont(bold);
    }
    const QMargins margins = layout->contentsMargins();
    layout->addLayout(buttonLayout(buttons, kAlertWidth - margins.left() - margins.right(),
                                   std::max(0, layout->spacing())));
    // Wrapped texts make the alert as high as its width needs.
    dialog->setFixedHeight(layout->totalHeightForWidth(kAlertWidth));

    dialog_ = dialog;
    if (layer) {
        layer->place(dialog);
        layer->raise();
        layer->show();
        dialog->show();
    } else {
        dialog->open();
    }
    if (field)
        field->setFocus();
    else if (dialog->preferred)
        dialog->preferred->setFocus();
}
