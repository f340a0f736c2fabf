// Reading, checking and rounding typed entries: every class of cell and box with
// a value just inside and just outside each bound, and half-to-even rounding on
// both sides of the half.

#include "ui/validation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <utility>

namespace clv::ui {
namespace {

TEST(RoundHalfEven, ExactHalvesGoToTheEvenNeighbourOthersToTheNearest)
{
    struct Case { double value; int decimals; double expected; };
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

TEST(TypedText, TheLeadingNumberTheSurfaceWordAndThePointBoxLimits)
{
    for (auto [text, number] : {std::pair{"12.5kN", 12.5}, {"  -3", -3.0}, {"abc", 0.0}, {"", 0.0}})
        EXPECT_DOUBLE_EQ(ReadNumber(text), number) << text;
    for (const char* text : {"surface", "Surface", " SURFACE ", "", "   "})
        EXPECT_TRUE(MeansSurface(text)) << text;
    for (const char* text : {"surfaces", "surf", "0"})
        EXPECT_FALSE(MeansSurface(text)) << text;
    // A typed point lies strictly inside ten thousand.
    for (auto [value, allowed] : {std::pair{9999.99, true}, {-9999.99, true}, {10000.0, false}, {-10000.0, false}})
        EXPECT_EQ(PointCoordinateAllowed(value), allowed) << value;
}

TEST(FactorBox, RoundsFirstThenChecksZeroToTen)
{
    struct Case { const char* text; bool accepted; float stored; };
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

TEST(CellEntry, EveryNumberColumnChecksTheTypedValueThenRoundsWhatItStores)
{
    using enum TableKind;
    constexpr float kSurface = kNoLevel;
    struct Case { TableKind table; int col, loadType; const char* text; bool accepted; float stored; };
    const Case cases[] = {
        // Soils: density, phi, cohesion, ru, suction.
        {Soils, 1, 0, "25", true, 25}, {Soils, 1, 0, "25.01", false, 0}, {Soils, 1, 0, "0", true, 0},
        {Soils, 1, 0, "-0.01", false, 0}, {Soils, 1, 0, "18.125", true, 18.12f}, {Soils, 2, 0, "50", true, 50},
        {Soils, 2, 0, "50.5", false, 0}, {Soils, 2, 0, "12.5", true, 12}, {Soils, 2, 0, "13.5", true, 14},
        {Soils, 3, 0, "1000", true, 1000}, {Soils, 3, 0, "1000.1", false, 0}, {Soils, 4, 0, "1", true, 1},
        {Soils, 4, 0, "1.01", false, 0}, {Soils, 4, 0, "0.125", true, 0.12f}, {Soils, 5, 0, "100", true, 100},
        {Soils, 5, 0, "100.01", false, 0},
        // Points of soils and water, and of the defined slip surface: the bounds themselves are allowed.
        {Points, 0, 0, "10000", true, 10000}, {Points, 1, 0, "-10000.01", false, 0},
        {Points, 1, 0, "3.335", true, 3.34f}, {UserPoints, 0, 0, "-10000", true, -10000},
        {UserPoints, 1, 0, "10000.01", false, 0},
        // Loads: value, x range, level, and the anchor's angle and lengths.
        {Loads, 1, kLineLoad, "-10000", true, -10000}, {Loads, 1, kLineLoad, "-10001", false, 0},
        {Loads, 1, kSurcharge, "2.5", true, 2}, {Loads, 3, kSurcharge, "1000", true, 1000},
        {Loads, 3, kLateralLoad, "-1000.01", false, 0}, {Loads, 4, kSurcharge, "-1000", true, -1000},
        {Loads, 4, kSurcharge, "1000.01", false, 0}, {Loads, 5, kSurcharge, "surface", true, kSurface},
        {Loads, 5, kLineLoad, "SURFACE", true, kSurface}, {Loads, 5, kLateralLoad, "", true, kSurface},
        {Loads, 5, kSurcharge, "-1000", true, -1000}, {Loads, 5, kSurcharge, "1000.5", false, 0},
        {Loads, 5, kAnchor, "surface", false, 0}, {Loads, 5, kAnchor, "", false, 0},
        {Loads, 5, kAnchor, "12.345", true, 12.34f}, {Loads, 6, kAnchor, "90", true, 90},
        {Loads, 6, kAnchor, "-90", true, -90}, {Loads, 6, kAnchor, "90.01", false, 0},
        {Loads, 6, kAnchor, "-90.5", false, 0}, {Loads, 7, kAnchor, "100", true, 100},
        {Loads, 7, kAnchor, "100.01", false, 0}, {Loads, 8, kAnchor, "0", true, 0},
        {Loads, 8, kAnchor, "-0.01", false, 0}, {Loads, 8, kAnchor, "7.125", true, 7.12f},
        // Reinforcement: strength, length, friction, spacing, height, base.
        {RForce, 1, 0, "500", true, 500}, {RForce, 1, 0, "500.1", false, 0}, {RForce, 1, 0, "12.25", true, 12.2f},
        {RForce, 2, 0, "1", true, 1}, {RForce, 2, 0, "0.99", false, 0}, {RForce, 2, 0, "100", true, 100},
        {RForce, 2, 0, "100.01", false, 0}, {RForce, 3, 0, "0.05", true, 0.05f}, {RForce, 3, 0, "0.04", false, 0},
        {RForce, 3, 0, "1", true, 1}, {RForce, 3, 0, "1.01", false, 0}, {RForce, 4, 0, "0.05", true, 0.05f},
        {RForce, 4, 0, "5.01", false, 0}, {RForce, 4, 0, "0.049", false, 0}, {RForce, 5, 0, "0.1", true, 0.1f},
        {RForce, 5, 0, "0.09", false, 0}, {RForce, 5, 0, "50", true, 50}, {RForce, 5, 0, "50.01", false, 0},
        {RForce, 6, 0, "-10000", true, -10000}, {RForce, 6, 0, "10000.01", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "table " << static_cast<int>(c.table) << " col " << c.col << " type "
                                        << c.loadType << " \"" << c.text << "\"");
        const auto rule = CellRuleFor(c.table, c.col, c.loadType);
        ASSERT_TRUE(rule.has_value());
        ASSERT_FALSE(rule->IsText);
        const CellValue value = ReadCell(*rule, c.text);
        EXPECT_EQ(value.Accepted, c.accepted);
        if (c.accepted && value.Accepted) {
            EXPECT_FLOAT_EQ(value.Number, c.stored);
        }
    }
}

TEST(CellRules, ColumnsThatCannotBeEditedAndDescriptionsThatTakeAnyText)
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
