#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

// While it lives, a window takes no input from the user (isUserInput): no
// mouse, touch, wheel, tablet, key or input-method event reaches any widget
// in it, except an alert (which stands inside it). Other windows are not
// affected.
class WindowInputBlock : public QObject {
    Q_OBJECT
  public:
    explicit WindowInputBlock(QWidget* window);
    ~WindowInputBlock() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPointer<QWidget> window_;
};
