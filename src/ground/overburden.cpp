#include "ground/section_table.h"

#include <algorithm>

namespace clv {

float OverburdenStress(const Job& job, const SectionTable& table, float x, float y, Integer& soil)
{
    const int soils = std::min(job.SoilCount(), table.SoilCount());
    if (soils < 1) {
        soil = 0;
        return 0.0f;
    }

    // One search for x serves every stratum; below the lowest stratum the floor.
    const StationSpan span = FindStationSpan(table, x);
    auto top = [&](int k) { return k > soils ? kBelowAllSoils : LevelAt(table, span, k); };

    // The soil at the surface: skip strata that are less than 0.01 thick there.
    // A stratum whose bottom lies more than 0.01 below the ground is the first
    // one with any real thickness at the surface. (Skipping also a stratum whose
    // top lies exactly 0.01 below the ground, as a test of the top alone would
    // at that exact level, would skip every deeper one as well and weigh the
    // whole column with the lowest soil.)
    const float ground = top(1);
    int k = 1;
    float bottom = top(2);
    while (k < soils && ground - bottom <= 0.01f) {
        ++k;
        bottom = top(k + 1);
    }

    float upper = ground;
    float sigma = 0.0f;
    for (; k <= soils; ++k) {
        bottom = top(k + 1);
        const bool pointInThisSoil = !(y < bottom); // NaN stops here too
        const float lower = pointInThisSoil ? y : bottom;
        sigma += job.Soil(k).Density * (upper - lower);
        if (pointInThisSoil) {
            soil = static_cast<Integer>(k);
            return sigma;
        }
        upper = lower;
    }
    // Only a point below the floor of the section gets here: it belongs to the lowest soil.
    soil = static_cast<Integer>(soils);
    return sigma;
}

float VerticalEffectiveStress(const Job& job, const SectionTable& table, float x, float y, Integer& soil)
{
    const float total = OverburdenStress(job, table, x, y, soil);
    // Water standing on the ground (a flooded face, a pond) presses on the column
    // as the pore pressure counted from the water surface implies: without its
    // weight a submerged point would show a negative effective stress.
    const float ground = SurfaceLevel(table, 1, x);
    const float water = SurfaceLevel(table, table.WaterRow(), x);
    const float ponded = water > ground ? job.Header.WaterUnitWeight * (water - ground) : 0.0f;
    const float sigma = total + ponded + LoadStress(job, table, x, y) - PorePressure(job, table, x, y, soil);
    return sigma > 0.0f ? sigma : 0.0f;
}

} // namespace clv
