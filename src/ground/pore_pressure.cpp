#include "ground/pore_pressure_rule.h"

#include <cmath>

namespace clv {

namespace {

// Closer than this to a node, a point takes that node's level: its inverse
// distance would swamp (or overflow) the weights of the other corners.
constexpr float kAtNode = 1.0e-6f;

/**
 * The grid cell of (x, y) among the nodes the heads table itself lists: the x of
 * every station in row 0 (left to right) and the level of every grid row in
 * column 0 (highest first). The last station stands at the grid's maximum even
 * when that is not a whole number of increments from its minimum, so the
 * nodes are read rather than computed. A point beyond the outer nodes (the
 * limits widened after the grid was laid out) takes the nearest edge cell:
 * its inverse-distance average stays within that cell's levels.
 */
struct GridCell {
    int left, right, upper, lower; // column and row indices of the corners
};

GridCell FindGridCell(const PiezoHeads& heads, float x, float y)
{
    const int columns = heads.NX(), rows = heads.NY();
    GridCell cell{columns - 1, columns, rows - 1, rows};
    if (x < heads.At(0, 1)) {
        cell.left = 1;
        cell.right = 2;
    } else {
        for (int i = 1; i < columns; ++i) {
            if (heads.At(0, i) <= x && x < heads.At(0, i + 1)) {
                cell.left = i;
                cell.right = i + 1;
                break;
            }
        }
    }
    if (y >= heads.At(1, 0)) {
        cell.upper = 1;
        cell.lower = 2;
    } else {
        for (int j = 1; j < rows; ++j) {
            if (heads.At(j + 1, 0) <= y && y < heads.At(j, 0)) {
                cell.upper = j;
                cell.lower = j + 1;
                break;
            }
        }
    }
    return cell;
}

} // namespace

namespace ground_detail {

/**
 * Piezometric level at (x, y) by inverse-distance weights of the four corners
 * of its cell. A corner without data (kNoLevel) is left out of the average;
 * returns false when all four are empty.
 */
bool GridLevel(const PiezoHeads& heads, float x, float y, float& level)
{
    const GridCell cell = FindGridCell(heads, x, y);
    const int cols[4] = {cell.left, cell.right, cell.left, cell.right};
    const int rows[4] = {cell.upper, cell.upper, cell.lower, cell.lower};

    float weights[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    float heights[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    float total = 0.0f;
    for (int n = 0; n < 4; ++n) {
        const float h = heads.At(rows[n], cols[n]);
        if (h == kNoLevel)
            continue;
        const float dx = x - heads.At(0, cols[n]);
        const float dy = y - heads.At(rows[n], 0);
        const float d = std::sqrt(dx * dx + dy * dy);
        if (d < kAtNode) {
            level = h;
            return true;
        }
        weights[n] = 1.0f / d;
        heights[n] = h;
        total += weights[n];
    }
    if (!(total > 0.0f))
        return false;
    float sum = 0.0f;
    for (int n = 0; n < 4; ++n)
        sum += weights[n] / total * heights[n];
    level = sum;
    return true;
}

} // namespace ground_detail

float PorePressure(const Job& job, const SectionTable& table, float x, float y, Integer soil)
{
    return PorePressure(job, table, FindStationSpan(table, x), x, y, soil);
}

float PorePressure(const Job& job, const SectionTable& table, const StationSpan& span, float x, float y,
                   Integer soil)
{
    return ground_detail::PorePressureRule(
        job, x, y, soil,
        [&] {
            Integer unused = 0;
            return OverburdenStress(job, table, span, y, unused);
        },
        [&] { return LevelAt(table, span, table.WaterRow()); });
}

} // namespace clv
