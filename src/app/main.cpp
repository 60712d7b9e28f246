// The inspection app on the desktop: wires the Qt platform services, starts
// the application delegate with the main screen, and runs Qt's event loop,
// driven by a scenario when one is given.
#include "app/AppDelegate.h"
#include "app/AppOptions.h"
#include "app/QtServices.h"
#include "app/QtTranslations.h"
#include "app/ScreenFit.h"
#include "app/ScreenWiring.h"
#include "platform/qt/QtSystem.h"
#include "platform/qt/TrustedAuthorities.h"
#include "qr/QtQrCaptureFactory.h"
#include "scenario/ScenarioRunner.h"
#include "store/StoreLock.h"
#include "ui/AppWindow.h"
#include "ui/TouchTargets.h"
#include "util/PublicFunctionParameters.h"
#include "util/SystemFont.h"

#include <QApplication>
#include <QDir>
#include <QLoggingCategory>
#include <QMessageBox>
#include <algorithm>
#include <cstdio>

namespace {

QStringList rawArguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

void printLine(FILE* out, const QString& text) {
    std::fputs(qPrintable(text + u'\n'), out);
}

// Says on stderr why the parameter file given cannot serve; true when it can.
bool parameterFileUsable(const AppOptions& options) {
    if (options.parameters.isEmpty()) return true;
    const std::optional<QString> problem = parameterFileProblem(options.parameters);
    if (problem) printLine(stderr, "inspector-app: " + *problem);
    return !problem;
}

// Trusts the authorities of --ca-file, if given; says on stderr why it
// cannot and returns false then.
bool authoritiesTrusted(const AppOptions& options) {
    if (options.caFile.isEmpty()) return true;
    const std::optional<QString> problem = trustAuthoritiesOf(options.caFile);
    if (problem) printLine(stderr, "inspector-app: " + *problem);
    return !problem;
}

// Reads the scenario of the options, if any; prints what is wrong and
// returns false when it cannot be run.
bool readScenarioOption(const AppOptions& options, std::optional<Scenario>& scenario) {
    if (options.scenario.isEmpty()) return true;
    QStringList errors;
    scenario = readScenario(options.scenario, !options.screenshots.isEmpty(), errors);
    if (scenario && !options.screenshots.isEmpty() && !QDir().mkpath(options.screenshots))
        errors << QStringLiteral("cannot make the screenshots folder %1").arg(options.screenshots);
    for (const QString& error : errors)
        std::fprintf(stderr, "%s\n", qPrintable(error));
    return errors.isEmpty();
}

// Qt's own options (-platform, -style ...) take one dash; Qt reads them
// itself, so a command line holding one is judged only after Qt has.
bool mayHoldQtOptions(const QStringList& arguments) {
    return std::any_of(arguments.begin() + 1, arguments.end(), [](const QString& a) {
        return a.startsWith(u'-') && !a.startsWith(QLatin1String("--")) && a != "-h";
    });
}

// Another copy of the app uses this documents folder: both writing the one
// case list would lose cases. Says so, in an alert too where there is a
// window to show it in.
void refuseSecondCopy(const QString& documents) {
    printLine(stderr, QStringLiteral("inspector-app: another copy of the app is using %1; "
                                     "end it first")
                          .arg(documents));
    const QString platformName = QGuiApplication::platformName();
    if (platformName == "offscreen" || platformName == "minimal") return;
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(appWindowTitle),
                    QStringLiteral("程式已在執行中，請先結束另一個程式。\n%1").arg(documents),
                    QMessageBox::NoButton);
    box.setTextFormat(Qt::PlainText);
    box.addButton(QStringLiteral("知道了"), QMessageBox::AcceptRole);
    box.exec();
}

} // namespace

int main(int argc, char** argv) {
    // --help, --version and a bad parameter file are answered before the
    // window system starts, so they need no display.
    QString error;
    const QStringList arguments = rawArguments(argc, argv);
    const std::optional<AppOptions> early = AppOptions::parse(arguments, &error);
    if (early && early->help) {
        std::fputs(qPrintable(AppOptions::helpText()), stdout);
        return 0;
    }
    if (early && early->version) {
        printLine(stdout, "inspector-app " + appVersion().value_or(QStringLiteral("(unknown)")));
        return 0;
    }
    if (!early && !mayHoldQtOptions(arguments)) {
        printLine(stderr, "inspector-app: " + error);
        return 2;
    }
    if (early && !parameterFileUsable(*early)) return 2;

    const std::unique_ptr<QTemporaryDir> runtime = providePrivateRuntimeFolder();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("inspector"));
    std::optional<AppOptions> options = AppOptions::parse(QApplication::arguments(), &error);
    if (!options) {
        printLine(stderr, "inspector-app: " + error);
        return 2;
    }
    if (options->verbose)
        QLoggingCategory::setFilterRules(QStringLiteral("inspector.diagnostics.debug=true"));
    std::optional<Scenario> scenario;
    if (!readScenarioOption(*options, scenario)) return 2;
    if (!parameterFileUsable(*options)) return 2;
    // Qt's TLS backend wants the application object.
    if (!authoritiesTrusted(*options)) return 2;
    if (!options->parameters.isEmpty())
        setParameterFileOverride(parametersFileName, options->parameters);

    StoreLock storeLock(documentsPath(*options));
    if (!storeLock.tryLock(0)) {
        refuseSecondCopy(documentsPath(*options));
        return 2;
    }
    // A phone's screen shows the layout of the nearest device, filling it.
    const std::optional<PhoneWindowFit> phoneWindow = phoneWindowOnScreen(
        options->fullscreen,
        options->deviceGiven ? std::optional<QSizeF>(options->screenSize) : std::nullopt);
    if (phoneWindow) {
        options->screenSize = phoneWindow->device;
        options->tablet = phoneWindow->tablet;
    }
    QtServices services(*options);
    // A live camera takes no pictures from files, nor from the scenario.
    const bool live = options->liveCamera;
    QtQrCaptureFactory qrCapture(live ? QString() : options->qrImages);
    services.platform.qrCapture = &qrCapture;
    // A scenario that feeds the camera has one, whatever this machine has.
    if (scenario && scenario->usesCamera() && !live) services.camera.setPresent(true);
    PlatformScope scope(services.platform);
    installQtTranslations(app);
    TouchTargets touchTargets;
    app.installEventFilter(&touchTargets);
    QApplication::setFont(systemFont(14));

    AppDelegate delegate(makeMainScreen);
    delegate.setWindowScale(phoneWindow ? phoneWindow->factor
                                        : fitFactorOnScreen(options->screenSize));
    delegate.setFillsScreen(phoneWindow.has_value());
    services.alerts.setWindow([&delegate] { return delegate.window(); });
    services.pictures.setWindow([&delegate] { return delegate.window(); });
    services.camera.setWindow([&delegate] { return delegate.window(); });
    delegate.applicationDidFinishLaunchingWithOptions();

    std::unique_ptr<ScenarioRunner> runner;
    if (scenario) {
        runner = std::make_unique<ScenarioRunner>(
            std::move(*scenario),
            ScenarioHooks{[&delegate] { return delegate.window(); },
                          [&services] { return services.alerts.currentDialog(); },
                          [&qrCapture, live](const QString& file) {
                              if (!live) qrCapture.showNext(file);
                          },
                          [&services, live](const QString& file) {
                              if (!live) services.camera.returnNext(file);
                          },
                          options->screenshots, options->touch});
        runner->start();
    }
    const int status = QApplication::exec();
    return runner ? runner->conclude(status) : status;
}
