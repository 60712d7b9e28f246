#include "scenario/ScenarioList.h"

#include "scenario/ScenarioInput.h"
#include "scenario/ScenarioScreen.h"
#include "ui/KineticScroller.h"

#include <QAbstractButton>
#include <QAbstractItemView>

namespace {

const QString kSwipeDeleteText = QStringLiteral("刪除");

} // namespace

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

QRect ScenarioList::showRow(int row) {
    const QAbstractItemModel* model = view_->model();
    const int last = model->columnCount(view_->rootIndex()) - 1;
    view_->scrollTo(model->index(row, 0, view_->rootIndex()));
    return view_->visualRect(model->index(row, 0, view_->rootIndex()))
        .united(view_->visualRect(model->index(row, std::max(last, 0), view_->rootIndex())));
}

QString ScenarioList::tap(int row) {
    if (QString fault = checkRow(row); !fault.isEmpty()) return fault;
    if (!tapOn(view_->viewport(), showRow(row).center())) return kInputRefused;
    return {};
}

QWidget* ScenarioList::tickBoxWidget(int row) const {
    for (QWidget* cell : cellWidgets(row))
        for (QWidget* w : QList<QWidget*>{cell} + cell->findChildren<QWidget*>())
            if (w->inherits("CustomCheckBox") && w->isVisible()) {
                // The box is pressed through its button, which may be smaller than the box.
                auto* pressable = w->findChild<QAbstractButton*>();
                return pressable && pressable->isVisible() ? pressable : w;
            }
    return nullptr;
}

bool ScenarioList::flipCheckableItem(int row) {
    const QModelIndex index = view_->model()->index(row, 0, view_->rootIndex());
    // A checkable item shows its box only when it has a check state.
    if (!(index.flags() & Qt::ItemIsUserCheckable) || !index.data(Qt::CheckStateRole).isValid())
        return false;
    // What a tap on an item view's check indicator does.
    const bool ticked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    view_->model()->setData(index, ticked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
    return true;
}

QString ScenarioList::tick(int row) {
    if (QString fault = checkRow(row); !fault.isEmpty()) return fault;
    showRow(row);
    if (QWidget* box = tickBoxWidget(row)) return tapCentre(box) ? QString() : kInputRefused;
    if (flipCheckableItem(row)) return {};
    return QStringLiteral("row %1 of %2 has no tick box").arg(row).arg(view_->objectName());
}

QString ScenarioList::swipeDelete(int row) {
    if (QString fault = checkRow(row); !fault.isEmpty()) return fault;
    const QRect rect = showRow(row);
    const int y = rect.center().y();
    if (!dragOn(view_->viewport(), QPoint(rect.left() + rect.width() * 9 / 10, y),
                QPoint(rect.left() + rect.width() / 10, y)))
        return kInputRefused;
    QAbstractButton* button = revealedDeleteButton();
    if (!button)
        return QStringLiteral("row %1 of %2 shows no \"%3\" button after the swipe")
            .arg(row)
            .arg(view_->objectName(), kSwipeDeleteText);
    return tapCentre(button) ? QString() : kInputRefused;
}

QAbstractButton* ScenarioList::revealedDeleteButton() const {
    for (auto* button : view_->viewport()->findChildren<QAbstractButton*>())
        if (button->isVisible() && button->text() == kSwipeDeleteText) return button;
    return nullptr;
}

QString ScenarioList::scroll(int pixels) {
    const QRect area = view_->viewport()->rect();
    // The finger starts near the end it moves away from.
    const int startY =
        pixels < 0 ? area.top() + area.height() * 9 / 10 : area.top() + area.height() / 10;
    const QPoint from(area.center().x(), startY);
    if (!dragOn(view_->viewport(), from, from + QPoint(0, pixels))) return kInputRefused;
    return {};
}

bool ScenarioList::isMoving() const {
    const KineticScroller* scroller = KineticScroller::of(view_);
    return scroller && scroller->isMoving();
}
