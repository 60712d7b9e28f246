#pragma once

// The figures a benchmark program is judged by: each compares one of our
// benchmarks with a yardstick run in the same program, and is printed at the
// end as one line that scripts/bench gathers into its closing table:
//   ratio: FIGURE | OURS | YARDSTICK | RATIO | GOAL
// A figure compares the runs' times, or a counter of theirs that holds a
// number of bytes (such as a peak of memory).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

struct BenchRatio {
    enum class Better { Faster, Cheaper };

    std::string figure; // what the ratio says, in a few words
    std::string ours;   // benchmark names as reported
    std::string yardstick;
    // Faster: yardstick time / our time (above 1 is faster than the yardstick);
    // Cheaper: our time / yardstick time (below the goal is good).
    Better better;
    double goal;
    bool wallClock = false; // by wall-clock time (the yardstick is another process), else CPU time
    std::string bytesCounter = {}; // by this counter of the runs, a number of bytes, not by time
    // With bytesCounter: a fixed number of bytes (a budget) in place of a
    // yardstick run, when above 0.
    double yardstickBytes = 0;
};

// The console table as usual, then one ratio line per figure.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    // Colours only on a terminal, so that the lines stay plain in a log.
    explicit RatioReporter(std::vector<BenchRatio> ratios)
        : ConsoleReporter(isatty(fileno(stdout)) ? OO_Defaults : OO_Tabular),
          ratios_(std::move(ratios)) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                const double perSecond = benchmark::GetTimeUnitMultiplier(run.time_unit);
                times_[run.benchmark_name()] = {run.GetAdjustedRealTime() / perSecond,
                                                run.GetAdjustedCPUTime() / perSecond};
                for (const auto& [name, counter] : run.counters)
                    counters_[{run.benchmark_name(), name}] = counter.value;
            }
        ConsoleReporter::ReportRuns(runs);
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        for (const BenchRatio& ratio : ratios_)
            printRatio(ratio);
        std::fflush(stdout);
    }

  private:
    struct Time {
        double wall, cpu; // seconds per iteration
    };

    static std::string duration(double seconds) {
        const char* unit = "s";
        if (seconds < 1e-3)
            seconds *= 1e6, unit = "us";
        else if (seconds < 1)
            seconds *= 1e3, unit = "ms";
        char text[32];
        std::snprintf(text, sizeof text, "%.4g %s", seconds, unit);
        return text;
    }

    static std::string bytes(double count) {
        char text[32];
        std::snprintf(text, sizeof text, "%.4g MiB", count / (1024 * 1024));
        return text;
    }

    // The figure of one benchmark as the ratio compares it, with its text.
    std::optional<std::pair<double, std::string>> measure(const BenchRatio& r,
                                                          const std::string& name) const {
        if (!r.bytesCounter.empty()) {
            const auto counter = counters_.find({name, r.bytesCounter});
            if (counter == counters_.end()) return std::nullopt;
            return std::pair{counter->second, bytes(counter->second)};
        }
        const auto time = times_.find(name);
        if (time == times_.end()) return std::nullopt;
        const double seconds = r.wallClock ? time->second.wall : time->second.cpu;
        return std::pair{seconds, duration(seconds)};
    }

    void printRatio(const BenchRatio& r) const {
        const auto ours = measure(r, r.ours);
        const auto yardstick =
            r.yardstickBytes > 0
                ? std::optional(std::pair{r.yardstickBytes, bytes(r.yardstickBytes)})
                : measure(r, r.yardstick);
        const bool faster = r.better == BenchRatio::Better::Faster;
        char goal[32] = "-"; // a goal of 0: a figure to watch, not to meet
        if (r.goal > 0) std::snprintf(goal, sizeof goal, "%s %.2f", faster ? ">=" : "<=", r.goal);
        if (!ours || !yardstick) {
            std::printf("ratio: %s | not run | not run | - | %s\n", r.figure.c_str(), goal);
            return;
        }
        const double a = ours->first, b = yardstick->first;
        const char* by = !r.bytesCounter.empty() ? r.bytesCounter.c_str()
                         : r.wallClock           ? "wall"
                                                 : "CPU";
        std::printf("ratio: %s (%s) | %s | %s | %.2fx | %s\n", r.figure.c_str(), by,
                    ours->second.c_str(), yardstick->second.c_str(), faster ? b / a : a / b, goal);
    }

    std::vector<BenchRatio> ratios_;
    std::map<std::string, Time> times_;
    std::map<std::pair<std::string, std::string>, double> counters_; // by benchmark and counter
};

// Runs the benchmarks picked on the command line and prints the ratios.
inline int runBenchmarksWithRatios(int argc, char** argv, std::vector<BenchRatio> ratios) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter(std::move(ratios));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
