// Cost of one trial circle on a plain slope, the figure to set beside other programs.
//
// ToeCircles: the 441 circles of a 21 x 21 grid of centres (x 20..40, y 15..35),
// all through the toe of a 1:2 slope 10 m high, 50 slices, one soil. The counter
// "per_circle" is the time of one circle: slicing, base data, forces and the
// method's solution. The plain names share the circles among the processor
// cores, as the program does, and measure the time on the clock; the
// "_one_thread" variants give the cost of a circle on one core.

#include "analysis/circle_search.h"
#include "ground/section_table.h"
#include "toe_circles.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {

using namespace clv;

void ToeCircles(benchmark::State& state, Integer method, unsigned threads)
{
    Job job = bench::ToeCirclesJob(method, 50);
    const SectionTable table = BuildSectionTable(job);
    const LayerList layers;
    std::size_t slips = 0, valid = 0;
    float critical = 0.0f;
    for (auto _ : state) {
        const CircleSearchResult r = RunCircleSearch(job, table, layers, {}, threads);
        slips = r.Slips.size();
        critical = r.Critical() ? r.Critical()->StabilityFactor : 0.0f;
        benchmark::DoNotOptimize(critical);
    }
    const CircleSearchResult r = RunCircleSearch(job, table, layers, {}, threads);
    state.counters["threads"] = threads == 0 ? SearchThreads() : threads;
    for (const SlipResult& slip : r.Slips)
        valid += slip.StabilityFactor != kInvalidFactor ? 1 : 0;
    state.counters["circles"] = static_cast<double>(slips);
    state.counters["valid"] = static_cast<double>(valid);
    state.counters["critical"] = critical;
    state.counters["per_circle"] = benchmark::Counter(
        static_cast<double>(slips), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

/** The fastest repetition: on a shared machine the least disturbed run is the truest figure. */
double Fastest(const std::vector<double>& runs) { return *std::min_element(runs.begin(), runs.end()); }

BENCHMARK_CAPTURE(ToeCircles, bishop, kBishop, 0u)
    ->Unit(benchmark::kMicrosecond)->UseRealTime()->MeasureProcessCPUTime()->ComputeStatistics("min", Fastest);
BENCHMARK_CAPTURE(ToeCircles, bishop_one_thread, kBishop, 1u)
    ->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", Fastest);
BENCHMARK_CAPTURE(ToeCircles, fellenius_one_thread, kFellenius, 1u)
    ->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", Fastest);
BENCHMARK_CAPTURE(ToeCircles, janbu_one_thread, kJanbu, 1u)
    ->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", Fastest);

} // namespace
