// The slope face at a level (where layers start and anchor heads sit), and the
// vertical effective stress under water standing on the ground.

#include "ground_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace clv::test {
namespace {

TEST(FaceXAtLevel, FirstRisingGroundFromTheLeft)
{
    // A bank falling from 6 at x = -10 to a ditch bottom of -1 at x = -3, rising to 0 at
    // x = -2, level to 0, then the face rising 1:2 (y = x / 2) to 10 at x = 20, and a
    // fall beyond to 4. Levels on the falling bank or the fall beyond are not the face.
    const Ground g({{20, {{-10, 6}, {-3, -1}, {-2, 0}, {0, 0}, {20, 10}, {30, 4}}}});
    const struct {
        float y, x;
    } cases[] = {
        {3, 6},           // the bank falls through 3 at x = -6; the face rises through it at 6
        {8, 16},          // above the bank
        {10, 20},         // the crest
        {-0.5f, -2.5f},   // the rising side of the ditch
        {0, -2},          // the top of the ditch's rise, not the level run after it
        {10.5f, kNoLevel}, // above everything
        {-2, kNoLevel},   // below everything
        {NAN, kNoLevel},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(FaceXAtLevel(g.table, c.y), c.x, 1e-4f) << "level " << c.y;

    // Ground that only falls has no face.
    const Ground falling({{20, {{0, 10}, {10, 0}}}});
    EXPECT_EQ(FaceXAtLevel(falling.table, 5.0f), kNoLevel);
}

TEST(VerticalEffectiveStress, PondedWaterLoadsTheColumn)
{
    // Ground at 0, unit weight 20; a point 2 m down. Water at level h: pore pressure
    // 9.81 (h + 2); water above the ground adds 9.81 h, so sigma' = 40 - 9.81 x 2 = 20.38
    // whatever h is above 0. Water at -1: no ponding, sigma' = 40 - 9.81 = 30.19.
    const struct {
        float water, sigma;
    } cases[] = {{3, 20.38f}, {0.01f, 20.38f}, {0, 20.38f}, {-0.01f, 20.3800f + 0.0981f}, {-1, 30.19f}};
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

} // namespace
} // namespace clv::test
