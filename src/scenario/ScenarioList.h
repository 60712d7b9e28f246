#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

class QAbstractButton;
class QAbstractItemView;
class QWidget;

// A list as a scenario reaches it: a Qt item view (list, table or tree view
// with a model) whose rows are the model's top-level rows. A row shows the
// display texts of its cells and the texts of the widgets placed in them.
class ScenarioList {
  public:
    explicit ScenarioList(QAbstractItemView* view) : view_(view) {}

    int rowCount() const;
    // The display texts of the row's cells.
    QStringList itemTexts(int row) const;
    // Everything the row shows: its cells' texts and its cell widgets' texts.
    QStringList rowTexts(int row) const;

    // Each returns what went wrong, or an empty text.
    // Scrolls the row into view and taps it where nothing pressable lies.
    QString tap(int row);
    // Flips the row's tick box: taps the button of the CustomCheckBox in the
    // row's cell widget, or else flips the row's checkable item as a tap on a
    // check indicator does.
    QString tick(int row);
    // Drags a finger leftwards across the row, from 90% of its width to 10%,
    // then taps the "刪除" button the swipe revealed on the list.
    QString swipeDelete(int row);
    // Drags a finger pixels down the list (up when below 0) and lifts it
    // while it moves, so that a list that flings goes on moving.
    QString scroll(int pixels);
    // Returns true while the list moves under a finger or flings.
    bool isMoving() const;

  private:
    QString checkRow(int row) const;
    // Scrolls the row into view; returns its place on the viewport, over all
    // its columns.
    QRect showRow(int row);
    // The pressable part of the row's CustomCheckBox, if it has one.
    QWidget* tickBoxWidget(int row) const;
    bool flipCheckableItem(int row);
    QList<QWidget*> cellWidgets(int row) const;
    // The visible "刪除" button on the list's viewport, if one shows.
    QAbstractButton* revealedDeleteButton() const;

    QAbstractItemView* view_;
};
