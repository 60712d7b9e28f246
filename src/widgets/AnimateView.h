#pragma once

#include <QWidget>

// A panel with rounded corners (30 on tablets, 18 on phones, fixed when it
// is made); its content is clipped to the rounded shape.
class AnimateView : public QWidget {
    Q_OBJECT
  public:
    explicit AnimateView(QWidget* parent = nullptr);

    qreal cornerRadius() const { return cornerRadius_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    qreal cornerRadius_;
};
