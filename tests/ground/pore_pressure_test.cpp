#include "ground/section_table.h"
#include "ground/ground_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace clv {
namespace {

using test::AddSoil;
using test::SetWater;

// Ground at 10 (18 kN/m3) over a stratum of 20 kN/m3 from level 6; water at 5.
Job Section()
{
    Job job = MakeDefaultJob();
    AddSoil(job, 18.0f, {{0, 10}, {30, 10}});
    AddSoil(job, 20.0f, {{0, 6}, {30, 6}});
    SetWater(job, {{0, 5}, {30, 5}});
    return job;
}

TEST(PorePressure, BelowThePhreaticSurface)
{
    const Job job = Section();
    const SectionTable table = BuildSectionTable(job);
    EXPECT_FLOAT_EQ(PorePressure(job, table, 3.0f, 2.0f, 2), 3.0f * 9.81f);
}

TEST(PorePressure, SuctionLimit)
{
    Job job = Section();
    const SectionTable table = BuildSectionTable(job);

    EXPECT_EQ(PorePressure(job, table, 3.0f, 7.0f, 1), 0.0f); // no suction allowed
    job.Soil(1).Suction = 1.0f;
    EXPECT_FLOAT_EQ(PorePressure(job, table, 3.0f, 7.0f, 1), -9.81f);
    job.Soil(1).Suction = 2.0f;
    EXPECT_FLOAT_EQ(PorePressure(job, table, 3.0f, 6.5f, 1), -1.5f * 9.81f); // within the limit
    EXPECT_FLOAT_EQ(PorePressure(job, table, 3.0f, 9.0f, 1), -19.62f);
    job.Soil(1).Suction = -2.0f; // never a positive pressure from a negative suction
    EXPECT_EQ(PorePressure(job, table, 3.0f, 9.0f, 1), 0.0f);
}

TEST(PorePressure, NoWaterSurface)
{
    Job job = Section();
    job.Water.PointCount = 0;
    const SectionTable table = BuildSectionTable(job);
    EXPECT_EQ(PorePressure(job, table, 3.0f, 2.0f, 2), 0.0f);
    job.Soil(2).Suction = 2.0f;
    EXPECT_FLOAT_EQ(PorePressure(job, table, 3.0f, 2.0f, 2), -19.62f);
}

TEST(PorePressure, RatioFollowsTheOverburden)
{
    Job job = Section();
    job.Soil(2).Ru = 0.25f;
    const SectionTable table = BuildSectionTable(job);
    // 0.25 x (18 x 4 + 20 x 4), whatever the water table says.
    EXPECT_FLOAT_EQ(PorePressure(job, table, 3.0f, 2.0f, 2), 38.0f);
}

// A grid from x = 0 to 25 by 10 (stations 0, 10, 20 and 25: the last one at the
// maximum, half an increment on) and from y = 0 to 10 by 5 (levels 10, 5, 0),
// laid out as the grid editor does.
void SetGrid(Job& job)
{
    PiezoSettings& grid = job.Piezo;
    grid.Enabled = kTrue;
    grid.MinX = 0.0f;
    grid.MaxX = 25.0f;
    grid.IncX = 10.0f;
    grid.MinY = 0.0f;
    grid.MaxY = 10.0f;
    grid.IncY = 5.0f;
    grid.NX = 4;
    grid.NY = 3;
    job.Heads.Resize(3, 4);
    const float xs[] = {0, 10, 20, 25};
    const float ys[] = {10, 5, 0};
    for (int i = 1; i <= 4; ++i)
        job.Heads.At(0, i) = xs[i - 1];
    for (int j = 1; j <= 3; ++j)
        job.Heads.At(j, 0) = ys[j - 1];
    // Level 8 along x = 0..20 and 6 at x = 25, on every row but the top one.
    for (int j = 1; j <= 3; ++j)
        for (int i = 1; i <= 4; ++i)
            job.Heads.At(j, i) = j == 1 ? 9.0f : (i == 4 ? 6.0f : 8.0f);
}

TEST(PorePressure, PiezometricGridInTheLastPartCell)
{
    Job job = Section();
    SetGrid(job);
    job.Soil(2).Ru = 0.25f; // the grid decides alone where it covers the point
    const SectionTable table = BuildSectionTable(job);

    // (22, 2.5) lies in the cell x = 20..25, y = 0..5. Its corners at x = 20 are
    // sqrt(2^2 + 2.5^2) away with level 8, those at x = 25 sqrt(3^2 + 2.5^2) with 6.
    const float wNear = 1.0f / std::sqrt(10.25f);
    const float wFar = 1.0f / std::sqrt(15.25f);
    const float head = (8.0f * wNear + 6.0f * wFar) / (wNear + wFar); // 7.0990
    EXPECT_NEAR(PorePressure(job, table, 22.0f, 2.5f, 2), (head - 2.5f) * 9.81f, 1e-3);
    EXPECT_NEAR(head, 7.0990f, 1e-4);
}

TEST(PorePressure, PiezometricGridNodesAndEmptyCells)
{
    Job job = Section();
    SetGrid(job);
    const SectionTable table = BuildSectionTable(job);

    // At a node: that node's level.
    EXPECT_FLOAT_EQ(PorePressure(job, table, 10.0f, 5.0f, 2), 3.0f * 9.81f);

    // An empty corner is left out of the average.
    job.Heads.At(2, 4) = kNoLevel; // (25, 5)
    const float wNear = 1.0f / std::sqrt(10.25f);
    const float wFar = 1.0f / std::sqrt(15.25f);
    const float head = (8.0f * 2 * wNear + 6.0f * wFar) / (2 * wNear + wFar);
    EXPECT_NEAR(PorePressure(job, table, 22.0f, 2.5f, 2), (head - 2.5f) * 9.81f, 1e-3);

    // With all four empty the water surface answers.
    job.Heads.At(2, 3) = job.Heads.At(3, 3) = job.Heads.At(3, 4) = kNoLevel;
    EXPECT_FLOAT_EQ(PorePressure(job, table, 22.0f, 2.5f, 2), 2.5f * 9.81f);
}

TEST(PorePressure, PiezometricGridLimits)
{
    Job job = Section();
    SetGrid(job);
    const SectionTable table = BuildSectionTable(job);

    // On the limits (strict) and outside them the water surface answers.
    EXPECT_FLOAT_EQ(PorePressure(job, table, 0.0f, 2.0f, 2), 3.0f * 9.81f);
    EXPECT_FLOAT_EQ(PorePressure(job, table, 26.0f, 2.0f, 2), 3.0f * 9.81f);
    job.Piezo.Enabled = kFalse;
    EXPECT_FLOAT_EQ(PorePressure(job, table, 22.0f, 2.5f, 2), 2.5f * 9.81f);

    // Limits widened after the grid was laid out: beyond the last station the
    // edge cell answers. At (30, 2.5) its corners are 10 and 5 away in x.
    job.Piezo.Enabled = kTrue;
    job.Piezo.MaxX = 40.0f;
    const float wNear = 1.0f / std::sqrt(25.0f + 6.25f);
    const float wFar = 1.0f / std::sqrt(100.0f + 6.25f);
    const float head = (6.0f * wNear + 8.0f * wFar) / (wNear + wFar);
    EXPECT_NEAR(PorePressure(job, table, 30.0f, 2.5f, 2), (head - 2.5f) * 9.81f, 1e-3);
}

} // namespace
} // namespace clv
