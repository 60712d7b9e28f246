#pragma once

// A home folder of the app's kind for the benchmarks that use the store: its
// documents (the case list, the photo files) and its settings, and the app's
// own Qt services on it.
#include "StoredCases.h"

#include "app/AppOptions.h"
#include "app/QtServices.h"
#include "platform/Platform.h"
#include "platform/qt/QtSettings.h"
#include "plist/Plist.h"
#include "plist/PlistValue.h"
#include "store/StoreFiles.h"
#include "util/PublicFunctionParameters.h"

#include <QDir>
#include <QTemporaryDir>
#include <cstdio>

// A home folder of its own (documents and settings), as the app's --home.
class StoreHome {
  public:
    StoreHome() : documents_(dir_.filePath("Documents")) {}

    QString path() const { return dir_.path(); }
    QString documents() const { return documents_.path(); }
    QString parameterFile() const { return dir_.filePath(parametersFileName); }

    // Makes this home's documents folder the store's for the scope's lifetime.
    PlatformScope use() {
        services_ = platform();
        services_.documents = &documents_;
        return PlatformScope(services_);
    }

    // Writes the list of count waiting cases, case n naming photo file n
    // (which the caller writes, if it needs them).
    void writeCases(int count) const {
        CaseList cases;
        for (int n = 0; n < count; ++n)
            cases << storedCase(QStringLiteral("P%1").arg(n, 4, 10, QChar('0')),
                                QStringLiteral("C1030"), photoId(n), QStringLiteral("0"));
        if (!writeCaseList(waitingReportPath(documents()), cases))
            std::fprintf(stderr, "cannot write the case list\n");
    }

    // Writes the home's parameter file naming the server; false when it cannot.
    bool writeParameters(const QString& serverIp) const {
        PlistDict parameters;
        parameters.insert(QString::fromLatin1(serverIpKey), serverIp);
        parameters.insert(QString::fromLatin1(verIosKey), QStringLiteral("1.0"));
        return writePlistFile(parameterFile(), PlistValue(parameters));
    }

    static QString photoId(int n) {
        return QStringLiteral("1435644307.%1").arg(n, 6, 10, QChar('0'));
    }

  private:
    QTemporaryDir dir_;
    DirectoryDocuments documents_;
    Platform services_;
};

// The app's services on a home folder of their own, for the whole program.
struct Services {
    explicit Services(const QString& home) : qt(options(home)) {}
    static AppOptions options(const QString& home) {
        AppOptions options;
        options.home = home;
        return options;
    }

    QtServices qt;
    PlatformScope scope{qt.platform};
};
