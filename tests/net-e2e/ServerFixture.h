#pragma once

#include "InspectionServer.h"
#include "platform/qt/QtHttpClient.h"
#include "support/FakePlatform.h"

#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

// The stand-in server on a free loopback port, with the app's real HTTP
// client swapped into otherwise fake platform services.
class ServerFixture : public testing::Test {
  protected:
    ServerFixture();

    // The configuration every test starts from: one inspector, a version
    // announcement, an overdue case and a refused case.
    static ServerConfig demoConfig();
    // "127.0.0.1:PORT", as the app's parameter file would name the server.
    QString serverIp() const;
    // Runs the Qt event loop until done() holds or the safety cap has passed;
    // returns done().
    static bool pumpUntil(const std::function<bool()>& done, double capSeconds = 30);

    QTemporaryDir store;
    FakePlatform fake;
    QtHttpClient http;
    InspectionServer server;
    int port = -1;
};
