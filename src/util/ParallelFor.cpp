#include "util/ParallelFor.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>
#include <vector>

void parallelFor(qsizetype count, const std::function<void(qsizetype)>& work) {
    std::atomic<qsizetype> next{0};
    const auto takeTurns = [&] {
        for (qsizetype i = next++; i < count; i = next++)
            work(i);
    };
    const qsizetype cores = std::max<qsizetype>(1, std::thread::hardware_concurrency());
    std::vector<std::jthread> helpers; // joined when they go out of scope
    try {
        for (qsizetype k = 1; k < std::min(cores, count); ++k)
            helpers.emplace_back(takeTurns);
    } catch (const std::system_error&) {
        // Fewer helpers: the turns are shared among those there are.
    }
    takeTurns();
}
