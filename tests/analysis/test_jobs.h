#pragma once

// Small jobs for the analysis tests: soils given by their surface points, blocks
// of geogrid layers, and the derived data (section table, layers) an analysis
// reads, kept together so that an AnalysisInput can point at them.

#include "analysis/circle_search.h"
#include "analysis/methods.h"
#include "analysis/slicing.h"

#include <gtest/gtest.h>

#include <cmath>

namespace clv::test {

using Points = std::vector<std::pair<float, float>>;

// Points 1..n of a soil top or of the phreatic surface.
template <typename Surface>
void SetPoints(Surface& surface, const Points& points)
{
    surface.PointCount = static_cast<Integer>(points.size());
    for (std::size_t k = 0; k < points.size(); ++k)
        surface.X[k + 1] = points[k].first, surface.Y[k + 1] = points[k].second;
}

// Adds a stratum below the ones already in the job (soil 1 is the ground surface).
inline void AddSoil(Job& job, const Points& top, float density, float phi, float cohesion, float ru = 0.0f)
{
    SoilRecord soil{.Description = {}, .Density = density, .Phi = phi, .Cohesion = cohesion, .Ru = ru};
    SetPoints(soil, top);
    job.Soils.push_back(soil);
}

inline Job OneSoilJob(const Points& ground, float density, float phi, float cohesion, float ru = 0.0f)
{
    Job job = MakeDefaultJob();
    AddSoil(job, ground, density, phi, cohesion, ru);
    return job;
}

// Dry homogeneous slope: flat toe at 0, a face rising 1:1 to a crest at 10.
inline Job FaceJob(float phi = 30.0f, float cohesion = 0.0f)
{
    return OneSoilJob({{-20, 0}, {0, 0}, {10, 10}, {40, 10}}, 20.0f, phi, cohesion);
}

// A block of layers with friction coefficient 0.7.
inline void AddBlock(Job& job, float base, float height, float spacing, float length, float strength = 30.0f)
{
    job.Reinforcement.push_back({.Description = {}, .Strength = strength, .Length = length,
                                 .FrictionCoefficient = 0.7f, .VerticalSpacing = spacing, .BlockHeight = height,
                                 .BlockBase = base});
}

// Fredlund & Krahn (1977): a 2H:1V slope 12.19 m high, c' 28.73 kPa, phi' 20 deg,
// gamma 18.85 kN/m3, and their circle, analysed with 50 slices.
constexpr float kFkX = 18.288f, kFkY = 27.432f, kFkR = 24.384f;

inline Job Fk77Job(float ru)
{
    Job job = OneSoilJob({{0.0f, 6.096f}, {12.192f, 6.096f}, {36.576f, 18.288f}, {54.864f, 18.288f}}, 18.8505f,
                         20.0f, 28.7282f, ru);
    job.Header.WaterUnitWeight = 9.8023f;
    job.Slip.MinSlices = 50;
    return job;
}

inline SlipResult CircleAt(float xc, float yc, float r) { return {.CentreX = xc, .CentreY = yc, .Radius = r}; }

// A job with its section table, layers and the notices the engine gave.
struct Analysed {
    Job job;
    SectionTable table;
    LayerList layers;
    std::vector<std::string> notices;

    explicit Analysed(Job j) : job(std::move(j)) { Rebuild(); }
    Analysed(const Analysed&) = delete;

    void Rebuild() { table = BuildSectionTable(job); layers = BuildReinforcementLayers(job, table, Collector()); }
    NoticeFn Collector() { return [this](const std::string& text) { notices.push_back(text); }; }
    AnalysisInput Input() { return AnalysisInput{job, table, layers, Collector()}; }
    CircleSearchResult Search() { return RunCircleSearch(job, table, layers, Collector()); }

    // One circle as a search of one centre, with its one common point straight below the centre.
    CircleSearchResult OneCircle(float xc, float yc, float radius, Integer method)
    {
        SlipSettings& s = job.Slip;
        s.Method = method;
        s.AutoGenerate = s.AutoExtendGrid = kFalse;
        s.GridXMin = s.GridXMax = s.CommonXMin = s.CommonXMax = xc;
        s.GridYMin = s.GridYMax = yc;
        s.GridXInc = s.GridYInc = s.CommonXInc = 1.0f;
        s.CommonY = yc - radius;
        return Search();
    }
    float Factor(float xc, float yc, float r, Integer method)
    {
        return OneCircle(xc, yc, r, method).Critical()->StabilityFactor;
    }
};

// One circle of a job analysed whole: sliced, loaded and solved by the job's method.
struct OneSlip {
    Analysed a;
    SlipResult slip;
    SliceList slices;

    OneSlip(Job job, float xc, float yc, float radius) : a(std::move(job)), slip(CircleAt(xc, yc, radius))
    {
        AnalyseCircle(a.Input(), slip, slices);
    }
    float Sum(float Slice::*field) const
    {
        float total = 0.0f;
        for (const Slice& s : slices)
            total += s.*field;
        return total;
    }
};

// A rigorous solution satisfies both equilibria: the moment and force factors
// recomputed from the normal forces it left agree with its factor, and the
// interslice force closes at the crest end.
inline void ExpectRigorousEquilibrium(Analysed& a, const SlipResult& slip, const SliceList& slices)
{
    ASSERT_FALSE(slices.empty());
    SlipResult check = slip;
    MomentSums(a.Input(), check, slices);
    EXPECT_NEAR(check.StabilityFactor, slip.StabilityFactor, 0.011f);
    ForceSums(a.Input(), check, slices);
    EXPECT_NEAR(check.StabilityFactor, slip.StabilityFactor, 0.011f);
    EXPECT_LT(std::fabs(slices.back().RightSideForce), 0.5f + 0.01f * std::fabs(slices.front().RightSideForce));
}

} // namespace clv::test
