#pragma once

#include <QColor>
#include <QWidget>

class QLabel;
struct CasePhotoLayout;

// One photo row of the photo screens: the framed photo (take_img) over its
// time (time_lab), on a transparent ground, with a thin white strip closing
// the row. It has no behaviour of its own.
class SecuritycheckTableViewCell : public QWidget {
    Q_OBJECT
  public:
    static constexpr char reuseIdentifier[] = "SecuritycheckTableViewCell";

    // The row's sizes come from the device's photo screen layout.
    explicit SecuritycheckTableViewCell(const CasePhotoLayout& layout, QWidget* parent = nullptr);

    QLabel* take_img = nullptr;
    QLabel* time_lab = nullptr;
    // Where the strip between rows is drawn.
    QRect separatorRect() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int separatorHeight_;
    QColor separatorColour_;
};
