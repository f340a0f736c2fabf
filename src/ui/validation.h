#pragma once

// How typed entries are read and checked, without any widget: a text is read by
// its leading number (0 when it has none), compared with a range that includes
// both bounds and rounded half to even to the places the field keeps. The tables
// and boxes of the window call these and only decide what to show.

#include "model/job.h"

#include <optional>
#include <string>
#include <string_view>

namespace clv::ui {

/** Rounds to `decimals` places, an exact half (as typed in decimal) to the even neighbour. */
double RoundHalfEven(double value, int decimals);

/** The leading number of a typed text; 0 when it does not start with one. */
double ReadNumber(std::string_view text);

/** True when the text, without surrounding blanks and in any letter case, is "surface" or empty. */
bool MeansSurface(std::string_view text);

struct NumberRule {
    double Min = 0.0;
    double Max = 0.0;
    int Decimals = 2;
};

/**
 * A text box: the number is rounded first and then checked, so 10.004 in a box
 * that keeps two places is 10.00 and within 0..10. Nothing when out of range.
 */
std::optional<Single> ReadBoxValue(std::string_view text, const NumberRule& rule);

// The partial factor and seismic boxes.
extern const char* const kFactorTitle;   // "Factor validation"
extern const char* const kFactorMessage; // "Factor must lie between zero and 10"
constexpr NumberRule kFactorRule{0.0, 10.0, 2};

// The typed point boxes ("Add point").
extern const char* const kPointLimitsMessage;      // "Point data lies outside acceptable limits (-10000 < P < 10000)"
extern const char* const kSoilPointsFullMessage;   // the 51st point of a soil
extern const char* const kWaterPointsFullMessage;  // the 51st point of the water surface
/** A typed point coordinate lies strictly inside -10000..10000. */
bool PointCoordinateAllowed(double value);

/** The tables whose cells the user types into. */
enum class TableKind { Soils, Points, Loads, RForce, UserPoints };

/** What a cell accepts. */
struct CellRule {
    bool IsText = false;   // any text, stored in a fixed-length description
    NumberRule Range;      // for numbers: both bounds included, then rounded
    enum class Surface {
        NotSpecial,        // "surface" is just a text without a number: 0
        Accepted,          // "surface" or an empty cell stores kNoLevel
        Refused,           // "surface" or an empty cell is refused
    } SurfaceWord = Surface::NotSpecial;
};

/**
 * The rule of column `col` of a table, or nothing when the column cannot be
 * edited. For the loads table the rule depends on the row's load type.
 */
std::optional<CellRule> CellRuleFor(TableKind table, int col, int loadType = kSurcharge);

/** A cell's text read against its rule. */
struct CellValue {
    bool Accepted = false;
    std::string Text;    // for a text rule: the text as typed
    Single Number = 0.0f; // for a number rule: the value rounded, or kNoLevel for "surface"
};

CellValue ReadCell(const CellRule& rule, std::string_view text);

} // namespace clv::ui
