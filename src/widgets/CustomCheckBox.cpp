#include "widgets/CustomCheckBox.h"

#include "platform/Platform.h"
#include "widgets/CheckBoxButton.h"

CustomCheckBox::CustomCheckBox(const QRect& frame, QWidget* parent)
    : QWidget(parent), size_(frame.size()) {
    setGeometry(frame);
}

CustomCheckBox::~CustomCheckBox() = default;

void CustomCheckBox::setDatasource(std::shared_ptr<CustomCheckBoxDatasource> datasource) {
    datasource_ = std::move(datasource);
    initUI();
}

void CustomCheckBox::initUI() {
    setAutoFillBackground(false);
    resize(size_);
    delete checkboxButton_;
    checkboxButton_ = nullptr;
    if (!datasource_) return;

    checkboxButton_ = new CheckBoxButton(this);
    checkboxButton_->setGeometry(0, 0, size_.width(), size_.height());
    checkboxButton_->setImages(datasource_->imageOfStateNormal(),
                               datasource_->imageOfStateSelected());
    connect(checkboxButton_, &CheckBoxButton::clicked, this,
            &CustomCheckBox::checkboxButtonPressed);
    checkboxButton_->show();
    update();
}

void CustomCheckBox::checkboxButtonPressed() {
    isSelected_ = !isSelected_;
    if (checkboxButton_) checkboxButton_->setSelected(isSelected_);
    if (auto* handler = dynamic_cast<CustomCheckBoxPressDelegate*>(delegate_))
        handler->didPressedCheckboxIsSelected(this, isSelected_);
    else
        logLine(
            QString::asprintf("%s : Delegate - didPressedCheckbox:isSelected: is not implememted",
                              "-[CustomCheckBox checkboxButtonPressed]"));
}
