#include "model/piezo_grid.h"

#include "model/format.h"

#include <cmath>
#include <vector>

namespace clv {

namespace {

Single& LimitField(PiezoSettings& s, PiezoLimit limit)
{
    switch (limit) {
    case PiezoLimit::MinX: return s.MinX;
    case PiezoLimit::MaxX: return s.MaxX;
    case PiezoLimit::IncX: return s.IncX;
    case PiezoLimit::MinY: return s.MinY;
    case PiezoLimit::MaxY: return s.MaxY;
    case PiezoLimit::IncY: return s.IncY;
    }
    return s.IncY;
}

constexpr Single kMinIncrement = 0.5f;

/** Down to the tenth below, in single precision as the stations are stored. */
Single FloorToTenth(Single value) { return std::floor(value * 10.0f) / 10.0f; }

/**
 * Nodes along one direction: floor(range / increment) + 1, plus one more when
 * the last node so reached still lies short of the maximum. -1 when the
 * extent cannot be laid out (no positive increment, maximum below minimum).
 */
long long NodeCount(Single min, Single max, Single inc)
{
    if (!(inc > 0.0f) || !std::isfinite(min) || !std::isfinite(max) || !std::isfinite(inc) || max < min)
        return -1;
    const double steps = std::floor(static_cast<double>((max - min) / inc));
    if (steps > static_cast<double>(kMaxPiezoCells))
        return static_cast<long long>(kMaxPiezoCells) + 1; // far too many; the exact count does not matter
    long long count = static_cast<long long>(steps) + 1;
    if (static_cast<Single>(count - 1) * inc + min < max)
        ++count;
    return count;
}

struct Nodes {
    std::vector<Single> Stations; // x of columns 1..NX
    std::vector<Single> Levels;   // y of rows 1..NY, highest first
};

/** The stations end exactly at the maximum; the top level may lie one step above it. */
Nodes NodesOf(const PiezoSettings& s, long long nx, long long ny)
{
    Nodes nodes;
    for (long long i = 1; i <= nx; ++i)
        nodes.Stations.push_back(FloorToTenth(static_cast<Single>(i - 1) * s.IncX + s.MinX));
    if (nx > 0)
        nodes.Stations.back() = FloorToTenth(s.MaxX);
    for (long long j = 1; j <= ny; ++j)
        nodes.Levels.push_back(FloorToTenth(static_cast<Single>(ny - j) * s.IncY + s.MinY));
    return nodes;
}

} // namespace

Single RoundToTenth(double value) { return static_cast<Single>(std::nearbyint(value * 10.0) / 10.0); }

Single PiezoLimitValue(const PiezoSettings& settings, PiezoLimit limit)
{
    return LimitField(const_cast<PiezoSettings&>(settings), limit);
}

void EnterPiezoLimit(PiezoSettings& s, ViewSettings& view, PiezoLimit limit, double value)
{
    const Single rounded = RoundToTenth(value);
    if (!std::isfinite(value) || !std::isfinite(rounded))
        return;
    Single& field = LimitField(s, limit);
    field = rounded;
    switch (limit) {
    case PiezoLimit::IncX:
    case PiezoLimit::IncY:
        if (field < kMinIncrement)
            field = kMinIncrement;
        return;
    case PiezoLimit::MinX: if (s.MinX > s.MaxX) s.MaxX = s.MinX; break;
    case PiezoLimit::MaxX: if (s.MaxX < s.MinX) s.MinX = s.MaxX; break;
    case PiezoLimit::MinY: if (s.MinY > s.MaxY) s.MaxY = s.MinY; break;
    case PiezoLimit::MaxY: if (s.MaxY < s.MinY) s.MinY = s.MaxY; break;
    }
    // The grid must be visible in the drawing: widen the view to take in the
    // new value (a partner moved by it took the same value).
    const bool alongX = limit == PiezoLimit::MinX || limit == PiezoLimit::MaxX;
    Single& low = alongX ? view.XMin : view.YMin;
    Single& high = alongX ? view.XMax : view.YMax;
    if (rounded < low) low = rounded;
    if (rounded > high) high = rounded;
}

PiezoLayout PlanPiezoGrid(const PiezoSettings& s)
{
    PiezoLayout layout;
    if (s.MinX == s.MaxX && s.MinY == s.MaxY)
        return layout; // no extent: no grid
    layout.NX = NodeCount(s.MinX, s.MaxX, s.IncX);
    layout.NY = NodeCount(s.MinY, s.MaxY, s.IncY);
    if (layout.NX < 0 || layout.NY < 0) {
        layout.Refusal = "The grid extent cannot be laid out: each maximum must be at least its minimum "
                         "and each increment above zero.\rThe existing grid has been kept.";
        return layout;
    }
    if (layout.NX > kMaxPiezoCount || layout.NY > kMaxPiezoCount || layout.NX * layout.NY > kMaxPiezoCells) {
        layout.Refusal = "These limits would give a grid of " + std::to_string(layout.NX) + " stations by " +
                         std::to_string(layout.NY) + " levels.\rA grid may have at most " +
                         std::to_string(kMaxPiezoCells) + " points (and at most " + std::to_string(kMaxPiezoCount) +
                         " stations or levels).\rIncrease the increments or reduce the extent. "
                         "The existing grid has been kept.";
    }
    return layout;
}

std::optional<std::string> ResetPiezoGrid(PiezoSettings& s, PiezoHeads& heads)
{
    const PiezoLayout layout = PlanPiezoGrid(s);
    if (!layout.Refusal.empty())
        return layout.Refusal;
    const Nodes nodes = NodesOf(s, layout.NX, layout.NY);
    s.NX = static_cast<Integer>(layout.NX);
    s.NY = static_cast<Integer>(layout.NY);
    heads.Resize(s.NY, s.NX);
    heads.At(0, 0) = 0.0f;
    for (int i = 1; i <= s.NX; ++i)
        heads.At(0, i) = nodes.Stations[static_cast<std::size_t>(i - 1)];
    for (int j = 1; j <= s.NY; ++j) {
        heads.At(j, 0) = nodes.Levels[static_cast<std::size_t>(j - 1)];
        for (int i = 1; i <= s.NX; ++i)
            heads.At(j, i) = 0.0f;
    }
    return std::nullopt;
}

bool PiezoGridIncomplete(const PiezoHeads& heads)
{
    for (int j = 1; j <= heads.NY(); ++j)
        for (int i = 1; i <= heads.NX(); ++i)
            if (heads.At(j, i) == kNoLevel)
                return true;
    return false;
}

bool PiezoGridMatchesLimits(const PiezoSettings& s, const PiezoHeads& heads)
{
    const PiezoLayout layout = PlanPiezoGrid(s);
    if (!layout.Refusal.empty())
        return false;
    if (layout.NX != s.NX || layout.NY != s.NY || heads.NX() != s.NX || heads.NY() != s.NY)
        return false;
    // Nodes lie on tenths; a changed limit moves them by a tenth or more, while a
    // grid laid out by another build of the program may differ in the last bit.
    constexpr Single kNodeTolerance = 0.01f;
    const Nodes nodes = NodesOf(s, layout.NX, layout.NY);
    for (int i = 1; i <= s.NX; ++i)
        if (!(std::fabs(heads.At(0, i) - nodes.Stations[static_cast<std::size_t>(i - 1)]) <= kNodeTolerance))
            return false;
    for (int j = 1; j <= s.NY; ++j)
        if (!(std::fabs(heads.At(j, 0) - nodes.Levels[static_cast<std::size_t>(j - 1)]) <= kNodeTolerance))
            return false;
    return true;
}

PiezoEntryOutcome EnterPiezoElevation(PiezoHeads& heads, int row, int column, std::optional<double> value)
{
    PiezoEntryOutcome outcome;
    if (row < 1 || row > heads.NY() || column < 1 || column > heads.NX())
        return outcome;
    if (!value) {
        heads.At(row, column) = kNoLevel;
        outcome.Stored = true;
        return outcome;
    }
    if (!(*value >= kMinPiezoElevation && *value <= kMaxPiezoElevation)) {
        outcome.Title = "Invalid data entry";
        outcome.Message = "Invalid data for piezometric elevation\rPermitted range:-\r     Upper limit is " +
                          Format(kMaxPiezoElevation, "#####0.0") + "\r     Lower limit is " +
                          Format(kMinPiezoElevation, "#####0.0");
        return outcome;
    }
    heads.At(row, column) = static_cast<Single>(*value);
    outcome.Stored = true;
    return outcome;
}

} // namespace clv
