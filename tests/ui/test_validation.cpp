// Reading, checking and rounding typed entries: every class of cell and box with
// a value just inside and just outside each bound, and half-to-even rounding on
// both sides of the half.

#include "ui/validation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <tuple>

namespace clv::ui {
namespace {

TEST(RoundHalfEven, ExactHalvesGoToTheEvenNeighbourOthersToTheNearest)
{
    struct Case {
        double value;
        int decimals;
        double expected;
    };
    const Case cases[] = {
        {2.345, 2, 2.34},   {2.355, 2, 2.36},   {-2.345, 2, -2.34}, {-2.355, 2, -2.36},
        {2.3449, 2, 2.34},  {2.3451, 2, 2.35},  {0.125, 2, 0.12},   {0.135, 2, 0.14},
        {2.5, 0, 2.0},      {3.5, 0, 4.0},      {-2.5, 0, -2.0},    {-3.5, 0, -4.0},
        {2.49, 0, 2.0},     {2.51, 0, 3.0},     {1.05, 1, 1.0},     {1.15, 1, 1.2},
        {12.25, 1, 12.2},   {12.35, 1, 12.4},   {10.004, 2, 10.0},  {7.0, 2, 7.0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(RoundHalfEven(c.value, c.decimals), c.expected, 1e-12) << c.value << " to " << c.decimals;
}

TEST(ReadNumber, TakesTheLeadingNumberOrZero)
{
    EXPECT_DOUBLE_EQ(ReadNumber("12.5kN"), 12.5);
    EXPECT_DOUBLE_EQ(ReadNumber("  -3"), -3.0);
    EXPECT_DOUBLE_EQ(ReadNumber("abc"), 0.0);
    EXPECT_DOUBLE_EQ(ReadNumber(""), 0.0);
}

TEST(MeansSurface, TheWordInAnyCaseOrNothing)
{
    for (const char* text : {"surface", "Surface", " SURFACE ", "", "   "})
        EXPECT_TRUE(MeansSurface(text)) << text;
    for (const char* text : {"surfaces", "surf", "0"})
        EXPECT_FALSE(MeansSurface(text)) << text;
}

TEST(FactorBox, RoundsFirstThenChecksZeroToTen)
{
    struct Case {
        const char* text;
        bool accepted;
        float stored;
    };
    const Case cases[] = {
        {"10", true, 10.0f},     {"10.004", true, 10.0f}, {"10.005", true, 10.0f}, // an exact half rounds to even
        {"10.006", false, 0.0f}, {"10.01", false, 0.0f},  {"11", false, 0.0f},
        {"0", true, 0.0f},       {"", true, 0.0f},        {"abc", true, 0.0f},
        {"-0.004", true, 0.0f},  {"-0.01", false, 0.0f},  {"1.355", true, 1.36f},
        {"1.345", true, 1.34f},  {"2.5x", true, 2.5f},
    };
    for (const Case& c : cases) {
        const auto value = ReadBoxValue(c.text, kFactorRule);
        ASSERT_EQ(value.has_value(), c.accepted) << c.text;
        if (value) {
            EXPECT_FLOAT_EQ(*value, c.stored) << c.text;
            EXPECT_FALSE(std::signbit(*value)) << c.text;
        }
    }
    // Its title and message are checked where the box shows them (test_input_pages).
}

TEST(PointBox, StrictlyInsideTenThousand)
{
    EXPECT_TRUE(PointCoordinateAllowed(9999.99));
    EXPECT_TRUE(PointCoordinateAllowed(-9999.99));
    EXPECT_FALSE(PointCoordinateAllowed(10000.0));
    EXPECT_FALSE(PointCoordinateAllowed(-10000.0));
}

struct CellCase {
    TableKind table;
    int col;
    int loadType;
    const char* text;
    bool accepted;
    float stored;
};

void PrintTo(const CellCase& c, std::ostream* os)
{
    *os << "table " << static_cast<int>(c.table) << " col " << c.col << " type " << c.loadType << " \"" << c.text
        << "\"";
}

class CellEntry : public testing::TestWithParam<CellCase> {};

TEST_P(CellEntry, ChecksTheTypedValueThenRoundsWhatItStores)
{
    const CellCase& c = GetParam();
    const auto rule = CellRuleFor(c.table, c.col, c.loadType);
    ASSERT_TRUE(rule.has_value());
    ASSERT_FALSE(rule->IsText);
    const CellValue value = ReadCell(*rule, c.text);
    ASSERT_EQ(value.Accepted, c.accepted) << c.text;
    if (c.accepted) {
        EXPECT_FLOAT_EQ(value.Number, c.stored) << c.text;
    }
}

constexpr float kSurface = kNoLevel;

INSTANTIATE_TEST_SUITE_P(
    EveryNumberColumn, CellEntry,
    testing::Values(
        // Soils: density, phi, cohesion, ru, suction.
        CellCase{TableKind::Soils, 1, 0, "25", true, 25.0f}, CellCase{TableKind::Soils, 1, 0, "25.01", false, 0},
        CellCase{TableKind::Soils, 1, 0, "0", true, 0.0f}, CellCase{TableKind::Soils, 1, 0, "-0.01", false, 0},
        CellCase{TableKind::Soils, 1, 0, "18.125", true, 18.12f},
        CellCase{TableKind::Soils, 2, 0, "50", true, 50.0f}, CellCase{TableKind::Soils, 2, 0, "50.5", false, 0},
        CellCase{TableKind::Soils, 2, 0, "12.5", true, 12.0f}, CellCase{TableKind::Soils, 2, 0, "13.5", true, 14.0f},
        CellCase{TableKind::Soils, 3, 0, "1000", true, 1000.0f}, CellCase{TableKind::Soils, 3, 0, "1000.1", false, 0},
        CellCase{TableKind::Soils, 4, 0, "1", true, 1.0f}, CellCase{TableKind::Soils, 4, 0, "1.01", false, 0},
        CellCase{TableKind::Soils, 4, 0, "0.125", true, 0.12f},
        CellCase{TableKind::Soils, 5, 0, "100", true, 100.0f}, CellCase{TableKind::Soils, 5, 0, "100.01", false, 0},
        // Points of soils and water, and of the defined slip surface: the bounds themselves are allowed.
        CellCase{TableKind::Points, 0, 0, "10000", true, 10000.0f},
        CellCase{TableKind::Points, 1, 0, "-10000.01", false, 0},
        CellCase{TableKind::Points, 1, 0, "3.335", true, 3.34f},
        CellCase{TableKind::UserPoints, 0, 0, "-10000", true, -10000.0f},
        CellCase{TableKind::UserPoints, 1, 0, "10000.01", false, 0},
        // Loads: value, x range, level, and the anchor's angle and lengths.
        CellCase{TableKind::Loads, 1, kLineLoad, "-10000", true, -10000.0f},
        CellCase{TableKind::Loads, 1, kLineLoad, "-10001", false, 0},
        CellCase{TableKind::Loads, 1, kSurcharge, "2.5", true, 2.0f},
        CellCase{TableKind::Loads, 3, kSurcharge, "1000", true, 1000.0f},
        CellCase{TableKind::Loads, 3, kLateralLoad, "-1000.01", false, 0},
        CellCase{TableKind::Loads, 4, kSurcharge, "-1000", true, -1000.0f},
        CellCase{TableKind::Loads, 4, kSurcharge, "1000.01", false, 0},
        CellCase{TableKind::Loads, 5, kSurcharge, "surface", true, kSurface},
        CellCase{TableKind::Loads, 5, kLineLoad, "SURFACE", true, kSurface},
        CellCase{TableKind::Loads, 5, kLateralLoad, "", true, kSurface},
        CellCase{TableKind::Loads, 5, kSurcharge, "-1000", true, -1000.0f},
        CellCase{TableKind::Loads, 5, kSurcharge, "1000.5", false, 0},
        CellCase{TableKind::Loads, 5, kAnchor, "surface", false, 0},
        CellCase{TableKind::Loads, 5, kAnchor, "", false, 0},
        CellCase{TableKind::Loads, 5, kAnchor, "12.345", true, 12.34f},
        CellCase{TableKind::Loads, 6, kAnchor, "90", true, 90.0f}, CellCase{TableKind::Loads, 6, kAnchor, "-90", true, -90.0f},
        CellCase{TableKind::Loads, 6, kAnchor, "90.01", false, 0}, CellCase{TableKind::Loads, 6, kAnchor, "-90.5", false, 0},
        CellCase{TableKind::Loads, 7, kAnchor, "100", true, 100.0f}, CellCase{TableKind::Loads, 7, kAnchor, "100.01", false, 0},
        CellCase{TableKind::Loads, 8, kAnchor, "0", true, 0.0f}, CellCase{TableKind::Loads, 8, kAnchor, "-0.01", false, 0},
        CellCase{TableKind::Loads, 8, kAnchor, "7.125", true, 7.12f},
        // Reinforcement: strength, length, friction, spacing, height, base.
        CellCase{TableKind::RForce, 1, 0, "500", true, 500.0f}, CellCase{TableKind::RForce, 1, 0, "500.1", false, 0},
        CellCase{TableKind::RForce, 1, 0, "12.25", true, 12.2f},
        CellCase{TableKind::RForce, 2, 0, "1", true, 1.0f}, CellCase{TableKind::RForce, 2, 0, "0.99", false, 0},
        CellCase{TableKind::RForce, 2, 0, "100", true, 100.0f}, CellCase{TableKind::RForce, 2, 0, "100.01", false, 0},
        CellCase{TableKind::RForce, 3, 0, "0.05", true, 0.05f}, CellCase{TableKind::RForce, 3, 0, "0.04", false, 0},
        CellCase{TableKind::RForce, 3, 0, "1", true, 1.0f}, CellCase{TableKind::RForce, 3, 0, "1.01", false, 0},
        CellCase{TableKind::RForce, 4, 0, "0.05", true, 0.05f}, CellCase{TableKind::RForce, 4, 0, "5.01", false, 0},
        CellCase{TableKind::RForce, 4, 0, "0.049", false, 0},
        CellCase{TableKind::RForce, 5, 0, "0.1", true, 0.1f}, CellCase{TableKind::RForce, 5, 0, "0.09", false, 0},
        CellCase{TableKind::RForce, 5, 0, "50", true, 50.0f}, CellCase{TableKind::RForce, 5, 0, "50.01", false, 0},
        CellCase{TableKind::RForce, 6, 0, "-10000", true, -10000.0f},
        CellCase{TableKind::RForce, 6, 0, "10000.01", false, 0}));

TEST(CellRules, ColumnsThatCannotBeEdited)
{
    // Load type, units, the cells a load type leaves greyed (an anchor's x follows from its level), and
    // the columns past the last of each table.
    const std::tuple<TableKind, int, int> locked[] = {
        {TableKind::Loads, 0, kSurcharge}, {TableKind::Loads, 2, kSurcharge},   {TableKind::Loads, 4, kLineLoad},
        {TableKind::Loads, 4, kAnchor},    {TableKind::Loads, 6, kSurcharge},   {TableKind::Loads, 8, kLateralLoad},
        {TableKind::Loads, 3, kAnchor},    {TableKind::Soils, 6, 0},            {TableKind::Points, 2, 0},
        {TableKind::RForce, 7, 0}};
    for (const auto& [table, col, loadType] : locked)
        EXPECT_FALSE(CellRuleFor(table, col, loadType)) << static_cast<int>(table) << " col " << col;
}

TEST(CellRules, DescriptionsTakeAnyText)
{
    for (TableKind table : {TableKind::Soils, TableKind::RForce}) {
        const auto rule = CellRuleFor(table, 0);
        ASSERT_TRUE(rule.has_value());
        EXPECT_TRUE(rule->IsText);
        const CellValue value = ReadCell(*rule, "Stiff clay 12");
        EXPECT_TRUE(value.Accepted);
        EXPECT_EQ(value.Text, "Stiff clay 12");
    }
}

} // namespace
} // namespace clv::ui
