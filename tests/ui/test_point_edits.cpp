// The point search and the extents behind the mouse editing, without widgets:
// the pick tolerance on both sides, which point wins a tie, and the widening
// of the drawing extents to a placed point.

#include "support/job_builders.h"
#include "ui/editing/point_edits.h"

#include <gtest/gtest.h>

namespace clv::ui::test {
namespace {

using clv::test::SetPoints;

TEST(PointEdits, ToleranceIsAFortiethOfTheViewWidthAndStrictAndOfEqualsTheFirstIsTaken)
{
    const Single tolerance = PickTolerance(800.0, 20.0f); // a view 40 m wide
    ASSERT_FLOAT_EQ(tolerance, 1.0f);
    Job job;
    SetPoints(job.Soils.emplace_back(), {{2.0f, 3.0f}});
    const struct { Single x, y; bool found; } cases[] = {
        {2.99f, 3.0f, true}, {3.0f, 3.0f, false}, {2.0f, 2.01f, true}, {2.0f, 2.0f, false},
        {2.7f, 3.7f, true}, {2.71f, 3.71f, false}};
    for (const auto& c : cases)
        EXPECT_EQ(NearestPoint(job, c.x, c.y, tolerance).has_value(), c.found) << c.x << ", " << c.y;

    // Of points equally near the first found is taken.
    job = Job{};
    SetPoints(job.Soils.emplace_back(), {{-1.0f, 0.0f}, {1.0f, 0.0f}, {5.0f, 5.0f}});
    SetPoints(job.Soils.emplace_back(), {{0.0f, 1.0f}, {0.0f, -1.0f}});
    SetPoints(job.Water, {{10.0f, 0.5f}, {10.0f, -0.5f}});
    // Four points 1 m away: soil 1, point 1; soil 2's upper point strictly nearer; two water points 0.5 m away: the first.
    const struct { Single x, y; PointRef want; } nearest[] = {
        {0.0f, 0.0f, {1, 1}}, {0.0f, 0.1f, {2, 1}}, {10.0f, 0.0f, {0, 1}}, {4.0f, 4.0f, {1, 3}}, {1.0f, -0.2f, {1, 2}}};
    for (const auto& c : nearest) {
        const std::optional<PointRef> p = NearestPoint(job, c.x, c.y, 2.0f);
        ASSERT_TRUE(p.has_value()) << c.x << ", " << c.y;
        EXPECT_EQ(*p, c.want) << c.x << ", " << c.y << " took " << p->item << "/" << p->index;
    }
}

TEST(PointEdits, ExtentsWidenToWholeMetresHalvesToEven)
{
    // A new job's extents are X -10..20, Y -2..8; a maximum becomes the rounded value + 1.
    const struct { Single x, y, xMin, xMax, yMin, yMax; } cases[] = {
        {0.0f, 0.0f, -10.0f, 20.0f, -2.0f, 8.0f},   {-12.5f, -3.5f, -12.0f, 20.0f, -4.0f, 8.0f},
        {-13.4f, -2.6f, -13.0f, 20.0f, -3.0f, 8.0f}, {24.5f, 9.5f, -10.0f, 25.0f, -2.0f, 11.0f},
        {20.2f, 8.7f, -10.0f, 21.0f, -2.0f, 10.0f}};
    for (const auto& c : cases) {
        ViewSettings view;
        WidenExtents(view, c.x, c.y);
        EXPECT_EQ((std::array{view.XMin, view.XMax, view.YMin, view.YMax}),
                  (std::array{c.xMin, c.xMax, c.yMin, c.yMax})) << c.x << ", " << c.y;
    }
}

} // namespace
} // namespace clv::ui::test
