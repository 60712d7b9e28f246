#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

class ViewController;

// A small screen shown in a box next to a button, above everything else in
// the button's window. On tablets the box hangs below the button with its
// arrow pointing up at it; on phones it is our own box of the given content
// size under the button. A tap outside or Escape dismisses it.
class Popover : public QWidget {
    Q_OBJECT
  public:
    // Shows content (which the popover then owns) for anchor.
    static Popover* present(ViewController* content, QWidget* anchor, QSize contentSize);
    // Closes the popover; onDismissed runs once, whoever closed it.
    void dismiss();

    ViewController* content() const { return content_; }
    QRect boxGeometry() const { return box_; }
    bool hasArrow() const { return arrow_; }
    std::function<void()> onDismissed;

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

  private:
    Popover(QWidget* window, ViewController* content, QRect anchorRect, QSize contentSize,
            bool arrow);

    QPointer<ViewController> content_;
    QRect box_;
    QPoint arrowTip_;
    bool arrow_;
    bool dismissed_ = false;
};
