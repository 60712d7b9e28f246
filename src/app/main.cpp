// The inspection app on the desktop: wires the Qt platform services, starts
// the application delegate with the main screen, and runs Qt's event loop.
#include "app/AppDelegate.h"
#include "app/AppOptions.h"
#include "app/QtServices.h"
#include "app/ScriptedSession.h"
#include "qr/QtQrCaptureFactory.h"
#include "screens/ScreenWiring.h"
#include "util/PublicFunctionParameters.h"
#include "util/SystemFont.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("inspector"));
    QString error;
    const std::optional<AppOptions> options = AppOptions::parse(QApplication::arguments(), &error);
    if (!options) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 2;
    }
    if (!options->parameters.isEmpty())
        setParameterFileOverride(parametersFileName, options->parameters);

    QtServices services(*options);
    QtQrCaptureFactory qrCapture(options->qrImages);
    services.platform.qrCapture = &qrCapture;
    PlatformScope scope(services.platform);
    QApplication::setFont(systemFont(14));

    AppDelegate delegate(makeMainScreen);
    services.alerts.setWindow([&delegate] { return delegate.window(); });
    delegate.applicationDidFinishLaunchingWithOptions();

    std::unique_ptr<ScriptedSession> session;
    if (!options->scriptId.isEmpty()) {
        const QString shots =
            options->screenshots.isEmpty() ? QStringLiteral("screenshots") : options->screenshots;
        session = std::make_unique<ScriptedSession>(delegate.window(), services.alerts,
                                                    options->scriptId, shots);
        session->start();
    }
    return QApplication::exec();
}
