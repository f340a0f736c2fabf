#pragma once

// Small cross-sections laid out by hand for the ground model tests.

#include "model/job.h"

#include <initializer_list>
#include <utility>

namespace clv::test {

using Points = std::initializer_list<std::pair<float, float>>;

/** Appends a soil of unit weight `density` whose top surface runs through `points`. */
inline SoilRecord& AddSoil(Job& job, float density, Points points)
{
    SoilRecord soil;
    soil.Density = density;
    for (const auto& [x, y] : points) {
        ++soil.PointCount;
        soil.X[soil.PointCount] = x;
        soil.Y[soil.PointCount] = y;
    }
    job.Soils.push_back(soil);
    return job.Soils.back();
}

inline void SetWater(Job& job, Points points)
{
    job.Water.PointCount = 0;
    for (const auto& [x, y] : points) {
        ++job.Water.PointCount;
        job.Water.X[job.Water.PointCount] = x;
        job.Water.Y[job.Water.PointCount] = y;
    }
}

} // namespace clv::test
