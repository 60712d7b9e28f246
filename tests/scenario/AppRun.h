#pragma once

#include "InspectionServer.h"
#include "store/StoreFiles.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The one case a run stored, and its photo file.
struct StoredCase {
    std::shared_ptr<CaseRecord> record; // none when the list is unreadable or holds another count
    PhotoFileRead photos;               // its file is none when it cannot be read
    QString error;                      // why the list could not serve
};

// How a run of the real app ended.
struct AppRun {
    int status = -1; // -1 when it had to be killed
    QString out;
    QString err;
};

// The real inspector-app, offscreen, against the stand-in server (started
// in-process with the demo configuration) on a free port, with a fresh home
// folder and a parameter file naming the server.
class AppRunFixture : public testing::Test {
  protected:
    AppRunFixture();
    ~AppRunFixture() override;

    // The stand-in server's demo configuration.
    static ServerConfig demoConfig();
    // Points the app's parameter file at serverIp instead.
    void pointAt(const QString& serverIp) const;
    // Writes a scenario file into the run's folder and returns its path.
    QString writeScenario(const QString& text, const QString& name = "walk.scenario") const;
    // Runs the app on the scenario with screenshots into shots(); lines
    // "# app: OPTIONS" of the scenario add their options.
    AppRun run(const QString& scenarioFile, QStringList options = {}) const;
    // Starts the app on the scenario in the environment env (its window
    // system) and leaves it running; true once it has printed reached (the
    // "LINE: STEP" of a passed step).
    bool startUntil(QProcess& app, const QString& scenarioFile, const QString& reached,
                    QProcessEnvironment env) const;
    // The single case in the run's store, with the photo file it names.
    StoredCase storedCase() const;
    QString home() const { return dir.filePath("home"); }
    QString shots() const { return dir.filePath("shots"); }

    QTemporaryDir dir;
    std::unique_ptr<InspectionServer> server;
};
