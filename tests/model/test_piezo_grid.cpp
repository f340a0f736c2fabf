// The piezometric grid: extent entry, the reset layout, typed elevations and the
// checks before the grid may be used.

#include "model/piezo_grid.h"
#include "support/expect_floats.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace clv {
namespace {

PiezoSettings Limits(float minX, float maxX, float incX, float minY, float maxY, float incY)
{
    PiezoSettings s;
    s.MinX = minX, s.MaxX = maxX, s.IncX = incX;
    s.MinY = minY, s.MaxY = maxY, s.IncY = incY;
    return s;
}

// A freshly reset grid for the limits.
PiezoHeads ResetGrid(PiezoSettings& s)
{
    PiezoHeads h;
    EXPECT_FALSE(ResetPiezoGrid(s, h).has_value());
    return h;
}

TEST(PiezoGrid, RoundsToTheTenthWithHalvesToEven)
{
    for (auto [value, tenth] : {std::pair{12.34, 12.3f}, {12.25, 12.2f}, {12.75, 12.8f}, {12.36, 12.4f}, {-3.25, -3.2f}})
        EXPECT_FLOAT_EQ(RoundToTenth(value), tenth) << value;
}

TEST(PiezoGrid, ResetEndsTheStationsAtTheMaximumAndMayPutTheTopLevelAboveIt)
{
    const struct {
        PiezoSettings limits;
        std::vector<float> stations, levels;
    } cases[] = {
        {Limits(0, 20, 10, 0, 10, 5), {0, 10, 20}, {10, 5, 0}},
        {Limits(0, 25, 10, 0, 25, 10), {0, 10, 20, 25}, {30, 20, 10, 0}},
        // Negative and fractional limits: stations rounded down to the tenth.
        {Limits(-5.5f, 1.0f, 2.5f, -2, 1.5f, 0.5f), {-5.5f, -3.0f, -0.5f, 1.0f}, {1.5f, 1, 0.5f, 0, -0.5f, -1, -1.5f, -2}},
        {Limits(3, 3, 10, 0, 5, 5), {3}, {5, 0}}, // equal X limits with a Y extent: one station
    };
    for (const auto& c : cases) {
        PiezoSettings s = c.limits;
        const PiezoHeads h = ResetGrid(s);
        ASSERT_EQ((std::array{s.NX, s.NY}), (std::array{Integer(c.stations.size()), Integer(c.levels.size())}));
        ASSERT_EQ((std::array{h.NX(), h.NY()}), (std::array<int, 2>{s.NX, s.NY}));
        for (int i = 1; i <= h.NX(); ++i)
            EXPECT_EQ(h.At(0, i), c.stations[i - 1]) << "station " << i;
        for (int j = 1; j <= h.NY(); ++j) {
            EXPECT_EQ(h.At(j, 0), c.levels[j - 1]) << "level " << j;
            for (int i = 1; i <= h.NX(); ++i)
                EXPECT_EQ(h.At(j, i), 0.0f); // a fresh grid holds 0, not the no-data marker
        }
        EXPECT_FALSE(PiezoGridIncomplete(h));
        EXPECT_TRUE(PiezoGridMatchesLimits(s, h));
    }
}

TEST(PiezoGrid, AGridTooLargeToStoreIsRefusedAndTheOldOneKeptAndNoExtentGivesNoGrid)
{
    for (const PiezoSettings& limits : {
             Limits(0, 20000, 0.5f, 0, 5, 5),     // 40001 stations: beyond a 16-bit count
             Limits(0, 1000, 1, 0, 100, 1),       // 1001 x 101 = 101101 points
             Limits(0, 1000, 1, 0, 99, 1),        // 1001 x 100: one station over the limit
             Limits(0, 1e30f, 0.5f, 0, 1, 0.5f),  // absurd extent
             Limits(0, 10, 0, 0, 10, 5)}) {       // a zero increment read from a file
        PiezoSettings s = limits;
        s.NX = s.NY = 2;
        PiezoHeads h;
        h.Resize(2, 2), h.At(1, 1) = 7.5f;
        const PiezoHeads before = h;
        const auto refusal = ResetPiezoGrid(s, h);
        ASSERT_TRUE(refusal.has_value());
        EXPECT_NE(refusal->find("The existing grid has been kept."), std::string::npos);
        EXPECT_EQ(h, before);
        EXPECT_EQ((std::array{s.NX, s.NY}), (std::array<Integer, 2>{2, 2}));
    }
    PiezoSettings s = Limits(0, 999, 1, 0, 99, 1); // just inside the limit: 1000 x 100 = 100000 points
    PiezoHeads h = ResetGrid(s);
    EXPECT_EQ((std::array{s.NX, s.NY}), (std::array<Integer, 2>{1000, 100}));
    s = Limits(4, 4, 10, 2, 2, 5), s.NX = s.NY = 3; // no extent at all: no grid, and no refusal
    ASSERT_FALSE(ResetPiezoGrid(s, h).has_value());
    EXPECT_EQ((std::array{s.NX, s.NY}), (std::array<Integer, 2>{0, 0}));
    EXPECT_EQ(h.Values().size(), 1u);
}

TEST(PiezoGrid, LimitEntriesKeepThePairsOrderedAndWidenTheView)
{
    ViewSettings view; // X -10..20, Y -2..8
    PiezoSettings s = Limits(0, 25, 10, 0, 5, 5);
    // After each entry: MinX, MaxX, IncX, MinY, MaxY, IncY, then the view's XMin, XMax, YMin, YMax.
    const struct {
        PiezoLimit limit;
        double value;
        std::vector<float> after;
    } steps[] = {
        {PiezoLimit::IncX, 0.2, {0, 25, 0.5f, 0, 5, 5, -10, 20, -2, 8}}, // an increment is at least 0.5
        {PiezoLimit::IncY, 0.54, {0, 25, 0.5f, 0, 5, 0.5f, -10, 20, -2, 8}},
        {PiezoLimit::IncY, 0.56, {0, 25, 0.5f, 0, 5, 0.6f, -10, 20, -2, 8}},
        {PiezoLimit::MinX, 12.25, {12.2f, 25, 0.5f, 0, 5, 0.6f, -10, 20, -2, 8}},
        {PiezoLimit::MaxX, 7.0, {7, 7, 0.5f, 0, 5, 0.6f, -10, 20, -2, 8}},    // the minimum lowered with it
        {PiezoLimit::MinY, 9.0, {7, 7, 0.5f, 9, 9, 0.6f, -10, 20, -2, 9}},    // the maximum raised with it
        {PiezoLimit::MinX, -30.0, {-30, 7, 0.5f, 9, 9, 0.6f, -30, 20, -2, 9}},
        {PiezoLimit::MaxX, 40.04, {-30, 40, 0.5f, 9, 9, 0.6f, -30, 40, -2, 9}},
        {PiezoLimit::MinY, -4.0, {-30, 40, 0.5f, -4, 9, 0.6f, -30, 40, -4, 9}},
        {PiezoLimit::MaxY, -10.0, {-30, 40, 0.5f, -10, -10, 0.6f, -30, 40, -10, 9}},
        {PiezoLimit::MaxX, 10.0, {-30, 10, 0.5f, -10, -10, 0.6f, -30, 40, -10, 9}}, // inside the view nothing moves
        {PiezoLimit::MaxX, std::numeric_limits<double>::infinity(), {-30, 10, 0.5f, -10, -10, 0.6f, -30, 40, -10, 9}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::Message() << "limit " << int(step.limit) << " entered as " << step.value);
        EnterPiezoLimit(s, view, step.limit, step.value);
        test::ExpectFloats({s.MinX, s.MaxX, s.IncX, s.MinY, s.MaxY, s.IncY, view.XMin, view.XMax, view.YMin, view.YMax},
                           step.after);
    }
}

TEST(PiezoGrid, ChangedLimitsNoLongerMatchTheTable)
{
    PiezoSettings s = Limits(0, 20, 10, 0, 10, 5);
    const PiezoHeads h = ResetGrid(s);
    ASSERT_TRUE(PiezoGridMatchesLimits(s, h));
    // Same count of stations with shifted nodes, one more level, a finer spacing.
    for (auto [field, value] : {std::pair{&PiezoSettings::MinX, 1.0f}, {&PiezoSettings::MaxY, 15.0f},
                                {&PiezoSettings::IncX, 5.0f}}) {
        PiezoSettings changed = s;
        changed.*field = value;
        EXPECT_FALSE(PiezoGridMatchesLimits(changed, h)) << value;
    }
    // A node a hair off its tenth still matches; a tenth off does not.
    PiezoHeads nudged = h;
    nudged.At(0, 2) += 0.005f, nudged.At(2, 0) -= 0.005f;
    EXPECT_TRUE(PiezoGridMatchesLimits(s, nudged));
    nudged.At(0, 2) += 0.01f;
    EXPECT_FALSE(PiezoGridMatchesLimits(s, nudged));
    PiezoHeads lowered = h;
    lowered.At(1, 0) -= 0.1f;
    EXPECT_FALSE(PiezoGridMatchesLimits(s, lowered));
}

TEST(PiezoGrid, ElevationsInRangeAreStoredAndAnEmptyEntryClearsTheCell)
{
    PiezoSettings s = Limits(0, 10, 10, 0, 5, 5);
    PiezoHeads h = ResetGrid(s);
    const struct {
        std::optional<double> value;
        bool stored;
        float cell;
    } cases[] = {
        {10000.0, true, 10000.0f},  {-10000.0, true, -10000.0f}, {3.25, true, 3.25f},
        {10000.01, false, 3.25f},   {-10000.5, false, 3.25f},    {std::nullopt, true, kNoLevel},
    };
    const std::string refusal = "Invalid data entry|Invalid data for piezometric elevation\rPermitted range:-\r"
                                "     Upper limit is 10000.0\r     Lower limit is -10000.0";
    for (const auto& c : cases) {
        const PiezoEntryOutcome outcome = EnterPiezoElevation(h, 2, 1, c.value);
        EXPECT_EQ(std::pair(outcome.Stored, h.At(2, 1)), std::pair(c.stored, c.cell)) << c.value.value_or(0);
        EXPECT_EQ(outcome.Title + "|" + outcome.Message, c.stored ? "|" : refusal);
    }
    EXPECT_TRUE(PiezoGridIncomplete(h));
    EXPECT_EQ(h.At(1, 1), 0.0f);
    // The header cells are not elevations.
    EXPECT_FALSE(EnterPiezoElevation(h, 0, 1, 5.0).Stored);
    EXPECT_FALSE(EnterPiezoElevation(h, 1, 3, 5.0).Stored);
}

} // namespace
} // namespace clv
