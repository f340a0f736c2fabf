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
    float X(int col) const { return cells_[col]; }
    /** Level of row `row` (1..SoilCount + 1) at column `col`. */
    float Level(int row, int col) const { return cells_[static_cast<std::size_t>(row) * columns_ + col]; }

    // Building access, used by BuildSectionTable and by tests that lay out a table by hand.
    void Reset(int soilCount, int stationCount);
    float& Cell(int row, int col) { return cells_[static_cast<std::size_t>(row) * columns_ + col]; }
    /** Inserts an empty column (every row kNoLevel) before column `col`. */
    void InsertColumn(int col, float x);

private:
    int soilCount_ = 0;
    int stationCount_ = 0;
    std::size_t columns_ = 2;
    std::vector<float> cells_ = std::vector<float>(2, 0.0f); // row-major, rows 0..SoilCount+1
};

/** Rebuilds the table from the soils and the water surface of the job. */
SectionTable BuildSectionTable(const Job& job);

/** Level of table row `row` at x: horizontal beyond the first and last real stations. */
float SurfaceLevel(const SectionTable& table, int row, float x);

/** The x at which the ground surface, walked from the left, first reaches level y; kNoLevel when none. */
float GroundXAtLevel(const Job& job, const SectionTable& table, float y);

/** Total vertical stress at (x, y); `soil` receives the index of the soil that contains the point. */
float OverburdenStress(const Job& job, const SectionTable& table, float x, float y, Integer& soil);

/** Pore-water pressure at (x, y) in soil `soil`: phreatic surface, Ru or piezometric grid, then the suction limit. */
float PorePressure(const Job& job, const SectionTable& table, float x, float y, Integer soil);

/** Vertical stress at (x, y) from the surcharges and line loads, spread at 2:1. */
float LoadStress(const Job& job, const SectionTable& table, float x, float y);

/** OverburdenStress + LoadStress - PorePressure, with `soil` set as by OverburdenStress. */
float VerticalEffectiveStress(const Job& job, const SectionTable& table, float x, float y, Integer& soil);

} // namespace clv
