// The section table built from the strata and water polylines, the levels read from
// it, and the plane geometry that finds its crossing stations.

#include "ground/geometry.h"
#include "ground/ground_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace clv::test {

/** Every column of `row` (row 0: the station x), the far stations included. */
static void ExpectRow(const SectionTable& table, int row, const std::vector<float>& expected)
{
    ASSERT_EQ(table.StationCount() + 2, static_cast<int>(expected.size())) << "row " << row;
    for (int col = 0; col < static_cast<int>(expected.size()); ++col)
        EXPECT_NEAR(row == 0 ? table.X(col) : table.Level(row, col), expected[col], 1e-4) << row << ", " << col;
}

TEST(SectionTable, StationsInterpolationCrossingsAndOrder)
{
    const float L = kFarLeftX, R = kFarRightX, P = kNoPoints;

    // Ground rising 0 to 10 over x = 0..10, then level; a second stratum rising
    // steeply through it at 5.5 + 1.3 (x - 10) = 10 and drawn above it beyond;
    // water at 2, crossing the ground at x = 2 and meeting its station at x = 10.
    const Ground a({{18, {{0, 0}, {10, 10}, {20, 10}}}, {20, {{5, -1}, {15, 12}}}}, {{0, 2}, {10, 2}, {20, 2}});
    ExpectRow(a.table, 0, {L, 0, 2, 5, 10, 10.0f + 4.5f / 1.3f, 15, 20, R});
    ExpectRow(a.table, 1, {0, 0, 2, 5, 10, 10, 10, 10, 10});
    // Held down to the ground wherever it was drawn above it, the far-right station included.
    ExpectRow(a.table, 2, {-1, -1, -1, -1, 5.5f, 10, 10, 10, 10});
    ExpectRow(a.table, 3, {2, 2, 2, 2, 2, 2, 2, 2, 2}); // the water is not ordered against the soils

    // Two lower strata crossing each other at x = 10: a station there, 7 held down to 5.
    const Ground b({{18, {{0, 10}, {20, 10}}}, {19, {{0, 5}, {20, 5}}}, {20, {{0, 3}, {20, 7}}}});
    ExpectRow(b.table, 0, {L, 0, 10, 20, R});
    ExpectRow(b.table, 3, {3, 3, 5, 5, 5});

    // One ground segment crossed by two rows: the water at x = 3, the stratum at x = 6.
    const Ground c({{18, {{0, 0}, {10, 10}}}, {20, {{0, 6}, {10, 6}}}}, {{0, 3}, {10, 3}});
    ExpectRow(c.table, 0, {L, 0, 3, 6, 10, R});
    ExpectRow(c.table, 2, {0, 0, 3, 6, 6, 6});

    // A soil without points and no water surface hold -100001 everywhere.
    const Ground d({{18, {{0, 0}, {10, 5}}}, {20, {}}});
    ExpectRow(d.table, 2, {P, P, P, P});
    ExpectRow(d.table, 3, {P, P, P, P});
}

TEST(SectionTable, EmptyStrayAndNonFiniteInputsNeverHang)
{
    const Ground none({});
    Integer soil = 7;
    EXPECT_EQ(OverburdenStress(none.job, none.table, 0.0f, 0.0f, soil), 0.0f);
    EXPECT_EQ(soil, 0);

    // Points beyond the far stations or at no x (only a damaged file has them) are left out.
    const Ground stray({{18, {{-200000, 1}, {0, 0}, {10, 5}, {NAN, 3}}}});
    ExpectRow(stray.table, 0, {kFarLeftX, 0, 10, kFarRightX});

    const Ground g({{18, {{0, NAN}, {10, 5}, {20, INFINITY}}}, {20, {{0, -INFINITY}, {15, NAN}}}}, {{5, NAN}, {25, 1}});
    OverburdenStress(g.job, g.table, 12.0f, 1.0f, soil);
    PorePressure(g.job, g.table, 12.0f, 1.0f, soil);
    GroundXAtLevel(g.job, g.table, 3.0f);
    EXPECT_TRUE(soil == 1 || soil == 2) << soil;
}

TEST(SurfaceLevel, ContinuesHorizontallyAndGroundXWalksFromTheLeft)
{
    // Station 1 is the water's first point at -10, where the ground is already level at 0.
    const Ground g({{18, {{0, 0}, {10, 10}, {20, 10}, {30, 4}}}}, {{-10, -1}, {40, 3}});
    const struct { int row; float x, level; } levels[] = {
        {1, -1000, 0}, {1, -10, 0}, {1, 4, 4}, {1, 35, 4}, {1, 1e6f, 4}, {2, 15, 1}, {2, 50, 3}, {1, NAN, kNoLevel}};
    for (const auto& c : levels)
        EXPECT_FLOAT_EQ(SurfaceLevel(g.table, c.row, c.x), c.level) << "row " << c.row << " at x " << c.x;

    // An anchor level meets the face, the first ground segment rising through it: 5 on
    // the rise, and 10 at the crest, not on the fall beyond it; no level below the
    // ground nor above its highest point. Level 0 is the level run from -10 to the
    // foot of the rise at 0, and level ground is no face: 0, not -10.
    const struct { float y, x; } crossings[] = {
        {5, 5}, {10, 10}, {-0.5f, kNoLevel}, {10.5f, kNoLevel}, {0, 0}, {NAN, kNoLevel}};
    for (const auto& c : crossings)
        EXPECT_FLOAT_EQ(GroundXAtLevel(g.job, g.table, c.y), c.x) << "level " << c.y;
}

TEST(FaceXAtLevel, FirstRisingGroundFromTheLeft)
{
    // A bank falling from 6 at x = -10 to a ditch bottom of -1 at x = -3, rising to 0 at
    // x = -2, level to 0, then the face rising 1:2 (y = x / 2) to 10 at x = 20, and a
    // fall beyond to 4. Levels on the falling bank or the fall beyond are not the face.
    const Ground g({{20, {{-10, 6}, {-3, -1}, {-2, 0}, {0, 0}, {20, 10}, {30, 4}}}});
    const struct { float y, x; } cases[] = {
        {3, 6},            // the bank falls through 3 at x = -6; the face rises through it at 6
        {8, 16},           // above the bank
        {10, 20},          // the crest
        {-0.5f, -2.5f},    // the rising side of the ditch
        {0, -2},           // the top of the ditch's rise, not the level run after it
        {10.5f, kNoLevel}, // above everything
        {-2, kNoLevel},    // below everything
        {NAN, kNoLevel},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(FaceXAtLevel(g.table, c.y), c.x, 1e-4f) << "level " << c.y;
    // Ground that only falls has no face.
    const Ground falling({{20, {{0, 10}, {10, 0}}}});
    EXPECT_EQ(FaceXAtLevel(falling.table, 5.0f), kNoLevel);
}

static Segment Seg(float x1, float y1, float x2, float y2)
{
    Segment s{.X1 = x1, .Y1 = y1, .X2 = x2, .Y2 = y2};
    LineCoefficients(s);
    return s;
}

TEST(IntersectLineSegment, CrossingsParallelsVerticalsAndTolerance)
{
    const Segment diagonal = Seg(0, 0, 10, 10);
    const struct { Segment a, b; bool found; float x, y; const char* why; } cases[] = {
        {diagonal, Seg(0, 10, 10, 0), true, 5, 5, "crossing"},
        {diagonal, Seg(0, 1, 10, 11), false, 0, 0, "parallel"},
        {Seg(3, 0, 3, 10), Seg(5, 0, 5, 10), false, 3, 0, "two verticals"},
        {diagonal, Seg(3, -100, 3, 100), true, 3, 3, "line across a vertical segment"},
        {Seg(4, 0, 4, 10), Seg(0, 0, 10, 5), true, 4, 2, "vertical line across a segment"},
        {Seg(12, 0, 12, 10), Seg(0, 0, 10, 5), false, 12, 0, "vertical line beyond the segment"},
        {diagonal, Seg(0, 10, 4.9995f, 5.0005f), true, 5, 5, "segment 0.0005 short: within the tolerance"},
        {diagonal, Seg(0, 10, 4.998f, 5.002f), false, 0, 0, "segment 0.002 short"},
        {Seg(0, 0, 5, 5), Seg(0, 10, 10, 0), false, 0, 0, "at the end of the line: strict"},
        {diagonal, Seg(0, NAN, 10, 0), false, 0, 0, "not a number"},
    };
    for (const auto& c : cases) {
        Segment a = c.a;
        EXPECT_EQ(IntersectLineSegment(a, c.b), c.found) << c.why;
        // The crossing replaces the start of the line, the rest stays; a miss changes nothing.
        EXPECT_FLOAT_EQ(a.X1, c.x) << c.why;
        EXPECT_FLOAT_EQ(a.Y1, c.y) << c.why;
        EXPECT_EQ(a.X2, c.a.X2) << c.why;
    }
}

TEST(CircleSegmentIntersections, ChordsTangentsAndVerticals)
{
    const float h = 5.0f / std::sqrt(2.0f);
    // Circles of radius 5 about the origin unless said otherwise.
    const struct { Segment s; float xc, r; int count; float crossings[4]; const char* why; } cases[] = {
        {Seg(-10, 3, 10, 3), 0, 5, 2, {-4, 3, 4, 3}, "chord of y = 3"},
        {Seg(0, 3, 10, 3), 0, 5, 1, {4, 3}, "right half"},
        {Seg(-10, 3, 0, 3), 0, 5, 1, {-4, 3}, "left half"},
        {Seg(-9, -10, 11, 10), 1, 5, 2, {1 - h, -h, 1 + h, h}, "y = x - 1 about (1, 0)"},
        {Seg(-10, 6, 10, 6), 0, 5, 0, {}, "outside"},
        {Seg(4.0008f, 3, 10, 3), 0, 5, 1, {4, 3}, "crossing 0.0008 short of the segment: counted"},
        {Seg(4.002f, 3, 10, 3), 0, 5, 0, {}, "0.002 short"},
        {Seg(-1, 5, 1, 5), 0, 5, 2, {0, 5, 0, 5}, "tangent: the touching point twice"},
        {Seg(3, -10, 3, 10), 0, 5, 2, {3, -4, 3, 4}, "vertical: the lower crossing first"},
        {Seg(5, -1, 5, 1), 0, 5, 2, {5, 0, 5, 0}, "vertical tangent"},
        {Seg(-10, 3, 10, 3), 0, NAN, 0, {}, "radius not a number"},
    };
    for (const auto& c : cases) {
        float p[4] = {};
        ASSERT_EQ(CircleSegmentIntersections(c.s, c.xc, 0, c.r, p[0], p[1], p[2], p[3]), c.count) << c.why;
        for (int i = 0; i < 2 * c.count; ++i)
            EXPECT_FLOAT_EQ(p[i], c.crossings[i]) << c.why << ", value " << i;
    }
}

} // namespace clv::test
