#pragma once

// A console reporter that also prints, after the table, how long one
// benchmark took over another, by wall clock and by CPU time (the steadier
// figure on a busy machine).

#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

struct BenchRatio {
    std::string over;  // the benchmark measured
    std::string under; // its yardstick
    std::string label; // printed before the figures
    std::string note;  // printed after them
};

class RatioReporter : public benchmark::ConsoleReporter {
  public:
    explicit RatioReporter(std::vector<BenchRatio> ratios) : ratios_(std::move(ratios)) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration)
                times_[run.benchmark_name()] = {run.GetAdjustedRealTime(),
                                                run.GetAdjustedCPUTime()};
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        for (const BenchRatio& ratio : ratios_) {
            const auto over = times_.find(ratio.over);
            const auto under = times_.find(ratio.under);
            if (over == times_.end() || under == times_.end()) continue;
            std::printf("%s = %.2f wall, %.2f CPU%s\n", ratio.label.c_str(),
                        over->second.first / under->second.first,
                        over->second.second / under->second.second, ratio.note.c_str());
        }
    }

  private:
    std::vector<BenchRatio> ratios_;
    std::map<std::string, std::pair<double, double>> times_;
};
