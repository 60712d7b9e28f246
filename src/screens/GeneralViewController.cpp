#include "screens/GeneralViewController.h"

#include "platform/Platform.h"
#include "ui/KineticScroller.h"
#include "util/PublicFunction.h"
#include "util/SystemFont.h"

#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace {

const QString kChosenColour = QStringLiteral("71BCC1ff");
const QString kRowColour = QStringLiteral("ffffffff");
// In a three-entry list the second and third rows carry these symbols.
const QString kSecondRowSymbol = QStringLiteral(":/symbol_const.png");
const QString kThirdRowSymbol = QStringLiteral(":/symbol_maint.png");

int rowFontSize() {
    return platform().device->isTablet() ? 20 : 14;
}

QIcon symbolIcon(const QString& resource, int side) {
    const QImage symbol =
        PublicFunction::imageByShrinkingWithWidthWithHeight(QImage(resource), side, side);
    return QIcon(QPixmap::fromImage(symbol));
}

} // namespace

GeneralViewController::GeneralViewController(QStringList detailArray, qint64 indexSelected,
                                             QString headTitle, QObject* target,
                                             CallBack callBackFuc)
    : ViewController(QStringLiteral("GeneralViewController")), _detailArray(std::move(detailArray)),
      indexSelected_(indexSelected), _headTitle(std::move(headTitle)), _target(target),
      _callBackFuc(std::move(callBackFuc)) {}

void GeneralViewController::viewDidLoad() {
    setTitle(_headTitle);
    setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    titleBar_ = new QLabel(_headTitle, this);
    titleBar_->setTextFormat(Qt::PlainText);
    titleBar_->setAlignment(Qt::AlignCenter);
    titleBar_->setFixedHeight(44);
    titleBar_->setFont(systemFont(18));
    titleBar_->setStyleSheet(QStringLiteral("background: white; color: black;"));
    titleBar_->setVisible(showsNavigationBar_);
    _tbl = new QListWidget(this);
    _tbl->setObjectName(QStringLiteral("_tbl"));
    // The picker's colours are the only marking of a row.
    _tbl->setSelectionMode(QAbstractItemView::NoSelection);
    _tbl->setFocusPolicy(Qt::NoFocus);
    const int size = rowFontSize();
    _tbl->setIconSize(QSize(size, size));
    for (int row = 0; row < _detailArray.size(); ++row)
        tableViewCellForRowAtIndexPath(row);
    _tbl->viewport()->installEventFilter(this);
    scrollByFinger(_tbl);
    connect(_tbl, &QListWidget::itemPressed, this, [this](QListWidgetItem* item) {
        tableViewDidHighlightRowAtIndexPath(_tbl->row(item));
    });
    connect(_tbl, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { tableViewDidSelectRowAtIndexPath(_tbl->row(item)); });
    layout->addWidget(titleBar_);
    layout->addWidget(_tbl, 1);
}

void GeneralViewController::tableViewCellForRowAtIndexPath(int row) {
    const int size = rowFontSize();
    auto* cell = new QListWidgetItem(_detailArray[row], _tbl);
    cell->setFont(systemFont(size));
    cell->setForeground(Qt::black);
    cell->setSizeHint(QSize(0, size * 2 + 16));
    if (_detailArray.size() == 3 && row > 0)
        cell->setIcon(symbolIcon(row == 1 ? kSecondRowSymbol : kThirdRowSymbol, size));
    setCellColorForCell(
        PublicFunction::colorWithHexString(row == indexSelected_ ? kChosenColour : kRowColour),
        cell);
}

void GeneralViewController::viewWillAppear(bool animated) {
    Q_UNUSED(animated);
    if (indexSelected_ < 0 || indexSelected_ >= _tbl->count()) return;
    QListWidgetItem* cell = _tbl->item(int(indexSelected_));
    _tbl->setCurrentItem(cell, QItemSelectionModel::NoUpdate);
    _tbl->scrollToItem(cell, QAbstractItemView::PositionAtCenter);
}

void GeneralViewController::setCellColorForCell(const QColor& color, QListWidgetItem* cell) {
    if (cell) cell->setBackground(color);
}

void GeneralViewController::tableViewDidHighlightRowAtIndexPath(int row) {
    touchedRow_ = row;
    setCellColorForCell(PublicFunction::colorWithHexString(kChosenColour), _tbl->item(row));
}

void GeneralViewController::tableViewDidUnhighlightRowAtIndexPath(int row) {
    setCellColorForCell(PublicFunction::colorWithHexString(kRowColour), _tbl->item(row));
}

void GeneralViewController::tableViewDidSelectRowAtIndexPath(int row) {
    if (row < 0 || row >= _tbl->count()) return;
    setCellColorForCell(PublicFunction::colorWithHexString(kChosenColour), _tbl->item(row));
    if (!_callBackFuc) return;
    // Not from inside the list's own handling: the owner may close the
    // popover, and this picker with it, in its callback.
    platform().loop->after(0, [target = _target, callBack = _callBackFuc, row] {
        if (target) callBack(row);
    });
}

bool GeneralViewController::eventFilter(QObject* watched, QEvent* event) {
    // A touch ends before the list reports the choice.
    if (watched == _tbl->viewport() && event->type() == QEvent::MouseButtonRelease &&
        touchedRow_ >= 0) {
        tableViewDidUnhighlightRowAtIndexPath(touchedRow_);
        touchedRow_ = -1;
    }
    return ViewController::eventFilter(watched, event);
}
