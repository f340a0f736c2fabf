#include "ground/section_table.h"
#include "ground/ground_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace clv {
namespace {

using test::AddSoil;
using test::SetWater;

std::vector<float> Stations(const SectionTable& table)
{
    std::vector<float> xs;
    for (int col = 1; col <= table.StationCount(); ++col)
        xs.push_back(table.X(col));
    return xs;
}

std::vector<float> Row(const SectionTable& table, int row)
{
    std::vector<float> levels;
    for (int col = 0; col <= table.StationCount() + 1; ++col)
        levels.push_back(table.Level(row, col));
    return levels;
}

// Ground rising from 0 to 10 between x = 0 and 10, level beyond; a second stratum
// rising steeply through the ground near x = 13.46 and standing above it to the
// right; water at level 2 crossing the ground at x = 2.
Job CrossingSection()
{
    Job job = MakeDefaultJob();
    AddSoil(job, 18.0f, {{0, 0}, {10, 10}, {20, 10}});
    AddSoil(job, 20.0f, {{5, -1}, {15, 12}});
    SetWater(job, {{0, 2}, {10, 2}, {20, 2}}); // x = 10 meets an existing station
    return job;
}

TEST(SectionTable, StationsFromPointsAndCrossings)
{
    const SectionTable table = BuildSectionTable(CrossingSection());
    const float crossing = 10.0f + 4.5f / 1.3f; // 5.5 + 1.3 (x - 10) = 10

    ASSERT_EQ(table.SoilCount(), 2);
    ASSERT_EQ(table.StationCount(), 7);
    const std::vector<float> xs = Stations(table);
    const std::vector<float> expected = {0, 2, 5, 10, crossing, 15, 20};
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(xs[i], expected[i], 1e-4) << "station " << i + 1;
    EXPECT_EQ(table.X(0), kFarLeftX);
    EXPECT_EQ(table.X(8), kFarRightX);
}

TEST(SectionTable, LevelsInterpolatedAndOrdered)
{
    const SectionTable table = BuildSectionTable(CrossingSection());

    // Ground: its own points, interpolated at the stations of the other rows
    // (5 and the crossings), and its end levels at the far stations.
    const std::vector<float> ground = Row(table, 1);
    const std::vector<float> groundExpected = {0, 0, 2, 5, 10, 10, 10, 10, 10};
    for (std::size_t i = 0; i < ground.size(); ++i)
        EXPECT_NEAR(ground[i], groundExpected[i], 1e-4) << "column " << i;

    // Second stratum: level -1 to the left of its first point, 5.5 interpolated
    // at x = 10, and held down to the ground wherever it was drawn above it,
    // the far-right station included.
    const std::vector<float> lower = Row(table, 2);
    const std::vector<float> lowerExpected = {-1, -1, -1, -1, 5.5f, 10, 10, 10, 10};
    for (std::size_t i = 0; i < lower.size(); ++i)
        EXPECT_NEAR(lower[i], lowerExpected[i], 1e-4) << "column " << i;
    for (int col = 0; col <= table.StationCount() + 1; ++col)
        EXPECT_LE(table.Level(2, col), table.Level(1, col)) << "column " << col;
    EXPECT_EQ(table.Level(2, table.StationCount() + 1), 10.0f);
    EXPECT_EQ(SurfaceLevel(table, 2, 500.0f), 10.0f);

    // The water row is not ordered against the soils.
    for (int col = 0; col <= table.StationCount() + 1; ++col)
        EXPECT_EQ(table.Level(3, col), 2.0f);
}

TEST(SectionTable, LowerStrataCrossingEachOther)
{
    Job job = MakeDefaultJob();
    AddSoil(job, 18.0f, {{0, 10}, {20, 10}});
    AddSoil(job, 19.0f, {{0, 5}, {20, 5}});
    AddSoil(job, 20.0f, {{0, 3}, {20, 7}}); // crosses the stratum above at x = 10
    const SectionTable table = BuildSectionTable(job);

    ASSERT_EQ(table.StationCount(), 3);
    EXPECT_NEAR(table.X(2), 10.0f, 1e-5);
    EXPECT_NEAR(table.Level(3, 2), 5.0f, 1e-5);
    EXPECT_EQ(table.Level(3, 3), 5.0f); // 7 held down to 5
    EXPECT_EQ(table.Level(3, 4), 5.0f);
    EXPECT_NEAR(SurfaceLevel(table, 3, 5.0f), 4.0f, 1e-5);
    EXPECT_NEAR(SurfaceLevel(table, 3, 15.0f), 5.0f, 1e-5);
}

TEST(SectionTable, TwoRowsCrossingOneGroundSegment)
{
    Job job = MakeDefaultJob();
    AddSoil(job, 18.0f, {{0, 0}, {10, 10}});
    AddSoil(job, 20.0f, {{0, 6}, {10, 6}}); // above the ground left of x = 6
    SetWater(job, {{0, 3}, {10, 3}});
    const SectionTable table = BuildSectionTable(job);

    ASSERT_EQ(table.StationCount(), 4);
    EXPECT_NEAR(table.X(2), 3.0f, 1e-5);
    EXPECT_NEAR(table.X(3), 6.0f, 1e-5);
    EXPECT_NEAR(table.Level(2, 2), 3.0f, 1e-5); // held down to the ground
    EXPECT_NEAR(table.Level(2, 3), 6.0f, 1e-5);
    EXPECT_NEAR(SurfaceLevel(table, 2, 1.5f), 1.5f, 1e-5);
    EXPECT_NEAR(SurfaceLevel(table, 2, 8.0f), 6.0f, 1e-5);
}

TEST(SectionTable, RowsWithoutPoints)
{
    Job job = MakeDefaultJob();
    AddSoil(job, 18.0f, {{0, 0}, {10, 5}});
    AddSoil(job, 20.0f, {}); // no points, and no water surface
    const SectionTable table = BuildSectionTable(job);

    ASSERT_EQ(table.StationCount(), 2);
    for (int col = 0; col <= 3; ++col) {
        EXPECT_EQ(table.Level(2, col), kNoPoints);
        EXPECT_EQ(table.Level(3, col), kNoPoints);
    }

    const SectionTable empty = BuildSectionTable(MakeDefaultJob());
    EXPECT_EQ(empty.StationCount(), 0);
    EXPECT_EQ(SurfaceLevel(empty, empty.WaterRow(), 3.0f), kNoPoints);
}

TEST(SectionTable, PointsOutsideTheFarStationsAreLeftOut)
{
    Job job = MakeDefaultJob();
    AddSoil(job, 18.0f, {{-200000, 1}, {0, 0}, {10, 5}, {NAN, 3}});
    const SectionTable table = BuildSectionTable(job);
    ASSERT_EQ(table.StationCount(), 2);
    EXPECT_EQ(table.X(0), kFarLeftX);
    EXPECT_EQ(table.X(1), 0.0f);
}

TEST(SectionTable, RandomSectionsKeepTheirInvariants)
{
    // Strata drawn anyhow, crossing each other and the water: the stations stay
    // strictly increasing, every stratum lies at or below the one above it, and
    // the ground passes through its own points.
    std::mt19937 random(20240611);
    std::uniform_real_distribution<float> level(-5.0f, 15.0f);
    std::uniform_int_distribution<int> count(0, 8);
    for (int trial = 0; trial < 300; ++trial) {
        Job job = MakeDefaultJob();
        std::vector<std::pair<float, float>> groundPoints;
        for (int k = 1; k <= 4; ++k) {
            SoilRecord& soil = AddSoil(job, 18.0f, {});
            const int n = k == 1 ? 2 + count(random) : count(random);
            for (int p = 1; p <= n; ++p) {
                soil.X[p] = -20.0f + 40.0f * static_cast<float>(p - 1) / static_cast<float>(n) + 0.37f * k;
                soil.Y[p] = level(random);
                if (k == 1)
                    groundPoints.emplace_back(soil.X[p], soil.Y[p]);
            }
            soil.PointCount = static_cast<Integer>(n);
        }
        SetWater(job, {{-25, level(random)}, {0, level(random)}, {25, level(random)}});
        const SectionTable table = BuildSectionTable(job);

        for (int col = 0; col <= table.StationCount(); ++col)
            ASSERT_LT(table.X(col), table.X(col + 1)) << "trial " << trial;
        for (int k = 2; k <= 4; ++k)
            for (int col = 0; col <= table.StationCount() + 1; ++col)
                ASSERT_LE(table.Level(k, col), table.Level(k - 1, col)) << "trial " << trial;
        for (const auto& [x, y] : groundPoints)
            ASSERT_NEAR(SurfaceLevel(table, 1, x), y, 1e-4) << "trial " << trial;
    }
}

TEST(SectionTable, NonFiniteLevelsNeverHang)
{
    Job job = MakeDefaultJob();
    AddSoil(job, 18.0f, {{0, NAN}, {10, 5}, {20, INFINITY}});
    AddSoil(job, 20.0f, {{0, -INFINITY}, {15, NAN}});
    SetWater(job, {{5, NAN}, {25, 1}});
    const SectionTable table = BuildSectionTable(job);
    Integer soil = 0;
    OverburdenStress(job, table, 12.0f, 1.0f, soil);
    PorePressure(job, table, 12.0f, 1.0f, soil);
    GroundXAtLevel(job, table, 3.0f);
    EXPECT_GE(soil, 1);
    EXPECT_LE(soil, 2);
}

TEST(SurfaceLevel, ContinuesHorizontallyBeyondTheEnds)
{
    Job job = MakeDefaultJob();
    AddSoil(job, 18.0f, {{0, 1}, {10, 6}});
    SetWater(job, {{-5, 0}, {30, 4}});
    const SectionTable table = BuildSectionTable(job);

    // Station 1 is the water's first point at -5, where the ground is already level at 1.
    EXPECT_EQ(SurfaceLevel(table, 1, -1000.0f), 1.0f);
    EXPECT_EQ(SurfaceLevel(table, 1, -5.0f), 1.0f);
    EXPECT_FLOAT_EQ(SurfaceLevel(table, 1, 4.0f), 3.0f);
    EXPECT_EQ(SurfaceLevel(table, 1, 20.0f), 6.0f);
    EXPECT_EQ(SurfaceLevel(table, 1, 1.0e6f), 6.0f);
    EXPECT_FLOAT_EQ(SurfaceLevel(table, 2, 12.5f), 2.0f);
    EXPECT_EQ(SurfaceLevel(table, 2, 31.0f), 4.0f);
    EXPECT_EQ(SurfaceLevel(table, 1, NAN), kNoLevel);
}

TEST(GroundXAtLevel, WalksTheGroundFromTheLeft)
{
    Job job = MakeDefaultJob();
    AddSoil(job, 18.0f, {{0, 0}, {10, 10}, {20, 10}, {30, 4}});
    SetWater(job, {{-10, -1}, {40, -1}});
    const SectionTable table = BuildSectionTable(job);

    EXPECT_FLOAT_EQ(GroundXAtLevel(job, table, 5.0f), 5.0f);  // first reached on the rise,
    EXPECT_FLOAT_EQ(GroundXAtLevel(job, table, 10.0f), 10.0f); // not on the fall beyond the crest
    EXPECT_EQ(GroundXAtLevel(job, table, -0.5f), kNoLevel);    // below the level at station 1
    EXPECT_EQ(GroundXAtLevel(job, table, 10.5f), kNoLevel);    // above the highest ground point
    // Exactly the level of station 1: the ground stands there from station 1 on.
    EXPECT_EQ(GroundXAtLevel(job, table, 0.0f), -10.0f);
    EXPECT_EQ(GroundXAtLevel(job, table, NAN), kNoLevel);
}

TEST(SectionTable, HandBuiltTable)
{
    SectionTable table;
    table.Reset(1, 1);
    table.Cell(0, 1) = 5.0f;
    table.InsertColumn(1, 2.0f);
    ASSERT_EQ(table.StationCount(), 2);
    EXPECT_EQ(table.X(1), 2.0f);
    EXPECT_EQ(table.X(2), 5.0f);
    EXPECT_EQ(table.Level(1, 1), kNoLevel);
    for (int col = 0; col <= 3; ++col)
        table.Cell(1, col) = static_cast<float>(col);
    EXPECT_FLOAT_EQ(SurfaceLevel(table, 1, 3.5f), 1.5f);
}

} // namespace
} // namespace clv
