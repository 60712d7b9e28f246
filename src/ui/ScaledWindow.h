#pragma once

#include <QGraphicsScene>
#include <QGraphicsView>

class QGraphicsProxyWidget;

// A window that draws a top-level widget smaller by a factor, for a desktop
// screen too small for it. Qt's own scale factor cannot do this: below 1 it
// shrinks the window but draws its widgets at full size, cut off. Input
// reaches the widget as usual; the window takes the widget's title and icon,
// and closing it closes the widget, which may refuse. The widget stays its
// owner's: it is handed back, hidden, when this window goes.
class ScaledWindow : public QGraphicsView {
  public:
    ScaledWindow(QWidget* content, double factor);
    ~ScaledWindow() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QGraphicsScene scene_;
    QWidget* content_;
    QGraphicsProxyWidget* proxy_;
};
