#include "json/JsonUTF8Stream.h"

#include <algorithm>

JsonUTF8Stream::JsonUTF8Stream() {
    buffer_.reserve(4096);
}

void JsonUTF8Stream::appendData(std::string_view data) {
    buffer_.erase(buffer_.begin(), buffer_.begin() + std::ptrdiff_t(index_));
    index_ = 0;
    buffer_.insert(buffer_.end(), data.begin(), data.end());
}

std::string_view JsonUTF8Stream::remaining() const {
    return std::string_view(buffer_.data() + index_, buffer_.size() - index_);
}

void JsonUTF8Stream::skip(std::size_t count) {
    index_ += std::min(count, buffer_.size() - index_);
}

void JsonUTF8Stream::skipWhitespace() {
    while (index_ < buffer_.size()) {
        const char c = buffer_[index_];
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r') break;
        ++index_;
    }
}
