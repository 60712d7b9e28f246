#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <vector>

// The tokeniser's input: the bytes received and not yet consumed, and the read index. Data is
// read where the caller holds it; only the unconsumed tail, kept for the next piece by
// keepRemaining(), is copied into a buffer of our own.
class JsonUTF8Stream {
  public:
    // Discards the bytes before the read index (which becomes 0), then appends data. data must
    // stay valid until keepRemaining() has been called.
    void appendData(std::string_view data);
    // Copies the bytes not yet consumed into the stream's own buffer, so that the data last
    // appended may go away.
    void keepRemaining();

    // Returns the bytes from the read index to the end of the input.
    std::string_view remaining() const { return bytes_.substr(index_); }
    std::size_t index() const { return index_; }
    // Moves the read index forward by count bytes (at most to the end of the input).
    void skip(std::size_t count) { index_ += std::min(count, bytes_.size() - index_); }
    // Moves the read index past spaces, tabs, line feeds and carriage returns.
    void skipWhitespace() {
        while (index_ < bytes_.size() && isWhitespace(bytes_[index_]))
            ++index_;
    }

  private:
    static bool isWhitespace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

    std::vector<char> buffer_;
    std::string_view bytes_; // the input: buffer_, or the data last appended
    std::size_t index_ = 0;
};
