#include "ground/section_table.h"

#include <algorithm>

namespace clv {

namespace {

/** The strata at one x: the top of soil k, with the floor below the lowest soil. */
struct Column {
    const SectionTable& table;
    const StationSpan& span;
    int soils;

    float Top(int k) const { return k > soils ? kBelowAllSoils : LevelAt(table, span, k); }

    /**
     * The soil at the surface: skip strata that are less than 0.01 thick there.
     * A stratum whose bottom lies more than 0.01 below the ground is the first
     * one with any real thickness at the surface. (Skipping also a stratum whose
     * top lies exactly 0.01 below the ground, as a test of the top alone would
     * at that exact level, would skip every deeper one as well and weigh the
     * whole column with the lowest soil.)
     */
    int SurfaceSoil(float ground) const
    {
        int k = 1;
        while (k < soils && ground - Top(k + 1) <= 0.01f)
            ++k;
        return k;
    }
};

int UsableSoils(const Job& job, const SectionTable& table) { return std::min(job.SoilCount(), table.SoilCount()); }

} // namespace

float OverburdenStress(const Job& job, const SectionTable& table, const StationSpan& span, float y, Integer& soil)
{
    const int soils = UsableSoils(job, table);
    if (soils < 1) {
        soil = 0;
        return 0.0f;
    }
    const Column column{table, span, soils};
    float upper = column.Top(1);
    float sigma = 0.0f;
    for (int k = column.SurfaceSoil(upper); k <= soils; ++k) {
        const float bottom = column.Top(k + 1);
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

float OverburdenStress(const Job& job, const SectionTable& table, float x, float y, Integer& soil)
{
    // One search for x serves every stratum.
    return OverburdenStress(job, table, FindStationSpan(table, x), y, soil);
}

Integer SoilAt(const Job& job, const SectionTable& table, const StationSpan& span, float y)
{
    const int soils = UsableSoils(job, table);
    if (soils < 1)
        return 0;
    const Column column{table, span, soils};
    for (int k = column.SurfaceSoil(column.Top(1)); k < soils; ++k)
        if (!(y < column.Top(k + 1)))
            return static_cast<Integer>(k);
    return static_cast<Integer>(soils);
}

Integer SoilAt(const Job& job, const SectionTable& table, float x, float y)
{
    return SoilAt(job, table, FindStationSpan(table, x), y);
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
