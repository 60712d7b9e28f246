// Time to decode HTML character references in texts built to stress the scan:
// many semicolons before one reference, and many references in a row.
#include "util/HtmlEntities.h"

#include <benchmark/benchmark.h>

namespace {

void decode(benchmark::State& state, const QString& text) {
    for (auto _ : state)
        benchmark::DoNotOptimize(decodeHTMLCharacterEntities(text));
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}

void semicolonsBeforeOneReference(benchmark::State& state) {
    decode(state, QString(state.range(0), u';') + QStringLiteral("&#65;"));
}
BENCHMARK(semicolonsBeforeOneReference)->Arg(128000)->Unit(benchmark::kMillisecond);

void manyReferences(benchmark::State& state) {
    decode(state, QStringLiteral("&#xD83D;&#xDE00;&#38;#65;").repeated(state.range(0)));
}
BENCHMARK(manyReferences)->Arg(32000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
