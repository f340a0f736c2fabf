// Re-ordering of soil and water points into increasing x, with vertical steps
// kept as the surface the user drew; and the defined-surface points by x.

#include "model/point_order.h"
#include "support/job_builders.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace clv {
namespace {

using test::Points;
using test::SetPoints;

Points SortedGround(const Points& points)
{
    Job job = MakeDefaultJob();
    SoilRecord& soil = SetPoints(job.Soils.emplace_back(), points);
    SortItemPoints(job, 1);
    Points out;
    for (int k = 1; k <= soil.PointCount; ++k)
        out.emplace_back(soil.X[k], soil.Y[k]);
    return out;
}

TEST(PointOrder, VerticalStepsKeepTheirShape)
{
    const struct {
        const char* what;
        Points in, out;
    } cases[] = {
        {"step down", {{0, 5}, {10, 5}, {10, 2}, {20, 2}}, {{0, 5}, {10, 5}, {10.01f, 2}, {20, 2}}},
        {"step down typed bottom first", {{0, 5}, {10, 2}, {10, 5}, {20, 2}}, {{0, 5}, {10, 5}, {10.01f, 2}, {20, 2}}},
        {"step up", {{0, 2}, {10, 2}, {10, 5}, {20, 5}}, {{0, 2}, {10, 2}, {10.01f, 5}, {20, 5}}},
        {"step up typed top first", {{0, 2}, {10, 5}, {10, 2}, {20, 5}}, {{0, 2}, {10, 2}, {10.01f, 5}, {20, 5}}},
        {"no point before: the lower first", {{10, 5}, {10, 2}, {20, 2}}, {{10, 2}, {10.01f, 5}, {20, 2}}},
        {"equally near: the lower first", {{0, 5}, {10, 8}, {10, 2}}, {{0, 5}, {10, 2}, {10.01f, 8}}},
        // 0.9 mm apart is one x; 1.1 mm apart are two, ordered by x alone.
        {"0.9 mm is a step", {{0, 5}, {10, 5}, {10.0009f, 2}, {20, 2}}, {{0, 5}, {10, 5}, {10.01f, 2}, {20, 2}}},
        {"1.1 mm is not", {{0, 5}, {10, 5}, {10.0011f, 2}, {20, 2}}, {{0, 5}, {10, 5}, {10.0011f, 2}, {20, 2}}},
        {"0.9 mm to the left is a step", {{0, 5}, {10, 5}, {9.9991f, 2}, {20, 2}},
         {{0, 5}, {10, 5}, {10.01f, 2}, {20, 2}}},
        {"1.1 mm to the left is swapped", {{0, 5}, {10, 5}, {9.9989f, 2}, {20, 2}},
         {{0, 5}, {9.9989f, 2}, {10, 5}, {20, 2}}},
        {"out of order", {{20, 1}, {0, 3}, {10, 2}}, {{0, 3}, {10, 2}, {20, 1}}},
    };
    for (const auto& c : cases) {
        const Points out = SortedGround(c.in);
        ASSERT_EQ(out.size(), c.out.size()) << c.what;
        for (std::size_t k = 0; k < out.size(); ++k) {
            EXPECT_FLOAT_EQ(out[k].first, c.out[k].first) << c.what << " point " << k + 1;
            EXPECT_FLOAT_EQ(out[k].second, c.out[k].second) << c.what << " point " << k + 1;
        }
    }
}

TEST(PointOrder, StoredStepsAreLeftAlone)
{
    // Saved files hold their steps 0.01 apart already: a second ordering changes nothing.
    const Points stored = {{0, 5}, {10, 5}, {10.01f, 2}, {20, 2}, {30, 2}, {30.01f, 6}};
    EXPECT_EQ(SortedGround(stored), stored);
}

TEST(PointOrder, WaterSurfaceIsTheItemAfterTheSoils)
{
    Job job = MakeDefaultJob();
    job.Soils.resize(1);
    SetPoints(job.Water, {{10, 1}, {0, 4}, {10, 4}});
    SortItemPoints(job, 2);
    // (0, 4) first; then the step at x = 10 continues at level 4.
    EXPECT_EQ(job.Water.X[1], 0.0f);
    EXPECT_EQ(job.Water.Y[2], 4.0f);
    EXPECT_FLOAT_EQ(job.Water.X[3], 10.01f);
    EXPECT_EQ(job.Water.Y[3], 1.0f);
}

TEST(PointOrder, DefinedSurfacePointsAreAppendedInOrderOfX)
{
    Job job = MakeDefaultJob();
    for (const auto& [x, y] : Points{{10, 1}, {0, 5}, {5, 0}, {5, 2}})
        AppendUserPoint(job, x, y);
    ASSERT_EQ(job.UserPointCount(), 4);
    const Points expected = {{0, 5}, {5, 0}, {5, 2}, {10, 1}}; // equal x keep the order they came in
    for (std::size_t k = 0; k < expected.size(); ++k) {
        EXPECT_EQ(job.UserPoints[k].X, expected[k].first) << k;
        EXPECT_EQ(job.UserPoints[k].Y, expected[k].second) << k;
    }
}

} // namespace
} // namespace clv
