#pragma once

// The section table: the level of every stratum surface and of the water surface
// at every station of the cross-section, and the queries the analyses ask of it.
// All arithmetic is single precision; "rounded" comparisons compare floats.

#include "model/job.h"

#include <vector>

namespace clv {

constexpr float kFarLeftX = -100000.0f;
constexpr float kFarRightX = 100000.0f;
constexpr float kNoPoints = -100001.0f;    // a row whose polyline has no points
constexpr float kBelowAllSoils = -1000000.0f;

/**
 * Rows 0..SoilCount + 1, columns 0..StationCount + 1. Row 0 holds the x of each
 * station (strictly increasing); row k (1..SoilCount) the top of soil k; row
 * SoilCount + 1 the water surface. Columns 0 and StationCount + 1 are the far
 * stations at -100000 and +100000 carrying each row's end levels.
 */
class SectionTable {
public:
    int SoilCount() const { return soilCount_; }
    int StationCount() const { return stationCount_; }
    int WaterRow() const { return soilCount_ + 1; }
    /** x of column `col` (0..StationCount + 1). */
    float X(int col) const { return cells_[static_cast<std::size_t>(col) * rows_]; }
    /** Level of row `row` (1..SoilCount + 1) at column `col`. */
    float Level(int row, int col) const { return cells_[static_cast<std::size_t>(col) * rows_ + row]; }

    // Building access, used by BuildSectionTable and by tests that lay out a table by hand.
    void Reset(int soilCount, int stationCount);
    float& Cell(int row, int col) { return cells_[static_cast<std::size_t>(col) * rows_ + row]; }
    /** Inserts an empty column (every row kNoLevel) before column `col`. */
    void InsertColumn(int col, float x);

private:
    int soilCount_ = 0;
    int stationCount_ = 0;
    std::size_t rows_ = 2; // SoilCount + 2
    // Column-major: the x and all the levels of one station lie together, so a
    // query reads every row at one x from two neighbouring runs, and inserting a
    // station moves one block. An empty table is the two far stations with a
    // water row without points.
    std::vector<float> cells_ = {kFarLeftX, kNoPoints, kFarRightX, kNoPoints};
};

/**
 * Where an x falls among the stations, found once and then used to read the level
 * of any row at that x (the analyses read several rows at one x). `width` is 0 when
 * the level is the one at column `col` (beyond the first or last real station);
 * `col` is -1 when x cannot be placed (NaN).
 */
struct StationSpan {
    int col = -1;
    float dx = 0.0f;    // x - x(col)
    float width = 0.0f; // x(col + 1) - x(col), or 0
};

/** The span of x, by bisection of the stations (the same span a walk from the left finds). */
StationSpan FindStationSpan(const SectionTable& table, float x);

/**
 * FindStationSpan for x taken in increasing order, as the sides and middles of
 * slices are: each call walks on from the span of the previous one instead of
 * searching the stations again, and gives the very span the search gives. An x
 * below the previous one starts the walk again from the left.
 */
class StationWalk {
public:
    explicit StationWalk(const SectionTable& table) : table_(table) {}

    StationSpan Find(float x)
    {
        const SectionTable& t = table_;
        const int last = t.StationCount();
        StationSpan span;
        if (x <= t.X(1)) {
            span.col = 1;
        } else if (x >= t.X(last)) {
            span.col = last;
        } else if (x == x) { // NaN fails every test and has no level
            // x(1) < x < x(last): the first column c in 2..last with x <= x(c) exists. The
            // columns before next_ lie below x when x(next_ - 1) does.
            if (next_ > last || !(t.X(next_ - 1) < x))
                next_ = 2;
            while (x > t.X(next_))
                ++next_;
            span.col = next_ - 1;
            span.dx = x - t.X(span.col);
            span.width = t.X(next_) - t.X(span.col);
        }
        return span;
    }

private:
    const SectionTable& table_;
    int next_ = 2; // x(next_ - 1) < x held for the last x placed between stations
};

/** Level of `row` at the x of `span`, exactly as SurfaceLevel computes it. */
inline float LevelAt(const SectionTable& table, const StationSpan& span, int row)
{
    if (span.col < 0)
        return kNoLevel;
    const float left = table.Level(row, span.col);
    if (span.width == 0.0f)
        return left;
    const float right = table.Level(row, span.col + 1);
    const float rise = right - left;
    // A level stretch (a flat ground, a row without points) needs no division:
    // 0 x dx / width is +0 for the positive dx and width of a span, so left + rise
    // is the very number the interpolation gives, a -0 level included.
    if (rise == 0.0f)
        return left + rise;
    return left + rise * span.dx / span.width;
}

/** Rebuilds the table from the soils and the water surface of the job. */
SectionTable BuildSectionTable(const Job& job);

/** Level of table row `row` at x: horizontal beyond the first and last real stations. */
float SurfaceLevel(const SectionTable& table, int row, float x);

/**
 * The slope face at level y: the x of the first crossing, walked from the left over
 * the real stations, of the horizontal at y with a ground segment that rises to the
 * right; kNoLevel when no rising segment reaches y. Layers start and anchor heads
 * sit there: a crossing on falling ground (a foreground falling towards the toe,
 * the far bank of a cutting) is not the face the slope is analysed on.
 */
float FaceXAtLevel(const SectionTable& table, float y);

/** Where an anchor at level y meets the ground: the slope face at that level (FaceXAtLevel). */
float GroundXAtLevel(const Job& job, const SectionTable& table, float y);

/** Total vertical stress at (x, y); `soil` receives the index of the soil that contains the point. */
float OverburdenStress(const Job& job, const SectionTable& table, float x, float y, Integer& soil);
/** OverburdenStress at the x of `span` (found once for several queries at one x). */
float OverburdenStress(const Job& job, const SectionTable& table, const StationSpan& span, float y, Integer& soil);

/**
 * The soil that contains (x, y), as OverburdenStress finds it: strata less than
 * 0.01 thick at the ground are passed over, a point above the ground belongs to
 * the surface soil and a point below the section to the lowest. 0 without soils.
 */
Integer SoilAt(const Job& job, const SectionTable& table, float x, float y);
Integer SoilAt(const Job& job, const SectionTable& table, const StationSpan& span, float y);

/** Pore-water pressure at (x, y) in soil `soil`: phreatic surface, Ru or piezometric grid, then the suction limit. */
float PorePressure(const Job& job, const SectionTable& table, float x, float y, Integer soil);
/** PorePressure with `span` the station span of x, found once for several queries at x. */
float PorePressure(const Job& job, const SectionTable& table, const StationSpan& span, float x, float y,
                   Integer soil);

/** Vertical stress at (x, y) from the surcharges and line loads, spread at 2:1. */
float LoadStress(const Job& job, const SectionTable& table, float x, float y);

/**
 * OverburdenStress + LoadStress - PorePressure, with `soil` set as by
 * OverburdenStress, plus the weight of any water standing on the ground above x:
 * the overburden runs from the ground but the pore pressure from the water
 * surface, so ponded water must load the column too. Never below 0.
 */
float VerticalEffectiveStress(const Job& job, const SectionTable& table, float x, float y, Integer& soil);

} // namespace clv
