#include "scenario/ScenarioRunner.h"

#include "scenario/ScenarioInput.h"
#include "scenario/ScenarioList.h"
#include "scenario/ScenarioScreen.h"
#include "ui/ViewController.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QKeySequence>
#include <QLineEdit>
#include <QPainter>
#include <QThread>
#include <cstdio>

namespace {

constexpr int kPollMs = 20;
// The object name of the screens' zoom area, which a pinch spreads.
const QString kZoomArea = QStringLiteral("imageScrollView");

QString quote(const QString& text) {
    return '"' + QString(text).replace('\n', "\\n") + '"';
}

// Why nothing under the showing alert can be touched.
QString alertInTheWay(const ScenarioScreen& screen) {
    return QStringLiteral("an alert is in the way: %1").arg(quote(screen.alertTitle()));
}

bool anyContains(const QStringList& texts, const QString& text) {
    for (const QString& t : texts)
        if (t.contains(text)) return true;
    return false;
}

} // namespace

ScenarioRunner::ScenarioRunner(Scenario scenario, ScenarioHooks hooks)
    : scenario_(std::move(scenario)), hooks_(std::move(hooks)) {
    ticker_.setInterval(kPollMs);
    connect(&ticker_, &QTimer::timeout, this, &ScenarioRunner::tick);
    runLimit_.setSingleShot(true);
    runLimit_.setInterval(kRunLimitMs);
    connect(&runLimit_, &QTimer::timeout, this,
            [this] { fail(QStringLiteral("the scenario ran longer than 15 minutes")); });
}

void ScenarioRunner::start() {
    useTouchScreen(hooks_.touch);
    watchInput();
    ticker_.start();
    runLimit_.start();
    // A scenario without steps has passed once the app is up.
    if (scenario_.steps.empty()) QTimer::singleShot(0, this, &ScenarioRunner::finish);
}

void ScenarioRunner::finish() {
    ticker_.stop();
    runLimit_.stop();
    QCoreApplication::exit(0);
}

void ScenarioRunner::tick() {
    if (failed_ || next_ >= scenario_.steps.size()) return;
    const ScenarioStep& step = scenario_.steps[next_];
    if (!stepStarted_) {
        stepClock_.start();
        stepStarted_ = true;
    }
    const bool late = stepClock_.elapsed() > timeout_ * 1000;
    // Inside a blocking wait of the app (a nested event loop) no input may
    // reach it: only the time-out counts.
    if (QThread::currentThread()->loopLevel() > 1) {
        if (late) fail(QStringLiteral("the app stayed busy in a blocking wait"));
        return;
    }
    const Outcome outcome = attempt(step);
    if (outcome.done)
        pass();
    else if (outcome.hopeless || (late && step.kind != ScenarioStep::Wait))
        fail(outcome.hopeless ? outcome.reason
                              : QStringLiteral("%1 after %2 s").arg(outcome.reason).arg(timeout_));
}

ScenarioRunner::Outcome ScenarioRunner::attempt(const ScenarioStep& step) {
    const ScenarioScreen screen(hooks_.window(), hooks_.alert());
    switch (step.kind) {
    case ScenarioStep::Qr:
        hooks_.showQrPicture(step.text);
        return {true};
    case ScenarioStep::Photo:
        hooks_.returnPhoto(step.text);
        return {true};
    case ScenarioStep::Camera:
        return cameraStep(step.text);
    case ScenarioStep::Timeout:
        timeout_ = step.seconds;
        return {true};
    case ScenarioStep::Wait:
        return {stepClock_.elapsed() >= step.seconds * 1000};
    case ScenarioStep::Screenshot:
        return screenshot(step.text, screen);
    case ScenarioStep::Tap:
    case ScenarioStep::Back:
    case ScenarioStep::Press:
    case ScenarioStep::Type:
        return act(step, screen);
    case ScenarioStep::Key:
        return pressKeyStep(step.text);
    case ScenarioStep::TapRow:
    case ScenarioStep::Tick:
    case ScenarioStep::SwipeDelete:
        return tapRow(step, screen);
    case ScenarioStep::Scroll:
        return scroll(step, screen);
    case ScenarioStep::Pinch:
        return pinch(step, screen);
    case ScenarioStep::ExpectRows:
    case ScenarioStep::ExpectRow:
        return checkRows(step, screen);
    default:
        return check(step, screen);
    }
}

ScenarioRunner::Outcome ScenarioRunner::act(const ScenarioStep& step,
                                            const ScenarioScreen& screen) {
    if (step.kind == ScenarioStep::Press || step.kind == ScenarioStep::Type) {
        if (!screen.alert()) return {false, QStringLiteral("no alert is showing")};
        if (step.kind == ScenarioStep::Type) {
            QLineEdit* field = screen.alertField();
            if (!field) return {false, QStringLiteral("the alert has no text field")};
            if (!typeInto(field, step.text)) return {false, kInputRefused};
            return {true};
        }
        QAbstractButton* button = screen.alertButton(step.text);
        if (!button)
            return {false, QStringLiteral("the alert has no button %1").arg(quote(step.text))};
        if (!tapCentre(button)) return {false, kInputRefused};
        return {true};
    }
    // The alert is modal: nothing under it can be touched.
    if (screen.alert()) return {false, alertInTheWay(screen)};
    QWidget* target =
        step.kind == ScenarioStep::Back ? screen.backButton() : screen.find(step.text);
    if (!target && step.kind == ScenarioStep::Tap) {
        int row = 0;
        if (QAbstractItemView* view = screen.listWithRow(step.text, row)) {
            const QString fault = ScenarioList(view).tap(row);
            return {fault.isEmpty(), fault};
        }
    }
    const QString what =
        step.kind == ScenarioStep::Back ? QStringLiteral("back button") : quote(step.text);
    if (!target) return {false, QStringLiteral("no visible %1").arg(what)};
    if (!target->isEnabled()) return {false, QStringLiteral("%1 is disabled").arg(what)};
    if (!tapCentre(target)) return {false, kInputRefused};
    return {true};
}

ScenarioRunner::Outcome ScenarioRunner::pressKeyStep(const QString& name) {
    const QKeySequence sequence = QKeySequence::fromString(name);
    if (sequence.count() != 1 || sequence[0].keyboardModifiers() != Qt::NoModifier)
        return {false, QStringLiteral("no key is named %1").arg(quote(name)), true};
    QWidget* focus = QApplication::focusWidget();
    if (!focus) return {false, QStringLiteral("nothing has the keyboard")};
    if (!pressKey(focus, sequence[0].key())) return {false, kInputRefused};
    return {true};
}

ScenarioRunner::Outcome ScenarioRunner::tapRow(const ScenarioStep& step,
                                               const ScenarioScreen& screen) {
    if (screen.alert()) return {false, alertInTheWay(screen)};
    QAbstractItemView* view = screen.list(step.list);
    if (!view) return {false, QStringLiteral("no visible list %1").arg(step.list)};
    ScenarioList list(view);
    const QString fault = step.kind == ScenarioStep::TapRow ? list.tap(step.row)
                          : step.kind == ScenarioStep::Tick ? list.tick(step.row)
                                                            : list.swipeDelete(step.row);
    return {fault.isEmpty(), fault};
}

ScenarioRunner::Outcome ScenarioRunner::scroll(const ScenarioStep& step,
                                               const ScenarioScreen& screen) {
    if (!stepActed_) {
        if (screen.alert()) return {false, alertInTheWay(screen)};
        QAbstractItemView* view = screen.list(step.list);
        if (!view) return {false, QStringLiteral("no visible list %1").arg(step.list)};
        if (QString fault = ScenarioList(view).scroll(step.pixels); !fault.isEmpty())
            return {false, fault};
        stepActed_ = true;
    }
    QAbstractItemView* view = screen.list(step.list);
    return {!view || !ScenarioList(view).isMoving(),
            QStringLiteral("%1 is still moving").arg(step.list)};
}

ScenarioRunner::Outcome ScenarioRunner::pinch(const ScenarioStep& step,
                                              const ScenarioScreen& screen) {
    if (screen.alert()) return {false, alertInTheWay(screen)};
    QWidget* area = screen.find(kZoomArea);
    if (!area) return {false, QStringLiteral("no visible %1").arg(kZoomArea)};
    const int span = std::min(area->width(), area->height()) / 4;
    if (!pinchOn(area, area->rect().center(), span, step.factor)) return {false, kInputRefused};
    return {true};
}

ScenarioRunner::Outcome ScenarioRunner::checkRows(const ScenarioStep& step,
                                                  const ScenarioScreen& screen) const {
    QAbstractItemView* view = screen.list(step.list);
    if (!view) return {false, QStringLiteral("no visible list %1").arg(step.list)};
    const ScenarioList list(view);
    if (step.kind == ScenarioStep::ExpectRows)
        return {list.rowCount() == step.row,
                QStringLiteral("%1 shows %2 rows").arg(step.list).arg(list.rowCount())};
    if (step.row >= list.rowCount())
        return {false, QStringLiteral("%1 shows %2 rows").arg(step.list).arg(list.rowCount())};
    const QStringList texts = list.rowTexts(step.row);
    QStringList quoted;
    for (const QString& t : texts)
        quoted << quote(t);
    return {anyContains(texts, step.text),
            QStringLiteral("row %1 of %2 shows %3").arg(step.row).arg(step.list, quoted.join(' '))};
}

ScenarioRunner::Outcome ScenarioRunner::check(const ScenarioStep& step,
                                              const ScenarioScreen& screen) const {
    switch (step.kind) {
    case ScenarioStep::ExpectScreen: {
        const QString title = screen.topScreen() ? screen.topScreen()->title() : QString();
        return {title == step.text, QStringLiteral("the screen on top is %1").arg(quote(title))};
    }
    case ScenarioStep::ExpectAlert: {
        if (!screen.alert()) return {false, QStringLiteral("no alert is showing")};
        const bool same = screen.alertTitle() == step.text &&
                          (!step.message || screen.alertMessage() == *step.message);
        return {same, QStringLiteral("the alert showing is %1 | %2")
                          .arg(quote(screen.alertTitle()), quote(screen.alertMessage()))};
    }
    case ScenarioStep::ExpectText:
        return {anyContains(screen.windowTexts(), step.text),
                QStringLiteral("no visible text contains %1").arg(quote(step.text))};
    case ScenarioStep::ExpectNoText:
        return {!anyContains(screen.windowTexts(), step.text),
                QStringLiteral("a visible text contains %1").arg(quote(step.text))};
    default:
        break;
    }
    // expect enabled / expect disabled
    const bool enabled = step.kind == ScenarioStep::ExpectEnabled;
    QWidget* target = screen.find(step.text);
    if (!target) return {false, QStringLiteral("no visible %1").arg(quote(step.text))};
    return {target->isEnabled() == enabled,
            QStringLiteral("%1 is %2").arg(quote(step.text), enabled ? "disabled" : "enabled")};
}

ScenarioRunner::Outcome ScenarioRunner::screenshot(const QString& name,
                                                   const ScenarioScreen& screen) {
    QWidget* window = hooks_.window();
    if (!window) return {false, QStringLiteral("the app has no window"), true};
    // A window drawn scaled is saved as the screen shows it.
    QGraphicsProxyWidget* proxy = window->graphicsProxyWidget();
    QWidget* shown = proxy && proxy->scene() && !proxy->scene()->views().isEmpty()
                         ? proxy->scene()->views().first()
                         : window;
    QImage picture = shown->grab().toImage();
    if (QDialog* alert = screen.alert(); alert && alert->isWindow()) {
        // An alert that is a window of its own: draw it where it stands.
        QPainter painter(&picture);
        painter.fillRect(picture.rect(), QColor(0, 0, 0, 90));
        painter.drawPixmap(shown->mapFromGlobal(alert->mapToGlobal(QPoint(0, 0))), alert->grab());
    }
    const QString file =
        QDir(hooks_.screenshotFolder)
            .filePath(QStringLiteral("%1-%2.png").arg(++screenshots_, 3, 10, QChar('0')).arg(name));
    if (!picture.save(file)) return {false, QStringLiteral("cannot write %1").arg(file), true};
    return {true};
}

ScenarioRunner::Outcome ScenarioRunner::cameraStep(const QString& what) {
    if (!camera_.running()) {
        const QString fault = camera_.start(what);
        if (!fault.isEmpty()) return {false, fault, true};
    }
    const std::optional<QString> result = camera_.result();
    if (!result) return {false, QStringLiteral("the virtual camera is still busy")};
    return {result->isEmpty(), *result, true};
}

void ScenarioRunner::pass() {
    const ScenarioStep& step = scenario_.steps[next_];
    std::printf("%d: %s\n", step.line, step.source.toUtf8().constData());
    std::fflush(stdout);
    ++next_;
    stepStarted_ = false;
    stepActed_ = false;
    if (next_ == scenario_.steps.size()) finish();
}

void ScenarioRunner::fail(const QString& reason) {
    failed_ = true;
    ticker_.stop();
    runLimit_.stop();
    const ScenarioStep* step = next_ < scenario_.steps.size() ? &scenario_.steps[next_] : nullptr;
    const ScenarioScreen screen(hooks_.window(), hooks_.alert());
    std::fprintf(stderr, "%s:%d: %s: %s\n%s\n", scenario_.file.toUtf8().constData(),
                 step ? step->line : 0, step ? step->source.toUtf8().constData() : "",
                 reason.toUtf8().constData(), screen.describe().toUtf8().constData());
    std::fflush(stderr);
    QCoreApplication::exit(1);
}

int ScenarioRunner::conclude(int appStatus) {
    if (failed_) return 1;
    if (next_ < scenario_.steps.size()) {
        fail(QStringLiteral("the app ended with status %1 before this step").arg(appStatus));
        return 1;
    }
    return appStatus;
}
