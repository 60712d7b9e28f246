#include "scenario/ScenarioScreen.h"

#include "scenario/ScenarioList.h"
#include "ui/NavigationBar.h"
#include "ui/NavigationController.h"
#include "ui/Popover.h"
#include "ui/ViewController.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>

namespace {

// The text a widget shows of its own, if it is a kind that shows one.
QString ownText(QWidget* w) {
    if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text();
    if (auto* field = qobject_cast<QLineEdit*>(w)) return field->text();
    if (auto* edit = qobject_cast<QTextEdit*>(w)) return edit->toPlainText();
    if (auto* edit = qobject_cast<QPlainTextEdit*>(w)) return edit->toPlainText();
    return {};
}

QList<QWidget*> visibleWidgets(QWidget* root) {
    QList<QWidget*> widgets;
    if (!root || !root->isVisible()) return widgets;
    widgets << root;
    for (QWidget* w : root->findChildren<QWidget*>())
        if (w->isVisible()) widgets << w;
    return widgets;
}

QString quoted(const QStringList& texts) {
    QStringList parts;
    for (const QString& t : texts)
        parts << '"' + QString(t).replace('\n', "\\n") + '"';
    return parts.join(' ');
}

} // namespace

QStringList visibleTexts(QWidget* root) {
    QStringList texts;
    for (QWidget* w : visibleWidgets(root)) {
        if (auto* view = qobject_cast<QAbstractItemView*>(w)) {
            const ScenarioList list(view);
            for (int row = 0; row < list.rowCount(); ++row)
                texts << list.itemTexts(row);
        }
        const QString text = ownText(w);
        if (!text.isEmpty()) texts << text;
    }
    return texts;
}

ScenarioScreen::ScenarioScreen(QWidget* window, QDialog* alert) : window_(window), alert_(alert) {}

ViewController* ScenarioScreen::topScreen() const {
    auto* stack = window_ ? window_->findChild<NavigationController*>() : nullptr;
    return stack ? stack->topViewController() : nullptr;
}

NavigationBar* ScenarioScreen::bar() const {
    auto* stack = window_ ? window_->findChild<NavigationController*>() : nullptr;
    return stack && !stack->isNavigationBarHidden() ? stack->navigationBar() : nullptr;
}

Popover* ScenarioScreen::popover() const {
    if (!window_) return nullptr;
    for (Popover* p : window_->findChildren<Popover*>(Qt::FindDirectChildrenOnly))
        if (p->isVisible()) return p;
    return nullptr;
}

QWidget* ScenarioScreen::cameraPicker() const {
    if (!window_) return nullptr;
    // One that has closed may still wait for its deletion.
    for (QWidget* picker : window_->findChildren<QWidget*>(QStringLiteral("cameraPicker"),
                                                           Qt::FindDirectChildrenOnly))
        if (picker->isVisible()) return picker;
    return nullptr;
}

QString ScenarioScreen::alertTitle() const {
    auto* label = alert_ ? alert_->findChild<QLabel*>(QStringLiteral("alertTitle")) : nullptr;
    return label ? label->text() : QString();
}

QString ScenarioScreen::alertMessage() const {
    auto* label = alert_ ? alert_->findChild<QLabel*>(QStringLiteral("alertMessage")) : nullptr;
    return label ? label->text() : QString();
}

QStringList ScenarioScreen::alertButtons() const {
    QStringList titles;
    if (alert_)
        for (QAbstractButton* b : alert_->findChildren<QAbstractButton*>())
            titles << b->text();
    return titles;
}

QAbstractButton* ScenarioScreen::alertButton(const QString& title) const {
    if (alert_)
        for (QAbstractButton* b : alert_->findChildren<QAbstractButton*>())
            if (b->text() == title && b->isVisible()) return b;
    return nullptr;
}

QLineEdit* ScenarioScreen::alertField() const {
    return alert_ ? alert_->findChild<QLineEdit*>() : nullptr;
}

QList<QWidget*> ScenarioScreen::searchRoots() const {
    // The camera picker covers the whole window, bar and all.
    if (QWidget* picker = cameraPicker()) return {picker};
    // An open popover takes every touch: a tap outside it only closes it.
    if (Popover* p = popover()) return {p};
    return {topScreen(), bar()};
}

QWidget* ScenarioScreen::find(const QString& nameOrText) const {
    QList<QWidget*> widgets;
    for (QWidget* root : searchRoots())
        widgets << visibleWidgets(root);
    for (QWidget* w : widgets)
        if (w->objectName() == nameOrText) return w;
    for (QWidget* w : widgets)
        if (qobject_cast<QAbstractButton*>(w) && ownText(w) == nameOrText) return w;
    for (QWidget* w : widgets)
        if (ownText(w) == nameOrText) return w;
    return nullptr;
}

QAbstractItemView* ScenarioScreen::list(const QString& name) const {
    for (QWidget* root : searchRoots())
        for (QWidget* w : visibleWidgets(root))
            if (w->objectName() == name)
                if (auto* view = qobject_cast<QAbstractItemView*>(w)) return view;
    return nullptr;
}

QAbstractItemView* ScenarioScreen::listWithRow(const QString& text, int& row) const {
    for (QWidget* root : searchRoots())
        for (QWidget* w : visibleWidgets(root))
            if (auto* view = qobject_cast<QAbstractItemView*>(w)) {
                const ScenarioList list(view);
                for (row = 0; row < list.rowCount(); ++row)
                    if (list.itemTexts(row).contains(text)) return view;
            }
    return nullptr;
}

QAbstractButton* ScenarioScreen::backButton() const {
    ViewController* top = topScreen();
    // Under the camera picker the bar cannot be touched.
    if (!top || !bar() || cameraPicker()) return nullptr;
    QAbstractButton* button = top->leftBarButton();
    if (!button) button = bar()->backButton();
    return button && button->isVisible() ? button : nullptr;
}

QStringList ScenarioScreen::windowTexts() const {
    return visibleTexts(window_);
}

QString ScenarioScreen::describe() const {
    QStringList lines;
    ViewController* top = topScreen();
    lines << QStringLiteral("  screen: \"%1\"").arg(top ? top->title() : QString());
    if (alert_)
        lines << QStringLiteral("  alert: \"%1\" | \"%2\" buttons: %3")
                     .arg(alertTitle(), QString(alertMessage()).replace('\n', "\\n"),
                          quoted(alertButtons()));
    if (Popover* p = popover())
        lines << QStringLiteral("  popover: %1").arg(quoted(visibleTexts(p)));
    if (QWidget* picker = cameraPicker())
        lines << QStringLiteral("  camera picker: %1").arg(quoted(visibleTexts(picker)));
    lines << QStringLiteral("  texts: %1").arg(quoted(visibleTexts(top)));
    return lines.join('\n');
}
