// Decodes arbitrary bytes as a job file and runs every analysis on whatever the
// reader accepts: the circle search with each of the five methods, the defined
// surface and the wedge search. Nothing may crash, read out of bounds, overflow
// an integer or run away. Run, for example:
//   build-fuzz/fuzz/fuzz_analysis -timeout=25 -max_total_time=3600 corpus/ seeds/

#include "analysis/circle_search.h"
#include "analysis/defined_surface.h"
#include "analysis/reinforcement.h"
#include "analysis/wedges.h"
#include "ground/section_table.h"
#include "model/job_file.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

using namespace clv;

// The engine bounds every loop (slip and wedge counts, layers, passes), but its
// bounds are set for one job analysed once. The fuzzer runs each job seven times
// under sanitizers, so jobs far beyond anything a user enters are skipped to
// keep every input well inside the time limit: they exercise no other code.
constexpr int kMaxSlices = 120;      // MinSlices; the table allows 5..50
constexpr double kMaxFirstSlips = 400; // initial grid centres x common points
constexpr int kMaxSoils = 12;
constexpr int kMaxBlocks = 6;
constexpr int kMaxUserPoints = 200;
constexpr std::size_t kMaxLayers = 60;  // every slice of every slip meets every layer
constexpr double kMaxWedgeWork = 3000; // layers x wedge combinations (the engine allows 32767)

void Require(bool condition)
{
    if (!condition)
        std::abort(); // libFuzzer keeps the input that broke the invariant
}

double LineCount(float min, float max, float inc)
{
    if (!std::isfinite(min) || !std::isfinite(max) || !std::isfinite(inc) || !(inc > 0.0f))
        return 1;
    const double steps = std::floor((static_cast<double>(max) - min) / inc + 1e-4);
    return steps < 0 ? 1 : steps + 1;
}

bool WithinWorkBound(const Job& job)
{
    const SlipSettings& s = job.Slip;
    if (s.MinSlices > kMaxSlices || job.SoilCount() > kMaxSoils || job.ReinforcementCount() > kMaxBlocks ||
        job.UserPointCount() > kMaxUserPoints)
        return false;
    if (IsSet(s.AutoGenerate))
        return true; // 16 centres and 4 common points, whatever the stored grid says
    const double slips = LineCount(s.GridXMin, s.GridXMax, s.GridXInc) * LineCount(s.GridYMin, s.GridYMax, s.GridYInc) *
                         LineCount(s.CommonXMin, s.CommonXMax, s.CommonXInc);
    return slips <= kMaxFirstSlips;
}

/** Values min, min + inc, ... up to max, as the wedge ranges count them (an upper bound). */
double RangeCount(float min, float max, float inc)
{
    if (!(inc > 0.0f))
        return 1;
    const double steps = std::floor((static_cast<double>(max) - min) / inc);
    if (!std::isfinite(steps))
        return 1e9;
    return steps < 0 ? 0 : steps + 2; // one more for the rounding of the single-precision sum
}

/** Layers times wedge combinations: the number of wedge analyses the search makes. */
double WedgeWork(const Job& job, std::size_t layers)
{
    Job defaults = job;
    if (IsSet(defaults.Wedge.UseDefaults))
        ApplyWedgeDefaults(defaults);
    const WedgeSettings& w = defaults.Wedge;
    const double combinations = RangeCount(w.BaseWidthMin, w.BaseWidthMax, w.BaseWidthInc) *
                                RangeCount(w.BaseAngleMin, w.BaseAngleMax, w.AngleInc) *
                                RangeCount(w.RearAngleMin, w.RearAngleMax, w.AngleInc);
    return static_cast<double>(layers) * combinations;
}

bool ValidFactor(float f) { return std::isfinite(f) && f >= 0.0f; }

/** Every slip has a factor that is a number, and the critical one has been analysed. */
void CheckSearch(const CircleSearchResult& search)
{
    for (const SlipResult& slip : search.Slips)
        Require(ValidFactor(slip.StabilityFactor));
    if (const SlipResult* critical = search.Critical())
        Require(critical->StabilityFactor != 0.0f);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Bytes bytes(data, data + size);
    std::optional<DecodedJob> decoded = DecodeJobFile(bytes);
    if (!decoded || !WithinWorkBound(decoded->job))
        return 0;

    const Job original = decoded->job;
    const SectionTable table = BuildSectionTable(original);
    const LayerList layers = BuildReinforcementLayers(original, table);
    if (layers.size() > kMaxLayers)
        return 0;
    const NoticeFn ignore = [](const std::string&) {};

    // The job's own search, grid growth included, by its own method; then the other
    // four methods on the grid it started from (the generated one, if any), without
    // growth: five searches of up to 500 slips each would take seconds per input.
    Job searched = original;
    const CircleSearchResult first = RunCircleSearch(searched, table, layers, ignore, 1);
    CheckSearch(first);
    for (Integer method = kFellenius; method <= kRigorous; ++method) {
        if (method == original.Slip.Method)
            continue;
        Job job = searched;
        job.Slip.Method = method;
        job.Slip.AutoGenerate = kFalse;
        job.Slip.AutoExtendGrid = kFalse;
        CheckSearch(RunCircleSearch(job, table, layers, ignore, 1));
    }

    {
        const AnalysisInput in{original, table, layers, ignore};
        const DefinedSurfaceResult defined = AnalyseDefinedSurface(in);
        Require(ValidFactor(defined.Slip.StabilityFactor));
    }

    if (WedgeWork(original, layers.size()) <= kMaxWedgeWork) {
        Job job = original;
        const WedgeSearchResult wedges = AnalyseWedges(job, table, layers, ignore);
        if (const WedgeResult* critical = wedges.Critical())
            Require(std::isfinite(critical->StabilityFactor));
    }
    return 0;
}
