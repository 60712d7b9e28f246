#pragma once

#include "json/JsonValue.h"

#include <string>

class JsonStreamParser;

// Hears the parts of a document as the grammar accepts them. Every operation does nothing unless
// overridden, so a delegate overrides only what it needs.
class JsonStreamParserDelegate {
  public:
    virtual ~JsonStreamParserDelegate() = default;

    virtual void parserFoundArrayStart(JsonStreamParser&) {}
    virtual void parserFoundArrayEnd(JsonStreamParser&) {}
    virtual void parserFoundObjectStart(JsonStreamParser&) {}
    virtual void parserFoundObjectEnd(JsonStreamParser&) {}
    virtual void parserFoundObjectKey(JsonStreamParser&, std::string /*key*/) {}
    virtual void parserFoundString(JsonStreamParser&, std::string /*text*/) {}
    // number holds an integer or a JsonDecimal.
    virtual void parserFoundNumber(JsonStreamParser&, JsonValue /*number*/) {}
    virtual void parserFoundBoolean(JsonStreamParser&, bool /*value*/) {}
    virtual void parserFoundNull(JsonStreamParser&) {}
};
