#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

// The tokeniser's input buffer: the bytes received and not yet consumed, and the read index.
class JsonUTF8Stream {
  public:
    JsonUTF8Stream();

    // Discards the bytes before the read index (which becomes 0), then appends data.
    void appendData(std::string_view data);

    // Returns the bytes from the read index to the end of the buffer.
    std::string_view remaining() const;
    std::size_t index() const { return index_; }
    // Moves the read index forward by count bytes (at most to the end of the buffer).
    void skip(std::size_t count);
    // Moves the read index past spaces, tabs, line feeds and carriage returns.
    void skipWhitespace();

  private:
    std::vector<char> buffer_;
    std::size_t index_ = 0;
};
