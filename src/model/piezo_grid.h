#pragma once

// Laying out and filling the piezometric grid: the extent boxes, the reset that
// rebuilds the stations and levels from them, the entry of one elevation, and
// the checks made before the grid may be used for pore pressures.

#include "model/job.h"

#include <optional>
#include <string>

namespace clv {

/** The six extent boxes, in the order they sit in the settings record. */
enum class PiezoLimit { MinX, MaxX, IncX, MinY, MaxY, IncY };

/** Largest grid a reset will build: the counts are 16-bit in the job file, and a table beyond this is unusable. */
constexpr long long kMaxPiezoCount = 32767;
constexpr long long kMaxPiezoCells = 100000;

/** Nearest tenth, an exact half to the even tenth (12.25 gives 12.2, 12.35 gives 12.4). */
Single RoundToTenth(double value);

Single PiezoLimitValue(const PiezoSettings& settings, PiezoLimit limit);

/**
 * A typed extent value: stored to the nearest tenth, an increment at least 0.5;
 * a minimum above its maximum raises the maximum, a maximum below its minimum
 * lowers the minimum; a value beyond the view's limits widens them. The grid
 * itself is not touched. A value that is not a finite number changes nothing.
 */
void EnterPiezoLimit(PiezoSettings& settings, ViewSettings& view, PiezoLimit limit, double value);

/** Stations (columns) and levels (rows) that a reset would build from the limits. */
struct PiezoLayout {
    long long NX = 0;
    long long NY = 0;
    /** Empty when the grid can be built; otherwise why not (a message for the user). */
    std::string Refusal;
};
PiezoLayout PlanPiezoGrid(const PiezoSettings& settings);

/**
 * Rebuilds the table from the limits: stations left to right ending at MaxX,
 * levels from the top down ending at MinY, every elevation 0. When the grid
 * cannot be built the job is left as it was and the refusal text is returned.
 */
std::optional<std::string> ResetPiezoGrid(PiezoSettings& settings, PiezoHeads& heads);

/** Some elevation cell holds no data (kNoLevel). */
bool PiezoGridIncomplete(const PiezoHeads& heads);

/**
 * The table's stations and levels are those a reset would build from the
 * current limits (false after the limits were changed without a reset).
 */
bool PiezoGridMatchesLimits(const PiezoSettings& settings, const PiezoHeads& heads);

/** Range of a typed elevation, inclusive. */
constexpr Single kMaxPiezoElevation = 10000.0f;
constexpr Single kMinPiezoElevation = -10000.0f;

struct PiezoEntryOutcome {
    bool Stored = false;
    std::string Title;   // refused: the message box title (exclamation icon)
    std::string Message; // refused: the range lines, carriage returns between
};

/**
 * A typed elevation for cell (row, column), both from 1: no value (an empty
 * text) clears the cell to kNoLevel, a value in range is stored; out of range
 * nothing is stored and the outcome carries the message.
 */
PiezoEntryOutcome EnterPiezoElevation(PiezoHeads& heads, int row, int column, std::optional<double> value);

} // namespace clv
