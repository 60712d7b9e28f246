// The stand-in server's own multipart/form-data reader.
#include "MultipartForm.h"

#include <gtest/gtest.h>

namespace {

struct BoundaryCase {
    const char* contentType;
    std::optional<std::string> boundary;
};

TEST(MultipartForm, FindsTheBoundaryOfAFormContentType) {
    const BoundaryCase cases[] = {
        {"multipart/form-data; boundary=----Abc", "----Abc"},
        {"Multipart/Form-Data;boundary=\"a b;c\"", "a b;c"},
        {"multipart/form-data; charset=utf-8; BOUNDARY=x", "x"},
        {"multipart/mixed; boundary=x", std::nullopt},
        {"multipart/form-data", std::nullopt},
        {"multipart/form-data; boundary=", std::nullopt},
        {"multipart/form-data; boundary=\"x", std::nullopt},
        {"text/plain", std::nullopt},
    };
    for (const BoundaryCase& c : cases)
        EXPECT_EQ(formBoundary(c.contentType), c.boundary) << c.contentType;
    EXPECT_FALSE(formBoundary("multipart/form-data; boundary=" + std::string(71, 'b')));
    EXPECT_TRUE(formBoundary("multipart/form-data; boundary=" + std::string(70, 'b')));
}

TEST(MultipartForm, ReadsPartsBetweenPreambleAndEpilogue) {
    const std::string body =
        "preamble --B not a boundary\r\n"
        "--B \t\r\n"
        "content-disposition: form-data; name=\"say \\\"hi\\\"\"\r\n"
        "\r\n"
        "line\r\n--C and --B inside\r\n"
        "--B\r\n"
        "Content-Disposition: form-data; name=photo_1_1; filename=\"p.jpg\"\r\n"
        "CONTENT-TYPE:  image/jpeg \r\n"
        "\r\n"
        "\r\n\r\n"
        "--B--\r\n"
        "epilogue --B\r\n";
    const FormReading form = readMultipartForm(body, "B");
    ASSERT_EQ(form.problem, "");
    ASSERT_EQ(form.parts.size(), 2u);
    EXPECT_EQ(form.parts[0].name, "say \"hi\"");
    EXPECT_EQ(form.parts[0].content, "line\r\n--C and --B inside");
    EXPECT_EQ(form.parts[0].filename, "");
    EXPECT_EQ(form.parts[1].name, "photo_1_1");
    EXPECT_EQ(form.parts[1].filename, "p.jpg");
    EXPECT_EQ(form.parts[1].contentType, "image/jpeg");
    EXPECT_EQ(form.parts[1].content, "\r\n");
}

TEST(MultipartForm, AnEmptyFormHasNoParts) {
    const FormReading form = readMultipartForm("--B--\r\n", "B");
    EXPECT_EQ(form.problem, "");
    EXPECT_TRUE(form.parts.empty());
}

TEST(MultipartForm, RefusesMoreThanAThousandParts) {
    std::string body;
    for (int i = 0; i < 1001; ++i)
        body += "--B\r\nContent-Disposition: form-data; name=\"f\"\r\n\r\n\r\n";
    EXPECT_EQ(readMultipartForm(body + "--B--\r\n", "B").problem, "multipart 的部分太多");
}

} // namespace
