#pragma once

// Numbers as the program shows them: in tables, text boxes, the drawing, the
// reports and the command line, one formatter with one rounding rule.

#include <string>
#include <string_view>

namespace clv {

/**
 * Formats a number with a picture such as "#####0.00". In the whole part each
 * "0" is a digit always shown and each "#" a digit shown only when significant;
 * a number wider than the picture shows all its digits. After the point, "0"
 * places are always shown and "#" places only up to the last non-zero one; the
 * value is rounded to the places given, an exact half away from zero (on the
 * exact value of the binary number, so 0.125f is a half but 1.005f is not).
 * There is no thousands separator, and a value that rounds to zero has no sign.
 * An empty picture gives the shortest text that reads back as the same single
 * precision value ("2.5", "0.1", "1E+07" style is not used: plain digits).
 * Text in the picture other than 0 # . is copied as it stands.
 */
std::string Format(double value, std::string_view pattern = {});

} // namespace clv
