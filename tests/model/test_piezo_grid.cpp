// The piezometric grid: extent entry, the reset layout, typed elevations and the
// checks before the grid may be used.

#include "model/piezo_grid.h"

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

std::vector<float> Stations(const PiezoHeads& h)
{
    std::vector<float> x;
    for (int i = 1; i <= h.NX(); ++i)
        x.push_back(h.At(0, i));
    return x;
}

std::vector<float> Levels(const PiezoHeads& h)
{
    std::vector<float> y;
    for (int j = 1; j <= h.NY(); ++j)
        y.push_back(h.At(j, 0));
    return y;
}

TEST(PiezoGrid, RoundsToTheTenthWithHalvesToEven)
{
    EXPECT_FLOAT_EQ(RoundToTenth(12.34), 12.3f);
    EXPECT_FLOAT_EQ(RoundToTenth(12.25), 12.2f);
    EXPECT_FLOAT_EQ(RoundToTenth(12.75), 12.8f);
    EXPECT_FLOAT_EQ(RoundToTenth(12.36), 12.4f);
    EXPECT_FLOAT_EQ(RoundToTenth(-3.25), -3.2f);
}

TEST(PiezoGrid, ResetEndsTheStationsAtTheMaximumAndMayPutTheTopLevelAboveIt)
{
    struct Case {
        PiezoSettings limits;
        std::vector<float> stations, levels;
    };
    const Case cases[] = {
        {Limits(0, 20, 10, 0, 10, 5), {0, 10, 20}, {10, 5, 0}},
        {Limits(0, 25, 10, 0, 25, 10), {0, 10, 20, 25}, {30, 20, 10, 0}},
        // Negative and fractional limits: stations rounded down to the tenth.
        {Limits(-5.5f, 1.0f, 2.5f, -2, 1.5f, 0.5f), {-5.5f, -3.0f, -0.5f, 1.0f}, {1.5f, 1, 0.5f, 0, -0.5f, -1, -1.5f, -2}},
        // Equal X limits with a Y extent: one station.
        {Limits(3, 3, 10, 0, 5, 5), {3}, {5, 0}},
    };
    for (const Case& c : cases) {
        PiezoSettings s = c.limits;
        PiezoHeads h;
        ASSERT_FALSE(ResetPiezoGrid(s, h).has_value());
        EXPECT_EQ(s.NX, static_cast<int>(c.stations.size()));
        EXPECT_EQ(s.NY, static_cast<int>(c.levels.size()));
        EXPECT_EQ(h.NX(), s.NX);
        EXPECT_EQ(h.NY(), s.NY);
        EXPECT_EQ(Stations(h), c.stations);
        EXPECT_EQ(Levels(h), c.levels);
        for (int j = 1; j <= h.NY(); ++j)
            for (int i = 1; i <= h.NX(); ++i)
                EXPECT_EQ(h.At(j, i), 0.0f); // a fresh grid holds 0, not the no-data marker
        EXPECT_FALSE(PiezoGridIncomplete(h));
        EXPECT_TRUE(PiezoGridMatchesLimits(s, h));
    }
}

TEST(PiezoGrid, AGridTooLargeToStoreIsRefusedAndTheOldOneKeptAndNoExtentGivesNoGrid)
{
    const PiezoSettings tooLarge[] = {
        Limits(0, 20000, 0.5f, 0, 5, 5),     // 40001 stations: beyond a 16-bit count
        Limits(0, 1000, 1, 0, 100, 1),       // 1001 x 101 = 101101 points
        Limits(0, 1e30f, 0.5f, 0, 1, 0.5f),  // absurd extent
        Limits(0, 10, 0, 0, 10, 5),          // a zero increment read from a file
    };
    for (const PiezoSettings& limits : tooLarge) {
        PiezoSettings s = limits;
        PiezoHeads h;
        PiezoSettings small = Limits(0, 10, 10, 0, 5, 5);
        ASSERT_FALSE(ResetPiezoGrid(small, h).has_value());
        s.NX = small.NX, s.NY = small.NY;
        h.At(1, 1) = 7.5f;
        const PiezoHeads before = h;
        const auto refusal = ResetPiezoGrid(s, h);
        ASSERT_TRUE(refusal.has_value());
        EXPECT_NE(refusal->find("The existing grid has been kept."), std::string::npos);
        EXPECT_EQ(h, before);
        EXPECT_EQ(s.NX, 2);
        EXPECT_EQ(s.NY, 2);
    }
    // Just inside the limit: 1000 x 100 = 100000 points is built.
    PiezoSettings s = Limits(0, 999, 1, 0, 99, 1);
    PiezoHeads h;
    ASSERT_FALSE(ResetPiezoGrid(s, h).has_value());
    EXPECT_EQ(s.NX, 1000);
    EXPECT_EQ(s.NY, 100);
    // One more station is refused.
    s = Limits(0, 1000, 1, 0, 99, 1);
    EXPECT_TRUE(ResetPiezoGrid(s, h).has_value());
    // No extent at all gives no grid, and no refusal.
    s = Limits(4, 4, 10, 2, 2, 5);
    s.NX = s.NY = 3;
    ASSERT_FALSE(ResetPiezoGrid(s, h).has_value());
    EXPECT_EQ(s.NX, 0);
    EXPECT_EQ(s.NY, 0);
    EXPECT_EQ(h.Values().size(), 1u);
}

TEST(PiezoGrid, LimitEntriesKeepThePairsOrderedAndWidenTheView)
{
    ViewSettings view; // X -10..20, Y -2..8
    PiezoSettings s = Limits(0, 25, 10, 0, 5, 5);
    EnterPiezoLimit(s, view, PiezoLimit::IncX, 0.2);
    EXPECT_FLOAT_EQ(s.IncX, 0.5f);
    EnterPiezoLimit(s, view, PiezoLimit::IncY, 0.54);
    EXPECT_FLOAT_EQ(s.IncY, 0.5f);
    EnterPiezoLimit(s, view, PiezoLimit::IncY, 0.56);
    EXPECT_FLOAT_EQ(s.IncY, 0.6f);
    EnterPiezoLimit(s, view, PiezoLimit::MinX, 12.25);
    EXPECT_FLOAT_EQ(s.MinX, 12.2f);
    EnterPiezoLimit(s, view, PiezoLimit::MaxX, 7.0);
    EXPECT_FLOAT_EQ(s.MaxX, 7.0f);
    EXPECT_FLOAT_EQ(s.MinX, 7.0f); // lowered to the new maximum
    EnterPiezoLimit(s, view, PiezoLimit::MinY, 9.0);
    EXPECT_FLOAT_EQ(s.MaxY, 9.0f); // raised to the new minimum
    EXPECT_FLOAT_EQ(view.YMax, 9.0f);
    EXPECT_FLOAT_EQ(view.YMin, -2.0f);
    EnterPiezoLimit(s, view, PiezoLimit::MinX, -30.0);
    EXPECT_FLOAT_EQ(view.XMin, -30.0f);
    EXPECT_FLOAT_EQ(view.XMax, 20.0f);
    EnterPiezoLimit(s, view, PiezoLimit::MaxX, 40.04);
    EXPECT_FLOAT_EQ(view.XMax, 40.0f);
    EnterPiezoLimit(s, view, PiezoLimit::MinY, -4.0);
    EXPECT_FLOAT_EQ(view.YMin, -4.0f);
    // Inside the view nothing moves.
    EnterPiezoLimit(s, view, PiezoLimit::MaxX, 10.0);
    EXPECT_FLOAT_EQ(view.XMax, 40.0f);
    // Not a number: nothing stored.
    EnterPiezoLimit(s, view, PiezoLimit::MaxX, std::numeric_limits<double>::infinity());
    EXPECT_FLOAT_EQ(s.MaxX, 10.0f);
}

TEST(PiezoGrid, ChangedLimitsNoLongerMatchTheTable)
{
    PiezoSettings s = Limits(0, 20, 10, 0, 10, 5);
    PiezoHeads h;
    ASSERT_FALSE(ResetPiezoGrid(s, h).has_value());
    ASSERT_TRUE(PiezoGridMatchesLimits(s, h));
    PiezoSettings moved = s;
    moved.MinX = 1.0f; // same count of stations, shifted nodes
    EXPECT_FALSE(PiezoGridMatchesLimits(moved, h));
    PiezoSettings wider = s;
    wider.MaxY = 15.0f; // one more level
    EXPECT_FALSE(PiezoGridMatchesLimits(wider, h));
    PiezoSettings finer = s;
    finer.IncX = 5.0f;
    EXPECT_FALSE(PiezoGridMatchesLimits(finer, h));
    // A node a hair off its tenth still matches; a tenth off does not.
    PiezoHeads nudged = h;
    nudged.At(0, 2) += 0.005f;
    nudged.At(2, 0) -= 0.005f;
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
    PiezoHeads h;
    ASSERT_FALSE(ResetPiezoGrid(s, h).has_value());
    struct Case {
        std::optional<double> value;
        bool stored;
        float cell;
    };
    const Case cases[] = {
        {10000.0, true, 10000.0f},  {-10000.0, true, -10000.0f}, {3.25, true, 3.25f},
        {10000.01, false, 3.25f},   {-10000.5, false, 3.25f},    {std::nullopt, true, kNoLevel},
    };
    for (const Case& c : cases) {
        const PiezoEntryOutcome outcome = EnterPiezoElevation(h, 2, 1, c.value);
        EXPECT_EQ(outcome.Stored, c.stored);
        EXPECT_EQ(h.At(2, 1), c.cell);
        if (!c.stored) {
            EXPECT_EQ(outcome.Title, "Invalid data entry");
            EXPECT_EQ(outcome.Message, "Invalid data for piezometric elevation\rPermitted range:-\r"
                                       "     Upper limit is 10000.0\r     Lower limit is -10000.0");
        }
    }
    EXPECT_TRUE(PiezoGridIncomplete(h));
    EXPECT_EQ(h.At(1, 1), 0.0f);
    // The header cells are not elevations.
    EXPECT_FALSE(EnterPiezoElevation(h, 0, 1, 5.0).Stored);
    EXPECT_FALSE(EnterPiezoElevation(h, 1, 3, 5.0).Stored);
}

} // namespace
} // namespace clv
