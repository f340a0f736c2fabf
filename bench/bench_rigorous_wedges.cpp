// Speed of the rigorous solution and of the wedge search.
//
// RigorousSearch: the automatic slip circle search with the rigorous method, as
// the slip circle tab runs it at every refresh, on the layered and the reinforced
// examples. WedgeSearch: the two-part wedge search on the reinforced example with
// its default ranges, as the wedge tab runs it.

#include "analysis/circle_search.h"
#include "analysis/wedges.h"
#include "bench_examples.h"

#include <benchmark/benchmark.h>

namespace {

using namespace clv;

void RigorousSearch(benchmark::State& state, const char* name)
{
    bench::Example e = bench::LoadExample(name);
    e.job.Slip.Method = kRigorous;
    const SlipSettings saved = e.job.Slip;
    std::size_t slips = 0;
    std::size_t valid = 0;
    for (auto _ : state) {
        e.job.Slip = saved; // the search writes its automatic grid back
        const CircleSearchResult r = RunCircleSearch(e.job, e.table, e.layers);
        slips = r.Slips.size();
        valid = 0;
        for (const SlipResult& s : r.Slips)
            valid += s.StabilityFactor != kInvalidFactor ? 1 : 0;
        benchmark::DoNotOptimize(r.CriticalSlip);
    }
    state.counters["slips"] = static_cast<double>(slips);
    state.counters["valid"] = static_cast<double>(valid);
}

void WedgeSearch(benchmark::State& state, const char* name)
{
    bench::Example e = bench::LoadExample(name);
    std::size_t wedges = 0;
    for (auto _ : state) {
        const WedgeSearchResult r = AnalyseWedges(e.job, e.table, e.layers);
        wedges = r.Wedges.size();
        benchmark::DoNotOptimize(r.CriticalWedge);
    }
    state.counters["wedges"] = static_cast<double>(wedges);
    state.counters["layers"] = static_cast<double>(e.layers.size());
}

BENCHMARK_CAPTURE(RigorousSearch, layered_slope, "layered_slope")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RigorousSearch, reinforced_embankment, "reinforced_embankment")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WedgeSearch, reinforced_embankment, "reinforced_embankment")->Unit(benchmark::kMillisecond);

} // namespace
