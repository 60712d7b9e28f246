// The inspection app on the desktop: wires the Qt platform services, starts
// the application delegate with the main screen, and runs Qt's event loop,
// driven by a scenario when one is given.
#include "app/AppDelegate.h"
#include "app/AppOptions.h"
#include "app/QtServices.h"
#include "qr/QtQrCaptureFactory.h"
#include "scenario/ScenarioRunner.h"
#include "screens/ScreenWiring.h"
#include "util/PublicFunctionParameters.h"
#include "util/SystemFont.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

namespace {

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

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("inspector"));
    QString error;
    const std::optional<AppOptions> options = AppOptions::parse(QApplication::arguments(), &error);
    if (!options) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 2;
    }
    std::optional<Scenario> scenario;
    if (!readScenarioOption(*options, scenario)) return 2;
    if (!options->parameters.isEmpty())
        setParameterFileOverride(parametersFileName, options->parameters);

    QtServices services(*options);
    QtQrCaptureFactory qrCapture(options->qrImages);
    services.platform.qrCapture = &qrCapture;
    // A scenario that feeds the camera has one, whatever this machine has.
    if (scenario && scenario->usesCamera()) services.camera.setPresent(true);
    PlatformScope scope(services.platform);
    QApplication::setFont(systemFont(14));

    AppDelegate delegate(makeMainScreen);
    services.alerts.setWindow([&delegate] { return delegate.window(); });
    delegate.applicationDidFinishLaunchingWithOptions();

    std::unique_ptr<ScenarioRunner> runner;
    if (scenario) {
        runner = std::make_unique<ScenarioRunner>(
            std::move(*scenario),
            ScenarioHooks{[&delegate] { return delegate.window(); },
                          [&services] { return services.alerts.currentDialog(); },
                          [&qrCapture](const QString& file) { qrCapture.showNext(file); },
                          [&services](const QString& file) { services.camera.returnNext(file); },
                          options->screenshots});
        runner->start();
    }
    const int status = QApplication::exec();
    return runner ? runner->conclude(status) : status;
}
