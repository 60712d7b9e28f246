#pragma once

#include "json/JsonToken.h"
#include "json/JsonUTF8Stream.h"
#include "json/JsonValue.h"

#include <string>
#include <string_view>

// Splits JSON text into tokens. Input may arrive in pieces: a token cut off by the end of the
// input so far is read again, from its start, once more data has been appended.
//
// In "Illegal start of token [%c]" the byte is shown as the character of the same number
// (ISO 8859-1) in UTF-8, so the message stays valid UTF-8 whatever byte was found.
class JsonTokeniser {
  public:
    // data must stay valid until keepRemaining() has been called.
    void appendData(std::string_view data) { stream_.appendData(data); }
    // Keeps the input not yet read in a buffer of its own (see JsonUTF8Stream).
    void keepRemaining() { stream_.keepRemaining(); }

    // Reads the next token. Returns Eof when the input ends before a whole token (a number is
    // whole only once a byte after it has arrived), and Error with error() set when the text
    // cannot be JSON.
    JsonToken getToken();
    // Returns the kind of the token that Eof left unfinished, or Eof if none was begun.
    JsonToken pendingToken() const;

    // The text of the last String token, handed over once.
    std::string takeString() { return std::move(string_); }
    // The value of the last Number token, handed over once.
    JsonValue takeNumber() { return std::move(number_); }
    const std::string& error() const { return error_; }

  private:
    enum class Scan { Done, Incomplete, Failed };

    JsonToken getLiteralToken(std::string_view in, std::string_view literal, JsonToken token);
    JsonToken getNumberToken(std::string_view in);
    JsonToken getStringToken(std::string_view in);
    Scan appendEscape(std::string_view in, std::size_t& pos);
    Scan appendUnicodeEscape(std::string_view in, std::size_t& pos);
    Scan readHexQuad(std::string_view in, std::size_t& pos, char32_t& unit);
    JsonToken consume(std::size_t length, JsonToken token);
    JsonToken fail(std::string message);
    Scan failScan(const char* message);

    JsonUTF8Stream stream_;
    std::string error_;
    std::string string_;
    JsonValue number_;
};
