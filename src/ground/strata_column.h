#pragma once

// The strata at one x and the rules that walk them from the ground down: the
// soil at the surface, the overburden at a level and the soil at a level.
// Shared by the single queries and by the query of a slice's whole column.
// Internal to the ground model.

#include "ground/section_table.h"

#include <algorithm>

namespace clv::ground_detail {


/** The strata at one x: the top of soil k, with the floor below the lowest soil. */
struct Column {
    const SectionTable& table;
    const StationSpan& span;
    int soils;

    float Top(int k) const { return k > soils ? kBelowAllSoils : LevelAt(table, span, k); }
};

/** The tops of a column read once into a list: top k is tops[k], the floor after the lowest soil. */
struct ListedColumn {
    const float* tops;

    float Top(int k) const { return tops[k]; }
};

/**
 * The soil at the surface: skip strata that are less than 0.01 thick there.
 * A stratum whose bottom lies more than 0.01 below the ground is the first
 * one with any real thickness at the surface. (Skipping also a stratum whose
 * top lies exactly 0.01 below the ground, as a test of the top alone would
 * at that exact level, would skip every deeper one as well and weigh the
 * whole column with the lowest soil.)
 */
template <typename C>
int SurfaceSoil(const C& column, int soils, float ground)
{
    int k = 1;
    while (k < soils && ground - column.Top(k + 1) <= 0.01f)
        ++k;
    return k;
}

/** The overburden at level y, with at least one soil; `soil` receives the soil of the point. */
template <typename C>
float Overburden(const Job& job, const C& column, int soils, float y, Integer& soil)
{
    float upper = column.Top(1);
    float sigma = 0.0f;
    for (int k = SurfaceSoil(column, soils, upper); k <= soils; ++k) {
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

/** The soil at level y, with at least one soil, as Overburden finds it. */
template <typename C>
Integer SoilOf(const C& column, int soils, float y)
{
    for (int k = SurfaceSoil(column, soils, column.Top(1)); k < soils; ++k)
        if (!(y < column.Top(k + 1)))
            return static_cast<Integer>(k);
    return static_cast<Integer>(soils);
}

inline int UsableSoils(const Job& job, const SectionTable& table)
{ return std::min(job.SoilCount(), table.SoilCount()); }


} // namespace clv::ground_detail
