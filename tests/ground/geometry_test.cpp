#include "ground/geometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace clv {
namespace {

Segment MakeSegment(float x1, float y1, float x2, float y2)
{
    Segment s;
    s.X1 = x1;
    s.Y1 = y1;
    s.X2 = x2;
    s.Y2 = y2;
    LineCoefficients(s);
    return s;
}

TEST(LineCoefficients, SlopeInterceptAndVertical)
{
    const Segment s = MakeSegment(1, 3, 3, 7);
    EXPECT_FLOAT_EQ(s.Slope, 2.0f);
    EXPECT_FLOAT_EQ(s.Intercept, 1.0f);
    const Segment v = MakeSegment(4, 0, 4, 10);
    EXPECT_EQ(v.Slope, kVerticalSlope);
    EXPECT_EQ(v.Intercept, 0.0f);
}

TEST(IntersectLineSegment, CrossingReplacesTheStartOfTheLine)
{
    Segment a = MakeSegment(0, 0, 10, 10);
    ASSERT_TRUE(IntersectLineSegment(a, MakeSegment(0, 10, 10, 0)));
    EXPECT_FLOAT_EQ(a.X1, 5.0f);
    EXPECT_FLOAT_EQ(a.Y1, 5.0f);
    EXPECT_EQ(a.X2, 10.0f); // the rest of `a` stays
}

TEST(IntersectLineSegment, ParallelsLeaveTheLineUnchanged)
{
    Segment a = MakeSegment(0, 0, 10, 10);
    EXPECT_FALSE(IntersectLineSegment(a, MakeSegment(0, 1, 10, 11)));
    EXPECT_EQ(a.X1, 0.0f);
    EXPECT_EQ(a.Y1, 0.0f);

    Segment v = MakeSegment(3, 0, 3, 10);
    EXPECT_FALSE(IntersectLineSegment(v, MakeSegment(5, 0, 5, 10)));
    EXPECT_EQ(v.X1, 3.0f);
    EXPECT_EQ(v.Y1, 0.0f);
}

TEST(IntersectLineSegment, Verticals)
{
    Segment a = MakeSegment(0, 0, 10, 10);
    ASSERT_TRUE(IntersectLineSegment(a, MakeSegment(3, -100, 3, 100)));
    EXPECT_FLOAT_EQ(a.X1, 3.0f);
    EXPECT_FLOAT_EQ(a.Y1, 3.0f);

    Segment v = MakeSegment(4, 0, 4, 10);
    ASSERT_TRUE(IntersectLineSegment(v, MakeSegment(0, 0, 10, 5)));
    EXPECT_EQ(v.X1, 4.0f);
    EXPECT_FLOAT_EQ(v.Y1, 2.0f);

    Segment outside = MakeSegment(12, 0, 12, 10);
    EXPECT_FALSE(IntersectLineSegment(outside, MakeSegment(0, 0, 10, 5)));
}

TEST(IntersectLineSegment, ToleranceOnTheSegmentOnly)
{
    // Line y = x against y = 10 - x, which crosses at x = 5.
    Segment a = MakeSegment(0, 0, 10, 10);
    EXPECT_TRUE(IntersectLineSegment(a, MakeSegment(0, 10, 4.9995f, 5.0005f))); // 0.0005 short: accepted
    a = MakeSegment(0, 0, 10, 10);
    EXPECT_FALSE(IntersectLineSegment(a, MakeSegment(0, 10, 4.998f, 5.002f))); // 0.002 short
    a = MakeSegment(0, 0, 5, 5);
    EXPECT_FALSE(IntersectLineSegment(a, MakeSegment(0, 10, 10, 0))); // at the end of the line: strict
    a = MakeSegment(0, 0, 10, 10);
    EXPECT_FALSE(IntersectLineSegment(a, MakeSegment(0, NAN, 10, 0)));
}

struct Crossings {
    int count;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

Crossings Cut(const Segment& s, float xc, float yc, float r)
{
    Crossings c{0};
    c.count = CircleSegmentIntersections(s, xc, yc, r, c.x1, c.y1, c.x2, c.y2);
    return c;
}

TEST(CircleSegmentIntersections, ChordsOfACircle)
{
    // Circle of radius 5 about the origin against the line y = 3: x = -4 and 4.
    Crossings c = Cut(MakeSegment(-10, 3, 10, 3), 0, 0, 5);
    ASSERT_EQ(c.count, 2);
    EXPECT_FLOAT_EQ(c.x1, -4.0f);
    EXPECT_FLOAT_EQ(c.y1, 3.0f);
    EXPECT_FLOAT_EQ(c.x2, 4.0f);
    EXPECT_FLOAT_EQ(c.y2, 3.0f);

    c = Cut(MakeSegment(0, 3, 10, 3), 0, 0, 5);
    ASSERT_EQ(c.count, 1);
    EXPECT_FLOAT_EQ(c.x1, 4.0f);
    c = Cut(MakeSegment(-10, 3, 0, 3), 0, 0, 5);
    ASSERT_EQ(c.count, 1);
    EXPECT_FLOAT_EQ(c.x1, -4.0f);

    // The line y = x through a circle of radius 5 about (1, 1).
    const float h = 5.0f / std::sqrt(2.0f);
    c = Cut(MakeSegment(-10, -10, 10, 10), 1, 1, 5);
    ASSERT_EQ(c.count, 2);
    EXPECT_FLOAT_EQ(c.x1, 1.0f - h);
    EXPECT_FLOAT_EQ(c.y2, 1.0f + h);

    EXPECT_EQ(Cut(MakeSegment(-10, 6, 10, 6), 0, 0, 5).count, 0);
}

TEST(CircleSegmentIntersections, TouchingWithinTheTolerance)
{
    Crossings c = Cut(MakeSegment(4.0008f, 3, 10, 3), 0, 0, 5); // the root at 4 lies 0.0008 short
    ASSERT_EQ(c.count, 1);
    EXPECT_FLOAT_EQ(c.x1, 4.0f);
    EXPECT_EQ(Cut(MakeSegment(4.002f, 3, 10, 3), 0, 0, 5).count, 0);

    // A tangent gives the touching point twice.
    c = Cut(MakeSegment(-1, 5, 1, 5), 0, 0, 5);
    ASSERT_EQ(c.count, 2);
    EXPECT_FLOAT_EQ(c.x1, 0.0f);
    EXPECT_FLOAT_EQ(c.y1, 5.0f);
}

TEST(CircleSegmentIntersections, VerticalSegments)
{
    Crossings c = Cut(MakeSegment(3, -10, 3, 10), 0, 0, 5);
    ASSERT_EQ(c.count, 2);
    EXPECT_FLOAT_EQ(c.x1, 3.0f);
    EXPECT_FLOAT_EQ(c.y1, -4.0f); // lower crossing first
    EXPECT_FLOAT_EQ(c.x2, 3.0f);
    EXPECT_FLOAT_EQ(c.y2, 4.0f);

    c = Cut(MakeSegment(3, 0, 3, 10), 0, 0, 5);
    ASSERT_EQ(c.count, 1);
    EXPECT_FLOAT_EQ(c.y1, 4.0f);
    c = Cut(MakeSegment(3, 4.0008f, 3, 10), 0, 0, 5);
    ASSERT_EQ(c.count, 1);
    EXPECT_FLOAT_EQ(c.y1, 4.0f);

    EXPECT_EQ(Cut(MakeSegment(5, -1, 5, 1), 0, 0, 5).count, 2); // tangent
    EXPECT_EQ(Cut(MakeSegment(6, -10, 6, 10), 0, 0, 5).count, 0);
}

TEST(CircleSegmentIntersections, NonFiniteInputsFindNothing)
{
    EXPECT_EQ(Cut(MakeSegment(-10, 3, 10, 3), 0, 0, NAN).count, 0);
    EXPECT_EQ(Cut(MakeSegment(-10, 3, 10, 3), NAN, 0, 5).count, 0);
    EXPECT_EQ(Cut(MakeSegment(3, -10, 3, 10), 0, 0, INFINITY).count, 0);
}

} // namespace
} // namespace clv
