#include "ui/ProgressOverlay.h"

#include "platform/Platform.h"
#include "platform/qt/QtAlertPresenter.h"
#include "platform/qt/UserInput.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>

namespace {

constexpr double kTurnSeconds = 0.08;
constexpr int kBarSteps = 1000;
// The box's rows from its top: the spinner, the label, then the lines below.
constexpr int kSpinnerRow = 56;
constexpr int kLabelRow = 30;
constexpr int kLineRow = 24;
constexpr int kBarRow = 18;
constexpr int kWideBox = 240;

// The colour of the spinner and the texts on a box of this kind.
QColor inkOf(ProgressOverlay::Box box) {
    return box == ProgressOverlay::Box::Dimmed ? Qt::white : Qt::darkGray;
}

QLabel* boxLabel(QWidget* parent, const char* name, const QColor& ink) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText); // names come from the store and the server
    label->setAlignment(Qt::AlignCenter);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, ink);
    label->setPalette(palette);
    label->hide();
    return label;
}

} // namespace

ProgressOverlay::ProgressOverlay(QWidget* target, const QString& label, Box box)
    : QWidget(target), label_(label), box_(box) {
    const QColor ink = inkOf(box_);
    step_ = boxLabel(this, "progressStep", ink);
    name_ = boxLabel(this, "progressName", ink);
    waiting_ = boxLabel(this, "progressWait", ink);
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("progressBar"));
    bar_->setRange(0, kBarSteps);
    bar_->setTextVisible(false);
    bar_->hide();
    setAttribute(Qt::WA_NoMousePropagation);
    setFocusPolicy(Qt::StrongFocus);
    setGeometry(target->rect());
    // Watches every object of the app: input to the covered area is dropped
    // wherever it is addressed, focus included.
    QCoreApplication::instance()->installEventFilter(this);
}

ProgressOverlay::~ProgressOverlay() {
    QCoreApplication::instance()->removeEventFilter(this);
}

ProgressOverlay* ProgressOverlay::showOver(QWidget* target, const QString& label, Box box) {
    auto* overlay = new ProgressOverlay(target, label, box);
    QtAlertPresenter::raiseBelowAlerts(overlay);
    overlay->show();
    overlay->focusBefore_ = QApplication::focusWidget();
    // An alert on screen keeps the keyboard.
    if (!QtAlertPresenter::currentLayer(overlay->window())) overlay->setFocus();
    overlay->turn();
    return overlay;
}

void ProgressOverlay::hideOverlay() {
    if (!shown_) return;
    shown_ = false;
    QCoreApplication::instance()->removeEventFilter(this);
    const bool hadFocus = hasFocus();
    hide();
    if (hadFocus && focusBefore_) focusBefore_->setFocus();
    deleteLater();
}

bool ProgressOverlay::covers(QObject* object) const {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget || widget == this || !parentWidget()) return false;
    // Alerts stand above every overlay and keep their input: a sending run
    // asks its questions while its overlay shows.
    const QWidget* alerts = QtAlertPresenter::currentLayer(window());
    if (alerts && (widget == alerts || alerts->isAncestorOf(widget))) return false;
    return widget == parentWidget() || parentWidget()->isAncestorOf(widget);
}

bool ProgressOverlay::focusNextPrevChild(bool) {
    return true; // focus stays on the overlay
}

bool ProgressOverlay::event(QEvent* e) {
    if (e->type() == QEvent::ShortcutOverride) { // no shortcut fires under it
        e->accept();
        return true;
    }
    return QWidget::event(e);
}

void ProgressOverlay::showStep(const QString& step, const QString& name) {
    step_->setText(step);
    name_->setText(name);
    bar_->setValue(0);
    for (QWidget* w :
         {static_cast<QWidget*>(step_), static_cast<QWidget*>(name_), static_cast<QWidget*>(bar_)})
        w->show();
    layoutBox();
}

void ProgressOverlay::showShare(double share) {
    bar_->setValue(static_cast<int>(qBound(0.0, share, 1.0) * kBarSteps));
}

void ProgressOverlay::showWaiting(const QString& text) {
    waiting_->setText(text);
    waiting_->setVisible(!text.isEmpty());
    layoutBox();
}

QRect ProgressOverlay::boxRect() const {
    const bool lines = !step_->isHidden() || !waiting_->isHidden();
    int rows = kSpinnerRow + (label_.isEmpty() ? 0 : kLabelRow);
    if (!step_->isHidden()) rows += 2 * kLineRow + kBarRow;
    if (!waiting_->isHidden()) rows += kLineRow;
    const QSize size = lines              ? QSize(kWideBox, rows + 10)
                       : label_.isEmpty() ? QSize(60, 60)
                                          : QSize(140, 100);
    return QRect(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
}

void ProgressOverlay::layoutBox() {
    const QRect box = boxRect();
    const int left = box.left() + 10;
    const int inner = box.width() - 20;
    int y = box.top() + kSpinnerRow + (label_.isEmpty() ? 0 : kLabelRow);
    if (!step_->isHidden()) {
        step_->setGeometry(left, y, inner, kLineRow);
        name_->setGeometry(left, y + kLineRow, inner, kLineRow);
        bar_->setGeometry(left, y + 2 * kLineRow + 4, inner, kBarRow - 8);
        y += 2 * kLineRow + kBarRow;
    }
    waiting_->setGeometry(left, y, inner, kLineRow);
    update();
}

void ProgressOverlay::turnOnce() {
    angle_ = (angle_ + 30) % 360;
    update();
}

void ProgressOverlay::turn() {
    if (!shown_) return;
    turnOnce();
    QPointer<ProgressOverlay> self(this);
    platform().loop->after(kTurnSeconds, [self] {
        if (self) self->turn();
    });
}

bool ProgressOverlay::eventFilter(QObject* watched, QEvent* event) {
    // Keep covering the target when it is resized.
    if (watched == parent() && event->type() == QEvent::Resize) {
        setGeometry(static_cast<QWidget*>(parent())->rect());
        layoutBox();
    }
    if (!shown_ || !covers(watched)) return false;
    if (event->type() == QEvent::FocusIn) { // focus that enters lands on the overlay
        setFocus();
        return false;
    }
    if (!isUserInput(event)) return false;
    event->accept();
    return true;
}

void ProgressOverlay::mousePressEvent(QMouseEvent* e) {
    e->accept();
}
void ProgressOverlay::mouseReleaseEvent(QMouseEvent* e) {
    e->accept();
}
void ProgressOverlay::mouseDoubleClickEvent(QMouseEvent* e) {
    e->accept();
}
void ProgressOverlay::wheelEvent(QWheelEvent* e) {
    e->accept();
}
void ProgressOverlay::keyPressEvent(QKeyEvent* e) {
    e->accept();
}

void ProgressOverlay::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF boxRect = this->boxRect();
    if (box_ == Box::Dimmed) {
        p.setOpacity(0.6);
        QPainterPath path;
        path.addRoundedRect(boxRect, 10, 10);
        p.fillPath(path, Qt::black);
        p.setOpacity(1.0);
    }
    const QColor ink = inkOf(box_);
    const QPointF centre(boxRect.center().x(), boxRect.top() + 32);
    p.setPen(QPen(ink, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(centre - QPointF(14, 14), QSizeF(28, 28)), -angle_ * 16, 270 * 16);
    if (!label_.isEmpty()) {
        p.setPen(ink);
        p.drawText(QRectF(boxRect.left(), boxRect.top() + 56, boxRect.width(), 30), Qt::AlignCenter,
                   label_);
    }
}

WindowIndicator::WindowIndicator(QWidget* window) : window_(window) {}

WindowIndicator::~WindowIndicator() {
    stop();
}

void WindowIndicator::start(const QString& label) {
    stop();
    if (window_) overlay_ = ProgressOverlay::showOver(window_, label, ProgressOverlay::Box::Dimmed);
}

void WindowIndicator::stop() {
    if (overlay_) overlay_->hideOverlay();
    overlay_ = nullptr;
    waitMadeOverlay_ = false;
}

void WindowIndicator::showStep(int place, int count, const QString& name) {
    if (overlay_) overlay_->showStep(QStringLiteral("第 %1 / %2 筆").arg(place).arg(count), name);
}

void WindowIndicator::showShare(qint64 done, qint64 total) {
    if (overlay_ && total > 0) overlay_->showShare(double(done) / double(total));
}

void WindowIndicator::showBlockedWait(const QString& label) {
    if (!window_) return;
    if (!overlay_) {
        start(QString());
        waitMadeOverlay_ = true;
    }
    overlay_->showWaiting(label);
    overlay_->turnOnce();
    // The main thread takes no events while it waits: the window is drawn now.
    window_->repaint();
}

void WindowIndicator::endBlockedWait() {
    if (waitMadeOverlay_) return stop();
    if (overlay_) overlay_->showWaiting(QString());
}
