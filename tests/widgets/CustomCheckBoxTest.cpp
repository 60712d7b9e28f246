#include "widgets/CustomCheckBox.h"
#include "support/FakePlatform.h"
#include "widgets/CheckBoxButton.h"
#include "widgets/CustomCheckBoxVariants.h"

#include <QApplication>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

const QString kNotImplemented = "-[CustomCheckBox checkboxButtonPressed] : Delegate - "
                                "didPressedCheckbox:isSelected: is not implememted";

QPixmap solid(QColor color) {
    QPixmap pixmap(8, 8);
    pixmap.fill(color);
    return pixmap;
}

class TwoColours : public CustomCheckBoxDatasource {
  public:
    TwoColours(QColor normal, QColor selected) : normal_(normal), selected_(selected) {}
    QPixmap imageOfStateNormal() const override { return solid(normal_); }
    QPixmap imageOfStateSelected() const override { return solid(selected_); }

  private:
    QColor normal_, selected_;
};

class RecordingDelegate : public CustomCheckBoxPressDelegate {
  public:
    void didPressedCheckboxIsSelected(CustomCheckBox* box, bool isSelected) override {
        presses.push_back({box, isSelected});
    }
    std::vector<std::pair<CustomCheckBox*, bool>> presses;
};

class SilentDelegate : public CustomCheckBoxDelegate {};

// A finger lifted where it went down: press and release at the centre.
void tap(QWidget* widget) {
    const QPointF centre = QRectF(widget->rect()).center();
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, centre, widget->mapToGlobal(centre), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
}

QColor shownColour(CustomCheckBox& box) {
    return box.grab().toImage().pixelColor(box.width() / 2, box.height() / 2);
}

class CheckBox : public testing::Test {
  protected:
    CheckBox() : box(QRect(10, 20, 44, 30)) {
        box.setDatasource(std::make_shared<TwoColours>(Qt::red, Qt::green));
    }
    FakePlatform platform;
    CustomCheckBox box;
};

TEST_F(CheckBox, BuildsAButtonOfItsSizeFromTheDatasource) {
    ASSERT_NE(box.checkboxButton(), nullptr);
    EXPECT_EQ(box.geometry(), QRect(10, 20, 44, 30));
    EXPECT_EQ(box.checkboxButton()->geometry(), QRect(0, 0, 44, 30));
    EXPECT_FALSE(box.isSelected());
    EXPECT_EQ(shownColour(box), QColor(Qt::red));

    // A new datasource rebuilds the one button with its pictures.
    box.setDatasource(std::make_shared<TwoColours>(Qt::blue, Qt::yellow));
    EXPECT_EQ(box.findChildren<CheckBoxButton*>().size(), 1);
    EXPECT_EQ(shownColour(box), QColor(Qt::blue));
}

TEST_F(CheckBox, TwoTapsTellTheDelegateTrueThenFalse) {
    RecordingDelegate delegate;
    box.setDelegate(&delegate);
    tap(box.checkboxButton());
    EXPECT_TRUE(box.isSelected());
    EXPECT_EQ(shownColour(box), QColor(Qt::green));
    tap(box.checkboxButton());
    EXPECT_FALSE(box.isSelected());
    EXPECT_EQ(shownColour(box), QColor(Qt::red));

    const std::vector<std::pair<CustomCheckBox*, bool>> expected{{&box, true}, {&box, false}};
    EXPECT_EQ(delegate.presses, expected);
    EXPECT_TRUE(platform.log.lines.isEmpty());
}

TEST_F(CheckBox, SettingTheStateLeavesThePicture) {
    box.setIsSelected(true);
    EXPECT_TRUE(box.isSelected());
    EXPECT_EQ(shownColour(box), QColor(Qt::red));
    box.checkboxButton()->setSelected(true);
    EXPECT_EQ(shownColour(box), QColor(Qt::green));
}

TEST_F(CheckBox, DelegateWithoutTheCallbackStillFlipsAndLogs) {
    SilentDelegate silent;
    for (CustomCheckBoxDelegate* delegate : {static_cast<CustomCheckBoxDelegate*>(&silent),
                                             static_cast<CustomCheckBoxDelegate*>(nullptr)}) {
        platform.log.lines.clear();
        box.setDelegate(delegate);
        const bool before = box.isSelected();
        tap(box.checkboxButton());
        EXPECT_NE(box.isSelected(), before);
        EXPECT_EQ(box.checkboxButton()->isSelected(), box.isSelected());
        EXPECT_EQ(platform.log.lines, QStringList{kNotImplemented});
    }
}

TEST(CheckBoxWithoutDatasource, ShowsNothingAndCannotBePressed) {
    FakePlatform platform;
    CustomCheckBox box(QRect(0, 0, 44, 44));
    EXPECT_EQ(box.checkboxButton(), nullptr);
    EXPECT_TRUE(box.findChildren<QWidget*>().isEmpty());
    tap(&box);
    EXPECT_FALSE(box.isSelected());
}

template <class Box> void expectImages(const char* normal, const char* selected) {
    FakePlatform platform;
    Box box(QRect(0, 0, 64, 64));
    ASSERT_NE(box.datasource(), nullptr);
    const QImage normalImage = box.datasource()->imageOfStateNormal().toImage();
    const QImage selectedImage = box.datasource()->imageOfStateSelected().toImage();
    ASSERT_FALSE(normalImage.isNull());
    EXPECT_EQ(normalImage, QImage(normal).convertToFormat(normalImage.format()));
    EXPECT_EQ(selectedImage, QImage(selected).convertToFormat(selectedImage.format()));
    EXPECT_NE(normalImage, selectedImage);
    tap(box.checkboxButton());
    EXPECT_TRUE(box.isSelected());
}

TEST(CheckBoxVariants, ShowTheirOwnPictures) {
    expectImages<CustomRedCheckBox>(":/box.png", ":/redbox.png");
    expectImages<CustomGreenCheckBox>(":/box.png", ":/greenbox.png");
    expectImages<CustomWhiteRedCheckBox>(":/whiterecbox.png", ":/whiterecredbox.png");
    expectImages<CustomWhiteGreenCheckBox>(":/whiterecbox.png", ":/whiterecgreenbox.png");
}

} // namespace
