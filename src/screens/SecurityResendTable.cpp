#include "screens/SecurityResendTable.h"

#include "screens/SecurityResendLayout.h"
#include "screens/SecurityResendTableViewCell.h"
#include "screens/SecurityResendViewController.h"
#include "widgets/SwipeDeleteButton.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QPainter>

SecurityResendTableModel::SecurityResendTableModel(SecurityResendViewController& screen)
    : QAbstractListModel(&screen), screen_(screen) {}

int SecurityResendTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : screen_.tableViewNumberOfRowsInSection();
}

QVariant SecurityResendTableModel::data(const QModelIndex& index, int role) const {
    const CaseList& cases = screen_.storeRecordArray();
    const int row = index.row();
    if (cases.isEmpty())
        return role == Qt::DisplayRole ? QVariant(QStringLiteral("無任何資料")) : QVariant();
    if (row < 0 || row >= cases.size()) return {};
    const CaseRecord& record = *cases.at(row);
    switch (role) {
    case Qt::DisplayRole:
        return QStringLiteral("%1\n%2 %3照片\n%4")
            .arg(record.rcdTime, record.pakeno, record.type, caseStateLook(record.state).text);
    case Qt::CheckStateRole:
        return screen_.isTicked(&record) ? Qt::Checked : Qt::Unchecked;
    default:
        return {};
    }
}

Qt::ItemFlags SecurityResendTableModel::flags(const QModelIndex& index) const {
    if (screen_.storeRecordArray().isEmpty()) return Qt::ItemIsEnabled;
    return QAbstractListModel::flags(index) | Qt::ItemIsUserCheckable;
}

bool SecurityResendTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    const int row = index.row();
    if (role != Qt::CheckStateRole || row < 0 || row >= screen_.storeRecordArray().size())
        return false;
    const bool tick = value.value<Qt::CheckState>() == Qt::Checked;
    auto* cell = qobject_cast<SecurityResendTableViewCell*>(
        screen_.tableViewCellForRowAtIndexPath(row, screen_.tbl->viewport()->width()));
    if (cell && cell->chk_true->isSelected() != tick) cell->chk_true->checkboxButtonPressed();
    return true;
}

void SecurityResendTableModel::reloadData() {
    beginResetModel();
    endResetModel();
}

void SecurityResendTableModel::deleteRow(int row, const std::function<void()>& change) {
    beginRemoveRows({}, row, row);
    change();
    endRemoveRows();
}

void SecurityResendTableModel::reloadRow(int row) {
    const QModelIndex at = index(row);
    emit dataChanged(at, at);
}

SecurityResendCellDelegate::SecurityResendCellDelegate(SecurityResendViewController& screen)
    : QStyledItemDelegate(&screen), screen_(screen) {}

SecurityResendCellDelegate::~SecurityResendCellDelegate() = default;

void SecurityResendCellDelegate::attachTo(QAbstractItemView* view) {
    deleteButton_ = new SwipeDeleteButton(view, [this](int row) {
        if (screen_.tableViewCanEditRowAtIndexPath(row))
            screen_.tableViewCommitEditingStyleForRowAtIndexPath(
                SecurityResendViewController::EditingStyle::Delete, row);
    });
}

void SecurityResendCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                       const QModelIndex& index) const {
    QWidget* cell = screen_.tableViewCellForRowAtIndexPath(index.row(), option.rect.width());
    painter->save();
    painter->translate(option.rect.topLeft());
    cell->render(painter, QPoint(), QRegion(),
                 QWidget::DrawWindowBackground | QWidget::DrawChildren);
    painter->restore();
    // The separator under each row.
    painter->setPen(QColor(0xd8, 0xd8, 0xdc));
    painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
}

QSize SecurityResendCellDelegate::sizeHint(const QStyleOptionViewItem& option,
                                           const QModelIndex& index) const {
    Q_UNUSED(option);
    Q_UNUSED(index);
    return {0, securityResendLayout().rowHeight};
}

bool SecurityResendCellDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                             const QStyleOptionViewItem& option,
                                             const QModelIndex& index) {
    Q_UNUSED(model);
    if (event->type() == QEvent::MouseButtonPress) {
        auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() != Qt::LeftButton) return false;
        pressedRow_ = index.row();
        pressedAt_ = press->position().toPoint();
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* release = static_cast<QMouseEvent*>(event);
        if (release->button() != Qt::LeftButton || pressedRow_ < 0) return false;
        const int row = std::exchange(pressedRow_, -1);
        released(release->position().toPoint(), option, row, index.row() == row);
        return true;
    }
    return false;
}

void SecurityResendCellDelegate::released(const QPoint& at, const QStyleOptionViewItem& option,
                                          int row, bool onPressedRow) {
    const QPoint moved = at - pressedAt_;
    if (std::abs(moved.x()) >= option.rect.width() / 3 &&
        std::abs(moved.y()) < option.rect.height() / 2) {
        swiped(moved.x(), row);
        return;
    }
    // A finger that moved further than a tap's wobble was dragging, not tapping.
    if (!onPressedRow || moved.manhattanLength() > QApplication::startDragDistance()) return;
    QWidget* cell = screen_.tableViewCellForRowAtIndexPath(row, option.rect.width());
    auto* recordCell = qobject_cast<SecurityResendTableViewCell*>(cell);
    if (recordCell && recordCell->checkBoxArea().contains(at - option.rect.topLeft()))
        recordCell->chk_true->checkboxButtonPressed();
    else
        screen_.tableViewDidSelectRowAtIndexPath(row);
}

void SecurityResendCellDelegate::swiped(int dx, int row) {
    if (!deleteButton_) return;
    if (dx < 0 && screen_.tableViewCanEditRowAtIndexPath(row))
        deleteButton_->reveal(row);
    else
        deleteButton_->conceal();
}
