#include "analysis/wedges.h"
#include "test_reinforcement_jobs.h"

#include <gtest/gtest.h>

#include <cmath>

namespace clv {
namespace {

using test::AddBlock;
using test::AddStratum;
using test::Prepared;

constexpr double kPi = 3.14159265358979;
double Rad(double degrees) { return degrees * kPi / 180.0; }

/** Dry slope, phi' 30, face rising 2:1 from (0, 0) to the crest at (5, 10); layers 1..9 m, 5 m long. */
Job FaceJob(float strength, float phi = 30.0f)
{
    Job job = MakeDefaultJob();
    AddStratum(job, 20.0f, phi, 0.0f, {{-20.0f, 0.0f}, {0.0f, 0.0f}, {5.0f, 10.0f}, {40.0f, 10.0f}});
    AddBlock(job, 1.0f, 8.0f, 1.0f, 5.0f, strength);
    return job;
}

/** The same layers behind a face at 78.7 deg, steeper than every rear angle, so that every tie-back is kept. */
Job SteepFaceJob()
{
    Job job = MakeDefaultJob();
    AddStratum(job, 20.0f, 30.0f, 0.0f, {{-20.0f, 0.0f}, {0.0f, 0.0f}, {2.0f, 10.0f}, {40.0f, 10.0f}});
    AddBlock(job, 1.0f, 8.0f, 1.0f, 5.0f, 30.0f);
    return job;
}

void SetRanges(Job& job, float widthMin, float widthMax, float widthInc, float baseMin, float baseMax,
               float rearMin, float rearMax, float angleInc)
{
    job.Wedge = WedgeSettings{kFalse, widthMin, widthMax, widthInc, baseMin, baseMax, rearMin, rearMax, angleInc, {}};
}

WedgeSearchResult Search(Prepared& p) { return AnalyseWedges(p.job, p.table, p.layers, p.Collector()); }

/** Pull-out of the 5 m layer at level 9 (rear end (9.5, 9), 1 m of cover there) crossed at x with cover h. */
double LayerNineForce(double x, double cover, double strength)
{
    const double tau = 0.7 * std::tan(Rad(30.0));
    const double pullOut = (9.5 - x) * tau * (20.0 * cover + 20.0 * 1.0);
    return std::min(pullOut, strength);
}

TEST(WedgeEquilibrium, TieBackWedgeByHand)
{
    // Toe just above the layer at 8, (4, 8.001); a plane at 50 deg to the crest.
    // Dry, no cohesion: the soil needs tan(50 - 30) x W to hold it, and only the
    // layer at 9 crosses the plane.
    Job job = FaceJob(30.0f);
    SetRanges(job, 0.0f, 0.0f, 1.0f, 5.0f, 25.0f, 50.0f, 50.0f, 10.0f);
    Prepared p(std::move(job));
    const WedgeSearchResult r = Search(p);
    ASSERT_EQ(r.Wedges.size(), 9u); // one wedge per toe
    const WedgeResult& w = r.Wedges[0];

    const double rise = 10.0 - 8.001;
    const double topX = 4.0 + rise / std::tan(Rad(50.0));
    EXPECT_FLOAT_EQ(w.ToeX, 4.0f);
    EXPECT_FLOAT_EQ(w.ToeLevel, 8.001f);
    EXPECT_EQ(w.CornerX, w.ToeX);
    EXPECT_NEAR(w.TopX, topX, 1e-4);
    EXPECT_NEAR(w.TopLevel, 10.0, 1e-5);

    // Soil between the ground (the face y = 2x to the crest corner (5, 10), then level)
    // and the plane, which starts 1 mm above the face at the toe.
    const double area = (9.0 + 10.0 * (topX - 5.0)) - (topX - 4.0) * (8.001 + 10.0) / 2.0;
    const double disturbing = std::tan(Rad(20.0)) * 20.0 * area;
    EXPECT_NEAR(w.Disturbing, disturbing, 1e-4 * disturbing);
    EXPECT_EQ(w.SoilRestore, 0.0f);

    const double x9 = 4.0 + (9.0 - 8.001) / std::tan(Rad(50.0));
    const double restore = LayerNineForce(x9, 2.0 * x9 - 9.0, 30.0);
    EXPECT_EQ(restore, 30.0); // a 30 kN/m grid with 4.66 m behind the plane is tension-limited
    EXPECT_NEAR(w.ReinforcementRestore, restore, 1e-4 * restore);
    EXPECT_NEAR(w.StabilityFactor, restore / disturbing, 1e-4 * restore / disturbing);
}

TEST(WedgeEquilibrium, TwoPartWedgeByHand)
{
    // Toe (4, 8.001), a horizontal base 1 m long to the corner (5, 8.001) under the
    // crest corner, then a plane at 70 deg to the crest. The base part holds back
    // tan(30) x its weight, divided by fs since it runs along a layer; the rear part
    // pushes with tan(70 - 30) x its weight. The layer at 9 is pulled out.
    Job job = FaceJob(100.0f);
    job.Factors.SlidingOnReinforcement = 1.25f;
    SetRanges(job, 1.0f, 1.0f, 1.0f, 0.0f, 0.0f, 70.0f, 70.0f, 10.0f);
    Prepared p(std::move(job));
    const WedgeSearchResult r = Search(p);
    ASSERT_FALSE(r.Wedges.empty());
    const WedgeResult& w = r.Wedges[0];
    EXPECT_FLOAT_EQ(w.CornerX, 5.0f);
    EXPECT_FLOAT_EQ(w.CornerLevel, 8.001f);
    EXPECT_FLOAT_EQ(w.GroundAtCorner, 10.0f);

    const double rise = 10.0 - 8.001;
    const double baseWeight = 20.0 * (9.0 - 8.001); // integral of 2x - 8.001 from 4 to 5
    const double rearWeight = 20.0 * 0.5 * rise * rise / std::tan(Rad(70.0));
    const double restoreSoil = std::tan(Rad(30.0)) * baseWeight / 1.25;
    const double disturbing = std::tan(Rad(40.0)) * rearWeight;
    EXPECT_NEAR(w.SoilRestore, restoreSoil, 1e-4 * restoreSoil);
    EXPECT_NEAR(w.Disturbing, disturbing, 1e-4 * disturbing);

    const double x9 = 5.0 + (9.0 - 8.001) / std::tan(Rad(70.0));
    const double restore = LayerNineForce(x9, 1.0, 100.0);
    EXPECT_LT(restore, 100.0); // pull-out governs
    EXPECT_NEAR(w.ReinforcementRestore, restore, 1e-4 * restore);
    const double factor = restore / (disturbing - restoreSoil);
    EXPECT_NEAR(w.StabilityFactor, factor, 1e-3 * factor);
}

TEST(WedgeGeneration, DefaultsFollowTheLongestBlock)
{
    Job job = SteepFaceJob();
    job.Reinforcement[0].Length = 6.0f;
    AddBlock(job, 2.5f, 0.0f, 1.0f, 4.0f); // a shorter block does not set the widths
    job.Wedge.UseDefaults = 1;
    Prepared p(std::move(job));
    const WedgeSearchResult r = Search(p);
    const WedgeSettings& s = p.job.Wedge;
    EXPECT_EQ(s.BaseWidthMin, 0.0f);
    EXPECT_EQ(s.BaseWidthMax, 6.0f);
    EXPECT_EQ(s.BaseWidthInc, 2.0f);
    EXPECT_EQ(s.BaseAngleMin, 5.0f);
    EXPECT_EQ(s.BaseAngleMax, 25.0f);
    EXPECT_EQ(s.RearAngleMin, 45.0f);
    EXPECT_EQ(s.RearAngleMax, 75.0f);
    EXPECT_EQ(s.AngleInc, 10.0f);

    // The first toe: base angle outermost, then width, then rear angle.
    ASSERT_GE(r.Wedges.size(), 16u);
    for (int i = 0; i < 16; ++i) {
        const WedgeResult& w = r.Wedges[static_cast<std::size_t>(i)];
        EXPECT_EQ(w.BaseAngle, 5.0f);
        EXPECT_EQ(w.BaseWidth, 2.0f * static_cast<float>(i / 4));
        EXPECT_EQ(w.RearAngle, 45.0f + 10.0f * static_cast<float>(i % 4));
    }
    EXPECT_EQ(r.Wedges[16].BaseAngle, 15.0f);
}

TEST(WedgeGeneration, ZeroMaximumWidthGivesTieBacksOnly)
{
    Job job = SteepFaceJob();
    SetRanges(job, 0.0f, 0.0f, 2.0f, 5.0f, 25.0f, 45.0f, 75.0f, 10.0f);
    Prepared p(std::move(job));
    const WedgeSearchResult r = Search(p);
    EXPECT_EQ(r.Wedges.size(), 9u * 4u); // one base angle, four rear angles per toe
    for (const WedgeResult& w : r.Wedges) {
        EXPECT_EQ(w.BaseWidth, 0.0f);
        EXPECT_EQ(w.BaseAngle, 5.0f);
    }
    // A tie-back is sliced along one plane: every base at its rear angle.
    const WedgeResult& critical = *r.Critical();
    for (const Slice& s : r.CriticalSlices)
        EXPECT_NEAR(s.BaseAngle, Rad(critical.RearAngle), 1e-4);
}

TEST(WedgeGeneration, IncrementsThatCannotStepGiveOneValue)
{
    for (float inc : {0.0f, -1.0f}) {
        Job job = FaceJob(30.0f);
        SetRanges(job, 1.0f, 4.0f, inc, 5.0f, 25.0f, 45.0f, 75.0f, inc);
        Prepared p(std::move(job));
        const WedgeSearchResult r = Search(p);
        EXPECT_EQ(r.Wedges.size(), 9u) << inc;
        for (const WedgeResult& w : r.Wedges) {
            EXPECT_EQ(w.BaseWidth, 1.0f);
            EXPECT_EQ(w.BaseAngle, 5.0f);
            EXPECT_EQ(w.RearAngle, 45.0f);
        }
    }
}

TEST(WedgeGeneration, ToesLieJustAboveEachLowerLayerAndOneSpacingBelowTheLowest)
{
    Job job = FaceJob(30.0f);
    job.Reinforcement[0].BlockBase = 1.0f;
    job.Reinforcement[0].BlockHeight = 2.0f; // layers at 3, 2 and 1
    SetRanges(job, 0.0f, 0.0f, 1.0f, 5.0f, 5.0f, 60.0f, 60.0f, 10.0f);
    Prepared p(std::move(job));
    const WedgeSearchResult r = Search(p);
    ASSERT_EQ(r.Wedges.size(), 3u);
    EXPECT_FLOAT_EQ(r.Wedges[0].ToeLevel, 2.001f);
    EXPECT_FLOAT_EQ(r.Wedges[1].ToeLevel, 1.001f);
    EXPECT_FLOAT_EQ(r.Wedges[2].ToeLevel, 0.001f);
    EXPECT_FLOAT_EQ(r.Wedges[0].ToeX, 1.0f);
    EXPECT_FLOAT_EQ(r.Wedges[2].ToeX, 0.5f); // below the lowest layer the toe keeps that layer's x
}

TEST(WedgeGeneration, LoneLayerTakesItsBlockSpacingBelowIt)
{
    Job job = FaceJob(30.0f);
    job.Reinforcement[0].BlockBase = 4.0f;
    job.Reinforcement[0].BlockHeight = 0.3f;
    job.Reinforcement[0].VerticalSpacing = 0.4f;
    SetRanges(job, 0.0f, 0.0f, 1.0f, 5.0f, 5.0f, 60.0f, 60.0f, 10.0f);
    Prepared p(std::move(job));
    ASSERT_EQ(p.layers.size(), 1u);
    const WedgeSearchResult r = Search(p);
    ASSERT_EQ(r.Wedges.size(), 1u);
    EXPECT_FLOAT_EQ(r.Wedges[0].ToeLevel, 4.0f - 0.4f + 0.001f);
    EXPECT_GT(r.Wedges[0].ReinforcementRestore, 0.0f);

    // A block that cannot say how far apart its layers are gives no toe below its one layer.
    p.job.Reinforcement[0].VerticalSpacing = 0.0f;
    p.Rebuild();
    ASSERT_EQ(p.layers.size(), 1u);
    const WedgeSearchResult none = Search(p);
    EXPECT_TRUE(none.Wedges.empty());
    EXPECT_EQ(none.CriticalWedge, 0);
}

TEST(WedgeSearch, CriticalIsTheFirstLowestAndItsSlicesAreKept)
{
    Job job = FaceJob(30.0f);
    job.Wedge.UseDefaults = 1;
    Prepared p(std::move(job));
    const WedgeSearchResult r = Search(p);
    ASSERT_NE(r.Critical(), nullptr);
    float lowest = 1e9f;
    int first = 0;
    for (std::size_t i = 0; i < r.Wedges.size(); ++i) {
        if (r.Wedges[i].StabilityFactor < lowest) {
            lowest = r.Wedges[i].StabilityFactor;
            first = static_cast<int>(i) + 1;
        }
    }
    EXPECT_EQ(r.CriticalWedge, first);

    SliceList again;
    SliceWedge(p.Input(), *r.Critical(), again);
    ASSERT_EQ(again.size(), r.CriticalSlices.size());
    for (std::size_t i = 0; i < again.size(); ++i) {
        EXPECT_EQ(again[i].XLeft, r.CriticalSlices[i].XLeft);
        EXPECT_EQ(again[i].BaseRight, r.CriticalSlices[i].BaseRight);
    }
    EXPECT_GT(r.CriticalSlices.front().Weight, 0.0f); // weights recomputed for the display
}

TEST(WedgeSearch, SoilThatHoldsItselfGivesTenThousandShownAsAboveOneHundred)
{
    Job job = FaceJob(30.0f, 50.0f); // phi' above every rear angle
    SetRanges(job, 0.0f, 0.0f, 1.0f, 5.0f, 5.0f, 45.0f, 45.0f, 10.0f);
    Prepared p(std::move(job));
    const WedgeSearchResult r = Search(p);
    ASSERT_FALSE(r.Wedges.empty());
    EXPECT_EQ(r.Wedges[0].StabilityFactor, 10000.0f);
    EXPECT_GT(r.Wedges[0].SoilRestore, 0.0f);
    EXPECT_EQ(FactorText(r.Wedges[0].StabilityFactor), ">100");
}

TEST(WedgeSearch, ForcesThatAreNotNumbersGiveNoResultRatherThanNoNeed)
{
    // A sliding factor of zero (possible only from a job file) makes the horizontal
    // bases' restoring force infinite; a zero fn makes every layer force infinite.
    Job job = FaceJob(30.0f);
    SetRanges(job, 1.0f, 1.0f, 1.0f, 0.0f, 0.0f, 70.0f, 70.0f, 10.0f);
    job.Factors.SlidingOnReinforcement = 0.0f;
    Prepared p(std::move(job));
    for (const WedgeResult& w : Search(p).Wedges)
        EXPECT_EQ(w.StabilityFactor, kInvalidFactor);

    p.job.Factors.SlidingOnReinforcement = 1.0f;
    p.job.Factors.RamificationsOfFailure = 0.0f;
    const WedgeSearchResult r = Search(p);
    ASSERT_FALSE(r.Wedges.empty());
    for (const WedgeResult& w : r.Wedges)
        EXPECT_NE(w.StabilityFactor, 10000.0f);
}

TEST(WedgeSearch, NoWedgeKeptLeavesAnEmptyList)
{
    // Bases 10 m long at 45 deg end above the crest: no rear plane meets the ground.
    Job job = FaceJob(30.0f);
    SetRanges(job, 10.0f, 10.0f, 1.0f, 45.0f, 45.0f, 45.0f, 75.0f, 10.0f);
    Prepared p(std::move(job));
    const WedgeSearchResult r = Search(p);
    EXPECT_TRUE(r.Wedges.empty());
    EXPECT_EQ(r.CriticalWedge, 0);
    EXPECT_EQ(r.Critical(), nullptr);
    EXPECT_TRUE(r.CriticalSlices.empty());
}

TEST(WedgeSearch, MoreWedgesThanTheListCanNumberAreRefusedWithANotice)
{
    Job job = FaceJob(30.0f);
    SetRanges(job, 0.0f, 100.0f, 0.1f, 0.0f, 45.0f, 45.0f, 80.0f, 1.0f);
    Prepared p(std::move(job));
    const WedgeSearchResult r = Search(p);
    EXPECT_TRUE(r.Wedges.empty());
    ASSERT_EQ(p.notices.size(), 1u);
    EXPECT_EQ(p.notices[0], "Number of wedges exceeds the limit of 32767\rCheck data and edit if required");

    SetRanges(p.job, 0.0f, 1e30f, 1e-30f, 0.0f, 45.0f, 45.0f, 80.0f, 1.0f); // from a job file
    EXPECT_TRUE(Search(p).Wedges.empty());
}

} // namespace
} // namespace clv
