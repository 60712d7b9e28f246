#pragma once

#include <QGraphicsScene>
#include <QGraphicsView>

class QGraphicsProxyWidget;

// A window that draws a top-level widget scaled by a factor: smaller for a
// desktop screen too small for it, larger or smaller filling a phone's
// screen. Qt's own scale factor cannot do this: it is fixed before the app
// sees its screen, and below 1 it shrinks the window but draws its widgets at
// full size, cut off. Input, touches too, reaches the widget as usual (a
// widget that takes touches gets them, the others a mouse's events made of
// them); the window takes the widget's title and icon,
// and closing it closes the widget, which may refuse. The widget stays its
// owner's: it is handed back, hidden, when this window goes.
class ScaledWindow : public QGraphicsView {
  public:
    ScaledWindow(QWidget* content, double factor);
    ~ScaledWindow() override;

    // Shows the window filling the screen, the widget drawn in its middle.
    void showFillingScreen();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QGraphicsScene scene_;
    QWidget* content_;
    QGraphicsProxyWidget* proxy_;
};
