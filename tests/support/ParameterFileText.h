#pragma once

#include <QByteArray>
#include <QString>

// The text of a "Parameters.plist" naming the server at 127.0.0.1:port and
// the app's own version.
QByteArray parameterFileText(int port, const QString& version);
// The same naming the server serverIp ("https://localhost:8443").
QByteArray parameterFileText(const QString& serverIp, const QString& version);
