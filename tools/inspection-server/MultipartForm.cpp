#include "MultipartForm.h"

#include <algorithm>
#include <cctype>

namespace {

// More parts than any case upload has; bounds the work a body can cause.
constexpr size_t kMaxParts = 1000;

bool sameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// Header parameters such as `form-data; name="a"; filename="b"`: the value
// before the first ";" and the named parameters after it.
struct HeaderValue {
    std::string_view type;
    std::vector<std::pair<std::string, std::string>> parameters;
    bool unterminatedQuote = false;

    std::optional<std::string> parameter(std::string_view name) const {
        for (const auto& [key, value] : parameters)
            if (sameLetters(key, name)) return value;
        return std::nullopt;
    }
};

// Reads a quoted string starting after its opening quote; a backslash takes
// the next character as it is. Returns false when no closing quote comes.
bool readQuoted(std::string_view text, size_t& at, std::string& out) {
    for (; at < text.size(); ++at) {
        if (text[at] == '"') {
            ++at;
            return true;
        }
        if (text[at] == '\\' && at + 1 < text.size()) ++at;
        out += text[at];
    }
    return false;
}

HeaderValue parseHeaderValue(std::string_view text) {
    HeaderValue value;
    size_t at = std::min(text.find(';'), text.size());
    value.type = trimmed(text.substr(0, at));
    while (at < text.size()) {
        ++at; // past ";"
        const size_t equals = text.find('=', at);
        const size_t semicolon = std::min(text.find(';', at), text.size());
        if (equals == std::string_view::npos || equals > semicolon) {
            at = semicolon;
            continue;
        }
        std::string name(trimmed(text.substr(at, equals - at)));
        at = equals + 1;
        while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
            ++at;
        std::string parameter;
        if (at < text.size() && text[at] == '"') {
            ++at;
            if (!readQuoted(text, at, parameter)) {
                value.unterminatedQuote = true;
                return value;
            }
            at = std::min(text.find(';', at), text.size());
        } else {
            const size_t end = std::min(text.find(';', at), text.size());
            parameter = trimmed(text.substr(at, end - at));
            at = end;
        }
        value.parameters.emplace_back(std::move(name), std::move(parameter));
    }
    return value;
}

std::string partLabel(size_t index) {
    return "第 " + std::to_string(index + 1) + " 個部分";
}

// Fills part from its header lines; returns a problem, empty when sound.
std::string readPartHeaders(std::string_view headers, size_t index, FormPart& part) {
    std::optional<HeaderValue> disposition;
    while (!headers.empty()) {
        const size_t end = std::min(headers.find("\r\n"), headers.size());
        const std::string_view line = headers.substr(0, end);
        headers.remove_prefix(std::min(end + 2, headers.size()));
        const size_t colon = line.find(':');
        if (colon == std::string_view::npos) return partLabel(index) + "的標頭沒有冒號";
        const std::string_view name = trimmed(line.substr(0, colon));
        const std::string_view value = trimmed(line.substr(colon + 1));
        if (sameLetters(name, "Content-Disposition")) {
            if (disposition) return partLabel(index) + "有兩個 Content-Disposition";
            disposition = parseHeaderValue(value);
        } else if (sameLetters(name, "Content-Type")) {
            part.contentType = value;
        }
    }
    if (!disposition) return partLabel(index) + "沒有 Content-Disposition";
    if (disposition->unterminatedQuote)
        return partLabel(index) + "的 Content-Disposition 引號沒有結束";
    if (!sameLetters(disposition->type, "form-data"))
        return partLabel(index) + "的 Content-Disposition 不是 form-data";
    part.name = disposition->parameter("name").value_or("");
    if (part.name.empty()) return partLabel(index) + "沒有名稱";
    part.filename = disposition->parameter("filename").value_or("");
    return {};
}

// After a delimiter "--boundary": skips the transport padding and the line
// break. Returns false when anything else follows.
bool skipLineEnd(std::string_view body, size_t& at) {
    while (at < body.size() && (body[at] == ' ' || body[at] == '\t'))
        ++at;
    if (body.substr(at, 2) != "\r\n") return false;
    at += 2;
    return true;
}

} // namespace

std::optional<std::string> formBoundary(std::string_view contentType) {
    const HeaderValue value = parseHeaderValue(contentType);
    if (!sameLetters(value.type, "multipart/form-data") || value.unterminatedQuote)
        return std::nullopt;
    const std::optional<std::string> boundary = value.parameter("boundary");
    if (!boundary || boundary->empty() || boundary->size() > 70) return std::nullopt;
    return boundary;
}

FormReading readMultipartForm(std::string_view body, std::string_view boundary) {
    const std::string dashBoundary = "--" + std::string(boundary);
    const std::string delimiter = "\r\n" + dashBoundary;
    size_t at = 0;
    if (body.substr(0, dashBoundary.size()) != dashBoundary) {
        at = body.find(delimiter);
        if (at == std::string_view::npos) return {{}, "找不到 multipart 的開頭分隔線"};
        at += 2;
    }
    FormReading reading;
    for (;;) {
        at += dashBoundary.size();
        if (body.substr(at, 2) == "--") return reading; // the closing delimiter
        if (!skipLineEnd(body, at)) return {{}, "multipart 分隔線後面不是換行"};
        if (reading.parts.size() == kMaxParts) return {{}, "multipart 的部分太多"};
        const size_t index = reading.parts.size();
        FormPart part;
        const size_t headersEnd = body.substr(at, 2) == "\r\n" ? at : body.find("\r\n\r\n", at);
        if (headersEnd == std::string_view::npos) return {{}, partLabel(index) + "的標頭沒有結束"};
        if (std::string problem = readPartHeaders(body.substr(at, headersEnd - at), index, part);
            !problem.empty())
            return {{}, problem};
        const size_t contentStart = headersEnd + (headersEnd == at ? 2 : 4);
        const size_t contentEnd = body.find(delimiter, contentStart);
        if (contentEnd == std::string_view::npos)
            return {{}, partLabel(index) + "之後沒有分隔線, 上傳內容不完整"};
        part.content = body.substr(contentStart, contentEnd - contentStart);
        reading.parts.push_back(std::move(part));
        at = contentEnd + 2;
    }
}
