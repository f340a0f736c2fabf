#pragma once

// Small jobs for the slip circle tests: slopes laid out by their points, and the
// settings that make the search analyse exactly one given circle.

#include "analysis/circle_search.h"
#include "analysis/reinforcement.h"
#include "ground/section_table.h"
#include "model/job.h"

#include <string>
#include <utility>
#include <vector>

namespace clv::test {

using Points = std::vector<std::pair<float, float>>;

inline void SetPoints(SoilRecord& soil, const Points& points)
{
    soil.PointCount = static_cast<Integer>(points.size());
    for (std::size_t k = 0; k < points.size(); ++k) {
        soil.X[k + 1] = points[k].first;
        soil.Y[k + 1] = points[k].second;
    }
}

/** Adds a stratum below the ones already in the job (soil 1 is the ground surface). */
inline void AddSoil(Job& job, const Points& top, float density, float phi, float cohesion, float ru = 0.0f)
{
    SoilRecord soil;
    soil.Description.Assign("soil " + std::to_string(job.SoilCount() + 1));
    soil.Density = density;
    soil.Phi = phi;
    soil.Cohesion = cohesion;
    soil.Ru = ru;
    SetPoints(soil, top);
    job.Soils.push_back(soil);
}

inline void SetWater(Job& job, const Points& points)
{
    job.Water.PointCount = static_cast<Integer>(points.size());
    for (std::size_t k = 0; k < points.size(); ++k) {
        job.Water.X[k + 1] = points[k].first;
        job.Water.Y[k + 1] = points[k].second;
    }
}

/** A new job with a single soil whose top is `ground`. */
inline Job OneSoilJob(const Points& ground, float density, float phi, float cohesion, float ru = 0.0f)
{
    Job job = MakeDefaultJob();
    AddSoil(job, ground, density, phi, cohesion, ru);
    return job;
}

/**
 * Settings that make the search analyse one circle: a grid of one centre, one
 * common point straight below it at the bottom of the circle, no automatic
 * geometry, no extension.
 */
inline void SetOneCircle(Job& job, float xc, float yc, float radius)
{
    SlipSettings& s = job.Slip;
    s.AutoGenerate = kFalse;
    s.AutoExtendGrid = kFalse;
    s.GridXMin = s.GridXMax = xc;
    s.GridYMin = s.GridYMax = yc;
    s.GridXInc = s.GridYInc = 1.0f;
    s.CommonXMin = s.CommonXMax = xc;
    s.CommonXInc = 1.0f;
    s.CommonY = yc - radius;
}

/** The section table, the layers and a notice log of a job, as the front ends build them. */
struct Analysed {
    Job job;
    SectionTable table;
    LayerList layers;
    std::vector<std::string> notices;

    explicit Analysed(Job j) : job(std::move(j)), table(BuildSectionTable(job)), layers(BuildReinforcementLayers(job, table)) {}

    AnalysisInput Input() const
    {
        return AnalysisInput{job, table, layers, {}};
    }

    CircleSearchResult Search()
    {
        return RunCircleSearch(job, table, layers, [this](const std::string& text) { notices.push_back(text); });
    }

    /** Factor of one circle by the one-centre search, with `method`. */
    float OneCircle(float xc, float yc, float radius, Integer method)
    {
        SetOneCircle(job, xc, yc, radius);
        job.Slip.Method = method;
        const CircleSearchResult r = Search();
        return r.Critical() ? r.Critical()->StabilityFactor : -1.0f;
    }
};

} // namespace clv::test
