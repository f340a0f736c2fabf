#include "analysis/reinforcement.h"
#include "analysis/slicing.h"
#include "test_reinforcement_jobs.h"

#include <gtest/gtest.h>

#include <cmath>

namespace clv {
namespace {

using test::AddBlock;
using test::FaceJob;
using test::Prepared;

std::vector<float> Levels(const LayerList& layers)
{
    std::vector<float> levels;
    for (const ReinforcementLayer& l : layers)
        levels.push_back(l.StartY);
    return levels;
}

TEST(ReinforcementLayers, BlockFromZeroToThreeByHalfMetreGivesSevenLayersOnTheFace)
{
    Job job = FaceJob();
    AddBlock(job, 0.0f, 3.0f, 0.5f, 10.0f);
    Prepared p(std::move(job));
    ASSERT_EQ(p.layers.size(), 7u);
    EXPECT_EQ(Levels(p.layers), (std::vector<float>{3.0f, 2.5f, 2.0f, 1.5f, 1.0f, 0.5f, 0.0f}));
    for (const ReinforcementLayer& l : p.layers) {
        // The 1:1 face puts the start of each layer at x = its level.
        EXPECT_NEAR(l.StartX, l.StartY, 1e-5f);
        EXPECT_FLOAT_EQ(l.EndX, l.StartX + 10.0f);
        EXPECT_EQ(l.EndY, l.StartY);
        EXPECT_EQ(l.Strength, 30.0f);
        EXPECT_EQ(l.FrictionCoefficient, 0.7f);
        EXPECT_EQ(l.Angle, 0.0f);
        EXPECT_EQ(l.Block, 1);
    }
}

TEST(ReinforcementLayers, HeightJustShortOfALevelDropsIt)
{
    Job job = FaceJob();
    AddBlock(job, 0.0f, 2.9f, 0.5f, 10.0f);
    EXPECT_EQ(Prepared(std::move(job)).layers.size(), 6u);
}

TEST(ReinforcementLayers, LevelsAccumulateInSinglePrecision)
{
    // Ten additions of 0.1f come to 1.0000001, above the top of 1.0: ten layers, not eleven.
    Job job = FaceJob();
    AddBlock(job, 0.0f, 1.0f, 0.1f, 10.0f);
    EXPECT_EQ(Prepared(std::move(job)).layers.size(), 10u);
}

TEST(ReinforcementLayers, InterleavedBlocksAreOrderedHighestFirstWhateverTheBlockOrder)
{
    Job job = FaceJob();
    AddBlock(job, 0.0f, 2.0f, 1.0f, 5.0f);  // 0, 1, 2
    AddBlock(job, 0.5f, 2.0f, 1.0f, 6.0f);  // 0.5, 1.5, 2.5
    AddBlock(job, 1.0f, 0.0f, 1.0f, 7.0f);  // 1 again, after block 1's layer at 1
    Prepared p(std::move(job));
    EXPECT_EQ(Levels(p.layers), (std::vector<float>{2.5f, 2.0f, 1.5f, 1.0f, 1.0f, 0.5f, 0.0f}));
    EXPECT_EQ(p.layers[3].Block, 1); // equal levels keep their order
    EXPECT_EQ(p.layers[4].Block, 3);
    EXPECT_EQ(p.layers[0].Length, 6.0f);
}

TEST(ReinforcementLayers, LevelsThatMissTheGroundMakeNoLayer)
{
    Job job = FaceJob();
    AddBlock(job, 8.0f, 4.0f, 1.0f, 5.0f); // 8, 9 on the face, 10 at the crest corner; 11, 12 in the air
    Prepared p(std::move(job));
    EXPECT_EQ(Levels(p.layers), (std::vector<float>{10.0f, 9.0f, 8.0f}));
}

TEST(ReinforcementLayers, SpacingOfZeroOrLessGivesOneLayerAtTheBase)
{
    for (float spacing : {0.0f, -0.5f}) {
        Job job = FaceJob();
        AddBlock(job, 2.0f, 3.0f, spacing, 5.0f);
        Prepared p(std::move(job));
        EXPECT_EQ(Levels(p.layers), (std::vector<float>{2.0f})) << spacing;
        EXPECT_TRUE(p.notices.empty());
    }
}

TEST(ReinforcementLayers, TinySpacingIsCappedWithANotice)
{
    Job job = FaceJob();
    AddBlock(job, 0.0f, 9.0f, 1e-7f, 5.0f); // from a file: tens of millions of levels, and y + s == y soon
    AddBlock(job, std::nanf(""), 3.0f, 0.5f, 5.0f);
    Prepared p(std::move(job));
    EXPECT_EQ(p.layers.size(), 1001u);
    ASSERT_EQ(p.notices.size(), 1u);
    EXPECT_EQ(p.notices[0], "Reinforcement block 1 has more than 1001 layers; only the lowest 1001 are used");
}

/** One slice whose base chord runs from (x1, y1) to (x2, y2). */
SliceList OneSlice(float x1, float y1, float x2, float y2)
{
    Slice s;
    s.XLeft = x1;
    s.BaseLeft = y1;
    s.XRight = x2;
    s.BaseRight = y2;
    SliceList slices{s};
    ComputeSliceGeometry(slices);
    return slices;
}

struct HandFactors {
    float fn = 1.1f, fmsPhi = 1.25f, fmsC = 1.6f, fm = 1.5f, fp = 1.3f;
};

Job FactoredFaceJob(const HandFactors& f)
{
    Job job = FaceJob(30.0f, 5.0f);
    job.Factors.RamificationsOfFailure = f.fn;
    job.Factors.TanPhi = f.fmsPhi;
    job.Factors.Cohesion = f.fmsC;
    job.Factors.ReinforcementStrength = f.fm;
    job.Factors.PullOut = f.fp;
    return job;
}

TEST(ReinforcementForce, PullOutGovernsAShortEmbedmentAndTensionALongOne)
{
    // Layer at level 2 from the face (2, 2) to (12, 2). A base chord crossing it at
    // x = 8.5: sigma at P = 20 x (8.5 - 2) = 130 (the face is above), at the rear end
    // E = (12, 2) sigma = 20 x (10 - 2) = 160; embedded length 3.5.
    const HandFactors f;
    const double tanPhi = std::tan(30.0 * 3.1415925 / 180.0);
    auto tau = [&](double sigma) { return 0.7 * (5.0 / f.fmsC + sigma * tanPhi / f.fmsPhi); };
    const double pullOut = 3.5 * (tau(130.0) + tau(160.0)) / (f.fn * f.fp);
    ASSERT_NEAR(pullOut, 240.19, 0.01); // 3.5 x (44.22 + 53.92) / 1.43

    for (float strength : {500.0f, 100.0f}) {
        Job job = FactoredFaceJob(f);
        AddBlock(job, 2.0f, 0.0f, 1.0f, 10.0f, strength);
        Prepared p(std::move(job));
        ASSERT_EQ(p.layers.size(), 1u);
        const SliceList slices = OneSlice(8.0f, 1.0f, 9.0f, 3.0f);
        const ReinforcementTotals t = ComputeReinforcementForce(p.Input(), SlipKind::Circular, slices, 20.0f);
        const double tensile = strength / (f.fm * f.fn);
        const double expected = std::min(pullOut, tensile);
        EXPECT_NEAR(t.Force, expected, 1e-4 * expected) << strength;
        EXPECT_NEAR(t.Moment, expected * (20.0 - 2.0), 1e-4 * expected * 18.0) << strength;
        // Defined and wedge surfaces take the force only.
        EXPECT_EQ(ComputeReinforcementForce(p.Input(), SlipKind::Wedge, slices, 20.0f).Moment, 0.0f);
    }
}

TEST(ReinforcementForce, CrossingOutsideTheLayerOrOutsideTheChordCountsNothing)
{
    Job job = FaceJob();
    AddBlock(job, 2.0f, 0.0f, 1.0f, 5.0f); // layer from x = 2 to 7 at level 2
    Prepared p(std::move(job));
    const AnalysisInput in = p.Input();
    // Behind the rear end, in front of the face, and a chord that stops short of the level.
    EXPECT_EQ(ComputeReinforcementForce(in, SlipKind::Circular, OneSlice(7.5f, 1.0f, 8.5f, 3.0f), 10.f).Force, 0.f);
    EXPECT_EQ(ComputeReinforcementForce(in, SlipKind::Circular, OneSlice(1.0f, 1.0f, 1.5f, 3.0f), 10.f).Force, 0.f);
    EXPECT_EQ(ComputeReinforcementForce(in, SlipKind::Circular, OneSlice(4.0f, 0.5f, 5.0f, 1.5f), 10.f).Force, 0.f);
    // A horizontal base along the layer never crosses it.
    EXPECT_EQ(ComputeReinforcementForce(in, SlipKind::Circular, OneSlice(4.0f, 2.0f, 5.0f, 2.0f), 10.f).Force, 0.f);
    EXPECT_GT(ComputeReinforcementForce(in, SlipKind::Circular, OneSlice(4.0f, 1.0f, 5.0f, 3.0f), 10.f).Force, 0.f);
}

TEST(ReinforcementForce, LayerThroughASliceBoundaryCountsOnce)
{
    Job job = FaceJob();
    AddBlock(job, 2.0f, 0.0f, 1.0f, 8.0f, 1000.0f);
    Prepared p(std::move(job));
    const AnalysisInput in = p.Input();
    // The layer at 2 passes exactly through the shared corner (5, 2) of two slices,
    // and then just beside it: either way one crossing, one force.
    for (float corner : {2.0f, 2.0005f, 1.9995f}) {
        SliceList slices = OneSlice(4.0f, 1.0f, 5.0f, corner);
        slices.push_back(OneSlice(5.0f, corner, 6.0f, 3.0f)[0]);
        const float first = ComputeReinforcementForce(in, SlipKind::Defined, SliceList{slices[0]}, 0.f).Force;
        const float second = ComputeReinforcementForce(in, SlipKind::Defined, SliceList{slices[1]}, 0.f).Force;
        EXPECT_GT(first + second, 0.0f) << corner;
        if (corner != 2.0f) {
            EXPECT_EQ(std::min(first, second), 0.0f) << corner;
        }
        EXPECT_FLOAT_EQ(ComputeReinforcementForce(in, SlipKind::Defined, slices, 0.f).Force,
                        std::max(first, second)) << corner;
    }
}

TEST(ReinforcementForce, SteepChordEndingJustAboveALayerDoesNotCrossIt)
{
    // A chord rising at 70 deg from 1 mm above the layer: its line meets the layer
    // 0.36 mm to the left of its foot, inside the 0.001 widening, but the base never
    // reaches the layer's level.
    Job job = FaceJob();
    AddBlock(job, 2.0f, 0.0f, 1.0f, 8.0f, 1000.0f);
    Prepared p(std::move(job));
    const float rise = std::tan(Radians(70.0f));
    EXPECT_EQ(ComputeReinforcementForce(p.Input(), SlipKind::Wedge, OneSlice(5.0f, 2.001f, 6.0f, 2.001f + rise),
                                        0.f).Force, 0.f);
}

TEST(ReinforcementForce, PerSliceForcesAddUpToTheTotal)
{
    Job job = FaceJob();
    AddBlock(job, 1.0f, 6.0f, 0.5f, 6.0f, 20.0f);
    Prepared p(std::move(job));
    SlipResult slip;
    slip.CentreX = 0.0f;
    slip.CentreY = 16.0f;
    slip.Radius = std::sqrt(6.0f * 6.0f + 10.0f * 10.0f) + 1.0f;
    SliceList slices;
    const AnalysisInput in = p.Input();
    ASSERT_TRUE(SliceSlip(in, slip, slices));
    const std::vector<float> perSlice = ReinforcementSliceForces(in, slices);
    ASSERT_EQ(perSlice.size(), slices.size());
    double sum = 0.0;
    int loaded = 0;
    for (float t : perSlice) {
        sum += t;
        loaded += t > 0.0f ? 1 : 0;
    }
    const ReinforcementTotals totals = ComputeReinforcementForce(in, SlipKind::Circular, slices, slip.CentreY);
    EXPECT_GT(loaded, 1);
    EXPECT_NEAR(sum, totals.Force, 1e-5 * totals.Force);
}

TEST(ReinforcementForce, CircleBehindEveryLayerGetsNothing)
{
    // The circle centred at (6, 16) with radius 10 enters the 1:1 face at (6, 6) and
    // leaves the crest at x = 14: everything it cuts lies behind layers of length 1
    // placed on the face between levels 6.5 and 8.5, and in front of 10 m ones.
    for (float length : {1.0f, 10.0f}) {
        Job job = FaceJob();
        AddBlock(job, 6.5f, 2.0f, 0.5f, length);
        Prepared p(std::move(job));
        ASSERT_EQ(p.layers.size(), 5u);
        SlipResult slip;
        slip.CentreX = 6.0f;
        slip.CentreY = 16.0f;
        slip.Radius = 10.0f;
        SliceList slices;
        AnalyseCircle(p.Input(), slip, slices);
        ASSERT_NE(slip.StabilityFactor, kInvalidFactor);
        if (length == 1.0f) {
            EXPECT_EQ(slip.ReinforcementForce, 0.0f);
            EXPECT_EQ(slip.ReinforcementMoment, 0.0f);
        } else {
            EXPECT_GT(slip.ReinforcementForce, 0.0f);
            EXPECT_GT(slip.ReinforcementMoment, 0.0f);
        }
    }
}

} // namespace
} // namespace clv
