#pragma once

#include <QAbstractListModel>
#include <QPoint>
#include <QStyledItemDelegate>
#include <functional>
#include <memory>

class QAbstractItemView;
class SecurityResendTableViewCell;
class SecurityResendViewController;
class SwipeDeleteButton;

// The records list as the list view sees it: one row per case, or the one
// placeholder row. Rows are made on demand from the screen's list, so a
// thousand cases cost no more to open than ten.
class SecurityResendTableModel : public QAbstractListModel {
    Q_OBJECT
  public:
    // Row texts: the case's lines and badge, one per line, or the placeholder.
    // CheckStateRole: whether the case is ticked.
    explicit SecurityResendTableModel(SecurityResendViewController& screen);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // A new CheckStateRole value is a press on the row's tick box.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // Every row again from the screen's list.
    void reloadData();
    // Takes one row away around change, which removes its case from the list.
    void deleteRow(int row, const std::function<void()>& change);
    // Redraws one row.
    void reloadRow(int row);

  private:
    SecurityResendViewController& screen_;
};

// Draws each row with the screen's one row cell and turns presses into ticks,
// choices and swipe deletions: a press on the tick box ticks, a press
// elsewhere opens the case, and a leftward drag across a third of the row
// reveals the row's "刪除" button, whose tap deletes the case. A drag never
// deletes by itself: on a touch screen it may be a slip or a scroll.
class SecurityResendCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    explicit SecurityResendCellDelegate(SecurityResendViewController& screen);
    ~SecurityResendCellDelegate() override;

    // Puts the swipe's "刪除" button on view, which shows this delegate's rows.
    void attachTo(QAbstractItemView* view);
    SwipeDeleteButton* swipeDeleteButton() const { return deleteButton_; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

  private:
    // A press on row ended at at, on the same row or not.
    void released(const QPoint& at, const QStyleOptionViewItem& option, int row, bool onPressedRow);

    // Reveals row's "刪除" button after a leftward swipe; any other swipe
    // hides it.
    void swiped(int dx, int row);

    SecurityResendViewController& screen_;
    SwipeDeleteButton* deleteButton_ = nullptr;
    int pressedRow_ = -1;
    QPoint pressedAt_;
};
