#pragma once

#include "screens/CasePhotoViewController.h"
#include "screens/PhotoPreviewViewController.h"
#include "store/PublicVars.h"
#include "support/FakePlatform.h"
#include "support/PhotoTestImages.h"
#include "ui/NavigationController.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

// A photo screen on fake services: a logged-in inspector, a screen below it
// (the main or records screen), an empty documents folder and a phone-sized
// window offscreen.
class PhotoScreenTest : public testing::Test {
  protected:
    PhotoScreenTest() {
        PublicVars::resetSharedInstanceForTesting();
        fake.settings.values["chkerId_preference"] = "A123456789";
        fake.settings.values["chkerName_preference"] = QString::fromUtf8("王小明");
        nav.resize(320, 568);
        nav.show();
        below = new ViewController;
        below->setTitle("below");
        nav.pushViewController(below, false);
    }
    ~PhotoScreenTest() override { PublicVars::resetSharedInstanceForTesting(); }

    // Pushes the screen and keeps it as the one under test.
    template <typename Screen> Screen* open(Screen* made) {
        nav.pushViewController(made, true);
        screen = made;
        return made;
    }
    // Presses a camera button, grants access and returns this photo.
    void take(QPushButton* button, const QByteArray& jpeg) {
        button->click();
        fake.camera.answerAccess(true);
        fake.clock.advance(0.01);
        fake.camera.returnPhoto(jpeg);
    }
    // A camera photo of its own colour, so entries can be told apart.
    static QByteArray shot(int n, int width = 1600, int height = 1200) {
        return jpegOf(filledImage(width, height, QColor::fromHsv((n * 37) % 360, 200, 200)));
    }
    // Opens row's photo in the preview and answers its deletion question.
    void deleteRow(QListWidget* table, int row, bool confirm = true) {
        screen->tableViewDidSelectRowAtIndexPath(table, row);
        auto* preview = qobject_cast<PhotoPreviewViewController*>(nav.topViewController());
        ASSERT_NE(preview, nullptr);
        preview->deletePhoto();
        fake.alerts.press(confirm ? "是" : "否");
    }
    QString alertTitle() const { return fake.alerts.showing() ? fake.alerts.current().title : "-"; }
    QString alertMessage() const {
        return fake.alerts.showing() ? fake.alerts.current().message : "-";
    }
    QString pathOf(const QString& name) const { return QDir(fake.path()).filePath(name); }
    QByteArray bytesOf(const QString& name) const {
        QFile file(pathOf(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static PublicVars& store() { return PublicVars::sharedInstance(); }

    FakePlatform fake;
    NavigationController nav;
    ViewController* below = nullptr;
    CasePhotoViewController* screen = nullptr;
};
