// Overburden, pore pressure and load stress at points of small sections, by hand.

#include "ground/ground_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace clv::test {

// Ground at 10 (18 kN/m3) over a stratum of 20 kN/m3 from level 6; water at 5 when asked.
static Ground TwoLayers(Points water = {})
{
    return Ground({{18, {{0, 10}, {30, 10}}}, {20, {{0, 6}, {30, 6}}}}, water);
}

TEST(OverburdenStress, ByHandThroughTheStrata)
{
    const Ground two = TwoLayers();
    // The second stratum is drawn above the ground and held down to it: no thickness.
    const Ground flat({{18, {{0, 10}, {20, 10}}}, {20, {{0, 11}, {20, 11}}}, {22, {{0, 4}, {20, 4}}}});
    const Ground thin({{18, {{0, 0.01f}, {20, 0.01f}}}, {20, {{0, 0}, {20, 0}}}, {22, {{0, -5}, {20, -5}}}});
    // Top strata just thinner and just thicker than the 0.01 that counts as none.
    const Ground thinner({{18, {{0, 0.0098f}, {20, 0.0098f}}}, {20, {{0, 0}, {20, 0}}}});
    const Ground thicker({{18, {{0, 0.0102f}, {20, 0.0102f}}}, {20, {{0, 0}, {20, 0}}}});
    const struct { const Ground* g; float x, y, stress; int soil; const char* why; } cases[] = {
        {&two, 5, 2, 18 * 4 + 20 * 4, 2, "through both strata"},
        {&two, 5, 6, 72, 1, "on the boundary: the upper stratum"},
        {&two, 5, 12, -36, 1, "above the ground: negative"},
        {&flat, 5, 2, 20 * 6 + 22 * 2, 3, "a stratum without thickness is skipped"},
        {&thin, 5, -1, 20 * 1.01f, 2, "0.01 of top soil is skipped, but not every deeper stratum"},
        {&thinner, 5, -1, 20 * 1.0098f, 2, "0.0098 of top soil is skipped"},
        {&thicker, 5, -1, 18 * 0.0102f + 20, 2, "0.0102 of top soil is weighed"},
        {&thicker, 5, 0.005f, 18 * 0.0052f, 1, "and holds a point within it"},
    };
    Integer soil = 0;
    for (const auto& c : cases) {
        EXPECT_FLOAT_EQ(OverburdenStress(c.g->job, c.g->table, c.x, c.y, soil), c.stress) << c.why;
        EXPECT_EQ(soil, c.soil) << c.why;
    }
    EXPECT_TRUE(std::isnan(OverburdenStress(two.job, two.table, 5.0f, NAN, soil)));
}

TEST(PorePressure, PhreaticSurfaceRatioGridAndSuctionLimit)
{
    Ground wet = TwoLayers({{0, 5}, {30, 5}}), dry = TwoLayers();
    const struct { Ground* g; float ru, suction, x, y; Integer soil; float u; const char* why; } cases[] = {
        {&wet, 0, 0, 3, 2, 2, 3 * 9.81f, "3 m below the phreatic surface"},
        {&wet, 0.25f, 0, 3, 2, 2, 38, "the ratio follows the overburden: 0.25 x (18 x 4 + 20 x 4)"},
        {&wet, 0, 0, 3, 7, 1, 0, "above the water, without suction"},
        {&wet, 0, 2, 3, 6.5f, 1, -1.5f * 9.81f, "suction within the limit"},
        {&wet, 0, 2, 3, 9, 1, -19.62f, "suction held to 2 m of water"},
        {&wet, 0, -2, 3, 9, 1, 0, "a negative suction counts as none, never as a pressure"},
        {&dry, 0, 0, 3, 2, 2, 0, "no water surface: no pressure"},
        {&dry, 0, 2, 3, 2, 2, -19.62f, "no water surface: the suction limit"},
    };
    for (const auto& c : cases) {
        c.g->job.Soil(c.soil).Ru = c.ru;
        c.g->job.Soil(c.soil).Suction = c.suction;
        EXPECT_FLOAT_EQ(PorePressure(c.g->job, c.g->table, c.x, c.y, c.soil), c.u) << c.why;
    }

    // A grid from x = 0 to 25 by 10 (stations 0, 10, 20 and 25: the last one at the
    // maximum, half an increment on) and from y = 0 to 10 by 5, laid out as the grid
    // editor does: row 0 the x of the stations, column 0 the levels of the rows.
    Job& job = wet.job;
    job.Piezo = PiezoSettings{kTrue, 0, 25, 10, 0, 10, 5, 3, 4};
    job.Heads.Resize(3, 4);
    const float heads[4][5] = {{0, 0, 10, 20, 25}, {10, 9, 9, 9, 9}, {5, 8, 8, 8, 6}, {0, 8, 8, 8, 6}};
    for (int j = 0; j <= 3; ++j)
        for (int i = 0; i <= 4; ++i)
            job.Heads.At(j, i) = heads[j][i];
    auto u = [&wet](float x, float y) { return PorePressure(wet.job, wet.table, x, y, 2); };
    auto fromHead = [](float head, float y) { return (head - y) * 9.81f; };

    // (22, 2.5) lies in the last, partial cell x = 20..25, y = 0..5: its corners at
    // x = 20 are sqrt(2^2 + 2.5^2) away with level 8, those at x = 25 sqrt(3^2 + 2.5^2)
    // with 6: the inverse-distance average is 7.0990.
    // Soil 2 has a pore-pressure ratio of 0.25: the grid decides alone where it covers
    // the point, and on its limits (strict) and outside them the ratio answers (0.25 x 152).
    job.Soil(2).Ru = 0.25f;
    EXPECT_NEAR(u(22.0f, 2.5f), fromHead(7.0990f, 2.5f), 1e-3);
    EXPECT_FLOAT_EQ(u(10.0f, 5.0f), fromHead(8.0f, 5.0f)); // at a node: that node's level
    EXPECT_FLOAT_EQ(u(0.0f, 2.0f), 38.0f);
    EXPECT_FLOAT_EQ(u(26.0f, 2.0f), 38.0f);

    // Limits widened after the grid was laid out: beyond the last station the edge
    // cell answers. At (30, 2.5) its corners with level 6 are sqrt(5^2 + 2.5^2) away,
    // those with level 8 sqrt(10^2 + 2.5^2): 6.70326.
    job.Piezo.MaxX = 40.0f;
    EXPECT_NEAR(u(30.0f, 2.5f), fromHead(6.70326f, 2.5f), 1e-3);

    // An empty corner (25, 5) is left out of the average: three corners give 7.41852.
    // With all four empty the ratio answers: 0.25 x (18 x 4 + 20 x 3.5).
    job.Heads.At(2, 4) = kNoLevel;
    EXPECT_NEAR(u(22.0f, 2.5f), fromHead(7.41852f, 2.5f), 1e-3);
    job.Heads.At(2, 3) = job.Heads.At(3, 3) = job.Heads.At(3, 4) = kNoLevel;
    EXPECT_FLOAT_EQ(u(22.0f, 2.5f), 35.5f);
}

TEST(LoadStress, SpreadsAtTwoToOneByHand)
{
    // On the ground at 10, a surcharge of 20 kN/m2 over x = 0..4 (80 kN/m) and a line
    // load of 50 kN/m at x = 5; a lateral load presses on no horizontal plane; a
    // surcharge of 80 kN/m over x = 20..24 acts at level 8.
    Ground g = TwoLayers({{0, 8}, {30, 8}});
    g.job.Loads = {{.LoadType = kSurcharge, .Value = 20, .XMin = 0, .XMax = 4},
                   {.LoadType = kLineLoad, .Value = 50, .XMin = 5},
                   {.LoadType = kLateralLoad, .Value = 1000, .XMin = 2},
                   {.LoadType = kSurcharge, .Value = 20, .XMin = 20, .XMax = 24, .Y = 8}};
    const struct { float x, y, stress; const char* why; } cases[] = {
        {2, 6, 10, "4 m down the surcharge covers -2..6: 80 / 8"},
        {5, 6, 10 + 12.5f, "and the line load 3..7: 50 / 4"},
        {5.5f, 8, 25, "2 m down the line load covers 4..6; the surcharge -1..5 misses"},
        {5, 8, 80.0f / 6.0f + 25, "both at 2 m"},
        {2, 10, 20, "right under a surcharge: its intensity"},
        {5, 10, 0, "a line load spreads only below it"},
        {2, 11, 0, "in the air"},
        {2, NAN, 0, "no level"},
        {22, 6, 80.0f / 6.0f, "a surcharge at its own level 8, inside the ground: over 19..25 2 m down"},
        {22, 9, 0, "above that level"},
    };
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(LoadStress(g.job, g.table, c.x, c.y), c.stress) << c.why;

    // Total 72 + load 10 - water 2 m x 9.81.
    Integer soil = 0;
    EXPECT_NEAR(VerticalEffectiveStress(g.job, g.table, 2.0f, 6.0f, soil), 72.0f + 10.0f - 2.0f * 9.81f, 1e-4);
    EXPECT_EQ(soil, 1);
}

TEST(VerticalEffectiveStress, PondedWaterLoadsTheColumn)
{
    // Ground at 0, unit weight 20; a point 2 m down. Water at level h: pore pressure
    // 9.81 (h + 2); water above the ground adds 9.81 h, so sigma' = 40 - 9.81 x 2 = 20.38
    // whatever h is above 0. Water at -1: no ponding, sigma' = 40 - 9.81 = 30.19.
    const struct { float water, sigma; } cases[] = {
        {3, 20.38f}, {0.01f, 20.38f}, {0, 20.38f}, {-0.01f, 20.3800f + 0.0981f}, {-1, 30.19f}};
    for (const auto& c : cases) {
        const Ground g({{20, {{-10, 0}, {10, 0}}}}, {{-10, c.water}, {10, c.water}});
        Integer soil = 0;
        EXPECT_NEAR(VerticalEffectiveStress(g.job, g.table, 0.0f, -2.0f, soil), c.sigma, 1e-3f) << c.water;
        EXPECT_EQ(soil, 1);
    }
    // A soil lighter than water: sigma' stops at 0 rather than going negative.
    const Ground light({{5, {{-10, 0}, {10, 0}}}}, {{-10, 2}, {10, 2}});
    Integer soil = 0;
    EXPECT_EQ(VerticalEffectiveStress(light.job, light.table, 0.0f, -2.0f, soil), 0.0f);
}

} // namespace clv::test
