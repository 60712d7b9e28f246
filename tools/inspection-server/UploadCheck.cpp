#include "UploadCheck.h"

#include "MultipartForm.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <regex>
#include <set>
#include <vector>

namespace {

const char* const kRequiredFields[] = {"date",   "pakeno", "Chkno",  "startTime", "devToken",
                                       "tecuni", "tecnam", "osType", "appVersion"};
const char* const kPhotoFieldPrefixes[] = {"photoTime_", "PhotoLng_", "PhotoLat_"};
// Photo numbers have at most four digits, so they always fit an integer.
const std::regex kPhotoName("photo_([12])_([1-9][0-9]{0,3})");
const std::regex kPhotoField("(photoTime|PhotoLng|PhotoLat)_([12])_([1-9][0-9]{0,3})");

// Plain decimal text such as "-25.03" of a finite number; no exponent, no
// "nan" or "inf" in any spelling.
bool isDecimal(const std::string& text) {
    if (text.empty() || !(text[0] == '-' || (text[0] >= '0' && text[0] <= '9'))) return false;
    double value = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    return result.ec == std::errc() && result.ptr == end && std::isfinite(value);
}

// A photo time: digits, or empty for a photo whose time is unknown (the app
// sends those so that such a case can still be sent).
bool isPhotoTime(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string checkPart(const FormPart& part, Upload& upload) {
    const bool isPhoto = std::regex_match(part.name, kPhotoName);
    if (upload.fields.contains(part.name) || upload.photos.contains(part.name))
        return "欄位重複: " + part.name;
    if (!isPhoto) {
        if (!part.filename.empty()) return "不明的檔案: " + part.name;
        upload.fields[part.name] = std::string(part.content);
        return {};
    }
    if (part.filename != part.name) return "照片 " + part.name + " 的檔名不符";
    if (part.contentType != "image/jpeg") return "照片 " + part.name + " 不是 image/jpeg";
    if (!part.content.starts_with("\xFF\xD8")) return "照片 " + part.name + " 不是 JPEG 資料";
    upload.photos[part.name] = std::string(part.content);
    return {};
}

std::string checkPhotoFields(const Upload& upload) {
    for (const auto& [name, jpeg] : upload.photos) {
        const std::string numbering = name.substr(std::string("photo_").size()); // "1_2"
        for (const char* prefix : kPhotoFieldPrefixes) {
            const std::string field = prefix + numbering;
            const auto found = upload.fields.find(field);
            if (found == upload.fields.end()) return "照片 " + name + " 缺少欄位 " + field;
            const bool sound = field.starts_with("photoTime_") ? isPhotoTime(found->second)
                                                               : isDecimal(found->second);
            if (!sound) return "欄位 " + field + " 的值不正確";
        }
    }
    for (const auto& [name, value] : upload.fields) {
        std::smatch m;
        if (std::regex_match(name, m, kPhotoField) &&
            !upload.photos.contains("photo_" + m[2].str() + "_" + m[3].str()))
            return "欄位 " + name + " 沒有對應的照片";
    }
    return {};
}

std::string checkNumbering(const Upload& upload) {
    for (const char* group : {"1", "2"}) {
        std::set<unsigned long> numbers;
        for (const auto& [name, jpeg] : upload.photos) {
            std::smatch m;
            if (std::regex_match(name, m, kPhotoName) && m[1] == group)
                numbers.insert(std::stoul(m[2].str()));
        }
        unsigned long expected = 1;
        for (unsigned long n : numbers)
            if (n != expected++)
                return "照片編號不連續: photo_" + std::string(group) + "_" + std::to_string(n);
    }
    return {};
}

} // namespace

UploadReading readUpload(std::string_view contentType, std::string_view body) {
    const std::optional<std::string> boundary = formBoundary(contentType);
    if (!boundary) return {{}, "上傳內容不是 multipart/form-data", true};
    const FormReading form = readMultipartForm(body, *boundary);
    if (!form.problem.empty()) return {{}, form.problem, true};
    UploadReading reading;
    for (const FormPart& part : form.parts)
        if (std::string problem = checkPart(part, reading.upload); !problem.empty())
            return {{}, problem};
    for (const char* field : kRequiredFields)
        if (!reading.upload.fields.contains(field)) return {{}, std::string("缺少欄位 ") + field};
    reading.problem = checkPhotoFields(reading.upload);
    if (reading.problem.empty()) reading.problem = checkNumbering(reading.upload);
    return reading;
}
