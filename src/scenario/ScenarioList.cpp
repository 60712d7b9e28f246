#include "scenario/ScenarioList.h"

#include "scenario/ScenarioInput.h"
#include "scenario/ScenarioScreen.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>

QString ScenarioList::checkRow(int row) const {
    if (row >= rowCount())
        return QStringLiteral("%1 has %2 rows, no row %3")
            .arg(view_->objectName())
            .arg(rowCount())
            .arg(row);
    return {};
}

int ScenarioList::rowCount() const {
    return view_->model() ? view_->model()->rowCount(view_->rootIndex()) : 0;
}

QStringList ScenarioList::itemTexts(int row) const {
    QStringList texts;
    const QAbstractItemModel* model = view_->model();
    if (!model) return texts;
    for (int column = 0; column < model->columnCount(view_->rootIndex()); ++column) {
        const QString text = model->index(row, column, view_->rootIndex()).data().toString();
        if (!text.isEmpty()) texts << text;
    }
    return texts;
}

QList<QWidget*> ScenarioList::cellWidgets(int row) const {
    QList<QWidget*> widgets;
    const QAbstractItemModel* model = view_->model();
    for (int column = 0; model && column < model->columnCount(view_->rootIndex()); ++column)
        if (QWidget* w = view_->indexWidget(model->index(row, column, view_->rootIndex())))
            widgets << w;
    return widgets;
}

QStringList ScenarioList::rowTexts(int row) const {
    QStringList texts = itemTexts(row);
    for (QWidget* cell : cellWidgets(row))
        texts << visibleTexts(cell);
    return texts;
}

QString ScenarioList::tap(int row) {
    if (QString fault = checkRow(row); !fault.isEmpty()) return fault;
    const QModelIndex index = view_->model()->index(row, 0, view_->rootIndex());
    view_->scrollTo(index);
    tapOn(view_->viewport(), view_->visualRect(index).center());
    return {};
}

QString ScenarioList::tick(int row) {
    if (QString fault = checkRow(row); !fault.isEmpty()) return fault;
    view_->scrollTo(view_->model()->index(row, 0, view_->rootIndex()));
    for (QWidget* cell : cellWidgets(row))
        for (QWidget* w : QList<QWidget*>{cell} + cell->findChildren<QWidget*>())
            if (w->inherits("CustomCheckBox") && w->isVisible()) {
                // The box is pressed through its button, which may be smaller than the box.
                auto* pressable = w->findChild<QAbstractButton*>();
                tapCentre(pressable && pressable->isVisible() ? pressable : w);
                return {};
            }
    return QStringLiteral("row %1 of %2 has no tick box").arg(row).arg(view_->objectName());
}

QString ScenarioList::swipeDelete(int row) {
    if (QString fault = checkRow(row); !fault.isEmpty()) return fault;
    QAction* action = nullptr;
    for (QAction* a : view_->actions())
        if (a->objectName() == QStringLiteral("swipeDelete")) action = a;
    if (!action || !action->isEnabled())
        return QStringLiteral("%1 offers no swipe deletion").arg(view_->objectName());
    view_->setCurrentIndex(view_->model()->index(row, 0, view_->rootIndex()));
    action->trigger();
    return {};
}
