#pragma once

// The texts of the analysis results in tables and labels: numbers with their
// format pictures, and the stability factor with its special cases.

#include <QString>

#include <string_view>

namespace clv::ui {

/** A number with a format picture; "N/A" for a value that is not a number (a zero partial factor upstream). */
QString NumberText(float value, std::string_view pattern);

/**
 * A stability factor: `invalidText` for the invalid mark 1001 or a value that is
 * not a number, ">100" above 100, otherwise "####0.00".
 */
QString FactorDisplay(float factor, const char* invalidText = "Invalid");

/** True for a factor that marks no valid result (1001, or not a number). */
bool IsInvalidFactor(float factor);

} // namespace clv::ui
