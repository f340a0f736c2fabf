// The number formatter shared by the window, the reports and the command line.

#include "model/format.h"

#include <gtest/gtest.h>

#include <limits>

namespace clv {
namespace {

TEST(Format, PicturesRoundingSignsAndNonNumbers)
{
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN(), kInf = std::numeric_limits<double>::infinity();
    const struct {
        double value;
        const char* pattern;
        const char* expected;
    } cases[] = {
        // Fixed places after the point are always shown, padded with zeros; a number wider than
        // the picture shows every digit.
        {1.5, "#####0.00", "1.50"}, {0.0, "#####0.00", "0.00"}, {-12.25, "####0.00", "-12.25"},
        {1234567.0, "#0", "1234567"}, {12345.678, "######0.0", "12345.7"},
        // "#" in the whole part only when significant; "0" always.
        {7.0, "00", "07"}, {123.0, "00", "123"}, {0.5, "#####.0", ".5"}, {10.5, "#####.0", "10.5"}, {0.0, "#", ""},
        {3.0, "###0", "3"},
        // Optional places after the point drop trailing zeros, and the point with them.
        {2.5, "0.##", "2.5"}, {2.0, "0.##", "2"}, {2.004, "0.##", "2"},
        // Literal text around the places is kept; no thousands separator.
        {20.0, "0.0 kN/m2", "20.0 kN/m2"}, {5.0, "x = 0", "x = 5"}, {1000000.25, "0.00", "1000000.25"},
        // An exactly representable half rounds away from zero, not to even; nothing else does.
        {0.125, "0.00", "0.13"}, {-0.125, "0.00", "-0.13"}, {2.5, "0", "3"}, {3.5, "0", "4"}, {0.375, "0.00", "0.38"},
        {1.005, "0.00", "1.00"}, // the double just below 1.005: not a half
        {1.0051, "0.00", "1.01"}, {1.0049, "0.00", "1.00"},
        {9.995001, "0.00", "10.00"}, {99.96, "#0.0", "100.0"}, // carry through every digit
        {static_cast<double>(1.005f), "0.00", "1.00"}, // 1.00499999523...
        {static_cast<double>(0.125f), "0.00", "0.13"},
        // A value that rounds to zero has no sign; just beyond, the sign stays.
        {-0.004, "0.00", "0.00"}, {-0.0, "#####0.00", "0.00"}, {-0.005, "0.00", "-0.01"}, {-0.4, "0", "0"},
        // An empty picture gives the shortest text of the single value (not 0.100000001490116).
        {20.0, "", "20"}, {2.5, "", "2.5"}, {static_cast<double>(0.1f), "", "0.1"}, {-12.75, "", "-12.75"},
        {0.0, "", "0"}, {-0.0, "", "0"}, {1.0e7, "", "10000000"},
        // Non-numbers are named, not printed as digits.
        {kNaN, "0.00", "NaN"}, {kInf, "0.00", "Infinity"}, {-kInf, "0.00", "-Infinity"},
        {std::numeric_limits<double>::denorm_min(), "0.00", "0.00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Format(c.value, c.pattern), c.expected) << c.value << " with \"" << c.pattern << '"';
    EXPECT_EQ(Format(1.0e300, "0").size(), 301u); // the largest finite values overflow nothing
}

} // namespace
} // namespace clv
