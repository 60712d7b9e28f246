#pragma once

#include "widgets/CustomCheckBox.h"
#include "widgets/CustomCheckBoxImages.h"

// A check box that sets its own image source when it is made.
template <class ImageSource> class CustomImageCheckBox : public CustomCheckBox {
  public:
    explicit CustomImageCheckBox(const QRect& frame = QRect(), QWidget* parent = nullptr)
        : CustomCheckBox(frame, parent) {
        setDatasource(std::make_shared<ImageSource>());
    }
};

class CustomRedCheckBox : public CustomImageCheckBox<CustomRedCheckBoxImage> {
  public:
    using CustomImageCheckBox::CustomImageCheckBox;
};

class CustomGreenCheckBox : public CustomImageCheckBox<CustomGreenCheckBoxImage> {
  public:
    using CustomImageCheckBox::CustomImageCheckBox;
};

class CustomWhiteRedCheckBox : public CustomImageCheckBox<CustomWhiteRedCheckBoxImage> {
  public:
    using CustomImageCheckBox::CustomImageCheckBox;
};

class CustomWhiteGreenCheckBox : public CustomImageCheckBox<CustomWhiteGreenCheckBoxImage> {
  public:
    using CustomImageCheckBox::CustomImageCheckBox;
};
