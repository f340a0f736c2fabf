#pragma once

// The ground below the middle of a slice's base, asked once per slice by every
// analysis: defined inline, since it runs for every slice of every trial slip.

#include "ground/pore_pressure_rule.h"
#include "ground/strata_column.h"

namespace clv {

/** What the analysis of a slice asks of the ground at the middle of its base. */
struct BaseColumn {
    float Overburden = 0.0f;     // OverburdenStress at (x, y)
    Integer Soil = 0;            // SoilAt(x, soilLevel)
    float PorePressure = 0.0f;   // PorePressure at (x, y) in that soil
    float WaterLevel = kNoLevel; // the level of the water row at x
};

/**
 * The questions a slice asks at the x of `span`, answered together: each number
 * is the one its own query gives (named in BaseColumn), but every stratum
 * surface and the water surface are read once. `soilLevel()` gives the level
 * whose soil is wanted; it is asked only when more than one soil could hold it
 * (a circle's arc level costs a square root per slice, and most sections have
 * one soil).
 */
template <typename SoilLevel>
BaseColumn QueryBaseColumnWith(const Job& job, const SectionTable& table, const StationSpan& span, float x, float y,
                               SoilLevel soilLevel)
{
    BaseColumn q;
    q.WaterLevel = LevelAt(table, span, table.WaterRow());
    const int soils = ground_detail::UsableSoils(job, table);
    Integer unused = 0;
    // A few strata, as a rule: their tops are read once for both questions.
    constexpr int kListed = 16;
    if (soils == 1) {
        // One soil, the common case: the same rules with the count known, which
        // the compiler turns into a few straight instructions.
        const float tops[3] = {0.0f, LevelAt(table, span, 1), kBelowAllSoils};
        const ground_detail::ListedColumn column{tops};
        q.Overburden = ground_detail::Overburden(job, column, 1, y, unused);
        q.Soil = 1; // the only soil holds every level
    } else if (soils >= 2 && soils <= kListed) {
        float tops[kListed + 2];
        for (int k = 1; k <= soils; ++k)
            tops[k] = LevelAt(table, span, k);
        tops[soils + 1] = kBelowAllSoils;
        const ground_detail::ListedColumn column{tops};
        q.Overburden = ground_detail::Overburden(job, column, soils, y, unused);
        q.Soil = ground_detail::SoilOf(column, soils, soilLevel());
    } else if (soils > kListed) {
        const ground_detail::Column column{table, span, soils};
        q.Overburden = ground_detail::Overburden(job, column, soils, y, unused);
        q.Soil = ground_detail::SoilOf(column, soils, soilLevel());
    }
    q.PorePressure = ground_detail::PorePressureRule(
        job, x, y, q.Soil, [&q] { return q.Overburden; }, [&q] { return q.WaterLevel; });
    return q;
}

/** QueryBaseColumn with the soil taken at the level `soilLevel`. */
inline BaseColumn QueryBaseColumn(const Job& job, const SectionTable& table, const StationSpan& span, float x, float y,
                                  float soilLevel)
{
    return QueryBaseColumnWith(job, table, span, x, y, [soilLevel] { return soilLevel; });
}

} // namespace clv
