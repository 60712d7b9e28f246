#include "json/JsonMessage.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

std::string printfMessage(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string message;
    if (length > 0) {
        std::vector<char> buffer(std::size_t(length) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format, again);
        message.assign(buffer.data(), std::size_t(length));
    }
    va_end(again);
    return message;
}

std::string fillMessage(std::string_view format, std::string_view placeholder,
                        std::initializer_list<std::string_view> texts) {
    std::string message;
    auto text = texts.begin();
    std::size_t from = 0;
    for (std::size_t at = format.find(placeholder);
         at != std::string_view::npos && text != texts.end(); at = format.find(placeholder, from)) {
        message.append(format.substr(from, at - from)).append(*text++);
        from = at + placeholder.size();
    }
    return message.append(format.substr(from));
}
