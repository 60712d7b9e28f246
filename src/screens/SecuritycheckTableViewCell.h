#pragma once

#include <QWidget>

class QLabel;

// One photo row of the photo screens: the framed photo (take_img) over its
// time (time_lab), on a transparent ground, with a thin white strip closing
// the row. It has no behaviour of its own.
class SecuritycheckTableViewCell : public QWidget {
    Q_OBJECT
  public:
    static constexpr char reuseIdentifier[] = "SecuritycheckTableViewCell";

    // tablet picks the "_ipad" row layout, otherwise the "_iphone" one.
    explicit SecuritycheckTableViewCell(bool tablet, QWidget* parent = nullptr);

    // The size of the framed photo the row shows, in points.
    static QSize pictureSize(bool tablet);
    // The row's height in points, strip included.
    static int rowHeight(bool tablet);

    QLabel* take_img = nullptr;
    QLabel* time_lab = nullptr;
    // Where the strip between rows is drawn.
    QRect separatorRect() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
};
