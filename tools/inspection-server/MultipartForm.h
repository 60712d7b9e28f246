#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One part of a multipart/form-data body.
struct FormPart {
    std::string name;
    std::string filename;     // empty when the part names no file
    std::string contentType;  // empty when the part has no Content-Type
    std::string_view content; // a view into the body that was read
};

struct FormReading {
    std::vector<FormPart> parts;
    std::string problem; // why the body is not a sound form; empty when it is
};

// Returns the boundary named by a "multipart/form-data" Content-Type value
// (quoted or not, 1 to 70 characters), or none when the value names none.
std::optional<std::string> formBoundary(std::string_view contentType);

// Reads a whole multipart/form-data body: an optional preamble, parts opened
// by "--boundary" lines, the closing "--boundary--" line and an ignored
// epilogue. Every part must carry a Content-Disposition "form-data" with a
// non-empty name. The body is read whole, so no part can depend on how the
// bytes arrived; a body that is cut short or out of shape is refused, never
// read in part.
FormReading readMultipartForm(std::string_view body, std::string_view boundary);
