#include "net/ServerAnswers.h"

#include "json/JsonParser.h"

namespace {

std::optional<QString> text(const JsonValue* object, const char* key) {
    if (!object) return std::nullopt;
    const std::optional<std::string> value = object->stringForKey(key);
    if (!value) return std::nullopt;
    return QString::fromStdString(*value);
}

// The body's top-level object, or nullptr.
const JsonValue* objectOf(const std::optional<JsonValue>& value) {
    return value && value->isObject() ? &*value : nullptr;
}

std::optional<JsonValue> parse(const QByteArray& body) {
    return JsonParser().objectWithData(body.constData(), body.size());
}

} // namespace

InspectorAnswer readInspectorAnswer(const QByteArray& body) {
    const std::optional<JsonValue> value = parse(body);
    const JsonValue* object = objectOf(value);
    InspectorAnswer answer;
    answer.isChker = text(object, "isChker");
    if (!answer.accepted()) return answer;
    answer.chkerName = text(object, "chkerName");
    answer.ver_ios = text(object, "ver_ios");
    answer.url_ios = text(object, "url_ios");
    answer.max_up_date = text(object, "max_up_date");
    answer.msg = text(object, "msg");
    return answer;
}

std::optional<CaseLookupAnswer> readCaseLookupAnswer(const std::optional<JsonValue>& value) {
    const JsonValue* object = objectOf(value);
    if (!object) return std::nullopt;
    return CaseLookupAnswer{text(object, "status"), text(object, "upload_path"),
                            text(object, "msg"), text(object, "ver_ios"), text(object, "url_ios")};
}

UploadAnswer readUploadAnswer(const QByteArray& body) {
    const std::optional<JsonValue> value = parse(body);
    const JsonValue* object = objectOf(value);
    return UploadAnswer{text(object, "state"), text(object, "msg")};
}
