#pragma once

#include <QObject>
#include <QPointer>

class QAbstractButton;
class QMouseEvent;

// Gives every button a touch area of at least 44x44 points, centred on it,
// where the screens' geometry draws it smaller (a bar's text button, an
// alert's button, a foot bar's button): a press that lands on nothing a
// finger can use (a label, a screen's or bar's background) within that area
// of a button presses that button, the nearest where areas overlap. A press
// on anything usable (another button, a list, a field) is left alone, so a
// wider area never takes a tap from its neighbour. Install once on the
// application.
class TouchTargets : public QObject {
    Q_OBJECT
  public:
    static constexpr int kMinimumSide = 44;

    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool pressed(QWidget* receiver, const QMouseEvent& event);
    bool released(const QMouseEvent& event);

    QPointer<QAbstractButton> pressedButton_;
};
