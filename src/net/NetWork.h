#pragma once

#include "platform/Alert.h"
#include "json/JsonValue.h"

#include <QString>
#include <optional>

// Blocking fetches of server answers.
class NetWork {
  public:
    NetWork() = delete;

    // Reads the whole body at url (already percent-escaped text), blocking
    // the caller, and returns what the JSON reader makes of it: none when the
    // body is not JSON. When no body comes at all (no network, server down,
    // invalid URL, time-out) it shows transferInterruptedAlert(), which
    // reaches no screen, and returns none.
    static std::optional<JsonValue> getDictionaryByUrlJSonObject(const QString& url);
};

// The alert that tells the inspector a case could not reach the server,
// with its one button; the caller adds a tag and a handler if it needs them.
Alert transferInterruptedAlert();
