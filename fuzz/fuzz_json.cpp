// The JSON reader on any bytes: a value or a message, never both or neither, and the same
// outcome whether the text comes whole or in pieces of any size.
#include "FuzzCheck.h"
#include "json/JsonTestSupport.h"

#include "json/JsonCompactWriter.h"
#include "json/JsonParser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    JsonParser parser;
    const std::optional<JsonValue> value = parser.objectWithData(text.data(), text.size());
    FUZZ_CHECK(value.has_value() == parser.error().empty());

    const Outcome whole = parseInPieces(text, text.size() + 1);
    const std::size_t pieceSize = size == 0 ? 1 : 1 + data[size / 2] % 7;
    FUZZ_CHECK(parseInPieces(text, pieceSize) == whole);
    if (value)
        FUZZ_CHECK(whole.status == JsonStreamParserStatus::Complete &&
                   whole.text == compactJson(*value));
    return 0;
}
