#include "model/point_order.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace clv {
namespace {

void SetPoints(SoilRecord& soil, const std::vector<std::pair<float, float>>& points)
{
    soil.PointCount = static_cast<Integer>(points.size());
    for (std::size_t j = 0; j < points.size(); ++j) {
        soil.X[j + 1] = points[j].first;
        soil.Y[j + 1] = points[j].second;
    }
}

TEST(SortItemPoints, OrdersBySurfaceXAndLeavesOtherSlotsAlone)
{
    Job job;
    job.Soils.resize(2);
    SetPoints(job.Soil(2), {{20.0f, 1.0f}, {-5.0f, 3.0f}, {7.5f, 2.0f}});
    job.Soil(2).X[0] = 99.0f;
    job.Soil(2).X[4] = -99.0f; // above PointCount
    SortItemPoints(job, 2);
    const SoilRecord& s = job.Soil(2);
    EXPECT_EQ(s.X[1], -5.0f);
    EXPECT_EQ(s.Y[1], 3.0f);
    EXPECT_EQ(s.X[2], 7.5f);
    EXPECT_EQ(s.X[3], 20.0f);
    EXPECT_EQ(s.Y[3], 1.0f);
    EXPECT_EQ(s.X[0], 99.0f);
    EXPECT_EQ(s.X[4], -99.0f);
}

TEST(SortItemPoints, VerticalStepPutsTheLowerPointFirstAndShiftsTheUpperOne)
{
    Job job;
    job.Soils.resize(1);
    // A retaining wall face at x = 4: the top of the step was entered first.
    SetPoints(job.Soil(1), {{0.0f, 6.0f}, {4.0f, 6.0f}, {4.0005f, 2.0f}, {10.0f, 2.0f}});
    SortItemPoints(job, 1);
    const SoilRecord& s = job.Soil(1);
    EXPECT_EQ(s.X[2], 4.0005f);
    EXPECT_EQ(s.Y[2], 2.0f);
    EXPECT_EQ(s.X[3], 4.0005f + 0.01f);
    EXPECT_EQ(s.Y[3], 6.0f);
    EXPECT_EQ(s.X[4], 10.0f);
}

TEST(SortItemPoints, ItemAfterTheLastSoilIsTheWaterSurface)
{
    Job job;
    job.Soils.resize(1);
    job.Water.PointCount = 3;
    job.Water.X = {};
    job.Water.X[1] = 30.0f, job.Water.X[2] = 0.0f, job.Water.X[3] = 15.0f;
    SortItemPoints(job, 2);
    EXPECT_EQ(job.Water.X[1], 0.0f);
    EXPECT_EQ(job.Water.X[3], 30.0f);
    SortItemPoints(job, 3); // no such item: nothing happens
}

TEST(SortItemPoints, PointsFarOutOrNotANumberStillEnd)
{
    Job job;
    job.Soils.resize(1);
    // Adding 1 cm cannot separate points at 1e9 in single precision.
    SetPoints(job.Soil(1), {{1e9f, 5.0f}, {1e9f, 1.0f}, {1e9f, 3.0f}});
    SortItemPoints(job, 1);
    EXPECT_EQ(job.Soil(1).Y[1], 1.0f);
    EXPECT_EQ(job.Soil(1).Y[3], 5.0f);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    SetPoints(job.Soil(1), {{nan, 1.0f}, {2.0f, nan}, {nan, nan}, {1.0f, 0.0f}});
    SortItemPoints(job, 1);
    job.Soil(1).PointCount = 50;
    job.Soil(1).X.fill(std::numeric_limits<float>::infinity());
    SortItemPoints(job, 1);
    SUCCEED();
}

TEST(SortUserPoints, PlainOrderByXKeepsEqualXInPlace)
{
    Job job;
    job.UserPoints = {{5.0f, 1.0f}, {2.0f, 9.0f}, {5.0f, 0.0f}, {-1.0f, 4.0f}};
    SortUserPoints(job);
    ASSERT_EQ(job.UserPoints.size(), 4u);
    EXPECT_EQ(job.UserPoints[0].X, -1.0f);
    EXPECT_EQ(job.UserPoints[1].X, 2.0f);
    EXPECT_EQ(job.UserPoints[2].Y, 1.0f); // equal x: the earlier point stays first, no shift
    EXPECT_EQ(job.UserPoints[3].Y, 0.0f);
    EXPECT_EQ(job.UserPoints[3].X, 5.0f);
}

} // namespace
} // namespace clv
