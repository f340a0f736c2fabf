// Geogrid blocks laid out as layers against the face, and the force of the layers
// a slip surface really crosses: the lesser of pull-out and tensile strength.
// Anchors hold a slip only with their whole fixed length beyond it, and their
// heads sit on the slope face; their pull shows in the horizontal load sum of the
// slip (no other horizontal force acts on these dry sections).

#include "analysis/defined_surface.h"
#include "analysis/wedges.h"
#include "test_jobs.h"

namespace clv::test {
namespace {

std::vector<float> Levels(const Job& job)
{
    const Analysed a(job);
    std::vector<float> levels;
    for (const ReinforcementLayer& l : a.layers) {
        EXPECT_NEAR(l.StartX, l.StartY, 1e-5f); // on the 1:1 face
        levels.push_back(l.StartY);
    }
    return levels;
}

TEST(ReinforcementLayers, LevelCountIsHeightOverSpacingPlusOneHighestFirst)
{
    // n = floor(height / spacing + 1e-4) + 1: 4 / 0.4 = 10 gives 11 layers (adding
    // 0.4 ten times in single precision passes 4 and lost the top one).
    const struct { float base, height, spacing; std::size_t count; float top; } cases[] = {
        {1, 4.0f, 0.4f, 11, 5}, {1, 3.9f, 0.3f, 14, 4.9f}, {1, 4.2f, 0.6f, 8, 5.2f}, {1, 2.1f, 0.7f, 4, 3.1f},
        {1, 2.5f, 0.1f, 26, 3.5f}, {1, 1.4f, 0.2f, 8, 2.4f}, {1, 3.0f, 0.5f, 7, 4},
        {1, 2.9f, 0.5f, 6, 3.5f},    // 5.8: the top level is short of the block
        {1, 3.99998f, 0.4f, 11, 5},  // 9.99995: within the ten-thousandth
        {1, 3.9995f, 0.4f, 10, 4.6f}, // 9.99875: beyond it
        {1, 0.0f, 0.4f, 1, 1},       // a block of no height
        {1, -0.1f, 0.4f, 0, 0},      // a negative one
        {8, 4, 1, 3, 10},            // levels above the crest meet no ground
        {2, 3, 0, 1, 2}, {2, 3, -0.5f, 1, 2}, // a spacing of zero or less: one layer
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.spacing << " over " << c.height << " from " << c.base);
        Job job = FaceJob();
        AddBlock(job, c.base, c.height, c.spacing, 5.0f);
        const std::vector<float> levels = Levels(job);
        ASSERT_EQ(levels.size(), c.count);
        if (levels.empty())
            continue;
        EXPECT_NEAR(levels.front(), c.top, 1e-5f);
        EXPECT_FLOAT_EQ(levels.back(), c.base);
        if (levels.size() > 1) {
            EXPECT_NEAR(levels[0] - levels[1], c.spacing, 1e-5f);
        }
    }

    // Interleaved blocks: highest first, equal levels in block order.
    Job job = FaceJob();
    AddBlock(job, 0.0f, 2.0f, 1.0f, 5.0f); // 0, 1, 2
    AddBlock(job, 0.5f, 2.0f, 1.0f, 6.0f); // 0.5, 1.5, 2.5
    AddBlock(job, 1.0f, 0.0f, 1.0f, 7.0f); // 1 again
    EXPECT_EQ(Levels(job), (std::vector<float>{2.5f, 2.0f, 1.5f, 1.0f, 1.0f, 0.5f, 0.0f}));
    EXPECT_EQ(Analysed(job).layers[4].Length, 7.0f); // equal levels keep the block order
}

TEST(ReinforcementLayers, TinySpacingAndTheWholeListAreCappedWithANotice)
{
    Job job = FaceJob();
    AddBlock(job, 0.0f, 9.0f, 1e-7f, 5.0f); // from a file: tens of millions of levels, and y + s == y soon
    AddBlock(job, std::nanf(""), 3.0f, 0.5f, 5.0f);
    const Analysed a(job);
    EXPECT_EQ(a.layers.size(), 1001u);
    EXPECT_EQ(a.notices, std::vector<std::string>{
                             "Reinforcement block 1 has more than 1001 layers; only the lowest 1001 are used"});
    // Six blocks of 1001 levels each, as a damaged file may hold: 5000 layers and a notice.
    Job many = FaceJob();
    for (int b = 0; b < 6; ++b)
        AddBlock(many, 0.0f, 9.99f, 0.001f, 5.0f);
    const Analysed m(many);
    EXPECT_EQ(m.layers.size(), 5000u);
    ASSERT_FALSE(m.notices.empty());
    EXPECT_EQ(m.notices.back(), "The reinforcement blocks give more than 5000 layers; only the first 5000 are used");
}

TEST(ReinforcementForce, PullOutGovernsAShortEmbedmentAndTensionALongOne)
{
    // Layer at level 2 from the face (2, 2) to (12, 2), soil c' 5, phi' 30. A base
    // chord crossing it at x = 8.5: sigma at P = 20 x (8.5 - 2) = 130 (the face is
    // above), at the rear end (12, 2) 20 x (10 - 2) = 160; embedded length 3.5.
    // tau = 0.7 (c' / 1.6 + sigma tan 30 / 1.25): 44.218 and 53.918; pull-out
    // 3.5 x 98.136 / (fn 1.1 x fp 1.3) = 240.195; tensile T / (fm 1.5 x fn 1.1).
    for (float strength : {500.0f, 100.0f}) {
        Job job = FaceJob(30.0f, 5.0f);
        PartialFactors& f = job.Factors;
        f.RamificationsOfFailure = 1.1f, f.TanPhi = 1.25f, f.Cohesion = 1.6f, f.ReinforcementStrength = 1.5f;
        f.PullOut = 1.3f;
        AddBlock(job, 2.0f, 0.0f, 1.0f, 10.0f, strength);
        Analysed a(job);
        const SliceList slices = Chords({{8, 1}, {9, 3}});
        const ReinforcementTotals t = ComputeReinforcementForce(a.Input(), SlipKind::Circular, slices, 20.0f);
        const double expected = std::min(240.195, strength / (1.5 * 1.1));
        EXPECT_NEAR(t.Force, expected, 0.01) << strength;
        EXPECT_NEAR(t.Moment, expected * (20.0 - 2.0), 0.2) << strength; // lever: centre level - 2
        EXPECT_EQ(ComputeReinforcementForce(a.Input(), SlipKind::Wedge, slices, 20.0f).Moment, 0.0f);
    }
}

TEST(ReinforcementForce, OnlyARisingBaseThatReallyCrossesALayerCountsItWetOrDry)
{
    // One layer at level 2 from the face (2, 2) to (12, 2), strength 1000, c' 0,
    // phi' 30, all factors 1.
    Job job = FaceJob();
    AddBlock(job, 2.0f, 0.0f, 1.0f, 10.0f, 1000.0f);
    Analysed a(job);
    ASSERT_EQ(a.layers.size(), 1u);
    ASSERT_EQ(a.layers[0].StartX, 2.0f);
    auto force = [&a](const SliceList& s) {
        return ComputeReinforcementForce(a.Input(), SlipKind::Defined, s, 0.0f).Force;
    };
    EXPECT_EQ(force(Chords({{12.5f, 1}, {13.5f, 3}})), 0.0f); // behind the rear end
    EXPECT_EQ(force(Chords({{1, 1}, {1.5f, 3}})), 0.0f);      // in front of the face
    EXPECT_EQ(force(Chords({{4, 0.5f}, {5, 1.5f}})), 0.0f);   // stops short of the level
    EXPECT_EQ(force(Chords({{4, 2}, {5, 2}})), 0.0f);         // along the layer
    // A 70 deg chord from 1 mm above the layer: its line meets the layer 0.36 mm to the
    // left of its foot, inside the 0.001 widening of the crossing test, but the base
    // never reaches the layer's level.
    EXPECT_EQ(force(Chords({{5, 2.001f}, {6, 2.001f + std::tan(Radians(70.0f))}})), 0.0f);

    // A base 1.1 mm behind the front end counts, with pull-out on nearly the whole
    // length: L = 9.9989, tau at the rear end 0.7 x 20 x 8 x tan 30 = 64.663 and at P
    // 0.7 x 20 x 0.0011 x tan 30 = 0.0089, T = 9.9989 x 64.672 = 646.65. At 0.9 mm,
    // and at the front end itself, there is no crossing.
    auto at = [&force](float xP) { return force(Chords({{xP - 0.5f, 1}, {xP + 0.5f, 3}})); };
    EXPECT_NEAR(at(2.0011f), 646.65f, 0.05f);
    EXPECT_EQ(at(2.0009f), 0.0f);
    EXPECT_EQ(at(2.0f), 0.0f);

    // A V-shaped base (3, 3) - (5, 1) - (7, 3) crosses it at x = 4 (base falling to the
    // right: toe side) and at x = 6 (rising). Only the rising crossing counts: sigma at
    // (6, 2) = 20 x (6 - 2) = 80, at the rear end (12, 2) 20 x 8 = 160, embedded 6 m:
    // T = 6 x 0.7 tan 30 (80 + 160) = 581.97; the toe-side one alone would have been
    // 8 x 0.7 tan 30 (40 + 160) = 646.6. The same in the slice forces of the rigorous solution.
    EXPECT_NEAR(force(Chords({{3, 3}, {5, 1}, {7, 3}})), 581.97f, 0.01f);
    EXPECT_EQ(force(Chords({{3, 3}, {5, 1}})), 0.0f);
    EXPECT_NEAR(force(Chords({{3, 1}, {5, 3}})), 8.0f * 0.7f * std::tan(Radians(30.0f)) * 200.0f, 0.01f);
    const std::vector<float> perSlice = ReinforcementSliceForces(a.Input(), Chords({{3, 3}, {5, 1}, {7, 3}}));
    ASSERT_EQ(perSlice.size(), 2u);
    EXPECT_EQ(perSlice[0], 0.0f);
    EXPECT_NEAR(perSlice[1], 581.97f, 0.01f);

    // The layer through the shared corner (5, 2) of two slices, or just beside it:
    // one crossing, one force.
    for (float corner : {2.0f, 2.0005f, 1.9995f}) {
        const SliceList slices = Chords({{4, 1}, {5, corner}, {6, 3}});
        const float first = force({slices[0]}), second = force({slices[1]});
        EXPECT_GT(first + second, 0.0f) << corner;
        EXPECT_TRUE(corner == 2.0f || std::min(first, second) == 0.0f) << corner;
        EXPECT_FLOAT_EQ(force(slices), std::max(first, second)) << corner;
    }

    // Flooded by water at 12, 2 m above the crest. At (6, 2) under the face: overburden
    // 20 x 4 = 80, ponded water 9.81 x (12 - 6) = 58.86, pore pressure 9.81 x (12 - 2)
    // = 98.1: sigma' = 40.76 = (20 - 9.81) x 4. At (12, 2) under the crest: 160 + 19.62
    // - 98.1 = 81.52 = 10.19 x 8. A base rising through the layer at x = 6:
    // T = 6 x 0.7 tan 30 (40.76 + 81.52) = 296.52.
    SetPoints(a.job.Water, {{-20, 12}, {40, 12}});
    a.Rebuild();
    EXPECT_NEAR(force(Chords({{5, 1}, {7, 3}})), 296.52f, 0.01f);
    // A soil lighter than water would go below zero: sigma' and T stop at 0.
    a.job.Soils[0].Density = 8.0f;
    a.Rebuild();
    EXPECT_EQ(force(Chords({{5, 1}, {7, 3}})), 0.0f);
}

TEST(ReinforcementForce, AToeCircleThroughTheBottomLayersFrontEnd)
{
    // The bottom layer (level 0, strength 1000) starts at the toe (0, 0); a second
    // layer at level 1 (strength 30, tension governs) starts on the face at x = 1.
    // The circles centred (-1, 10) pass through the toe (R^2 = 101) or a hair below
    // it (R^2 = 101.001, meeting level 0 about 0.5 mm behind the front end); they
    // leave the face near (9, 9). The bottom layer lies inside the sliding mass and
    // resists nothing: only the layer at level 1 counts, T = 30, its moment
    // 30 x (10 - 1) = 270. Counted, the bottom layer would add 808.
    for (float r2 : {101.0f, 101.001f}) {
        Job job = FaceJob();
        AddBlock(job, 0.0f, 0.0f, 1.0f, 10.0f, 1000.0f);
        AddBlock(job, 1.0f, 0.0f, 1.0f, 10.0f, 30.0f);
        const OneSlip c(job, -1.0f, 10.0f, std::sqrt(r2));
        ASSERT_EQ(c.a.layers.size(), 2u);
        EXPECT_EQ(c.a.layers[1].StartX, 0.0f);
        EXPECT_NEAR(c.slip.EntryX, 0.0f, 0.001f) << r2;
        EXPECT_NE(c.slip.StabilityFactor, kInvalidFactor) << r2;
        EXPECT_FLOAT_EQ(c.slip.ReinforcementForce, 30.0f) << r2;
        EXPECT_NEAR(c.slip.ReinforcementMoment, 270.0f, 0.001f) << r2;
    }
}

LoadRecord Anchor(float value, float level, float angle, float freeLength, float fixedLength)
{
    LoadRecord a;
    a.LoadType = kAnchor, a.Value = value, a.Y = level, a.Angle = angle, a.FreeLength = freeLength;
    a.FixedLength = fixedLength;
    return a;
}

// The pull of a 150 kN/m anchor at 20 deg: 150 cos 20 into the slope.
constexpr float kPull20 = -140.95389f;

TEST(Anchors, BothEndsOfTheFixedLengthMustBeBeyondADefinedSurface)
{
    // A horizontal anchor (angle 0) at level 3, head on the face at (3, 3), under a
    // defined surface with a hump: (0, 0) - (5, 4) - (8, 2) - (20, 10). At level 3
    // the base is 0.8 x on the first segment (3 at x = 3.75), 4 - 2 (x - 5) / 3 on the
    // second (3 at x = 6.5) and 2 + 2 (x - 8) / 3 on the third (3 at x = 9.5): the
    // tendon is beyond the slip for 3.75 < x < 6.5 and x > 9.5, inside elsewhere.
    // Under the plane y = x / 2 from the toe to the crest at x = 20, an anchor at
    // level 4 (head (4, 4)) is beyond it past x = 8, a free length of 4.
    const std::vector<UserPoint> hump{{0, 0}, {5, 4}, {8, 2}, {20, 10}}, plane{{0, 0}, {5, 2.5f}, {20, 10}};
    const struct { const std::vector<UserPoint>* points; float level, freeLength, fixedLength; bool holds; } cases[] = {
        {&hump, 3, 0.8f, 1.0f, true},   // ends at x 3.8 (base 3.04) and 4.8 (base 3.84)
        {&hump, 3, 0.7f, 1.0f, false},  // near end at x 3.7, base 2.96: still in the mass
        {&hump, 3, 1.0f, 2.45f, true},  // far end at x 6.45, base 3.033
        {&hump, 3, 1.0f, 2.55f, false}, // far end at x 6.55, base 2.967: back in the mass
        {&hump, 3, 1.0f, 8.0f, true},   // far end at x 12, beyond the hump again (base 4.67)
        {&plane, 4, 4.05f, 3.0f, true}, {&plane, 4, 3.95f, 3.0f, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "free " << c.freeLength << " fixed " << c.fixedLength);
        Job job = FaceJob();
        job.UserPoints = *c.points;
        job.Loads = {Anchor(100.0f, c.level, 0.0f, c.freeLength, c.fixedLength)};
        Analysed a(std::move(job));
        const DefinedSurfaceResult r = AnalyseDefinedSurface(a.Input());
        ASSERT_FALSE(r.Slices.empty());
        EXPECT_NEAR(r.Slip.HorizontalLoadForce, c.holds ? -100.0f : 0.0f, 1e-4f);
    }
}

TEST(Anchors, TheHeadSitsOnTheFaceOfACutting)
{
    // A cutting: the far bank at 15 on the left falls to a floor at 0 from x = 0 to 10,
    // and the analysed face rises 1:1 to a crest at 10 from x = 10 to 20. Level 6
    // lies on the far bank at x = -4 (falling) and on the face at x = 16: the anchor
    // head is at (16, 6), 20 deg below horizontal: a point d along the tendon is at
    // (16 + 0.93969 d, 6 - 0.34202 d). The circle (13, 13) R 10 enters the face at
    // (13, 3) and leaves the crest at x = 22.54; free 4, fixed 3: near end (19.759,
    // 4.632) under base 5.630, far end x = 22.578 beyond the exit: the anchor holds,
    // 150 cos 20 = 140.95 into the slope.
    Job job = OneSoilJob({{-20, 15}, {-10, 15}, {0, 0}, {10, 0}, {20, 10}, {50, 10}}, 20.0f, 30.0f, 5.0f);
    const Analysed a(job);
    EXPECT_FLOAT_EQ(GroundXAtLevel(a.job, a.table, 6.0f), 16.0f);
    EXPECT_EQ(GroundXAtLevel(a.job, a.table, 12.0f), kNoLevel); // only the far bank reaches 12
    job.Loads = {Anchor(150.0f, 6.0f, 20.0f, 4.0f, 3.0f)};
    const OneSlip anchored(job, 13.0f, 13.0f, 10.0f);
    ASSERT_NE(anchored.slip.StabilityFactor, kInvalidFactor);
    EXPECT_NEAR(anchored.slip.HorizontalLoadForce, kPull20, 1e-3f);
}

TEST(Anchors, AWedgeCountsThemByTheSameRule)
{
    // A steep face from (0, 0) to (2, 10); layers at 0, 1, ..., 8 start at x = level / 5.
    // Tie-back wedges only, rear plane at 45 deg. The wedge whose toe is just above the
    // layer at 2 (toe (0.4, 2.001)) has its plane at y = 2.001 + (x - 0.4), level 6 at
    // x = 4.399. A horizontal anchor at level 6 has its head on the face at (1.2, 6):
    // with free length 3.3 its fixed length (x 4.5 to 6.5) lies beyond the plane and
    // takes 100 off the wedge's disturbing force; with 3.1 it starts at x 4.3, in the wedge.
    Job job = OneSoilJob({{-20, 0}, {0, 0}, {2, 10}, {40, 10}}, 20.0f, 30.0f, 0.0f);
    AddBlock(job, 0.0f, 8.0f, 1.0f, 8.0f);
    WedgeSettings& w = job.Wedge;
    w.UseDefaults = kFalse, w.BaseWidthMin = w.BaseWidthMax = 0.0f, w.BaseWidthInc = 1.0f;
    w.BaseAngleMin = w.BaseAngleMax = 5.0f, w.RearAngleMin = w.RearAngleMax = 45.0f, w.AngleInc = 10.0f;
    auto disturbing = [](Job j) {
        Analysed a(std::move(j));
        const WedgeSearchResult r = AnalyseWedges(a.job, a.table, a.layers, a.Collector());
        for (const WedgeResult& wedge : r.Wedges)
            if (std::fabs(wedge.ToeLevel - 2.001f) < 1e-4f)
                return wedge.Disturbing;
        ADD_FAILURE() << "no wedge with its toe at 2.001";
        return 0.0f;
    };
    const float bare = disturbing(job);
    for (const auto& [freeLength, pull] : {std::pair{3.3f, -100.0f}, std::pair{3.1f, 0.0f}}) {
        job.Loads = {Anchor(100.0f, 6.0f, 0.0f, freeLength, 2.0f)};
        EXPECT_NEAR(disturbing(job) - bare, pull, 1e-3f) << freeLength;
    }
}

} // namespace
} // namespace clv::test
