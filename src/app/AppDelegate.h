#pragma once

#include "platform/Location.h"
#include "platform/Reachability.h"
#include "store/UserLocationControl.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

class NavigationController;
class ProgressOverlay;
class ScaledWindow;
class WindowIndicator;
class ViewController;

// Builds the window and the navigation stack at launch, keeps the shared
// state's network flag up to date and runs the location service while the
// GPS switch asks for it. Nothing is saved on leaving the foreground: the
// case store is written whenever a screen changes it.
class AppDelegate : public UserLocationControl {
  public:
    // makeMainScreen creates the screen at the bottom of the stack.
    explicit AppDelegate(std::function<ViewController*()> makeMainScreen);
    ~AppDelegate() override;

    // The delegate of the running app, or none.
    static AppDelegate* shared();

    // Builds and shows the window with the main screen; returns true.
    bool applicationDidFinishLaunchingWithOptions();
    // Has the window drawn smaller by factor (below 1) once it shows, for a
    // desktop screen too small for the device.
    void setWindowScale(double factor) { windowScale_ = factor; }
    // Has the window fill the screen, drawn larger or smaller by the window
    // scale, in the middle.
    void setFillsScreen(bool fills) { fillsScreen_ = fills; }
    void reachabilityChanged(Reachability& monitor);
    void updateInterfaceWithReachability(Reachability& monitor);

    void startUserLocation() override;
    void stopUserLocation() override;
    void
    locationManagerDidUpdateToLocationFromLocation(const LocationFix& newLocation,
                                                   const std::optional<LocationFix>& oldLocation);
    void locationManagerDidFailWithError(const QString& error);

    Reachability* reachabilty() const { return reachabilty_; }
    LocationSource* locationManager() const { return locationManager_.get(); }
    QWidget* window() const { return window_.get(); }
    NavigationController* navigationController() const { return navigationController_; }
    // The progress overlay now shown over the window, if any.
    ProgressOverlay* activityIndicator() const;

  private:
    std::function<ViewController*()> makeMainScreen_;
    Reachability* reachabilty_ = nullptr;
    std::unique_ptr<LocationSource> locationManager_;
    std::unique_ptr<QWidget> window_;
    double windowScale_ = 1;
    bool fillsScreen_ = false;
    std::unique_ptr<ScaledWindow> scaledWindow_; // gone before window_
    std::unique_ptr<WindowIndicator> indicator_; // gone before window_
    NavigationController* navigationController_ = nullptr;
    bool launched_ = false;
};
