#pragma once

#include "json/JsonSmallStack.h"
#include "json/JsonStreamParserDelegate.h"
#include "json/JsonValue.h"

#include <string>
#include <vector>

// Receives the outer-most array or object that a JsonStreamParserAdapter has built.
class JsonStreamParserAdapterDelegate {
  public:
    virtual ~JsonStreamParserAdapterDelegate() = default;

    virtual void parserFoundArray(JsonStreamParser& parser, JsonArray array) = 0;
    virtual void parserFoundObject(JsonStreamParser& parser, JsonObject object) = 0;
};

// Builds the value tree from what the parser finds, without recursion, and hands each finished
// outer-most array or object to its delegate.
class JsonStreamParserAdapter : public JsonStreamParserDelegate {
  public:
    // The delegate is not owned; nullptr drops finished values.
    void setDelegate(JsonStreamParserAdapterDelegate* delegate) { delegate_ = delegate; }

    void parserFoundArrayStart(JsonStreamParser& parser) override;
    void parserFoundArrayEnd(JsonStreamParser& parser) override;
    void parserFoundObjectStart(JsonStreamParser& parser) override;
    void parserFoundObjectEnd(JsonStreamParser& parser) override;
    void parserFoundObjectKey(JsonStreamParser& parser, std::string key) override;
    void parserFoundString(JsonStreamParser& parser, std::string text) override;
    void parserFoundNumber(JsonStreamParser& parser, JsonValue number) override;
    void parserFoundBoolean(JsonStreamParser& parser, bool value) override;
    void parserFoundNull(JsonStreamParser& parser) override;

  private:
    enum class Container { None, Array, Dictionary };

    // An array or object still being read. Its values (or members) are the ones from start on of
    // the scratch stack of its kind, so each finished container is made once, at its size.
    struct Frame {
        Container kind;
        std::size_t start;
        bool keyWaiting; // a dictionary's last member still waits for its value
    };

    std::size_t closeFrame(Container kind);
    void addValue(JsonValue&& value);
    Container currentType() const;

    JsonSmallStack<Frame, 32> containerStack_;
    std::vector<JsonValue> values_;   // the values of the open arrays, innermost last
    std::vector<JsonMember> members_; // the members of the open dictionaries, innermost last
    JsonStreamParserAdapterDelegate* delegate_ = nullptr;
};
