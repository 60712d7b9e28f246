#pragma once

#include <QPushButton>
#include <functional>

class QAbstractItemView;

// The red "刪除" button a leftward swipe reveals at a list row's right end,
// as a phone's list offers it. Only a tap on it deletes the row; a press
// anywhere else on the list, a scroll or any change of the list's rows hides
// it again without deleting.
class SwipeDeleteButton : public QPushButton {
    Q_OBJECT
  public:
    // Width of the button in points; it is as tall as the row.
    static constexpr int kWidth = 80;

    // onDelete(row) deletes that row of view.
    SwipeDeleteButton(QAbstractItemView* view, std::function<void(int)> onDelete);

    // Shows the button at the right end of row (on the view's viewport).
    void reveal(int row);
    // Hides the button; no row is revealed.
    void conceal();
    // The row whose button shows, or -1.
    int revealedRow() const { return row_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QAbstractItemView* view_;
    std::function<void(int)> onDelete_;
    int row_ = -1;
};
