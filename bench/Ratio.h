#pragma once
// Runs the registered benchmarks and prints the ratio of each measured benchmark against its
// raw SQLite baseline, as "ratio <name>/<baseline> = x.xx".
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace benchsupport {

class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Iteration && !r.error_occurred)
                seconds_[r.benchmark_name()] = r.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    double time(const std::string& name) const {
        auto it = seconds_.find(name);
        return it == seconds_.end() ? 0.0 : it->second;
    }

  private:
    std::map<std::string, double> seconds_;
};

// pairs: {measured, baseline} benchmark names as Google Benchmark reports them.
inline int runWithRatios(int argc, char** argv,
                         const std::vector<std::pair<std::string, std::string>>& pairs) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const auto& [measured, baseline] : pairs) {
        double m = reporter.time(measured), b = reporter.time(baseline);
        if (m > 0 && b > 0) std::printf("ratio %s/%s = %.2f\n", measured.c_str(), baseline.c_str(), m / b);
    }
    benchmark::Shutdown();
    return 0;
}

} // namespace benchsupport
