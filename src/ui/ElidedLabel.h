#pragma once

#include <QLabel>

// A one-line plain-text label that shows its whole text where it fits and
// shortens it with "…" where it does not. text() stays the whole text; only
// the drawing is shortened, so a long code never spills over its neighbours
// nor widens the screen.
class ElidedLabel : public QLabel {
  public:
    explicit ElidedLabel(QWidget* parent = nullptr, Qt::TextElideMode mode = Qt::ElideRight);

    // Returns the text as drawn at the label's present width.
    QString shownText() const;
    // As narrow as "…": the label gives way to the layout, not the other way round.
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Qt::TextElideMode mode_;
};
