#pragma once

#include <QAbstractButton>
#include <QPixmap>

// The pressable picture of a check box: one picture for the normal state and
// one for the selected state, stretched over the button. Selected is a state
// its owner sets; pressing does not change it by itself.
class CheckBoxButton : public QAbstractButton {
    Q_OBJECT
  public:
    explicit CheckBoxButton(QWidget* parent = nullptr);

    void setImages(const QPixmap& normal, const QPixmap& selected);
    bool isSelected() const { return selected_; }
    // Shows the picture of the given state.
    void setSelected(bool selected);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPixmap normal_;
    QPixmap selectedImage_;
    bool selected_ = false;
};
