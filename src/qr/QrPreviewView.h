#pragma once

#include <QImage>
#include <QWidget>

// The live camera picture: the latest upright frame, filling the view and
// cropping what does not fit.
class QrPreviewView : public QWidget {
    Q_OBJECT
  public:
    explicit QrPreviewView(QWidget* parent);
    void setImage(const QImage& image);
    const QImage& image() const { return image_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage image_;
};
