#include "ui/validation.h"

#include "analysis/wedge_settings.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace clv::ui {

const char* const kFactorTitle = "Factor validation";
const char* const kFactorMessage = "Factor must lie between zero and 10";
const char* const kPointLimitsMessage = "Point data lies outside acceptable limits (-10000 < P < 10000)";
const char* const kSoilPointsFullMessage = "The maximum number of points for this soil has already been specified.";
const char* const kWaterPointsFullMessage =
    "The maximum number of points for the water surface has already been specified.";

double RoundHalfEven(double value, int decimals)
{
    if (!std::isfinite(value))
        return value;
    const double scale = std::pow(10.0, decimals);
    const double scaled = value * scale;
    if (!std::isfinite(scaled))
        return value;
    const double lower = std::floor(scaled);
    const double fraction = scaled - lower;
    // A typed 2.345 is 2.34499999... in binary; the user wrote an exact half, so
    // the half is recognised within a few units of the last place.
    const double tolerance = 1e-9 * std::max(1.0, std::fabs(scaled));
    double rounded;
    if (std::fabs(fraction - 0.5) <= tolerance)
        rounded = std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
    else
        rounded = std::round(scaled);
    return rounded / scale;
}

double ReadNumber(std::string_view text) { return LeadingNumber(std::string(text)); }

bool MeansSurface(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return true;
    const auto last = text.find_last_not_of(" \t");
    const std::string_view word = text.substr(first, last - first + 1);
    constexpr std::string_view surface = "surface";
    return std::equal(word.begin(), word.end(), surface.begin(), surface.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

std::optional<Single> ReadBoxValue(std::string_view text, const NumberRule& rule)
{
    const double value = RoundHalfEven(ReadNumber(text), rule.Decimals);
    if (!(value >= rule.Min && value <= rule.Max))
        return std::nullopt;
    return static_cast<Single>(value + 0.0); // + 0.0: a rounded -0.004 is stored as 0, not -0
}

bool PointCoordinateAllowed(double value) { return value > -10000.0 && value < 10000.0; }

namespace {

CellRule Number(double min, double max, int decimals,
                CellRule::Surface surface = CellRule::Surface::NotSpecial)
{
    CellRule rule;
    rule.Range = {min, max, decimals};
    rule.SurfaceWord = surface;
    return rule;
}

CellRule Text()
{
    CellRule rule;
    rule.IsText = true;
    return rule;
}

std::optional<CellRule> SoilsRule(int col)
{
    switch (col) {
    case 0: return Text();
    case 1: return Number(0, 25, 2);      // density
    case 2: return Number(0, 50, 0);      // phi
    case 3: return Number(0, 1000, 0);    // cohesion
    case 4: return Number(0, 1, 2);       // ru
    case 5: return Number(0, 100, 2);     // suction
    default: return std::nullopt;
    }
}

std::optional<CellRule> LoadsRule(int col, int loadType)
{
    const bool anchor = loadType == kAnchor;
    switch (col) {
    case 1: return Number(-10000, 10000, 0);
    // An anchor acts where its level meets the ground: its x is not an entry.
    case 3: return anchor ? std::nullopt : std::optional(Number(-1000, 1000, 2));
    case 4: return loadType == kSurcharge ? std::optional(Number(-1000, 1000, 2)) : std::nullopt;
    // An anchor head "at the surface" has no level to find its x from: refused.
    case 5: return Number(-1000, 1000, 2, anchor ? CellRule::Surface::Refused : CellRule::Surface::Accepted);
    case 6: return anchor ? std::optional(Number(-90, 90, 2)) : std::nullopt;   // inclination
    case 7:
    case 8: return anchor ? std::optional(Number(0, 100, 2)) : std::nullopt;    // free, fixed length
    default: return std::nullopt;
    }
}

std::optional<CellRule> RForceRule(int col)
{
    switch (col) {
    case 0: return Text();
    case 1: return Number(0, 500, 1);        // strength
    case 2: return Number(1, 100, 2);        // length
    case 3: return Number(0.05, 1, 2);       // friction coefficient
    case 4: return Number(0.05, 5, 2);       // vertical spacing
    case 5: return Number(0.1, 50, 2);       // block height
    case 6: return Number(-10000, 10000, 2); // block base
    default: return std::nullopt;
    }
}

} // namespace

std::optional<CellRule> CellRuleFor(TableKind table, int col, int loadType)
{
    switch (table) {
    case TableKind::Soils: return SoilsRule(col);
    case TableKind::Points:
    case TableKind::UserPoints:
        return col == 0 || col == 1 ? std::optional(Number(-10000, 10000, 2)) : std::nullopt;
    case TableKind::Loads: return LoadsRule(col, loadType);
    case TableKind::RForce: return RForceRule(col);
    }
    return std::nullopt;
}

CellValue ReadCell(const CellRule& rule, std::string_view text)
{
    CellValue cell;
    if (rule.IsText) {
        cell.Accepted = true;
        cell.Text = std::string(text);
        return cell;
    }
    if (rule.SurfaceWord != CellRule::Surface::NotSpecial && MeansSurface(text)) {
        cell.Accepted = rule.SurfaceWord == CellRule::Surface::Accepted;
        cell.Number = kNoLevel;
        return cell;
    }
    // A cell checks the value as typed and rounds only what it stores.
    const double value = ReadNumber(text);
    if (!(value >= rule.Range.Min && value <= rule.Range.Max))
        return cell;
    cell.Accepted = true;
    cell.Number = static_cast<Single>(RoundHalfEven(value, rule.Range.Decimals) + 0.0);
    return cell;
}

} // namespace clv::ui
