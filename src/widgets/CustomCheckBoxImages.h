#pragma once

#include "widgets/CustomCheckBox.h"

#include <QPixmap>
#include <QString>

// Image sources of the check box variants: two of the app's resource images.
class ResourceCheckBoxImage : public CustomCheckBoxDatasource {
  public:
    QPixmap imageOfStateNormal() const override { return QPixmap(normal_); }
    QPixmap imageOfStateSelected() const override { return QPixmap(selected_); }

  protected:
    ResourceCheckBoxImage(QString normal, QString selected);

  private:
    QString normal_;
    QString selected_;
};

class CustomRedCheckBoxImage : public ResourceCheckBoxImage {
  public:
    CustomRedCheckBoxImage();
};

class CustomGreenCheckBoxImage : public ResourceCheckBoxImage {
  public:
    CustomGreenCheckBoxImage();
};

class CustomWhiteRedCheckBoxImage : public ResourceCheckBoxImage {
  public:
    CustomWhiteRedCheckBoxImage();
};

class CustomWhiteGreenCheckBoxImage : public ResourceCheckBoxImage {
  public:
    CustomWhiteGreenCheckBoxImage();
};
