#include "widgets/SwipeDeleteButton.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QScrollBar>
#include <QTouchEvent>

SwipeDeleteButton::SwipeDeleteButton(QAbstractItemView* view, std::function<void(int)> onDelete)
    : QPushButton(QStringLiteral("刪除"), view->viewport()), view_(view),
      onDelete_(std::move(onDelete)) {
    setObjectName(QStringLiteral("swipeDeleteButton"));
    setFocusPolicy(Qt::NoFocus);
    setStyleSheet(QStringLiteral("QPushButton { background: #ff3b30; color: white; border: none; "
                                 "font-size: 17px; }"));
    hide();
    connect(this, &QPushButton::clicked, this, [this] {
        const int row = row_;
        conceal();
        if (row >= 0) onDelete_(row);
    });
    connect(view->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &SwipeDeleteButton::conceal);
    QAbstractItemModel* model = view->model();
    connect(model, &QAbstractItemModel::modelReset, this, &SwipeDeleteButton::conceal);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &SwipeDeleteButton::conceal);
    connect(model, &QAbstractItemModel::rowsInserted, this, &SwipeDeleteButton::conceal);
    connect(model, &QAbstractItemModel::layoutChanged, this, &SwipeDeleteButton::conceal);
    view->viewport()->installEventFilter(this);
}

void SwipeDeleteButton::reveal(int row) {
    const QRect rect = view_->visualRect(view_->model()->index(row, 0));
    if (rect.isEmpty()) return;
    row_ = row;
    setGeometry(rect.right() + 1 - kWidth, rect.top(), kWidth, rect.height());
    show();
    raise();
}

void SwipeDeleteButton::conceal() {
    row_ = -1;
    hide();
}

bool SwipeDeleteButton::eventFilter(QObject* watched, QEvent* event) {
    Q_UNUSED(watched);
    // A press elsewhere on the list only hides the button: it neither opens
    // nor ticks the row under it.
    if (row_ < 0) return false;
    switch (event->type()) {
    case QEvent::TouchBegin:
        // A touch reaches the list before the button under the finger.
        if (geometry().contains(
                static_cast<QTouchEvent*>(event)->points().first().position().toPoint()))
            return false;
        [[fallthrough]];
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        conceal();
        return true;
    default:
        return false;
    }
}
