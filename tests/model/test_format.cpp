// The number formatter shared by the window, the reports and the command line.

#include "model/format.h"

#include <gtest/gtest.h>

#include <limits>

namespace clv {
namespace {

struct FormatCase {
    double value;
    const char* pattern;
    const char* expected;
};

TEST(Format, PicturesGiveTheDigitsTheyAskFor)
{
    const FormatCase cases[] = {
        // Fixed places after the point are always shown, padded with zeros.
        {1.5, "#####0.00", "1.50"},
        {0.0, "#####0.00", "0.00"},
        {-12.25, "####0.00", "-12.25"},
        {1234567.0, "#0", "1234567"},          // wider than the picture: every digit
        {12345.678, "######0.0", "12345.7"},
        // "#" in the whole part only when significant; "0" always.
        {7.0, "00", "07"},
        {123.0, "00", "123"},
        {0.5, "#####.0", ".5"},
        {10.5, "#####.0", "10.5"},
        {0.0, "#", ""},
        {3.0, "###0", "3"},
        // Optional places after the point drop trailing zeros, and the point with them.
        {2.5, "0.##", "2.5"},
        {2.0, "0.##", "2"},
        {2.004, "0.##", "2"},
        // Literal text around the places is kept.
        {20.0, "0.0 kN/m2", "20.0 kN/m2"},
        {5.0, "x = 0", "x = 5"},
        // No thousands separator.
        {1000000.25, "0.00", "1000000.25"},
    };
    for (const FormatCase& c : cases)
        EXPECT_EQ(Format(c.value, c.pattern), c.expected) << c.value << " with " << c.pattern;
}

TEST(Format, RoundsAnExactHalfAwayFromZeroAndNothingElse)
{
    const FormatCase cases[] = {
        {0.125, "0.00", "0.13"},   // exactly representable half: away from zero
        {-0.125, "0.00", "-0.13"},
        {2.5, "0", "3"},
        {3.5, "0", "4"},           // not to even
        {0.375, "0.00", "0.38"},
        {1.005, "0.00", "1.00"},   // the double just below 1.005: not a half
        {1.0051, "0.00", "1.01"},
        {1.0049, "0.00", "1.00"},
        {9.995001, "0.00", "10.00"}, // carry through every digit
        {99.96, "#0.0", "100.0"},
        {static_cast<double>(1.005f), "0.00", "1.00"}, // 1.00499999523...
        {static_cast<double>(0.125f), "0.00", "0.13"},
    };
    for (const FormatCase& c : cases)
        EXPECT_EQ(Format(c.value, c.pattern), c.expected) << c.value << " with " << c.pattern;
}

TEST(Format, AValueThatRoundsToZeroHasNoSign)
{
    EXPECT_EQ(Format(-0.004, "0.00"), "0.00");
    EXPECT_EQ(Format(-0.0, "#####0.00"), "0.00");
    EXPECT_EQ(Format(-0.005, "0.00"), "-0.01"); // just beyond: the sign stays
    EXPECT_EQ(Format(-0.4, "0"), "0");
}

TEST(Format, EmptyPictureGivesTheShortestTextOfTheSingleValue)
{
    EXPECT_EQ(Format(20.0), "20");
    EXPECT_EQ(Format(2.5), "2.5");
    EXPECT_EQ(Format(static_cast<double>(0.1f)), "0.1"); // not 0.100000001490116
    EXPECT_EQ(Format(-12.75), "-12.75");
    EXPECT_EQ(Format(0.0), "0");
    EXPECT_EQ(Format(-0.0), "0");
    EXPECT_EQ(Format(1.0e7), "10000000");
}

TEST(Format, NonNumbersAreNamedNotPrintedAsDigits)
{
    EXPECT_EQ(Format(std::numeric_limits<double>::quiet_NaN(), "0.00"), "NaN");
    EXPECT_EQ(Format(std::numeric_limits<double>::infinity(), "0.00"), "Infinity");
    EXPECT_EQ(Format(-std::numeric_limits<double>::infinity(), "0.00"), "-Infinity");
    // The largest finite values still format without overflowing anything.
    EXPECT_EQ(Format(1.0e300, "0").size(), 301u);
    EXPECT_EQ(Format(std::numeric_limits<double>::denorm_min(), "0.00"), "0.00");
}

} // namespace
} // namespace clv
