#pragma once

#include "json/JsonStreamParserAdapter.h"

// Keeps the outer-most value the adapter delivers.
class JsonStreamParserAccumulator : public JsonStreamParserAdapterDelegate {
  public:
    void parserFoundArray(JsonStreamParser& parser, JsonArray array) override;
    void parserFoundObject(JsonStreamParser& parser, JsonObject object) override;

    // Hands over the value received last (null if none).
    JsonValue takeValue() { return std::move(value_); }

  private:
    JsonValue value_;
};
