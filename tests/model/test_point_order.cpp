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

template <typename Surface> Points PointsOf(const Surface& surface)
{
    Points out;
    for (int k = 1; k <= surface.PointCount; ++k)
        out.emplace_back(surface.X[k], surface.Y[k]);
    return out;
}

void ExpectPoints(const Points& got, const Points& want, const char* what)
{
    ASSERT_EQ(got.size(), want.size()) << what;
    for (std::size_t k = 0; k < got.size(); ++k) {
        EXPECT_FLOAT_EQ(got[k].first, want[k].first) << what << " point " << k + 1;
        EXPECT_FLOAT_EQ(got[k].second, want[k].second) << what << " point " << k + 1;
    }
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
        // Saved files hold their steps 0.01 apart already: a second ordering changes nothing.
        {"stored steps", {{0, 5}, {10, 5}, {10.01f, 2}, {20, 2}, {30, 2}, {30.01f, 6}},
         {{0, 5}, {10, 5}, {10.01f, 2}, {20, 2}, {30, 2}, {30.01f, 6}}},
    };
    for (const auto& c : cases) {
        Job job = MakeDefaultJob();
        const SoilRecord& soil = SetPoints(job.Soils.emplace_back(), c.in);
        SortItemPoints(job, 1);
        ExpectPoints(PointsOf(soil), c.out, c.what);
    }
}

TEST(PointOrder, WaterSurfaceIsTheItemAfterTheSoilsAndUserPointsGoInOrderOfX)
{
    Job job = MakeDefaultJob();
    job.Soils.resize(1);
    SetPoints(job.Water, {{10, 1}, {0, 4}, {10, 4}});
    SortItemPoints(job, 2);
    ExpectPoints(PointsOf(job.Water), {{0, 4}, {10, 4}, {10.01f, 1}}, "water"); // the step at 10 continues at 4

    for (const auto& [x, y] : Points{{10, 1}, {0, 5}, {5, 0}, {5, 2}})
        AppendUserPoint(job, x, y);
    Points user;
    for (const UserPoint& p : job.UserPoints)
        user.emplace_back(p.X, p.Y);
    ExpectPoints(user, {{0, 5}, {5, 0}, {5, 2}, {10, 1}}, "user points"); // equal x keep the order they came in
}

} // namespace
} // namespace clv
