// Speed of the slip circle search.
//
// AutomaticSearch: the search exactly as the slip circle tab runs it at every
// refresh (automatic grid, extension up to the slip limit), on each bundled
// example. FixedGrid: a fixed grid of 20,000 circles on the layered example
// (automatic geometry and extension off), reported as circles per second on one
// core, for each method. ManySlices: the same automatic search with MinSlices at
// 32767, the largest count a job file can hold, which must still take seconds at
// most (the slicing is linear in the number of slice sides). SliceOneCircle: the
// slicing of one circle of the layered example against MinSlices; the time per
// side ("per_side") stays flat when the slicing is linear.

#include "analysis/circle_search.h"
#include "analysis/slicing.h"
#include "bench_examples.h"

#include <benchmark/benchmark.h>

namespace {

using namespace clv;

void AutomaticSearch(benchmark::State& state, const char* name)
{
    bench::Example e = bench::LoadExample(name);
    const SlipSettings saved = e.job.Slip;
    std::size_t slips = 0;
    for (auto _ : state) {
        e.job.Slip = saved; // the search writes its automatic grid back
        const CircleSearchResult r = RunCircleSearch(e.job, e.table, e.layers);
        slips = r.Slips.size();
        benchmark::DoNotOptimize(r.CriticalSlip);
    }
    state.counters["slips"] = static_cast<double>(slips);
}

void FixedGrid(benchmark::State& state, Integer method)
{
    bench::Example e = bench::LoadExample("layered_slope");
    SlipSettings& s = e.job.Slip;
    s.Method = method;
    s.AutoGenerate = kFalse;
    s.AutoExtendGrid = kFalse;
    // 40 x 50 centres over and around the critical region, 10 points on the ground.
    s.GridXMin = -4.0f;
    s.GridXMax = 15.5f;
    s.GridXInc = 0.5f;
    s.GridYMin = 15.0f;
    s.GridYMax = 39.5f;
    s.GridYInc = 0.5f;
    s.CommonXMin = -6.0f;
    s.CommonXMax = 12.0f;
    s.CommonXInc = 2.0f;
    s.CommonY = kNoLevel;
    std::size_t slips = 0, valid = 0;
    float critical = 0.0f;
    for (auto _ : state) {
        const CircleSearchResult r = RunCircleSearch(e.job, e.table, e.layers);
        slips = r.Slips.size();
        critical = r.Critical() ? r.Critical()->StabilityFactor : 0.0f;
        valid = 0;
        for (const SlipResult& slip : r.Slips)
            valid += slip.StabilityFactor != kInvalidFactor ? 1 : 0;
    }
    state.counters["slips"] = static_cast<double>(slips);
    state.counters["valid"] = static_cast<double>(valid);
    state.counters["critical"] = critical;
    state.counters["slips_per_s"]
        = benchmark::Counter(static_cast<double>(slips), benchmark::Counter::kIsIterationInvariantRate);
}

void ManySlices(benchmark::State& state, const char* name)
{
    bench::Example e = bench::LoadExample(name);
    e.job.Slip.MinSlices = 32767;
    const SlipSettings saved = e.job.Slip;
    std::size_t slips = 0, sides = 0;
    for (auto _ : state) {
        e.job.Slip = saved;
        const CircleSearchResult r = RunCircleSearch(e.job, e.table, e.layers);
        slips = r.Slips.size();
        sides = r.Work.SidesPlaced;
        benchmark::DoNotOptimize(r.CriticalSlip);
    }
    state.counters["slips"] = static_cast<double>(slips);
    state.counters["sides"] = static_cast<double>(sides);
}

void SliceOneCircle(benchmark::State& state)
{
    bench::Example e = bench::LoadExample("layered_slope");
    e.job.Slip.MinSlices = static_cast<Integer>(state.range(0));
    const AnalysisInput in{e.job, e.table, e.layers, {}};
    SliceList slices;
    SlicingScratch scratch;
    for (auto _ : state) {
        SlipResult slip{.CentreX = 6.0f, .CentreY = 21.0f, .Radius = 22.0f};
        benchmark::DoNotOptimize(SliceSlip(in, slip, slices, scratch));
    }
    state.counters["slices"] = static_cast<double>(slices.size());
    state.counters["per_side"] = benchmark::Counter(static_cast<double>(scratch.Work.SidesPlaced),
                                                    benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

BENCHMARK_CAPTURE(AutomaticSearch, cutting, "cutting")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AutomaticSearch, layered_slope, "layered_slope")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AutomaticSearch, reinforced_embankment, "reinforced_embankment")->Unit(benchmark::kMillisecond);

BENCHMARK_CAPTURE(FixedGrid, fellenius, kFellenius)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FixedGrid, bishop, kBishop)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FixedGrid, bs8006, kBs8006)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FixedGrid, janbu, kJanbu)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FixedGrid, rigorous, kRigorous)->Unit(benchmark::kMillisecond);

BENCHMARK_CAPTURE(ManySlices, layered_slope, "layered_slope")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ManySlices, reinforced_embankment, "reinforced_embankment")->Unit(benchmark::kMillisecond);
BENCHMARK(SliceOneCircle)->Arg(50)->Arg(500)->Arg(5000)->Arg(32767)->Unit(benchmark::kMicrosecond);

} // namespace
