#pragma once

#include "UploadCheck.h"

#include <filesystem>
#include <mutex>
#include <string>

// Keeps accepted uploads in a folder so a person can look at what arrived:
// one sub-folder per upload, "NNNN-PAKENO-CHKNO", holding fields.json (the
// text fields) and one .jpg per photo. Safe to use from several threads.
class UploadStore {
  public:
    // An empty folder keeps nothing.
    explicit UploadStore(std::filesystem::path folder);

    // Writes the upload in full or not at all. Returns an error message, empty
    // on success (and when nothing is kept).
    std::string keep(const Upload& upload);

  private:
    std::filesystem::path nextFolder(const Upload& upload) const;

    std::filesystem::path folder_;
    std::mutex mutex_;
};
