// Prints every result of a fixed set of analyses as exact hexadecimal floats, so
// that two builds of the engine can be compared bit for bit (a speed-up of the
// engine must not move a single factor):
//
//     slip_factor_dump > before.txt   ...   slip_factor_dump > after.txt
//     cmp before.txt after.txt
//
// The set: the toe circles of the speed benchmark, the bundled examples (circle
// search, defined surface, wedges), a 20,000-circle grid on the layered example,
// and a few hundred generated layered jobs with water, pore-pressure ratios,
// suction, loads and reinforcement. Every circle method runs on each.

#include "analysis/circle_search.h"
#include "analysis/defined_surface.h"
#include "analysis/wedges.h"
#include "bench_examples.h"
#include "toe_circles.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

using namespace clv;

void Print(float v) { std::printf(" %a", static_cast<double>(v)); }

void DumpSearch(const char* name, Job job, Integer method)
{
    job.Slip.Method = method;
    const SectionTable table = BuildSectionTable(job);
    const LayerList layers = BuildReinforcementLayers(job, table);
    const CircleSearchResult r = RunCircleSearch(job, table, layers);
    std::printf("search %s method %d slips %zu critical %d\n", name, method, r.Slips.size(), r.CriticalSlip);
    for (std::size_t n = 0; n < r.Slips.size(); ++n) {
        const SlipResult& s = r.Slips[n];
        std::printf("%zu", n + 1);
        for (float v : {s.CentreX, s.CentreY, s.Radius, s.StabilityFactor, s.Lambda, s.DisturbingMoment, s.SoilMoment,
                        s.ReinforcementMoment, s.HorizontalLoadForce, s.EntryX, s.ExitX})
            Print(v);
        std::printf("\n");
    }
    for (const Slice& s : r.CriticalSlices) {
        std::printf("slice %d", s.BaseSoil);
        for (float v : {s.XLeft, s.XRight, s.GroundLeft, s.GroundRight, s.BaseLeft, s.BaseRight, s.Weight,
                        s.BasePorePressure, s.SurfaceWaterPressure, s.VerticalForce, s.HorizontalForce, s.NormalForce})
            Print(v);
        std::printf("\n");
    }
}

void DumpOthers(const char* name, Job job)
{
    const SectionTable table = BuildSectionTable(job);
    const LayerList layers = BuildReinforcementLayers(job, table);
    const DefinedSurfaceResult d = AnalyseDefinedSurface(AnalysisInput{job, table, layers, {}});
    std::printf("defined %s", name);
    Print(d.Slip.StabilityFactor);
    Print(d.Slip.HorizontalLoadForce);
    std::printf("\n");
    const WedgeSearchResult w = AnalyseWedges(job, table, layers);
    std::printf("wedges %s %zu critical %d\n", name, w.Wedges.size(), w.CriticalWedge);
    for (const WedgeResult& e : w.Wedges) {
        for (float v : {e.BaseWidth, e.BaseAngle, e.RearAngle, e.StabilityFactor, e.SoilRestore, e.Disturbing,
                        e.ReinforcementRestore})
            Print(v);
        std::printf("\n");
    }
}

/** A small deterministic generator (the same numbers on every machine). */
class Numbers {
public:
    explicit Numbers(std::uint32_t seed) : state_(seed * 2654435761u + 1u) {}
    float Uniform(float lo, float hi)
    {
        state_ = state_ * 1664525u + 1013904223u;
        const float unit = static_cast<float>(state_ >> 8) / 16777216.0f;
        return lo + (hi - lo) * unit;
    }
    int Below(int n) { return static_cast<int>(Uniform(0.0f, static_cast<float>(n))) % n; }

private:
    std::uint32_t state_;
};

/** Rounds to the centimetre, as an engineer types levels. */
float Cm(float v) { return static_cast<float>(static_cast<int>(v * 100.0f)) / 100.0f; }

template <typename Surface>
void SetSurface(Surface& surface, const std::vector<std::pair<float, float>>& points)
{
    surface.PointCount = static_cast<Integer>(points.size());
    for (std::size_t k = 0; k < points.size(); ++k) {
        surface.X[k + 1] = points[k].first;
        surface.Y[k + 1] = points[k].second;
    }
}

/** A slope rising to the right with strata below it that sometimes crop out or cross. */
Job GeneratedJob(int seed)
{
    Numbers r(static_cast<std::uint32_t>(seed));
    Job job = MakeDefaultJob();
    const float height = Cm(r.Uniform(4.0f, 15.0f));
    const float toe = Cm(r.Uniform(-5.0f, 5.0f));
    const float run = Cm(r.Uniform(0.5f, 3.0f) * height);
    std::vector<std::pair<float, float>> ground{{-30.0f, 0.0f}, {toe, 0.0f}};
    if (r.Below(2) == 0)
        ground.push_back({Cm(toe + run * 0.5f), Cm(height * r.Uniform(0.3f, 0.7f))});
    ground.push_back({toe + run, height});
    ground.push_back({80.0f, height});

    const int soils = 1 + r.Below(4);
    for (int k = 1; k <= soils; ++k) {
        SoilRecord soil;
        soil.Density = Cm(r.Uniform(16.0f, 22.0f));
        soil.Phi = Cm(r.Uniform(0.0f, 38.0f));
        soil.Cohesion = Cm(r.Uniform(0.0f, 40.0f));
        if (r.Below(5) == 0)
            soil.Ru = Cm(r.Uniform(0.0f, 0.4f));
        if (r.Below(4) == 0)
            soil.Suction = Cm(r.Uniform(0.0f, 5.0f));
        if (k == 1) {
            SetSurface(soil, ground);
        } else {
            std::vector<std::pair<float, float>> top;
            const int points = 2 + r.Below(5);
            const float base = height * (1.0f - static_cast<float>(k) / static_cast<float>(soils + 1));
            for (int p = 0; p < points; ++p) {
                const float x = p == 0 ? -30.0f : p == points - 1 ? 80.0f : Cm(r.Uniform(-10.0f, 50.0f));
                top.push_back({x, Cm(base + r.Uniform(-4.0f, 4.0f))});
            }
            std::sort(top.begin(), top.end());
            SetSurface(soil, top);
        }
        job.Soils.push_back(soil);
    }

    if (r.Below(3) != 0) {
        const float w = Cm(r.Uniform(-2.0f, 0.8f * height));
        SetSurface(job.Water, {{-30.0f, Cm(r.Uniform(-1.0f, 1.5f))}, {toe + run * 0.7f, w}, {80.0f, Cm(w + 1.0f)}});
    }
    if (r.Below(3) == 0) {
        LoadRecord load;
        load.LoadType = static_cast<Integer>(r.Below(3));
        load.Value = Cm(r.Uniform(5.0f, 40.0f));
        load.XMin = Cm(toe + run + r.Uniform(0.0f, 5.0f));
        load.XMax = Cm(load.XMin + r.Uniform(1.0f, 8.0f));
        job.Loads.push_back(load);
    }
    if (r.Below(4) == 0) {
        ReinforcementBlock block;
        block.Strength = Cm(r.Uniform(10.0f, 60.0f));
        block.Length = Cm(r.Uniform(3.0f, 0.9f * run + 4.0f));
        block.FrictionCoefficient = 0.7f;
        block.VerticalSpacing = Cm(r.Uniform(0.4f, 1.2f));
        block.BlockHeight = Cm(height * 0.8f);
        block.BlockBase = 0.0f;
        job.Reinforcement.push_back(block);
    }
    job.Header.LateralAccelerationFactor = r.Below(4) == 0 ? Cm(r.Uniform(0.0f, 0.15f)) : 0.0f;
    job.Slip.TensionCrackDepth = r.Below(5) == 0 ? Cm(r.Uniform(0.0f, 2.0f)) : 0.0f;
    job.Slip.MinSlices = static_cast<Integer>(10 + r.Below(41));
    job.Slip.AutoGenerate = kFalse;
    job.Slip.AutoExtendGrid = kFalse;
    job.Slip.GridXMin = Cm(toe + run * 0.2f);
    job.Slip.GridXInc = Cm(run / 6.0f + 0.1f);
    job.Slip.GridXMax = job.Slip.GridXMin + 5.0f * job.Slip.GridXInc;
    job.Slip.GridYMin = Cm(height + 1.0f);
    job.Slip.GridYInc = Cm(height / 5.0f);
    job.Slip.GridYMax = job.Slip.GridYMin + 5.0f * job.Slip.GridYInc;
    job.Slip.CommonXMin = Cm(toe - 2.0f);
    job.Slip.CommonXInc = Cm(run / 3.0f);
    job.Slip.CommonXMax = job.Slip.CommonXMin + 2.0f * job.Slip.CommonXInc;
    job.Slip.CommonY = kNoLevel;
    return job;
}

} // namespace

int main()
{
    for (Integer method = kFellenius; method <= kRigorous; ++method) {
        DumpSearch("toe_circles_50", bench::ToeCirclesJob(method, 50), method);
        DumpSearch("toe_circles_49", bench::ToeCirclesJob(method, 49), method);
    }
    for (const char* name : {"cutting", "layered_slope", "reinforced_embankment"}) {
        const bench::Example e = bench::LoadExample(name);
        for (Integer method = kFellenius; method <= kRigorous; ++method)
            DumpSearch(name, e.job, method);
        DumpOthers(name, e.job);
    }
    {
        Job job = bench::LoadExample("layered_slope").job;
        SlipSettings& s = job.Slip;
        s.AutoGenerate = kFalse;
        s.AutoExtendGrid = kFalse;
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
        for (Integer method = kFellenius; method <= kRigorous; ++method)
            DumpSearch("layered_grid", job, method);
    }
    for (int seed = 1; seed <= 300; ++seed) {
        const Job job = GeneratedJob(seed);
        char name[32];
        std::snprintf(name, sizeof name, "generated_%d", seed);
        for (Integer method = kFellenius; method <= kRigorous; ++method)
            DumpSearch(name, job, method);
    }
    return 0;
}
