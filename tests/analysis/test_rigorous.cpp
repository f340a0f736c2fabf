// The rigorous solution beyond the published circles (test_published.cpp): its
// failure messages, degenerate slips and reinforcement.

#include "analysis/rigorous.h"
#include "test_jobs.h"

#include <limits>
#include <regex>

namespace clv::test {
namespace {

// The Fredlund & Krahn circle solved by the rigorous method.
OneSlip Rigorous(Job job)
{
    job.Slip.Method = kRigorous;
    return OneSlip(std::move(job), kFkX, kFkY, kFkR);
}

float SolveAgain(OneSlip& s)
{
    RigorousSolution(s.a.Input(), s.slip, s.slices);
    return s.slip.StabilityFactor;
}

TEST(Rigorous, FailuresNameTheCircleOncePerSlip)
{
    // The same slip a million times heavier: the factor would be unchanged, but the
    // interslice forces pass 10^8.
    OneSlip heavy = Rigorous(Fk77Job(0.0f));
    ASSERT_NE(heavy.slip.StabilityFactor, kInvalidFactor);
    for (Slice& s : heavy.slices)
        s.VerticalForce *= 1e6f, s.DesignCohesion *= 1e6f;
    heavy.slip.DisturbingMoment *= 1e6f, heavy.slip.HorizontalLoadForce *= 1e6f;
    EXPECT_EQ(SolveAgain(heavy), kInvalidFactor);
    const std::string circle = "\rCircle centre X = 18.29\rCircle centre Y = 27.43\rCircle radius R = 24.38";
    ASSERT_EQ(heavy.a.notices.size(), 1u); // the slice number follows the text directly
    EXPECT_EQ(std::regex_replace(heavy.a.notices[0], std::regex("slice [0-9]+\r"), "slice #\r"),
              "No convergence on interslice forces for slice #" + circle);

    // With f(x) = 0 the interslice shear vanishes whatever lambda is, so the force at
    // the crest end does not change with lambda and no new lambda can be predicted.
    Job flat = Fk77Job(0.0f);
    flat.Slip.Fx.fill(0.0f);
    const OneSlip secant = Rigorous(flat);
    EXPECT_EQ(secant.slip.StabilityFactor, kInvalidFactor);
    EXPECT_EQ(secant.a.notices, std::vector<std::string>{"Prediction of trial Lambda value has failed" + circle});
}

TEST(Rigorous, DegenerateSlipsEndInvalidWithoutAMessage)
{
    OneSlip s = Rigorous(Fk77Job(0.0f));
    const SliceList good = s.slices;
    s.slices[3].VerticalForce = std::nanf("");
    EXPECT_EQ(SolveAgain(s), kInvalidFactor);
    s.slices = good;
    s.slices[3].HorizontalForce = std::numeric_limits<float>::infinity();
    EXPECT_EQ(SolveAgain(s), kInvalidFactor);
    s.slices = good; // a toe-side base steeper than 90 - phi' at the trial factor: m_alpha <= 0
    s.slices[0].BaseAngle = -1.4f, s.slices[0].DesignTanPhi = 1.5f;
    EXPECT_EQ(SolveAgain(s), kInvalidFactor);
    s.slices.clear();
    EXPECT_EQ(SolveAgain(s), kInvalidFactor);
    EXPECT_TRUE(s.a.notices.empty());
}

TEST(Rigorous, LayerForcesEnterTheSliceEquilibriumSoTheFactorsMeet)
{
    // Geogrids in the face: the moment factor has the layer forces, so the force
    // factor can only agree with it when each slice's equilibrium has them too.
    Job job = Fk77Job(0.25f);
    AddBlock(job, 7.0f, 10.0f, 1.0f, 12.0f, 40.0f);
    OneSlip s = Rigorous(job);
    EXPECT_GT(s.slip.ReinforcementForce, 0.0f);
    ExpectRigorousEquilibrium(s.a, s.slip, s.slices);
    EXPECT_GT(s.slip.StabilityFactor, 1.761f); // above the unreinforced factor
    EXPECT_TRUE(s.a.notices.empty());
}

} // namespace
} // namespace clv::test
