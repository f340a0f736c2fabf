#pragma once

// The pore-pressure rule itself, shared by the plain query and by the query of
// a whole column below a slice, which has the overburden and the water level at
// hand already. Internal to the ground model.

#include "ground/section_table.h"

namespace clv::ground_detail {

/** True when the piezometric grid is enabled and covers (x, y). */
inline bool InsideGrid(const Job& job, float x, float y)
{
    const PiezoSettings& grid = job.Piezo;
    // A grid of fewer than two stations or two levels has no cell to interpolate in.
    return IsSet(grid.Enabled) && job.Heads.NX() >= 2 && job.Heads.NY() >= 2 && grid.MinX < x &&
           x < grid.MaxX && grid.MinY < y && y < grid.MaxY;
}

/** Piezometric level at (x, y) from the grid; false when all four corners of its cell are empty. */
bool GridLevel(const PiezoHeads& heads, float x, float y, float& level);

/**
 * Pore-water pressure at (x, y) in soil `soil`. `overburden()` gives the total
 * vertical stress at the point and `waterLevel()` the phreatic level above it;
 * each is asked only when the rule needs it.
 */
template <typename Overburden, typename WaterLevel>
float PorePressureRule(const Job& job, float x, float y, Integer soil, Overburden overburden, WaterLevel waterLevel)
{
    const bool validSoil = soil >= 1 && soil <= job.SoilCount();
    const float ru = validSoil ? job.Soil(soil).Ru : 0.0f;
    const float suction = validSoil ? job.Soil(soil).Suction : 0.0f;
    const float gammaW = job.Header.WaterUnitWeight;

    float u = 0.0f;
    float gridLevel = 0.0f;
    // The grid, where it covers the point, decides alone; with all four corners
    // of the cell empty the point falls back to the water surface or the ratio.
    if (InsideGrid(job, x, y) && GridLevel(job.Heads, x, y, gridLevel)) {
        u = (gridLevel - y) * gammaW;
    } else if (ru > 0.0f) {
        u = ru * overburden();
    } else {
        u = (waterLevel() - y) * gammaW;
    }

    // Suction limit. A negative suction (only a damaged file holds one) would
    // turn suction into a positive pressure, so it counts as none.
    if (u < 0.0f) {
        if (!(suction > 0.0f))
            u = 0.0f;
        else if (gammaW * suction < -u)
            u = -gammaW * suction;
    }
    return u;
}

} // namespace clv::ground_detail
