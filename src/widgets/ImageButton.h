#pragma once

#include <QAbstractButton>
#include <QImage>

// A picture that takes taps: it shows its image scaled to fit and centred,
// and reports a completed tap as clicked().
class ImageButton : public QAbstractButton {
    Q_OBJECT
  public:
    explicit ImageButton(QWidget* parent = nullptr) : QAbstractButton(parent) {}

    const QImage& image() const { return image_; }
    void setImage(const QImage& image);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage image_;
};
