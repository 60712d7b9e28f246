#include "platform/qt/QtCamera.h"
#include "platform/qt/QtPictureChooser.h"
#include "support/FakePlatform.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct QtCameraTest : testing::Test {
    QString write(const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    // Takes a photo and waits for the picker's answer.
    std::optional<QByteArray> take(QtCamera& camera) {
        std::optional<std::optional<QByteArray>> answer;
        camera.takePhoto([&answer](std::optional<QByteArray> jpeg) { answer = jpeg; });
        EXPECT_FALSE(answer) << "answered from inside the call";
        const QDeadlineTimer cap(5000);
        while (!answer && !cap.hasExpired())
            QCoreApplication::processEvents();
        return answer.value_or(std::nullopt);
    }

    // The photo chooser once it is on screen, or none.
    static QFileDialog* chooser() {
        QCoreApplication::processEvents();
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->objectName() == "pictureChooser" && window->isVisible())
                return qobject_cast<QFileDialog*>(window);
        return nullptr;
    }
    // Takes a photo without a camera: the alert offers the chooser, which
    // picks path, or is cancelled without one.
    std::optional<QByteArray> choose(QtCamera& camera, const QString& path) {
        std::optional<std::optional<QByteArray>> answer;
        camera.takePhoto([&answer](std::optional<QByteArray> jpeg) { answer = jpeg; });
        EXPECT_TRUE(fake.alerts.showing());
        if (!fake.alerts.showing()) return std::nullopt;
        EXPECT_EQ(fake.alerts.current().title, "相機無法使用");
        EXPECT_EQ(fake.alerts.current().message, "此裝置沒有可用的相機, 可改選擇照片檔");
        EXPECT_EQ(fake.alerts.current().buttonTitles(), QStringList({"取消", "選擇照片檔"}));
        fake.alerts.press("選擇照片檔");
        QFileDialog* dialog = chooser();
        EXPECT_NE(dialog, nullptr) << "no photo chooser";
        if (!dialog) return std::nullopt;
        if (path.isEmpty()) {
            dialog->reject();
        } else {
            // Typed into the dialog's own name field, as a person would.
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            EXPECT_NE(name, nullptr);
            if (name) name->setText(path);
            static_cast<QDialog*>(dialog)->accept(); // QFileDialog::accept, through its base
        }
        EXPECT_TRUE(answer) << "the chooser gave no answer";
        return answer.value_or(std::nullopt);
    }

    FakePlatform fake;
    QTemporaryDir temp;
    QDir dir{temp.path()};
};

TEST_F(QtCameraTest, PhotosGivenOneByOneComeBeforeTheFolderOnes) {
    write("a.jpg", "folder photo");
    QtCamera camera(dir.path());
    camera.returnNext(write("first.photo", "first"));
    camera.returnNext(write("second.photo", "second"));
    EXPECT_EQ(take(camera), QByteArray("first"));
    EXPECT_EQ(take(camera), QByteArray("second"));
    EXPECT_EQ(take(camera), QByteArray("folder photo"));
}

TEST_F(QtCameraTest, AGivenCameraWithNothingGivenAnswersNone) {
    QtCamera camera(QString{});
    camera.setPresent(true);
    EXPECT_TRUE(camera.hasCamera());
    EXPECT_EQ(camera.authorizationStatus(), AuthorizationStatus::Authorized);
    EXPECT_EQ(take(camera), std::nullopt);
}

TEST_F(QtCameraTest, WithoutCameraOrFolderThePersonChoosesAJpegFile) {
    QtPictureChooser files;
    fake.services.pictureChooser = &files;
    QtCamera camera(QString{});
    const QString photo = write("chosen.jpg", "chosen photo");
    EXPECT_EQ(choose(camera, photo), QByteArray("chosen photo"));
    EXPECT_EQ(choose(camera, QString()), std::nullopt) << "cancelled";
    EXPECT_EQ(chooser(), nullptr) << "the chooser has closed";
}

// Declined, or with nothing to choose from, no photo comes.
TEST_F(QtCameraTest, WithoutCameraOrChooserNoPhotoComes) {
    QtCamera camera(QString{});
    for (const bool chooser : {true, false}) {
        SCOPED_TRACE(chooser);
        fake.services.pictureChooser = chooser ? &fake.pictures : nullptr;
        std::optional<std::optional<QByteArray>> answer;
        camera.takePhoto([&answer](std::optional<QByteArray> jpeg) { answer = jpeg; });
        ASSERT_TRUE(fake.alerts.showing());
        EXPECT_EQ(fake.alerts.current().buttonTitles(),
                  chooser ? QStringList({"取消", "選擇照片檔"}) : QStringList{"知道了"});
        fake.alerts.press(0);
        ASSERT_TRUE(answer);
        EXPECT_EQ(*answer, std::nullopt);
        EXPECT_TRUE(fake.pictures.asked.empty());
    }
}

TEST_F(QtCameraTest, AFolderWithoutPhotosAnswersNoneAndSaysWhy) {
    QtCamera camera(dir.path());
    EXPECT_EQ(take(camera), std::nullopt);
    ASSERT_EQ(fake.log.lines.size(), 1);
    EXPECT_TRUE(fake.log.lines[0].startsWith("no JPEG files in the photo folder"));
}

} // namespace
