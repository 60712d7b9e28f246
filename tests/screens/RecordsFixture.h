#pragma once

#include "screens/SecurityResendViewController.h"
#include "store/PublicVars.h"
#include "store/StoreFiles.h"
#include "store/StoreFixture.h"
#include "support/FakePlatform.h"
#include "ui/NavigationController.h"
#include "util/PublicFunctionParameters.h"
#include "widgets/ImageButton.h"

#include <QListView>
#include <QPushButton>
#include <QTemporaryFile>
#include <gtest/gtest.h>

// The records screen on fake services, over a store of cases the test
// writes, on a phone-sized stack with a screen below it to go back to.
class RecordsFixture : public testing::Test {
  protected:
    explicit RecordsFixture(const QString& serverIp = QStringLiteral("server.test:8080")) {
        setServer(serverIp);
        PublicVars::resetSharedInstanceForTesting();
        nav.resize(320, 568);
        nav.pushViewController(new ViewController(QStringLiteral("below")), false);
    }
    ~RecordsFixture() override {
        setParameterFileOverride(QString::fromLatin1(parametersFileName), QString());
        PublicVars::resetSharedInstanceForTesting();
    }

    void setServer(const QString& serverIp) {
        parameters.open();
        parameters.resize(0);
        parameters.write(
            QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\"><dict>"
                           "<key>ServerIP</key><string>%1</string>"
                           "<key>ver_ios</key><string>1.0</string></dict></plist>")
                .arg(serverIp)
                .toUtf8());
        parameters.flush();
        setParameterFileOverride(QString::fromLatin1(parametersFileName), parameters.fileName());
    }

    // Stores the cases, photos inline, as the photo screens leave them.
    static CaseList storeCases(const CaseList& cases) {
        PublicVars& store = PublicVars::sharedInstance();
        store.setWaitingStoreArray(cases);
        EXPECT_TRUE(store.storeWaitingStoreArray());
        return cases;
    }
    // A waiting case with one photo of each kind, or with the given state,
    // type and time.
    static std::shared_ptr<CaseRecord> makeCase(const QString& pakeno, const QString& state = "0",
                                                const QString& type = "竣工檢查",
                                                const QString& rcdTime = "104/06/30 14:05") {
        auto record = testCase(pakeno, "C1", 1, 1);
        record->state = state;
        record->type = type;
        record->rcdTime = rcdTime;
        record->prarms["devToken"] = "0A1B2C3D-0000-4000-8000-00000000AAAA";
        record->prarms["tecnam"] = "5p6X5aSn5paH";
        return record;
    }

    // Opens a new records screen on the stack, as the main screen does.
    SecurityResendViewController* open() {
        screen = new SecurityResendViewController;
        screen->makeEditingScreen = [this](std::shared_ptr<CaseRecord> record) {
            opened << record;
            return new ViewController(QStringLiteral("UploadCheckAddCaseViewController"));
        };
        nav.pushViewController(screen, false);
        return screen;
    }

    // What each row of the list shows, as the list view reads it.
    QStringList rowTexts() const {
        QStringList texts;
        QAbstractItemModel* model = screen->tbl->model();
        for (int row = 0; row < model->rowCount(); ++row)
            texts << model->index(row, 0).data().toString();
        return texts;
    }
    // The pakeno of each case in the screen's list.
    QStringList listed() const {
        QStringList names;
        for (const auto& record : screen->storeRecordArray())
            names << record->pakeno;
        return names;
    }
    QStringList ticked() const {
        QStringList names;
        for (const auto& record : screen->storeRecordArray())
            if (screen->isTicked(record.get())) names << record->pakeno;
        return names;
    }
    void tick(const QStringList& pakenos) {
        for (int row = 0; row < screen->storeRecordArray().size(); ++row)
            if (pakenos.contains(screen->storeRecordArray()[row]->pakeno))
                screen->setIndexWithTag(row, "1");
    }
    // Three waiting cases B, A, C opened, A and C ticked, then sorted by time
    // of record: C, B, A.
    void openTickTwoAndSort() {
        storeCases({makeCase("B", "0", "竣工檢查", "104/01/02 08:00"),
                    makeCase("A", "0", "竣工檢查", "104/01/03 08:00"),
                    makeCase("C", "0", "竣工檢查", "103/01/01 08:00")});
        open();
        tick({"A", "C"});
        screen->acceptSortId(0);
    }
    // "pakeno:state" of every case in the store file, read afresh.
    QStringList storedStates() const {
        const CaseListRead read = readCaseList(waitingReportPath(fake.path()));
        QStringList states;
        for (const auto& record : read.cases.value_or(CaseList()))
            states << record->pakeno + u':' + record->state;
        return states;
    }
    bool overlayShows() const { return fake.indicator.showing.has_value(); }

    FakePlatform fake;
    QTemporaryFile parameters;
    NavigationController nav;
    SecurityResendViewController* screen = nullptr;
    CaseList opened;
};
