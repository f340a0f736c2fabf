// The rigorous solution beyond the published circles (test_published.cpp): its
// failure messages, degenerate slips, reinforcement and the lambda limit.

#include "analysis/rigorous.h"
#include "model/job_file.h"
#include "support/test_paths.h"
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

TEST(Rigorous, InterpolatesANonLinearFunctionAtTheSlicesSides)
{
    // f = 1 + k^2 / 10 at k tenths of the width: 1, 1.1, 1.4, 1.9, 2.6, 3.5, 4.6, 5.9,
    // 7.4, 9.1, 11. A slip from x = 10 to 30 with sides at 13 (r = 0.15, halfway from
    // 1.1 to 1.4), 20 (r = 0.5: f(5) itself), 21 (r = 0.55, halfway from 3.5 to 4.6),
    // 29 (r = 0.95, halfway from 9.1 to 11) and 30 (r = 1: f(10)).
    OneSlip s = Rigorous(Fk77Job(0.0f));
    for (std::size_t k = 0; k <= 10; ++k)
        s.a.job.Slip.Fx[k] = 1.0f + static_cast<float>(k * k) / 10.0f;
    const float sides[] = {10, 13, 20, 21, 29, 30}, expected[] = {1.25f, 3.5f, 4.05f, 10.05f, 11.0f};
    s.slices.assign(5, Slice{});
    for (std::size_t i = 0; i < 5; ++i)
        s.slices[i].XLeft = sides[i], s.slices[i].XRight = sides[i + 1];
    RigorousSolution(s.a.Input(), s.slip, s.slices);
    ASSERT_EQ(s.slices.size(), 5u);
    EXPECT_EQ(s.slices[0].LeftSideFx, 0.0f);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_NEAR(s.slices[i].RightSideFx, expected[i], 1e-5f) << i;
        EXPECT_TRUE(i == 0 || s.slices[i].LeftSideFx == s.slices[i - 1].RightSideFx) << i;
    }
}

TEST(Rigorous, EverySliceIsInEquilibriumUnderItsOwnSideShears)
{
    // Each slice carries V and H, the side forces E with the shears lambda f E, and N
    // and S on its base. Resolving along and across the base removes S and with it
    // F: N = cos a (V - l fL EL + l fR ER) - sin a (ER - EL + H). A half-sine f makes
    // fL and fR differ on every slice; the earthquake force makes H count.
    Job job = Fk77Job(0.25f);
    job.Header.LateralAccelerationFactor = 0.1f;
    for (std::size_t k = 0; k <= 10; ++k)
        job.Slip.Fx[k] = std::sin(kPi * static_cast<float>(k) / 10.0f);
    const OneSlip r = Rigorous(job);
    ASSERT_NE(r.slip.StabilityFactor, kInvalidFactor);
    ASSERT_GT(std::fabs(r.slip.Lambda), 0.05f);
    ASSERT_FALSE(r.slices.empty());
    const float l = r.slip.Lambda;
    for (const Slice& s : r.slices) {
        ASSERT_NE(s.HorizontalForce, 0.0f);
        const float vertical = s.VerticalForce - l * s.LeftSideFx * s.LeftSideForce + l * s.RightSideFx * s.RightSideForce;
        const float across = s.RightSideForce - s.LeftSideForce + s.HorizontalForce;
        const float n = std::cos(s.BaseAngle) * vertical - std::sin(s.BaseAngle) * across;
        EXPECT_NEAR(s.NormalForce, n, 1e-4f * (s.VerticalForce + std::fabs(s.LeftSideForce))) << s.XLeft;
    }
}

TEST(Rigorous, LambdaLimitKeepsInterSliceForcesWithin45Degrees)
{
    // |lambda| x max|f| up to 1 is admissible, whatever the sign of lambda or of f;
    // with no interslice shear at all (f = 0), any lambda.
    const struct { float lambda, f, f7; bool admissible; } cases[] = {
        {0.5f, 0.5f, -2, true}, {-0.5f, 0.5f, -2, true}, {0.5001f, 0.5f, -2, false}, {-0.5001f, 0.5f, -2, false},
        {1, 1, 1, true}, {1.0001f, 1, 1, false}, {std::nanf(""), 1, 1, false}, {1e10f, 0, 0, true}};
    for (const auto& c : cases) {
        std::array<Single, 11> fx{};
        fx.fill(c.f);
        fx[7] = c.f7;
        EXPECT_EQ(LambdaAdmissible(c.lambda, fx), c.admissible) << c.lambda << " with f " << c.f;
    }
}

TEST(Rigorous, ASolutionWithInterSliceForcesBeyond45DegreesIsInvalid)
{
    // A small circle at the foot of the reinforced embankment's 70 deg face: the
    // lambda-F iteration settles on lambda of about 40 (a factor of 1.80 against
    // Bishop's 1.78), interslice shear forty times the normal force. Inadmissible:
    // 1001 without a message, the lambda kept for the record.
    JobSession session{MakeDefaultJob()};
    ASSERT_FALSE(OpenJob(session, (ExamplesDir() / "reinforced_embankment.clv").string()).has_value());
    Job embankment = session.job;
    ASSERT_FALSE(embankment.Reinforcement.empty());
    embankment.Slip.Method = kRigorous;
    const OneSlip steep(embankment, 1.0f, 7.0f, 4.2000475f);
    EXPECT_GT(steep.slip.ReinforcementForce, 0.0f);
    EXPECT_EQ(steep.slip.StabilityFactor, kInvalidFactor);
    EXPECT_GT(std::fabs(steep.slip.Lambda), 10.0f);
    EXPECT_TRUE(steep.a.notices.empty());
    EXPECT_NEAR(Factor(embankment, kBishop, 1.0f, 7.0f, 4.2000475f), 1.784f, 0.001f);
}

} // namespace
} // namespace clv::test
