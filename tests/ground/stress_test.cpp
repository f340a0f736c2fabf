#include "ground/section_table.h"
#include "ground/ground_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace clv {
namespace {

using test::AddSoil;
using test::SetWater;

// Ground level at 10 over a stratum of 18 kN/m3, a stratum of 20 kN/m3 from level 6.
Job TwoLayers()
{
    Job job = MakeDefaultJob();
    AddSoil(job, 18.0f, {{0, 10}, {20, 10}});
    AddSoil(job, 20.0f, {{0, 6}, {20, 6}});
    return job;
}

TEST(OverburdenStress, ThroughTwoLayers)
{
    const Job job = TwoLayers();
    const SectionTable table = BuildSectionTable(job);
    Integer soil = 0;

    EXPECT_FLOAT_EQ(OverburdenStress(job, table, 5.0f, 2.0f, soil), 18.0f * 4 + 20.0f * 4);
    EXPECT_EQ(soil, 2);
    EXPECT_FLOAT_EQ(OverburdenStress(job, table, 5.0f, 8.0f, soil), 36.0f);
    EXPECT_EQ(soil, 1);
    // On the boundary the point belongs to the upper stratum.
    EXPECT_FLOAT_EQ(OverburdenStress(job, table, 5.0f, 6.0f, soil), 72.0f);
    EXPECT_EQ(soil, 1);
    // Beyond the last station the strata run on level.
    EXPECT_FLOAT_EQ(OverburdenStress(job, table, 100.0f, 2.0f, soil), 152.0f);
}

TEST(OverburdenStress, AboveTheGroundIsNegative)
{
    const Job job = TwoLayers();
    const SectionTable table = BuildSectionTable(job);
    Integer soil = 0;
    EXPECT_FLOAT_EQ(OverburdenStress(job, table, 5.0f, 12.0f, soil), -36.0f);
    EXPECT_EQ(soil, 1);
}

TEST(OverburdenStress, UnderASlopingGround)
{
    Job job = MakeDefaultJob();
    AddSoil(job, 18.0f, {{0, 0}, {10, 10}});
    const SectionTable table = BuildSectionTable(job);
    Integer soil = 0;
    EXPECT_FLOAT_EQ(OverburdenStress(job, table, 4.0f, 1.0f, soil), 18.0f * 3);
}

TEST(OverburdenStress, SkipsAStratumWithoutThicknessAtTheSurface)
{
    Job job = MakeDefaultJob();
    AddSoil(job, 18.0f, {{0, 10}, {20, 10}});
    AddSoil(job, 20.0f, {{0, 11}, {20, 11}}); // drawn above the ground: held down to it
    AddSoil(job, 22.0f, {{0, 4}, {20, 4}});
    const SectionTable table = BuildSectionTable(job);
    Integer soil = 0;

    EXPECT_FLOAT_EQ(OverburdenStress(job, table, 5.0f, 2.0f, soil), 20.0f * 6 + 22.0f * 2);
    EXPECT_EQ(soil, 3);
    EXPECT_FLOAT_EQ(OverburdenStress(job, table, 5.0f, 7.0f, soil), 60.0f);
    EXPECT_EQ(soil, 2);
}

TEST(OverburdenStress, StratumOfExactlyTheSkipThickness)
{
    // 0.01 of the top soil over a stratum of 20, another stratum at -5: the top
    // soil is skipped and the second one, not the lowest, is the surface soil.
    Job job = MakeDefaultJob();
    AddSoil(job, 18.0f, {{0, 0.01f}, {20, 0.01f}});
    AddSoil(job, 20.0f, {{0, 0}, {20, 0}});
    AddSoil(job, 22.0f, {{0, -5}, {20, -5}});
    const SectionTable table = BuildSectionTable(job);
    Integer soil = 0;
    EXPECT_FLOAT_EQ(OverburdenStress(job, table, 5.0f, -1.0f, soil), 20.0f * 1.01f);
    EXPECT_EQ(soil, 2);
}

TEST(OverburdenStress, DegenerateInputs)
{
    const Job job = TwoLayers();
    const SectionTable table = BuildSectionTable(job);
    Integer soil = 0;
    EXPECT_TRUE(std::isnan(OverburdenStress(job, table, 5.0f, NAN, soil)));
    EXPECT_GE(soil, 1);

    const Job empty = MakeDefaultJob();
    const SectionTable emptyTable = BuildSectionTable(empty);
    soil = 7;
    EXPECT_EQ(OverburdenStress(empty, emptyTable, 0.0f, 0.0f, soil), 0.0f);
    EXPECT_EQ(soil, 0);
}

// Surcharge of 20 kN/m2 from x = 0 to 4 (80 kN/m) and a line load of 50 kN/m at
// x = 5, both on a level ground at 10.
Job LoadedGround()
{
    Job job = TwoLayers();
    LoadRecord surcharge;
    surcharge.LoadType = kSurcharge;
    surcharge.Value = 20.0f;
    surcharge.XMin = 0.0f;
    surcharge.XMax = 4.0f;
    job.Loads.push_back(surcharge);
    LoadRecord line;
    line.LoadType = kLineLoad;
    line.Value = 50.0f;
    line.XMin = 5.0f;
    job.Loads.push_back(line);
    LoadRecord lateral; // presses on no horizontal plane
    lateral.LoadType = kLateralLoad;
    lateral.Value = 1000.0f;
    lateral.XMin = 2.0f;
    job.Loads.push_back(lateral);
    return job;
}

TEST(LoadStress, SpreadsAtTwoToOne)
{
    const Job job = LoadedGround();
    const SectionTable table = BuildSectionTable(job);

    // 4 m down the surcharge covers -2..6: 80 / 8; the line load covers 3..7: 50 / 4.
    EXPECT_FLOAT_EQ(LoadStress(job, table, 2.0f, 6.0f), 10.0f);
    EXPECT_FLOAT_EQ(LoadStress(job, table, 5.0f, 6.0f), 10.0f + 12.5f);
    EXPECT_FLOAT_EQ(LoadStress(job, table, 6.5f, 6.0f), 12.5f);
    EXPECT_EQ(LoadStress(job, table, 7.5f, 6.0f), 0.0f);
    // 2 m down the line load covers 4..6 (50 / 2); the surcharge -1..5 no longer reaches 5.5.
    EXPECT_FLOAT_EQ(LoadStress(job, table, 5.5f, 8.0f), 25.0f);
    EXPECT_FLOAT_EQ(LoadStress(job, table, 5.0f, 8.0f), 80.0f / 6.0f + 25.0f);
}

TEST(LoadStress, AtAndAboveTheLoad)
{
    const Job job = LoadedGround();
    const SectionTable table = BuildSectionTable(job);

    EXPECT_FLOAT_EQ(LoadStress(job, table, 2.0f, 10.0f), 20.0f); // right under a surcharge: its intensity
    EXPECT_EQ(LoadStress(job, table, 5.0f, 10.0f), 0.0f);        // a line load spreads only below it
    EXPECT_EQ(LoadStress(job, table, 2.0f, 11.0f), 0.0f);        // in the air
    EXPECT_EQ(LoadStress(job, table, 2.0f, NAN), 0.0f);
}

TEST(LoadStress, LoadAtItsOwnLevel)
{
    Job job = LoadedGround();
    job.Loads.resize(1);
    job.Loads[0].Y = 8.0f; // the surcharge acts at level 8, inside the ground
    const SectionTable table = BuildSectionTable(job);

    EXPECT_FLOAT_EQ(LoadStress(job, table, 2.0f, 6.0f), 80.0f / 6.0f); // spread over -1..5
    EXPECT_EQ(LoadStress(job, table, 2.0f, 9.0f), 0.0f);              // above the load
}

TEST(VerticalEffectiveStress, TotalPlusLoadLessWater)
{
    Job job = LoadedGround();
    SetWater(job, {{0, 8}, {20, 8}});
    const SectionTable table = BuildSectionTable(job);
    Integer soil = 0;
    EXPECT_NEAR(VerticalEffectiveStress(job, table, 2.0f, 6.0f, soil), 72.0f + 10.0f - 2.0f * 9.81f, 1e-4);
    EXPECT_EQ(soil, 1);
}

} // namespace
} // namespace clv
