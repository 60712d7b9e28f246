#include "platform/qt/QtCamera.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
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

TEST_F(QtCameraTest, WithoutPhotosThePickerAnswersNoneAndACameraCanBeGiven) {
    QtCamera camera(QString{});
    EXPECT_EQ(take(camera), std::nullopt);
    camera.setPresent(true);
    EXPECT_TRUE(camera.hasCamera());
    EXPECT_EQ(camera.authorizationStatus(), AuthorizationStatus::Authorized);
}

} // namespace
