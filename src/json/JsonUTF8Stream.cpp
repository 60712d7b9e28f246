#include "json/JsonUTF8Stream.h"

#include <algorithm>

namespace {
constexpr std::size_t kInitialCapacity = 4096;
} // namespace

void JsonUTF8Stream::appendData(std::string_view data) {
    if (index_ == bytes_.size()) {
        // Nothing is left over: read the new data where it is.
        buffer_.clear();
        bytes_ = data;
    } else {
        keepRemaining();
        buffer_.insert(buffer_.end(), data.begin(), data.end());
        bytes_ = std::string_view(buffer_.data(), buffer_.size());
    }
    index_ = 0;
}

void JsonUTF8Stream::keepRemaining() {
    const std::string_view rest = remaining();
    if (!buffer_.empty() && bytes_.data() == buffer_.data()) {
        buffer_.erase(buffer_.begin(), buffer_.begin() + std::ptrdiff_t(index_));
    } else {
        if (buffer_.capacity() == 0 && !rest.empty())
            buffer_.reserve(std::max(kInitialCapacity, rest.size()));
        buffer_.assign(rest.begin(), rest.end());
    }
    bytes_ = std::string_view(buffer_.data(), buffer_.size());
    index_ = 0;
}
