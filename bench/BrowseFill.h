#pragma once
// The timed work of a browse-fill benchmark: the browse window fills its grid from the
// statement it builds, on whatever connection it has been given.
#include "browser/FrmMaster.h"

#include <benchmark/benchmark.h>

namespace benchsupport {

inline void fillBrowseGrid(benchmark::State& state, idj::FrmMaster& m) {
    const std::string sql = m.browseStatement();
    for (auto _ : state) {
        m.GridPopulate(sql, "InterDivisionJournalTransHeader",
                       "InterDivisionJournalTransDetails, AACCOUNTMASTER");
        benchmark::DoNotOptimize(m.GrdMaster.Rows());
    }
    state.counters["rows"] = m.GrdMaster.Rows() - 1;
    m.adocon->Close();
}

} // namespace benchsupport
