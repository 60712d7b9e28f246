#include "platform/qt/QtPictureChooser.h"
#include "support/FakePlatform.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// A home folder of its own for the test, with or without Pictures.
class ChooserTest : public testing::Test {
  protected:
    ChooserTest() : oldHome_(qgetenv("HOME")) {
        qputenv("HOME", home.path().toLocal8Bit());
        window.resize(320, 568);
        window.show();
        chooser.setWindow([this] { return &window; });
    }
    ~ChooserTest() override { qputenv("HOME", oldHome_); }

    // Opens the chooser and returns its dialog once it is on screen.
    QFileDialog* open() {
        chooser.choosePicture("選擇照片", "JPEG (*.jpg)",
                              [this](std::optional<QString> path) { answers.push_back(path); });
        QCoreApplication::processEvents();
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == "pictureChooser" && top->isVisible())
                return qobject_cast<QFileDialog*>(top);
        return nullptr;
    }
    static QString canonical(const QString& path) { return QDir(path).canonicalPath(); }

    FakePlatform fake;
    QTemporaryDir home;
    QWidget window;
    QtPictureChooser chooser;
    std::vector<std::optional<QString>> answers;

  private:
    QByteArray oldHome_;
};

TEST_F(ChooserTest, LiesOverTheWindowNoLargerThanItAndStartsInPictures) {
    ASSERT_TRUE(QDir(home.path()).mkpath("Pictures"));
    QFileDialog* dialog = open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "選擇照片");
    EXPECT_EQ(canonical(dialog->directory().path()), canonical(home.filePath("Pictures")));
    EXPECT_LE(dialog->width(), window.width());
    EXPECT_LE(dialog->height(), window.height());
    EXPECT_TRUE(window.geometry().contains(dialog->geometry()))
        << dialog->geometry().x() << "," << dialog->geometry().y();
    dialog->reject();
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0], std::nullopt);
}

TEST_F(ChooserTest, WithoutAPicturesFolderItStartsAtHome) {
    QFileDialog* dialog = open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(canonical(dialog->directory().path()), canonical(home.path()));
    dialog->reject();
}

} // namespace
