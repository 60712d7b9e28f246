#pragma once

#include <map>
#include <string>

namespace httplib {
struct Request;
}

// What an upload carried: its text fields and its photos by part name
// ("photo_1_1", ...), the JPEG bytes as they arrived.
struct Upload {
    std::map<std::string, std::string> fields;
    std::map<std::string, std::string> photos;
};

struct UploadReading {
    Upload upload;
    std::string problem; // why the upload is refused; empty when it is sound
};

// Reads a case upload with cpp-httplib's multipart parser and checks it: every
// required field present once; photo parts named photo_G_N (G 1 or 2, N
// counting from 1 without gaps), with that file name, of type image/jpeg,
// holding data that starts like a JPEG; each photo with its photoTime_G_N
// (digits), PhotoLng_G_N and PhotoLat_G_N (decimal numbers); and no photo
// field without its photo.
UploadReading readUpload(const httplib::Request& request);
