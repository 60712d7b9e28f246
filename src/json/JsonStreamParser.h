#pragma once

#include "json/JsonSmallStack.h"
#include "json/JsonStreamParserDelegate.h"
#include "json/JsonStreamParserState.h"
#include "json/JsonTokeniser.h"

#include <string>
#include <string_view>
#include <vector>

// Checks JSON text against the grammar as it arrives and tells its delegate what it found. The
// outer-most value must be an array or an object, nested at most maxDepth() deep.
class JsonStreamParser {
  public:
    JsonStreamParser();
    JsonStreamParser(const JsonStreamParser&) = delete;
    JsonStreamParser& operator=(const JsonStreamParser&) = delete;

    // Takes the next piece of the text. May be called again with more while it returns
    // WaitingForData; once it has returned Error it stays in error.
    JsonStreamParserStatus parse(std::string_view bytes);
    // Tells the parser that no more input will come and returns how the text ended: Complete
    // only if the outer-most value has ended and nothing but whitespace follows it,
    // WaitingForData if the text was cut off.
    JsonStreamParserStatus finish();

    // The delegate is not owned; nullptr stands for one that ignores everything.
    void setDelegate(JsonStreamParserDelegate* delegate);
    unsigned long maxDepth() const { return maxDepth_; }
    void setMaxDepth(unsigned long maxDepth) { maxDepth_ = maxDepth; }
    const std::string& error() const { return error_; }

    const JsonStreamParserState& state() const { return *state_; }
    void setState(const JsonStreamParserState& state) { state_ = &state; }

  private:
    JsonStreamParserStatus parseTokens();
    JsonStreamParserStatus fail(std::string message);
    JsonStreamParserStatus rejectToken(JsonToken token);
    // Both return false when the token put the parser in error.
    bool handleToken(JsonToken token);
    bool openContainer(JsonToken token);
    void closeContainer(JsonToken token);

    JsonTokeniser tokeniser_;
    JsonStreamParserDelegate* delegate_;
    unsigned long maxDepth_ = 32;
    const JsonStreamParserState* state_;
    // The state to go back to at the end of each open container.
    JsonSmallStack<const JsonStreamParserState*, 32> stateStack_;
    std::string error_;
};
