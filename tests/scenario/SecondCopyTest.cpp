#include "AppRun.h"
#include "store/StoreFiles.h"
#include "store/StoreFixture.h"

#include <QDir>
#include <QDirIterator>

namespace {

// Two real copies of the app on one home folder: the second would overwrite
// the first's case list, so it refuses to start and leaves the store alone.
class SecondCopy : public AppRunFixture {
  protected:
    QString documents() const { return QDir(home()).filePath("Documents"); }

    // Every file of the store folder with its size and time, to compare.
    QStringList storeListing() const {
        QStringList listing;
        QDirIterator files(documents(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QFileInfo file(files.next());
            listing << QStringLiteral("%1 %2 %3")
                           .arg(file.filePath())
                           .arg(file.size())
                           .arg(file.lastModified().toMSecsSinceEpoch());
        }
        listing.sort();
        return listing;
    }

    // Starts the first copy, waiting at its login prompt; true once it is there.
    bool startFirst(QProcess& first) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        return startUntil(first, writeScenario("expect alert 身份驗證\nwait 120\n"),
                          "1: expect alert 身份驗證", env);
    }
};

TEST_F(SecondCopy, RefusesWithOneLineAndLeavesTheStoreAlone) {
    ASSERT_TRUE(QDir().mkpath(documents()));
    ASSERT_TRUE(writeCaseList(waitingReportPath(documents()), {testCase("DEMO700", "C1", 1, 1)}));
    QProcess first;
    ASSERT_TRUE(startFirst(first));
    const QStringList before = storeListing();

    const AppRun second = run(writeScenario("expect alert 身份驗證\n", "second.scenario"));
    EXPECT_EQ(second.status, 2) << second.err.toStdString();
    EXPECT_EQ(second.err.count('\n'), 1) << second.err.toStdString();
    EXPECT_TRUE(second.err.contains("another copy of the app")) << second.err.toStdString();
    EXPECT_EQ(storeListing(), before);

    // inspector-cli would write the same store: it waits a bounded time, then refuses.
    QProcess cli;
    cli.start(INSPECTOR_CLI, {"send", documents(), "DEMO700", "--server", "127.0.0.1:1"});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), 1);
    EXPECT_TRUE(cli.readAllStandardError().contains("in use by another program"));
    EXPECT_EQ(storeListing(), before);

    // A copy that was killed leaves its lock behind; the next start takes it over.
    first.kill();
    first.waitForFinished();
    const AppRun next = run(writeScenario("expect alert 身份驗證\n", "next.scenario"));
    EXPECT_EQ(next.status, 0) << next.out.toStdString() << next.err.toStdString();
}

} // namespace
