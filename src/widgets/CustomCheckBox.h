#pragma once

#include <QWidget>
#include <memory>

class CheckBoxButton;
class CustomCheckBox;

// Gives a check box its two pictures.
class CustomCheckBoxDatasource {
  public:
    virtual ~CustomCheckBoxDatasource() = default;
    virtual QPixmap imageOfStateNormal() const = 0;
    virtual QPixmap imageOfStateSelected() const = 0;
};

// Is told of a check box's presses. The protocol's one operation is
// optional, so it has an interface of its own below: a delegate implements
// it by also deriving from CustomCheckBoxPressDelegate, and the box asks
// whether it does before calling.
class CustomCheckBoxDelegate {
  public:
    virtual ~CustomCheckBoxDelegate() = default;
};

class CustomCheckBoxPressDelegate : public virtual CustomCheckBoxDelegate {
  public:
    // The box was pressed and is now selected or not.
    virtual void didPressedCheckboxIsSelected(CustomCheckBox* box, bool isSelected) = 0;
};

// A two-state check box drawn from its datasource's pictures, reporting each
// press to its delegate. Without a datasource it shows nothing and cannot be
// pressed.
class CustomCheckBox : public QWidget {
    Q_OBJECT
  public:
    // A box with frame's place and size; the size is kept for the button.
    explicit CustomCheckBox(const QRect& frame = QRect(), QWidget* parent = nullptr);
    ~CustomCheckBox() override;

    CustomCheckBoxDatasource* datasource() const { return datasource_.get(); }
    // Keeps the datasource and builds the box from it (initUI).
    void setDatasource(std::shared_ptr<CustomCheckBoxDatasource> datasource);

    // The delegate is not owned: it outlives the box or is cleared first.
    CustomCheckBoxDelegate* delegate() const { return delegate_; }
    void setDelegate(CustomCheckBoxDelegate* delegate) { delegate_ = delegate; }

    bool isSelected() const { return isSelected_; }
    // Only the state: the picture follows the button's selected state, which
    // an owner that redraws the box sets through checkboxButton().
    void setIsSelected(bool selected) { isSelected_ = selected; }

    // The pressable picture, as large as the box; none before a datasource.
    CheckBoxButton* checkboxButton() const { return checkboxButton_; }

    // Rebuilds the button from the datasource's pictures.
    void initUI();
    // A completed tap: flips the state and the picture and tells the delegate.
    void checkboxButtonPressed();

  private:
    QSize size_;
    std::shared_ptr<CustomCheckBoxDatasource> datasource_;
    CustomCheckBoxDelegate* delegate_ = nullptr;
    bool isSelected_ = false;
    CheckBoxButton* checkboxButton_ = nullptr; // a child widget, owned by Qt
};
