#pragma once

#include "json/JsonValue.h"

#include <QByteArray>
#include <QString>
#include <optional>

// The server's answers, read member by member. A member that is missing or
// not a string reads as none, and none equals no literal.

// The inspector lookup's answer.
struct InspectorAnswer {
    std::optional<QString> isChker;
    // Base64 of the UTF-8 name, which may hold HTML character references.
    std::optional<QString> chkerName;
    std::optional<QString> ver_ios;
    std::optional<QString> url_ios;
    std::optional<QString> max_up_date; // ROC date yyyMMdd
    std::optional<QString> msg;

    // Whether the identity number belongs to an inspector.
    bool accepted() const { return isChker == QStringLiteral("Y"); }
};

// The case lookup's answer.
struct CaseLookupAnswer {
    std::optional<QString> status; // "Y" upload, "N" refused, "D" overdue
    std::optional<QString> upload_path;
    std::optional<QString> msg;
    std::optional<QString> ver_ios;
    std::optional<QString> url_ios;
};

// The case upload's answer.
struct UploadAnswer {
    std::optional<QString> state;
    std::optional<QString> msg;

    bool accepted() const { return state == QStringLiteral("0"); }
};

// Reads an inspector lookup body. A body that is not a JSON object answers
// nothing, which is a refusal; of a refusal only "isChker" is read.
InspectorAnswer readInspectorAnswer(const QByteArray& body);

// Reads a case lookup answer; none when the value is not a JSON object.
std::optional<CaseLookupAnswer> readCaseLookupAnswer(const std::optional<JsonValue>& value);

// Reads an upload answer body (UTF-8). A body that is not a JSON object
// answers nothing, which is a refusal.
UploadAnswer readUploadAnswer(const QByteArray& body);
