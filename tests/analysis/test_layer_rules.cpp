// Where geogrid layers lie and what they hold: the number of levels of a block,
// the face they start on, crossings on the toe side of a slip, and the
// effective stress of a flooded layer.

#include "test_jobs.h"

namespace clv::test {
namespace {

std::vector<float> LevelsOf(const Job& job)
{
    const Analysed a(job);
    std::vector<float> levels;
    for (const ReinforcementLayer& l : a.layers)
        levels.push_back(l.StartY);
    return levels;
}

TEST(LayerRules, LevelCountIsHeightOverSpacingPlusOne)
{
    // n = floor(height / spacing + 1e-4) + 1: 4 / 0.4 = 10 gives 11 layers (adding
    // 0.4 ten times in single precision passes 4 and lost the top one).
    const struct {
        float spacing, height;
        std::size_t count;
    } cases[] = {
        {0.4f, 4.0f, 11}, {0.3f, 3.9f, 14}, {0.6f, 4.2f, 8}, {0.7f, 2.1f, 4}, {0.1f, 2.5f, 26},
        {0.2f, 1.4f, 8},  {0.5f, 3.0f, 7},  {0.5f, 2.9f, 6}, // 5.8: the top level is short of the block
        {0.4f, 3.99998f, 11},                                // 9.99995: within the ten-thousandth
        {0.4f, 3.9995f, 10},                                 // 9.99875: beyond it
        {0.4f, 0.0f, 1},  {0.4f, -0.1f, 0},                  // a block of no height; a negative one
    };
    for (const auto& c : cases) {
        Job job = FaceJob();
        AddBlock(job, 1.0f, c.height, c.spacing, 5.0f);
        const std::vector<float> levels = LevelsOf(job);
        ASSERT_EQ(levels.size(), c.count) << c.spacing << " over " << c.height;
        if (levels.empty())
            continue;
        // Highest first: base + (n - 1) x spacing at the top, the base at the bottom.
        EXPECT_NEAR(levels.front(), 1.0f + static_cast<float>(c.count - 1) * c.spacing, 1e-5f);
        EXPECT_FLOAT_EQ(levels.back(), 1.0f);
    }
}

TEST(LayerRules, LayersStartOnTheRisingFace)
{
    // A foreground falling from 3 at x = -20 to the toe flat at 0 (x = -10 to 0), then
    // the 1:1 face to 10. Levels 0.5 to 3 also cross the falling foreground, further
    // left; the layers start on the face, at x = level.
    Job job = OneSoilJob({{-20, 3}, {-10, 0}, {0, 0}, {10, 10}, {40, 10}}, 20.0f, 30.0f, 0.0f);
    AddBlock(job, 0.0f, 3.5f, 0.5f, 5.0f);
    const Analysed a(job);
    ASSERT_EQ(a.layers.size(), 8u);
    for (const ReinforcementLayer& l : a.layers) {
        EXPECT_NEAR(l.StartX, l.StartY, 1e-5f);
        EXPECT_NEAR(l.EndX, l.StartY + 5.0f, 1e-5f);
    }

    // A cutting whose far bank (15 m) stands higher than the analysed face (10 m):
    // levels 0 to 10 start on the face (x = 10 + level); levels above 10 meet only the
    // falling far bank and get no layer.
    Job cutting = OneSoilJob({{-20, 15}, {-10, 15}, {0, 0}, {10, 0}, {20, 10}, {50, 10}}, 20.0f, 30.0f, 0.0f);
    AddBlock(cutting, 0.0f, 12.0f, 2.0f, 5.0f);
    const Analysed c(cutting);
    ASSERT_EQ(c.layers.size(), 6u); // 10, 8, ..., 0; not 12
    for (const ReinforcementLayer& l : c.layers)
        EXPECT_NEAR(l.StartX, 10.0f + l.StartY, 1e-5f);
}

TEST(LayerRules, ACrossingOnTheToeSideHoldsNothing)
{
    // One layer at level 2 from the face (2, 2) to (12, 2), strength 1000, phi' 30,
    // c' 0, all factors 1. A V-shaped base (3, 3) - (5, 1) - (7, 3) crosses it at x = 4
    // (base falling to the right: toe side) and at x = 6 (rising). Only the rising
    // crossing counts: sigma at (6, 2) = 20 x (6 - 2) = 80, at the rear end (12, 2)
    // 20 x 8 = 160, embedded 6 m: T = 6 x 0.7 tan 30 (80 + 160) = 581.97.
    // (The toe-side crossing would have added 8 x 0.7 tan 30 (40 + 160) = 646.6.)
    Job job = FaceJob();
    AddBlock(job, 2.0f, 0.0f, 1.0f, 10.0f, 1000.0f);
    Analysed a(job);
    ASSERT_EQ(a.layers.size(), 1u);
    auto force = [&a](const SliceList& s) {
        return ComputeReinforcementForce(a.Input(), SlipKind::Circular, s, 20.0f).Force;
    };
    EXPECT_NEAR(force(Chords({{3, 3}, {5, 1}, {7, 3}})), 581.97f, 0.01f);
    EXPECT_EQ(force(Chords({{3, 3}, {5, 1}})), 0.0f);
    EXPECT_NEAR(force(Chords({{3, 1}, {5, 3}})), 8.0f * 0.7f * std::tan(Radians(30.0f)) * 200.0f, 0.01f);

    // The same in the slice forces the rigorous solution uses.
    const std::vector<float> perSlice = ReinforcementSliceForces(a.Input(), Chords({{3, 3}, {5, 1}, {7, 3}}));
    ASSERT_EQ(perSlice.size(), 2u);
    EXPECT_EQ(perSlice[0], 0.0f);
    EXPECT_NEAR(perSlice[1], 581.97f, 0.01f);
}

TEST(LayerRules, AFloodedLayerUsesTheBuoyantWeight)
{
    // Water at 12, 2 m above the crest. At (6, 2) under the face: overburden
    // 20 x 4 = 80, ponded water 9.81 x (12 - 6) = 58.86, pore pressure
    // 9.81 x (12 - 2) = 98.1: sigma' = 40.76 = (20 - 9.81) x 4. At (12, 2) under the
    // crest: 160 + 19.62 - 98.1 = 81.52 = 10.19 x 8. A base rising through the layer
    // at x = 6: T = 6 x 0.7 tan 30 (40.76 + 81.52) = 296.52.
    Job job = FaceJob();
    SetPoints(job.Water, {{-20, 12}, {40, 12}});
    AddBlock(job, 2.0f, 0.0f, 1.0f, 10.0f, 1000.0f);
    Analysed a(job);
    Integer soil = 0;
    EXPECT_NEAR(VerticalEffectiveStress(a.job, a.table, 6.0f, 2.0f, soil), 40.76f, 1e-3f);
    EXPECT_NEAR(VerticalEffectiveStress(a.job, a.table, 12.0f, 2.0f, soil), 81.52f, 1e-3f);
    const SliceList slices = Chords({{5, 1}, {7, 3}});
    EXPECT_NEAR(ComputeReinforcementForce(a.Input(), SlipKind::Wedge, slices, 0.0f).Force, 296.52f, 0.01f);

    // A soil lighter than water would go below zero: sigma' and T stop at 0.
    a.job.Soils[0].Density = 8.0f;
    a.Rebuild();
    EXPECT_EQ(VerticalEffectiveStress(a.job, a.table, 6.0f, 2.0f, soil), 0.0f);
    EXPECT_EQ(ComputeReinforcementForce(a.Input(), SlipKind::Wedge, slices, 0.0f).Force, 0.0f);
}

} // namespace
} // namespace clv::test
