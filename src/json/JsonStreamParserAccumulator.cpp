#include "json/JsonStreamParserAccumulator.h"

void JsonStreamParserAccumulator::parserFoundArray(JsonStreamParser&, JsonArray array) {
    value_ = JsonValue(std::move(array));
}

void JsonStreamParserAccumulator::parserFoundObject(JsonStreamParser&, JsonObject object) {
    value_ = JsonValue(std::move(object));
}
