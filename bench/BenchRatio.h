#pragma once

// The figures a benchmark program is judged by: each compares one of our
// benchmarks with a yardstick run in the same program, and is printed at the
// end as one line that scripts/bench gathers into its closing table:
//   ratio: FIGURE | OURS | YARDSTICK | RATIO | GOAL
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <unistd.h>
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

    void printRatio(const BenchRatio& r) const {
        const auto ours = times_.find(r.ours);
        const auto yardstick = times_.find(r.yardstick);
        const bool faster = r.better == BenchRatio::Better::Faster;
        const char* goal = faster ? ">=" : "<=";
        if (ours == times_.end() || yardstick == times_.end()) {
            std::printf("ratio: %s | not run | not run | - | %s %.2f\n", r.figure.c_str(), goal,
                        r.goal);
            return;
        }
        const double a = r.wallClock ? ours->second.wall : ours->second.cpu;
        const double b = r.wallClock ? yardstick->second.wall : yardstick->second.cpu;
        const char* clock = r.wallClock ? "wall" : "CPU";
        char goalText[32] = "-"; // a goal of 0: a figure to watch, not to meet
        if (r.goal > 0) std::snprintf(goalText, sizeof goalText, "%s %.2f", goal, r.goal);
        std::printf("ratio: %s (%s) | %s | %s | %.2fx | %s\n", r.figure.c_str(), clock,
                    duration(a).c_str(), duration(b).c_str(), faster ? b / a : a / b, goalText);
    }

    std::vector<BenchRatio> ratios_;
    std::map<std::string, Time> times_;
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
