#include "DripServer.h"
#include "ServerFixture.h"
#include "store/PublicVars.h"
#include "support/TestCertificates.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

PhotoEntry photo(const QByteArray& jpeg, int minute) {
    return PhotoEntry{
        "\xFF\xD8" + jpeg, QDateTime(QDate(2024, 5, 6), QTime(9, minute)), 25.04f, 121.56f, {}};
}

// inspector-cli send against a store folder that the app left behind.
class SendCommand : public ServerFixture {
  protected:
    SendCommand() {
        PublicVars::resetSharedInstanceForTesting();
        auto record = std::make_shared<CaseRecord>();
        record->pakeno = "P1";
        record->Chkno = "C1";
        record->pk = "P1,C1";
        record->state = "0";
        record->type = "安全檢查";
        record->rcdTime = "113/05/06 09:30";
        record->prarms = {{"date", "1130506093000"}, {"pakeno", "P1"},
                          {"Chkno", "C1"},           {"startTime", "1130506090000"},
                          {"devToken", "D"},         {"tecuni", "QTE="},
                          {"tecnam", "546L"}};
        record->topPhoto = photo("top", 1);
        record->photos = PhotoList{photo("site1", 2), photo("site2", 3)};
        record->photos_1 = PhotoList{photo("order1", 4)};
        PublicVars::sharedInstance().getWaitingStoreArray().append(record);
        EXPECT_TRUE(PublicVars::sharedInstance().storeWaitingStoreArray());
        PublicVars::resetSharedInstanceForTesting();
    }
    ~SendCommand() override { PublicVars::resetSharedInstanceForTesting(); }

    // Runs the command as from a plain shell without a display, against the
    // stand-in server unless told another; returns its exit status, keeping
    // what it printed.
    int send(const QString& pk, const QStringList& more = {}, const QString& server = {}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("XDG_RUNTIME_DIR");
        env.insert("QT_QPA_PLATFORM", "no-such-platform");
        QProcess cli;
        cli.setProcessEnvironment(env);
        cli.start(INSPECTOR_CLI, QStringList{"send", fake.path(), pk, "--server",
                                             server.isEmpty() ? serverIp() : server} +
                                     more);
        EXPECT_TRUE(cli.waitForFinished(60000));
        errors = QString::fromUtf8(cli.readAllStandardError());
        output = QString::fromUtf8(cli.readAllStandardOutput()) + errors;
        return cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
    }

    // The case as the store now holds it on disk.
    std::shared_ptr<CaseRecord> stored(const QString& pk) {
        PublicVars::resetSharedInstanceForTesting();
        return PublicVars::sharedInstance().findWaitingStoreArrayByPK(pk);
    }

    QStringList keptUploads() const {
        return QDir(store.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    }

    QString output;
    QString errors; // what it printed on stderr alone
};

TEST_F(SendCommand, UploadsTheCaseAndMarksItSent) {
    ASSERT_EQ(send("P1,C1"), 0) << output.toStdString();
    EXPECT_TRUE(errors.isEmpty()) << errors.toStdString();

    ASSERT_EQ(keptUploads().size(), 1);
    const QDir kept(store.filePath(keptUploads()[0]));
    const QStringList expected = {"fields.json", "photo_1_1.jpg", "photo_1_2.jpg", "photo_1_3.jpg",
                                  "photo_2_1.jpg"};
    EXPECT_EQ(kept.entryList(QDir::Files), expected);
    QFile site2(kept.filePath("photo_1_3.jpg"));
    ASSERT_TRUE(site2.open(QIODevice::ReadOnly));
    EXPECT_EQ(site2.readAll(), "\xFF\xD8site2");

    const auto record = stored("P1,C1");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->state, "1");
    EXPECT_TRUE(record->photoId);
    EXPECT_FALSE(record->hasInlinePhotos());
    const PhotoFile photos = PublicVars::sharedInstance().getPhoto(record->photoId);
    EXPECT_EQ(photos.photos.size(), 2);
    EXPECT_EQ(photos.photos_1.size(), 1);
}

// The lookup's refusals upload nothing: "N" leaves the case waiting, "D" marks
// it overdue, as a sending run does; its photos are moved either way.
TEST_F(SendCommand, ARefusedCaseIsNotUploadedAndAnOverdueOneIsMarked) {
    const struct {
        const char* status;
        const char* msg;
        const char* state;
    } refusals[] = {{"N", "查無此案件", "0"}, {"D", "案件已逾期", "2"}};
    for (const auto& refusal : refusals) {
        Fault refuse;
        refuse.mode = FaultMode::Status;
        refuse.status = refusal.status;
        refuse.msg = refusal.msg;
        server.setFault(kCaseEndpoint, refuse);
        EXPECT_EQ(send("P1,C1"), 1) << refusal.status;
        EXPECT_TRUE(errors.contains(refusal.msg)) << output.toStdString();
        EXPECT_TRUE(keptUploads().isEmpty());
        const auto record = stored("P1,C1");
        EXPECT_EQ(record->state, refusal.state);
        EXPECT_TRUE(record->photoId);
        EXPECT_EQ(PublicVars::sharedInstance().getPhoto(record->photoId).photos.size(), 2);
    }
}

// An https:// server is trusted as the app trusts it: its authority must be
// the system's or one given with --ca-file; an untrusted one gets nothing.
TEST_F(SendCommand, SendsOverHttpsOnlyToAServerOfATrustedAuthority) {
    TestCertificates authority;
    const TestCertificates::Server files = authority.server("DNS:localhost,IP:127.0.0.1");
    ASSERT_EQ(authority.error(), "");
    QTemporaryDir tlsStore;
    InspectionServer tls(demoConfig(), tlsStore.path().toStdString());
    ASSERT_EQ(tls.useTls(files.cert.toStdString(), files.key.toStdString()), "");
    const int tlsPort = tls.start();
    ASSERT_GT(tlsPort, 0);
    const QString https = QStringLiteral("https://localhost:%1").arg(tlsPort);

    EXPECT_EQ(send("P1,C1", {}, https), 1) << output.toStdString();
    EXPECT_TRUE(tls.requests().empty());
    EXPECT_FALSE(tls.tlsRefusals().empty());
    EXPECT_EQ(stored("P1,C1")->state, "0");

    EXPECT_EQ(send("P1,C1", {"--ca-file", files.key}, https), 2) << output.toStdString();
    EXPECT_TRUE(errors.contains("--ca-file")) << errors.toStdString();

    ASSERT_EQ(send("P1,C1", {"--ca-file", authority.authority()}, https), 0)
        << output.toStdString();
    EXPECT_EQ(QDir(tlsStore.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 1);
    EXPECT_EQ(stored("P1,C1")->state, "1");
}

TEST_F(SendCommand, AFailedUploadLeavesTheCaseWaiting) {
    Fault drop;
    drop.mode = FaultMode::Close;
    server.setFault(kUploadEndpoint, drop);
    EXPECT_EQ(send("P1,C1"), 1);
    EXPECT_TRUE(output.contains("the upload failed")) << output.toStdString();
    EXPECT_EQ(stored("P1,C1")->state, "0");
}

// A server that never answers the upload: the time-out says so, with the
// time given, and the case stays waiting.
TEST_F(SendCommand, AnUploadWithoutAnswerEndsAtTheTimeOutAndSaysSo) {
    Fault silent;
    silent.delaySeconds = 60;
    server.setFault(kUploadEndpoint, silent);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(send("P1,C1", {"--timeout", "1.5"}), 1);
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_TRUE(errors.contains("the upload failed: no answer within 1.5 s"))
        << output.toStdString();
    EXPECT_EQ(stored("P1,C1")->state, "0");
}

TEST_F(SendCommand, ATimeOutThatIsNoPositiveNumberShowsTheUsage) {
    for (const char* seconds : {"0", "-1", "soon", "inf", "nan"}) {
        EXPECT_EQ(send("P1,C1", {"--timeout", seconds}), 2) << seconds;
        EXPECT_TRUE(errors.contains("usage: inspector-cli send")) << output.toStdString();
    }
    EXPECT_TRUE(server.requests().empty());
}

// A case lookup that says yes but names no upload address in text uploads
// nothing and says what was wrong.
TEST_F(SendCommand, AnUploadPathThatIsNoTextIsReportedAsSuch) {
    for (const char* path : {R"(,"upload_path":5)", R"(,"upload_path":["http://h/up"])",
                             R"(,"upload_path":null)", R"(,"upload_path":{})", ""}) {
        const DripServer lookup(0, std::string(R"({"status":"Y")") + path + "}");
        EXPECT_EQ(send("P1,C1", {}, lookup.address()), 1) << path;
        EXPECT_TRUE(errors.contains(R"(without an "upload_path" text (missing or not a string))"))
            << path << ": " << output.toStdString();
        EXPECT_FALSE(output.contains("uploading")) << path;
        EXPECT_EQ(stored("P1,C1")->state, "0") << path;
    }
}

// Processor time used by the children this process has waited for, in seconds.
double childrenCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

TEST_F(SendCommand, WaitsForASlowServerAsleep) {
    Fault slow;
    slow.delaySeconds = 3;
    server.setFault(kUploadEndpoint, slow);
    const double before = childrenCpuSeconds();
    ASSERT_EQ(send("P1,C1"), 0) << output.toStdString();
    // Start-up and the upload take a fraction of a second; a loop that spins
    // while it waits would add most of the 3 s.
    EXPECT_LT(childrenCpuSeconds() - before, 1.2);
}

TEST_F(SendCommand, AnUnknownCaseChangesNothing) {
    QFile list(QDir(fake.path()).filePath("waitingReport.plist"));
    ASSERT_TRUE(list.open(QIODevice::ReadOnly));
    const QByteArray before = list.readAll();
    list.close();
    EXPECT_EQ(send("P9,C9"), 1);
    ASSERT_TRUE(list.open(QIODevice::ReadOnly));
    EXPECT_EQ(list.readAll(), before);
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(SendCommand, ACaseWithoutItsPhotoFileIsNotSent) {
    const struct {
        const char* name;
        std::optional<QByteArray> photoFile; // none: missing
        const char* reason;
    } cases[] = {
        {"missing", std::nullopt, "photo_1435644300.000000.plist is missing"},
        {"damaged", QByteArray("<plist><dict><key>photos</key>"),
         "photo_1435644300.000000.plist cannot be read"},
    };
    for (const auto& c : cases) {
        {
            PublicVars& store = PublicVars::sharedInstance();
            const auto record = store.findWaitingStoreArrayByPK("P1,C1");
            record->photoId = "1435644300.000000";
            record->dropInlinePhotos();
            ASSERT_TRUE(store.storeWaitingStoreArray());
            PublicVars::resetSharedInstanceForTesting();
        }
        const QString photoFile = QDir(fake.path()).filePath("photo_1435644300.000000.plist");
        QFile::remove(photoFile);
        if (c.photoFile) {
            QFile file(photoFile);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(*c.photoFile);
        }
        QFile list(QDir(fake.path()).filePath("waitingReport.plist"));
        ASSERT_TRUE(list.open(QIODevice::ReadOnly));
        const QByteArray before = list.readAll();
        list.close();

        EXPECT_EQ(send("P1,C1"), 1) << c.name;
        EXPECT_TRUE(output.contains(c.reason)) << c.name << ": " << output.toStdString();
        EXPECT_TRUE(server.requests().empty()) << c.name;
        ASSERT_TRUE(list.open(QIODevice::ReadOnly));
        EXPECT_EQ(list.readAll(), before) << c.name;
        list.close();
        EXPECT_EQ(QFile::exists(photoFile), c.photoFile.has_value()) << c.name;
    }
}

TEST_F(SendCommand, ASentCaseIsNotSentAgain) {
    ASSERT_EQ(send("P1,C1"), 0);
    const size_t requests = server.requests().size();
    EXPECT_EQ(send("P1,C1"), 0);
    EXPECT_TRUE(output.contains("sent already")) << output.toStdString();
    EXPECT_EQ(server.requests().size(), requests);
}

} // namespace
