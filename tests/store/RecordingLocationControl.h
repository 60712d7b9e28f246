#pragma once

#include "store/UserLocationControl.h"

#include <QStringList>

// Records the calls of the GPS switch.
class RecordingLocationControl : public UserLocationControl {
  public:
    void startUserLocation() override { calls << "start"; }
    void stopUserLocation() override { calls << "stop"; }
    QStringList calls;
};
