#pragma once
// Runs the registered benchmarks and ends with one line per figure, "ratio NAME = X.XX", for
// scripts to read. Ratios are of CPU time per iteration (the machine is shared, so wall time
// says more about the neighbours than about the code), except where the work is done in another
// process (a database server): there the process's CPU time is not the job's, and the ratio is
// of wall time, the least of the benchmark's repetitions.
#include <benchmark/benchmark.h>

#include <algorithm>
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
            if (r.run_type == Run::RT_Iteration && !r.error_occurred) {
                const std::string& f = r.run_name.function_name;
                cpu_[f] = r.GetAdjustedCPUTime();
                auto [it, first] = wall_.emplace(f, r.GetAdjustedRealTime());
                if (!first) it->second = std::min(it->second, r.GetAdjustedRealTime());
            }
        ConsoleReporter::ReportRuns(runs);
    }
    double cpu(const std::string& function) const { return of(cpu_, function); }
    // The least wall time per iteration over the function's repetitions.
    double wall(const std::string& function) const { return of(wall_, function); }

  private:
    static double of(const std::map<std::string, double>& m, const std::string& function) {
        auto it = m.find(function);
        return it == m.end() ? 0.0 : it->second;
    }
    std::map<std::string, double> cpu_, wall_;
};

enum class Clock { Cpu, Wall };

struct Ratio {
    std::string name;     // as the line names it
    std::string measured; // benchmark function names
    std::string baseline;
    Clock clock = Clock::Cpu;
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
        const bool wall = r.clock == Clock::Wall;
        double m = wall ? reporter.wall(r.measured) : reporter.cpu(r.measured);
        double b = wall ? reporter.wall(r.baseline) : reporter.cpu(r.baseline);
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
