#include "platform/qt/QtCamera.h"
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
            if (window->objectName() == "photoChooser" && window->isVisible())
                return qobject_cast<QFileDialog*>(window);
        return nullptr;
    }
    // Takes a photo through the chooser: picks path, or cancels without one.
    std::optional<QByteArray> choose(QtCamera& camera, const QString& path) {
        std::optional<std::optional<QByteArray>> answer;
        camera.takePhoto([&answer](std::optional<QByteArray> jpeg) { answer = jpeg; });
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
    QtCamera camera(QString{});
    const QString photo = write("chosen.jpg", "chosen photo");
    EXPECT_EQ(choose(camera, photo), QByteArray("chosen photo"));
    EXPECT_EQ(choose(camera, QString()), std::nullopt) << "cancelled";
    EXPECT_EQ(chooser(), nullptr) << "the chooser has closed";
}

TEST_F(QtCameraTest, AFolderWithoutPhotosAnswersNoneAndSaysWhy) {
    QtCamera camera(dir.path());
    EXPECT_EQ(take(camera), std::nullopt);
    ASSERT_EQ(fake.log.lines.size(), 1);
    EXPECT_TRUE(fake.log.lines[0].startsWith("no JPEG files in the photo folder"));
}

} // namespace
