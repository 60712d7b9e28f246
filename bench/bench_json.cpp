// Throughput of the JSON reader on the server's answers and on a large document, beside
// nlohmann::json reading the same text.
#include "BenchRatio.h"
#include "json/JsonParser.h"

#include <benchmark/benchmark.h>
#include <nlohmann/json.hpp>

#include <string>

namespace {

const std::string kInspectorAnswer =
    R"({"isChker":"Y","chkerName":"6Zmz5aSn5paH","ver_ios":"1.0.1",)"
    R"("url_ios":"http://192.168.1.20:8080/app/inspector.plist","max_up_date":"1151231","msg":""})";
const std::string kCaseAnswer =
    R"({"status":"Y","upload_path":"http://192.168.1.20:8080/appUpPhoto.do",)"
    R"("msg":"","ver_ios":"1.0.1","url_ios":"http://192.168.1.20:8080/app"})";
const std::string kUploadAnswer = R"({"state":"0","msg":""})";

// About 1 MB: an array of records with escaped and CJK strings, numbers, booleans, null and
// nested containers.
std::string largeDocument() {
    std::string text = "[";
    for (int i = 0; text.size() < 1'000'000; ++i) {
        if (i) text += ",\n";
        const std::string n = std::to_string(i);
        text +=
            R"({"pk":"P)" + n + R"(,F)" + n + R"(","name":"陳大文 \"檢查\"\n\u00e9\ud83d\ude00",)";
        text += R"("state":)" + std::to_string(i % 3) + R"(,"sent":)" + (i % 2 ? "true" : "false");
        text += R"(,"lat":25.0)" + n + R"(,"lon":-121.5e-)" + std::to_string(i % 9);
        text += R"(,"photos":[{"imgTime":"1130601120000","size":)" + n + R"(},null],"note":{}})";
    }
    return text + "]";
}

void readWithJsonParser(benchmark::State& state, const std::string& text) {
    for (auto _ : state) {
        JsonParser parser;
        std::optional<JsonValue> value = parser.objectWithString(text);
        if (!value) state.SkipWithError(parser.error().c_str());
        benchmark::DoNotOptimize(value);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(text.size()));
}

void readWithNlohmann(benchmark::State& state, const std::string& text) {
    for (auto _ : state) {
        nlohmann::json value = nlohmann::json::parse(text);
        benchmark::DoNotOptimize(value);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(text.size()));
}

const std::string kLargeDocument = largeDocument();

BENCHMARK_CAPTURE(readWithJsonParser, inspector_answer, kInspectorAnswer);
BENCHMARK_CAPTURE(readWithNlohmann, inspector_answer, kInspectorAnswer);
BENCHMARK_CAPTURE(readWithJsonParser, case_answer, kCaseAnswer);
BENCHMARK_CAPTURE(readWithNlohmann, case_answer, kCaseAnswer);
BENCHMARK_CAPTURE(readWithJsonParser, upload_answer, kUploadAnswer);
BENCHMARK_CAPTURE(readWithNlohmann, upload_answer, kUploadAnswer);
BENCHMARK_CAPTURE(readWithJsonParser, large_document, kLargeDocument);
BENCHMARK_CAPTURE(readWithNlohmann, large_document, kLargeDocument);

} // namespace

int main(int argc, char** argv) {
    std::vector<BenchRatio> ratios;
    for (const char* document :
         {"inspector_answer", "case_answer", "upload_answer", "large_document"})
        ratios.push_back({std::string("JSON reader beside nlohmann::json, ") + document,
                          std::string("readWithJsonParser/") + document,
                          std::string("readWithNlohmann/") + document, BenchRatio::Better::Faster,
                          1.10});
    return runBenchmarksWithRatios(argc, argv, std::move(ratios));
}
