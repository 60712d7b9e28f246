#pragma once

#include "platform/Location.h"
#include "store/UserLocationControl.h"

#include <QString>
#include <functional>
#include <map>
#include <optional>

// The state that several screens share: facts about the device, the network,
// the GPS switch with the last accepted position, and the server's address.
class BaseVars {
  public:
    // Reads the device facts from the platform and the server's address from
    // the parameter file.
    BaseVars();
    // Switches the GPS off (stopping location updates) before going away.
    virtual ~BaseVars();
    BaseVars(const BaseVars&) = delete;
    BaseVars& operator=(const BaseVars&) = delete;

    // The main screen is exactly 480 points high (the 3.5-inch phone).
    bool is3Inch5() const { return is3Inch5_; }
    void setIs3Inch5(bool value) { is3Inch5_ = value; }
    // The system version, read as a decimal number, is at least 8.0.
    bool ios8Version() const { return ios8Version_; }
    void setIos8Version(bool value) { ios8Version_ = value; }
    // The network is reachable.
    bool networkState() const { return networkState_; }
    void setNetworkState(bool value) { networkState_ = value; }
    // The GPS switch. Every assignment, also of the value it has, starts
    // (true) or stops (false) location updates through the control.
    bool isOpenGps() const { return isOpenGps_; }
    void setIsOpenGps(bool value);
    // Host of the inspection server, optionally with ":port".
    const QString& serverIp() const { return serverIp_; }
    void setServerIp(const QString& value) { serverIp_ = value; }
    // The last accepted position fix; none while no fix is known.
    const std::optional<LocationFix>& nowLocation() const { return nowLocation_; }
    // Sets the fix and then calls every observer of it.
    void setNowLocation(const std::optional<LocationFix>& value);
    // Calls observer after every assignment of nowLocation, until the
    // returned handle is given to removeNowLocationObserver.
    int addNowLocationObserver(std::function<void()> observer);
    void removeNowLocationObserver(int handle);

    // What the GPS switch starts and stops; none: nothing is called.
    void setUserLocationControl(UserLocationControl* control) { locationControl_ = control; }
    // Reacts to a change of the named field: "isOpenGps" starts or stops
    // location updates; any other name is ignored.
    void observeValueForKeyPath(const QString& keyPath);

    // A version text read as a decimal number, as far as it is one:
    // "7.1.2" reads as 7.1, "" and "abc" as 0.
    static double decimalValue(const QString& text);

  private:
    bool is3Inch5_ = false;
    bool ios8Version_ = false;
    bool networkState_ = false;
    bool isOpenGps_ = false;
    QString serverIp_;
    std::optional<LocationFix> nowLocation_;
    std::map<int, std::function<void()>> nowLocationObservers_;
    int nextObserverHandle_ = 0;
    UserLocationControl* locationControl_ = nullptr;
};
