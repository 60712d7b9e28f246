#include "app/AppDelegate.h"

#include "platform/Platform.h"
#include "store/PublicVars.h"
#include "ui/AppWindow.h"
#include "ui/NavigationController.h"
#include "ui/ProgressOverlay.h"
#include "ui/ScaledWindow.h"
#include "ui/ViewController.h"

#include <QVBoxLayout>

namespace {

AppDelegate* running = nullptr;

// A fix older than this many whole seconds is stale (a cached fix delivered
// first, for example) and is ignored.
constexpr qint64 kMaxFixAgeSeconds = 59;

} // namespace

AppDelegate::AppDelegate(std::function<ViewController*()> makeMainScreen)
    : makeMainScreen_(std::move(makeMainScreen)) {
    running = this;
}

AppDelegate::~AppDelegate() {
    if (launched_) PublicVars::sharedInstance().setUserLocationControl(nullptr);
    if (platform().indicator == indicator_.get()) platform().indicator = nullptr;
    if (running == this) running = nullptr;
}

AppDelegate* AppDelegate::shared() {
    return running;
}

bool AppDelegate::applicationDidFinishLaunchingWithOptions() {
    const QSizeF screen = platform().device->screenSize();
    window_ = std::make_unique<AppWindow>();
    window_->setFixedSize(screen.toSize());

    reachabilty_ = platform().reachability;
    reachabilty_->startNotifier([this] { reachabilityChanged(*reachabilty_); });
    updateInterfaceWithReachability(*reachabilty_);
    PublicVars::sharedInstance().setUserLocationControl(this);

    navigationController_ = new NavigationController(window_.get());
    auto* layout = new QVBoxLayout(window_.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(navigationController_);
    navigationController_->pushViewController(makeMainScreen_(), false);

    // White behind the screens. A palette rather than a style sheet: a style
    // sheet would reach every widget inside and paint over the colours of the
    // QR reader's shades and foot bar and of the alerts.
    window_->setAutoFillBackground(true);
    QPalette white = window_->palette();
    white.setColor(QPalette::Window, Qt::white);
    window_->setPalette(white);
    indicator_ = std::make_unique<WindowIndicator>(window_.get());
    platform().indicator = indicator_.get();
    if (fillsScreen_ || windowScale_ < 1) {
        scaledWindow_ = std::make_unique<ScaledWindow>(window_.get(), windowScale_);
        if (fillsScreen_)
            scaledWindow_->showFillingScreen();
        else
            scaledWindow_->show();
    } else {
        window_->show();
    }
    launched_ = true;
    return true;
}

void AppDelegate::reachabilityChanged(Reachability& monitor) {
    updateInterfaceWithReachability(monitor);
}

void AppDelegate::updateInterfaceWithReachability(Reachability& monitor) {
    const Reachability::Status status = monitor.currentStatus();
    PublicVars::sharedInstance().setNetworkState(status == Reachability::ReachableViaWiFi ||
                                                 status == Reachability::ReachableViaWWAN);
}

void AppDelegate::startUserLocation() {
    stopUserLocation();
    locationManager_ = platform().location->create();
    if (PublicVars::sharedInstance().ios8Version())
        locationManager_->requestWhenInUseAuthorization();
    locationManager_->onUpdate = [this](const LocationFix& fix,
                                        const std::optional<LocationFix>& previous) {
        locationManagerDidUpdateToLocationFromLocation(fix, previous);
    };
    locationManager_->onError = [this](const QString& error) {
        locationManagerDidFailWithError(error);
    };
    locationManager_->start();
}

void AppDelegate::stopUserLocation() {
    if (!locationManager_) return;
    locationManager_->stop();
    // The handle may be reporting right now (a failure stops it from its own
    // callback): let it go on the next turn of the main loop.
    std::shared_ptr<LocationSource> retired(std::move(locationManager_));
    platform().loop->after(0, [retired] {});
}

void AppDelegate::locationManagerDidUpdateToLocationFromLocation(
    const LocationFix& newLocation, const std::optional<LocationFix>& oldLocation) {
    Q_UNUSED(oldLocation);
    const qint64 ageSeconds =
        std::abs(newLocation.timestamp.msecsTo(platform().clock->now())) / 1000;
    if (newLocation.timestamp.isValid() && ageSeconds <= kMaxFixAgeSeconds)
        PublicVars::sharedInstance().setNowLocation(newLocation);
}

void AppDelegate::locationManagerDidFailWithError(const QString& error) {
    Q_UNUSED(error);
    PublicVars::sharedInstance().setNowLocation(std::nullopt);
    stopUserLocation();
}

ProgressOverlay* AppDelegate::activityIndicator() const {
    return indicator_ ? indicator_->current() : nullptr;
}
