#pragma once

#include <QString>
#include <optional>

// Adds the PEM certificates of file to the authorities that every TLS
// connection of the process trusts from now on, beside the system's own (for
// testing and private servers). Returns what keeps the file from serving
// (unreadable, or no certificate in it), or nothing.
std::optional<QString> trustAuthoritiesOf(const QString& file);
