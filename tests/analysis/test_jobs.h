#pragma once

// Small jobs for the analysis tests: soils given by their surface points, blocks
// of geogrid layers, and the derived data (section table, layers) an analysis
// reads, kept together so that an AnalysisInput can point at them.

#include "analysis/circle_search.h"
#include "analysis/methods.h"
#include "support/job_builders.h"

#include <gtest/gtest.h>

#include <cmath>

namespace clv::test {

// A new job with one soil whose top is the ground surface.
inline Job OneSoilJob(const Points& ground, float density, float phi, float cohesion, float ru = 0.0f)
{
    Job job = MakeDefaultJob();
    job.Soils.push_back({.Description = {}, .Density = density, .Phi = phi, .Cohesion = cohesion, .Ru = ru});
    SetPoints(job.Soils[0], ground);
    return job;
}

// Dry homogeneous slope: flat toe at 0, a face rising 1:1 to a crest at 10.
inline Job FaceJob(float phi = 30.0f, float cohesion = 0.0f)
{
    return OneSoilJob({{-20, 0}, {0, 0}, {10, 10}, {40, 10}}, 20.0f, phi, cohesion);
}

// Slices whose base chords run through the points given, left to right.
inline SliceList Chords(const Points& points)
{
    SliceList slices(points.size() - 1);
    for (std::size_t i = 0; i < slices.size(); ++i) {
        slices[i].XLeft = points[i].first, slices[i].BaseLeft = points[i].second;
        slices[i].XRight = points[i + 1].first, slices[i].BaseRight = points[i + 1].second;
    }
    return slices;
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

// A job with its section table, layers and the notices the engine gave.
struct Analysed {
    Job job;
    SectionTable table;
    LayerList layers;
    std::vector<std::string> notices;

    explicit Analysed(Job j) : job(std::move(j)) { Rebuild(); }

    void Rebuild() { table = BuildSectionTable(job); layers = BuildReinforcementLayers(job, table, Collector()); }
    NoticeFn Collector() { return [this](const std::string& text) { notices.push_back(text); }; }
    AnalysisInput Input() { return AnalysisInput{job, table, layers, Collector()}; }
    CircleSearchResult Search() { return RunCircleSearch(job, table, layers, Collector()); }
};

// One circle of a job analysed whole: sliced, loaded and solved by the job's method.
struct OneSlip {
    Analysed a;
    SlipResult slip;
    SliceList slices;

    OneSlip(Job job, float xc, float yc, float r) : a(std::move(job)), slip{.CentreX = xc, .CentreY = yc, .Radius = r}
    {
        AnalyseCircle(a.Input(), slip, slices);
    }
};

// The factor of one circle of `job` by `method`.
inline float Factor(Job job, Integer method, float xc, float yc, float radius)
{
    job.Slip.Method = method;
    return OneSlip(std::move(job), xc, yc, radius).slip.StabilityFactor;
}

// A rigorous solution satisfies both equilibria: the moment and force factors
// recomputed from the normal forces it left agree with its factor, and the
// interslice force closes at the crest end (each slice's right-hand force is
// solved directly from its own equilibrium, not iterated towards).
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
