// The rigorous solution beyond the published circles (test_published.cpp): the
// interslice function, its failure messages, degenerate slips and reinforcement.

#include "analysis/rigorous.h"
#include "analysis/slicing.h"
#include "test_jobs.h"

#include <limits>

namespace clv::test {
namespace {

// The Fredlund & Krahn circle, sliced and solved by the rigorous method.
struct Solved {
    Analysed a;
    SlipResult slip = CircleAt(kFkX, kFkY, kFkR);
    SliceList slices;

    explicit Solved(Job job) : a(std::move(job))
    {
        a.job.Slip.Method = kRigorous;
        AnalyseCircle(a.Input(), slip, slices);
    }
    float Again()
    {
        RigorousSolution(a.Input(), slip, slices);
        return slip.StabilityFactor;
    }
};

TEST(Rigorous, SideValuesInterpolateTheElevenPoints)
{
    // A slip from x = 10 to 30: the side at 20 lies at r = 0.5 (Fx(5)), the side at
    // 21 at r = 0.55 (halfway to Fx(6)), the last side at r = 1 on the last segment.
    Solved s(Fk77Job(0.0f));
    s.a.job.Slip.Fx = {0.0f, 0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.9f, 0.7f, 0.8f, 0.9f, 1.5f};
    s.slices.assign(3, Slice{});
    s.slices[0].XLeft = 10, s.slices[0].XRight = s.slices[1].XLeft = 20;
    s.slices[1].XRight = s.slices[2].XLeft = 21, s.slices[2].XRight = 30;
    EXPECT_EQ(s.Again(), kInvalidFactor); // nothing to analyse in these bare slices
    const float expected[] = {0.0f, 0.5f, 0.5f, 0.7f, 0.7f, 1.5f};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_FLOAT_EQ(s.slices[i].LeftSideFx, expected[2 * i]) << i;
        EXPECT_FLOAT_EQ(s.slices[i].RightSideFx, expected[2 * i + 1]) << i;
    }
    EXPECT_TRUE(s.a.notices.empty());
}

TEST(Rigorous, FailuresNameTheCircleOncePerSlip)
{
    // The same slip a million times heavier: the factor would be unchanged, but the
    // interslice forces pass 10^8.
    Solved heavy(Fk77Job(0.0f));
    ASSERT_NE(heavy.slip.StabilityFactor, kInvalidFactor);
    for (Slice& s : heavy.slices)
        s.VerticalForce *= 1e6f, s.DesignCohesion *= 1e6f;
    heavy.slip.DisturbingMoment *= 1e6f, heavy.slip.HorizontalLoadForce *= 1e6f;
    EXPECT_EQ(heavy.Again(), kInvalidFactor);
    const std::string circle = "\rCircle centre X = 18.29\rCircle centre Y = 27.43\rCircle radius R = 24.38";
    ASSERT_EQ(heavy.a.notices.size(), 1u);
    const std::string& text = heavy.a.notices[0];
    const std::string head = "No convergence on interslice forces for slice ";
    const std::size_t cr = text.find('\r');
    EXPECT_EQ(text.substr(0, head.size()), head);
    EXPECT_GT(cr, head.size()); // the slice number follows the text directly
    EXPECT_EQ(text.find_first_not_of("0123456789", head.size()), cr);
    EXPECT_EQ(text.substr(cr), circle);

    // With f(x) = 0 the interslice shear vanishes whatever lambda is, so the force at
    // the crest end does not change with lambda and no new lambda can be predicted.
    Job flat = Fk77Job(0.0f);
    flat.Slip.Fx.fill(0.0f);
    const Solved secant(std::move(flat));
    EXPECT_EQ(secant.slip.StabilityFactor, kInvalidFactor);
    EXPECT_EQ(secant.a.notices, std::vector<std::string>{"Prediction of trial Lambda value has failed" + circle});
}

TEST(Rigorous, DegenerateSlipsEndInvalidWithoutAMessage)
{
    Solved s(Fk77Job(0.0f));
    const SliceList good = s.slices;
    s.slices[3].VerticalForce = std::nanf("");
    EXPECT_EQ(s.Again(), kInvalidFactor);
    s.slices = good;
    s.slices[3].HorizontalForce = std::numeric_limits<float>::infinity();
    EXPECT_EQ(s.Again(), kInvalidFactor);
    s.slices = good; // a toe-side base steeper than 90 - phi' at the trial factor: m_alpha <= 0
    s.slices[0].BaseAngle = -1.4f, s.slices[0].DesignTanPhi = 1.5f;
    EXPECT_EQ(s.Again(), kInvalidFactor);
    s.slices.clear();
    EXPECT_EQ(s.Again(), kInvalidFactor);
    EXPECT_TRUE(s.a.notices.empty());
}

TEST(Rigorous, LayerForcesEnterTheSliceEquilibriumSoTheFactorsMeet)
{
    // Geogrids in the face: the moment factor has the layer forces, so the force
    // factor can only agree with it when each slice's equilibrium has them too.
    Job job = Fk77Job(0.25f);
    AddBlock(job, 7.0f, 10.0f, 1.0f, 12.0f, 40.0f);
    Solved s(std::move(job));
    EXPECT_EQ(s.a.layers.size(), 11u);
    EXPECT_GT(s.slip.ReinforcementForce, 0.0f);
    ExpectRigorousEquilibrium(s.a, s.slip, s.slices);
    // Above the unreinforced 1.761 and close to Bishop on the same circle.
    EXPECT_GT(s.slip.StabilityFactor, 1.761f);
    const float bishop = s.a.Factor(kFkX, kFkY, kFkR, kBishop);
    EXPECT_NEAR(s.slip.StabilityFactor, bishop, 0.05f * bishop);
    EXPECT_TRUE(s.a.notices.empty());
}

} // namespace
} // namespace clv::test
