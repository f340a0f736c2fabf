#include "ground/strata_column.h"

#include <algorithm>

namespace clv {

using namespace ground_detail;

float OverburdenStress(const Job& job, const SectionTable& table, const StationSpan& span, float y, Integer& soil)
{
    const int soils = UsableSoils(job, table);
    if (soils < 1) {
        soil = 0;
        return 0.0f;
    }
    const Column column{table, span, soils};
    return Overburden(job, column, soils, y, soil);
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
    return SoilOf(column, soils, y);
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
