// Two-part wedges through the reinforced block: two wedges balanced by hand, the
// generation of toes and ranges, and the results that are no factor.

#include "analysis/wedges.h"
#include "test_jobs.h"

namespace clv::test {
namespace {

double Rad(double degrees) { return degrees * 3.14159265358979 / 180.0; }

// Dry slope, c' 0, face rising 2:1 from (0, 0) to the crest at (`crestX`, 10);
// layers at 1..9 m, 5 m long; the wedge ranges given (widths, base angles, rear
// angles, angle increment), or the defaults.
Job WedgeJob(float strength, std::vector<float> r = {}, float phi = 30.0f, float crestX = 5.0f)
{
    Job job = OneSoilJob({{-20, 0}, {0, 0}, {crestX, 10}, {40, 10}}, 20.0f, phi, 0.0f);
    AddBlock(job, 1.0f, 8.0f, 1.0f, 5.0f, strength);
    if (!r.empty())
        job.Wedge = WedgeSettings{kFalse, r[0], r[1], r[2], r[3], r[4], r[5], r[6], r[7], {}};
    return job;
}

WedgeSearchResult Search(Analysed& a) { return AnalyseWedges(a.job, a.table, a.layers, a.Collector()); }

// Force of the 5 m layer at level 9 (rear end (9.5, 9), 1 m of cover there) crossed at x under `cover`.
double LayerNineForce(double x, double cover, double strength)
{
    return std::min((9.5 - x) * 0.7 * std::tan(Rad(30.0)) * (20.0 * cover + 20.0 * 1.0), strength);
}

TEST(Wedges, TieBackAndTwoPartWedgesByHand)
{
    // Tie-back: toe just above the layer at 8, (4, 8.001); a plane at 50 deg to the
    // crest. Dry, no cohesion: the soil needs tan(50 - 30) x W to hold it; only the
    // layer at 9 crosses, with 4.66 m behind the plane: the 30 kN/m grid is tension-limited.
    Analysed a(WedgeJob(30.0f, {0, 0, 1, 5, 25, 50, 50, 10}));
    WedgeSearchResult r = Search(a);
    ASSERT_EQ(r.Wedges.size(), 9u); // one per toe
    const WedgeResult& w = r.Wedges[0];
    const double topX = 4.0 + (10.0 - 8.001) / std::tan(Rad(50.0));
    EXPECT_EQ(std::vector<float>({w.ToeX, w.ToeLevel, w.CornerX}), std::vector<float>({4.0f, 8.001f, 4.0f}));
    EXPECT_NEAR(w.TopX, topX, 1e-4);
    EXPECT_NEAR(w.TopLevel, 10.0, 1e-5);
    // Soil between the ground (the face to (5, 10), then level) and the plane.
    const double area = (9.0 + 10.0 * (topX - 5.0)) - (topX - 4.0) * (8.001 + 10.0) / 2.0;
    const double disturbing = std::tan(Rad(20.0)) * 20.0 * area;
    const double x9 = 4.0 + (9.0 - 8.001) / std::tan(Rad(50.0));
    EXPECT_EQ(LayerNineForce(x9, 2.0 * x9 - 9.0, 30.0), 30.0);
    EXPECT_NEAR(w.Disturbing, disturbing, 1e-4 * disturbing);
    EXPECT_EQ(w.SoilRestore, 0.0f);
    EXPECT_NEAR(w.ReinforcementRestore, 30.0, 1e-3);
    EXPECT_NEAR(w.StabilityFactor, 30.0 / disturbing, 1e-4 * 30.0 / disturbing);

    // Two-part: a level base 1 m long to the corner (5, 8.001) under the crest corner,
    // then a plane at 70 deg. The base holds back tan(30) x its weight, divided by fs
    // as it runs along a layer; the rear part pushes with tan(70 - 30) x its weight.
    // The layer at 9 is pulled out.
    Job job = WedgeJob(100.0f, {1, 1, 1, 0, 0, 70, 70, 10});
    job.Factors.SlidingOnReinforcement = 1.25f;
    Analysed two(job);
    r = Search(two);
    ASSERT_FALSE(r.Wedges.empty());
    const WedgeResult& v = r.Wedges[0];
    EXPECT_EQ(std::vector<float>({v.CornerX, v.CornerLevel, v.GroundAtCorner}), std::vector<float>({5, 8.001f, 10}));
    const double baseWeight = 20.0 * (9.0 - 8.001); // integral of 2x - 8.001 from 4 to 5
    const double rearWeight = 20.0 * 0.5 * (10.0 - 8.001) * (10.0 - 8.001) / std::tan(Rad(70.0));
    const double soil = std::tan(Rad(30.0)) * baseWeight / 1.25, push = std::tan(Rad(40.0)) * rearWeight;
    const double restore = LayerNineForce(5.0 + (9.0 - 8.001) / std::tan(Rad(70.0)), 1.0, 100.0);
    EXPECT_LT(restore, 100.0);
    EXPECT_NEAR(v.SoilRestore, soil, 1e-4 * soil);
    EXPECT_NEAR(v.Disturbing, push, 1e-4 * push);
    EXPECT_NEAR(v.ReinforcementRestore, restore, 1e-4 * restore);
    EXPECT_NEAR(v.StabilityFactor, restore / (push - soil), 1e-3 * restore / (push - soil));
}

TEST(Wedges, DefaultsFollowTheLongestBlock)
{
    // A face at 78.7 deg, steeper than every rear angle; a shorter second block.
    Job job = WedgeJob(30.0f, {}, 30.0f, 2.0f);
    job.Reinforcement[0].Length = 6.0f;
    AddBlock(job, 2.5f, 0.0f, 1.0f, 4.0f);
    Analysed a(job);
    const WedgeSearchResult r = Search(a);
    const WedgeSettings& s = a.job.Wedge;
    EXPECT_EQ(std::vector<float>({s.BaseWidthMin, s.BaseWidthMax, s.BaseWidthInc, s.BaseAngleMin, s.BaseAngleMax,
                                  s.RearAngleMin, s.RearAngleMax, s.AngleInc}),
              std::vector<float>({0, 6, 2, 5, 25, 45, 75, 10}));
    // The first toe: base angle outermost, then width, then rear angle.
    ASSERT_GE(r.Wedges.size(), 17u);
    for (std::size_t i = 0; i < 17; ++i) {
        const WedgeResult& w = r.Wedges[i];
        EXPECT_EQ(std::vector<float>({w.BaseAngle, w.BaseWidth, w.RearAngle}),
                  std::vector<float>({i < 16 ? 5.0f : 15.0f, 2.0f * static_cast<float>(i / 4 % 4),
                                      45.0f + 10.0f * static_cast<float>(i % 4)}));
    }
}

TEST(Wedges, ToesAndRanges)
{
    // Increments that cannot step give each range its minimum alone.
    for (float inc : {0.0f, -1.0f}) {
        Analysed a(WedgeJob(30.0f, {1, 4, inc, 5, 25, 45, 75, inc}));
        const WedgeSearchResult r = Search(a);
        EXPECT_EQ(r.Wedges.size(), 9u) << inc;
        for (const WedgeResult& w : r.Wedges)
            EXPECT_TRUE(w.BaseWidth == 1.0f && w.BaseAngle == 5.0f && w.RearAngle == 45.0f) << inc;
    }
    // Layers at 3, 2 and 1: toes just above the lower two and one spacing below the
    // lowest, there at the lowest layer's x.
    Job job = WedgeJob(30.0f, {0, 0, 1, 5, 5, 60, 60, 10});
    job.Reinforcement[0].BlockHeight = 2.0f;
    Analysed a(job);
    WedgeSearchResult r = Search(a);
    ASSERT_EQ(r.Wedges.size(), 3u);
    EXPECT_EQ(std::vector<float>({r.Wedges[0].ToeLevel, r.Wedges[1].ToeLevel, r.Wedges[2].ToeLevel, r.Wedges[2].ToeX}),
              std::vector<float>({2.001f, 1.001f, 0.001f, 0.5f}));
    // A lone layer takes its block's spacing below it; a block without one gives no toe.
    ReinforcementBlock& block = a.job.Reinforcement[0];
    block.BlockBase = 4.0f, block.BlockHeight = 0.3f, block.VerticalSpacing = 0.4f;
    a.Rebuild();
    r = Search(a);
    ASSERT_EQ(r.Wedges.size(), 1u);
    EXPECT_FLOAT_EQ(r.Wedges[0].ToeLevel, 4.0f - 0.4f + 0.001f);
    block.VerticalSpacing = 0.0f;
    a.Rebuild();
    EXPECT_TRUE(Search(a).Wedges.empty());
}

TEST(Wedges, ResultsThatAreNoFactor)
{
    // phi' above every rear angle: the soil holds itself, 10000, shown as ">100".
    Analysed holds(WedgeJob(30.0f, {0, 0, 1, 5, 5, 45, 45, 10}, 50.0f));
    WedgeSearchResult r = Search(holds);
    ASSERT_FALSE(r.Wedges.empty());
    EXPECT_EQ(r.Wedges[0].StabilityFactor, 10000.0f);
    EXPECT_EQ(FactorText(r.Wedges[0].StabilityFactor), ">100");
    // A sliding factor of zero (only from a job file) makes the level bases' restoring
    // force infinite, a zero fn every layer force: no result rather than 'no need'.
    Job job = WedgeJob(30.0f, {1, 1, 1, 0, 0, 70, 70, 10});
    job.Factors.SlidingOnReinforcement = 0.0f;
    Analysed a(job);
    for (const WedgeResult& w : Search(a).Wedges)
        EXPECT_EQ(w.StabilityFactor, kInvalidFactor);
    a.job.Factors.SlidingOnReinforcement = 1.0f, a.job.Factors.RamificationsOfFailure = 0.0f;
    r = Search(a);
    ASSERT_FALSE(r.Wedges.empty());
    for (const WedgeResult& w : r.Wedges)
        EXPECT_NE(w.StabilityFactor, 10000.0f);
    // Bases 10 m long at 45 deg end above the crest: no wedge kept, an empty list.
    a.job = WedgeJob(30.0f, {10, 10, 1, 45, 45, 45, 75, 10});
    r = Search(a);
    EXPECT_TRUE(r.Wedges.empty() && r.CriticalSlices.empty() && r.Critical() == nullptr);
    // More wedges than 16-bit numbers can count: refused with a notice.
    a.job.Wedge = WedgeJob(30.0f, {0, 100, 0.1f, 0, 45, 45, 80, 1}).Wedge;
    EXPECT_TRUE(Search(a).Wedges.empty());
    a.job.Wedge.BaseWidthMax = 1e30f, a.job.Wedge.BaseWidthInc = 1e-30f; // from a job file
    EXPECT_TRUE(Search(a).Wedges.empty());
    EXPECT_EQ(a.notices,
              std::vector<std::string>(2, "Number of wedges exceeds the limit of 32767\rCheck data and edit if required"));
}

} // namespace
} // namespace clv::test
