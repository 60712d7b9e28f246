#include "UploadStore.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// Only letters, digits, "-" and "_" from the client reach a file name, so no
// field value can climb out of the folder or hide a file.
std::string safeName(const std::string& text) {
    std::string name;
    for (char c : text)
        name += std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' ? c : '_';
    return name.substr(0, 40);
}

std::string valueOr(const std::map<std::string, std::string>& fields, const char* key) {
    const auto found = fields.find(key);
    return found == fields.end() ? std::string() : found->second;
}

bool writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    return static_cast<bool>(file);
}

} // namespace

UploadStore::UploadStore(fs::path folder) : folder_(std::move(folder)) {}

fs::path UploadStore::nextFolder(const Upload& upload) const {
    unsigned long highest = 0;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder_, ec))
        highest = std::max(highest, std::strtoul(entry.path().filename().c_str(), nullptr, 10));
    char number[16];
    std::snprintf(number, sizeof number, "%04lu", highest + 1);
    return folder_ / (std::string(number) + "-" + safeName(valueOr(upload.fields, "pakeno")) + "-" +
                      safeName(valueOr(upload.fields, "Chkno")));
}

std::string UploadStore::keep(const Upload& upload) {
    if (folder_.empty()) return {};
    std::lock_guard lock(mutex_);
    std::error_code ec;
    fs::create_directories(folder_, ec);
    const fs::path final = nextFolder(upload);
    // Written under a name that marks it unfinished, then renamed at once.
    const fs::path partial = final.string() + ".partial";
    fs::remove_all(partial, ec);
    if (!fs::create_directory(partial, ec)) return "cannot create " + partial.string();
    nlohmann::json fields(upload.fields);
    bool written = writeFile(partial / "fields.json",
                             fields.dump(2, ' ', false, nlohmann::json::error_handler_t::replace));
    for (const auto& [name, jpeg] : upload.photos)
        written = written && writeFile(partial / (safeName(name) + ".jpg"), jpeg);
    if (written) fs::rename(partial, final, ec);
    if (!written || ec) {
        fs::remove_all(partial, ec);
        return "cannot write " + final.string();
    }
    return {};
}
