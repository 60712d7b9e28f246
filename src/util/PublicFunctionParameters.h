#pragma once

#include <QString>

// Makes PublicFunction::getPlistPrarmAndKey read the parameter file fileName
// from path instead of the built-in resource (the app's --parameters option).
// An empty path goes back to the built-in file.
void setParameterFileOverride(const QString& fileName, const QString& path);

// The app's parameter file and the keys read from it.
inline constexpr char parametersFileName[] = "Parameters.plist";
inline constexpr char serverIpKey[] = "ServerIP";
inline constexpr char verIosKey[] = "ver_ios";
