#pragma once
// Runs the registered benchmarks and ends with one line per figure, "ratio NAME = X.XX", for
// scripts to read. Ratios are of CPU time per iteration (the machine is shared, so wall time
// says more about the neighbours than about the code).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace benchsupport {

class RatioReporter : public benchmark::ConsoleReporter {
  public:
    // Without colours: their escape codes would otherwise start the first ratio line.
    RatioReporter() : ConsoleReporter(OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Iteration && !r.error_occurred)
                cpu_[r.run_name.function_name] = r.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
    double cpu(const std::string& function) const {
        auto it = cpu_.find(function);
        return it == cpu_.end() ? 0.0 : it->second;
    }

  private:
    std::map<std::string, double> cpu_;
};

struct Ratio {
    std::string name;     // as the line names it
    std::string measured; // benchmark function names
    std::string baseline;
};

// Figures measured outside a benchmark's timing (memory, child processes), by name.
inline std::map<std::string, double>& figures() {
    static std::map<std::string, double> f;
    return f;
}

inline void printFigures() {
    for (const auto& [name, value] : figures())
        std::printf("ratio %s = %.2f\n", name.c_str(), value);
}

inline int runWithRatios(int argc, char** argv, const std::vector<Ratio>& ratios) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::fflush(stdout);
    for (const Ratio& r : ratios) {
        double m = reporter.cpu(r.measured), b = reporter.cpu(r.baseline);
        if (m > 0 && b > 0)
            std::printf("ratio %s = %.2f\n", r.name.c_str(), m / b);
        else
            std::printf("ratio %s = nan\n", r.name.c_str());
    }
    printFigures();
    benchmark::Shutdown();
    return 0;
}

} // namespace benchsupport
