#pragma once

#include <map>
#include <string>
#include <string_view>

// What an upload carried: its text fields and its photos by part name
// ("photo_1_1", ...), the JPEG bytes as they arrived.
struct Upload {
    std::map<std::string, std::string> fields;
    std::map<std::string, std::string> photos;
};

struct UploadReading {
    Upload upload;
    std::string problem;    // why the upload is refused; empty when it is sound
    bool malformed = false; // the body is not a readable form at all
};

// Reads a case upload from its Content-Type and whole body and checks it: a
// multipart form whose parts all carry a name; every required field present
// once; photo parts named photo_G_N (G 1 or 2, N counting from 1 without
// gaps), with that file name, of type image/jpeg, holding data that starts
// like a JPEG; each photo with its photoTime_G_N (digits, or empty for a photo
// whose time is unknown), PhotoLng_G_N and PhotoLat_G_N (finite decimal
// numbers); and no photo field without its photo.
UploadReading readUpload(std::string_view contentType, std::string_view body);
