#pragma once

#include <QString>
#include <QStringList>

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
    // Taps the row's tick box: the button of the CustomCheckBox inside the row.
    QString tick(int row);
    // Makes the row the current one and triggers the list's "swipeDelete" action.
    QString swipeDelete(int row);

  private:
    QString checkRow(int row) const;
    QList<QWidget*> cellWidgets(int row) const;

    QAbstractItemView* view_;
};
