// The server's answers read from any body: no crash, and an answer counts as accepted only when
// the body really is a JSON object saying so.
#include "FuzzCheck.h"

#include "net/ServerAnswers.h"
#include "json/JsonParser.h"

namespace {

// The text member key of the body when it is a JSON object, read independently of the answers.
std::optional<std::string> member(const std::optional<JsonValue>& body, std::string_view key) {
    return body ? body->stringForKey(key) : std::nullopt;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray body =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    JsonParser parser;
    const std::optional<JsonValue> value =
        parser.objectWithData(body.constData(), size_t(body.size()));

    if (readInspectorAnswer(body).accepted()) FUZZ_CHECK(member(value, "isChker") == "Y");
    if (readUploadAnswer(body).accepted()) FUZZ_CHECK(member(value, "state") == "0");
    const std::optional<CaseLookupAnswer> lookup = readCaseLookupAnswer(value);
    FUZZ_CHECK(lookup.has_value() == (value && value->isObject()));
    if (lookup && lookup->status)
        FUZZ_CHECK(member(value, "status") == lookup->status->toStdString());
    return 0;
}
