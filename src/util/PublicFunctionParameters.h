#pragma once

#include <QString>
#include <optional>

// Makes PublicFunction::getPlistPrarmAndKey read the parameter file fileName
// from path instead of the built-in resource (the app's --parameters option).
// An empty path goes back to the built-in file.
void setParameterFileOverride(const QString& fileName, const QString& path);

// The app's parameter file and the keys read from it.
inline constexpr char parametersFileName[] = "Parameters.plist";
inline constexpr char serverIpKey[] = "ServerIP";
inline constexpr char verIosKey[] = "ver_ios";

// The app's version: the "ver_ios" of the parameter file in use, or none when
// that file has none.
std::optional<QString> appVersion();

// Why the parameter file at path cannot serve the app (missing, unreadable,
// not a property list, or without a non-empty "ServerIP"), as one line that
// names the file; none when it can.
std::optional<QString> parameterFileProblem(const QString& path);
