#include "analysis/methods.h"
#include "analysis/rigorous.h"
#include "analysis/slicing.h"
#include "test_reinforcement_jobs.h"

#include <gtest/gtest.h>

#include <cmath>

namespace clv {
namespace {

using test::AddBlock;
using test::AddStratum;
using test::Prepared;

// Fredlund & Krahn (1977): 2H:1V slope 12.19 m high, c' 28.73 kPa, phi' 20 deg,
// gamma 18.85 kN/m3, the published circle, centre (18.288, 27.432), R 24.384.
Job Fk77(float ru)
{
    Job job = MakeDefaultJob();
    SoilRecord& soil = AddStratum(job, 18.8505f, 20.0f, 28.7282f,
                                  {{0.0f, 6.096f}, {12.192f, 6.096f}, {36.576f, 18.288f}, {54.864f, 18.288f}});
    soil.Ru = ru;
    job.Header.WaterUnitWeight = 9.8023f;
    job.Slip.MinSlices = 50;
    job.Slip.Method = kRigorous;
    return job;
}

SlipResult Fk77Circle()
{
    SlipResult slip;
    slip.CentreX = 18.288f;
    slip.CentreY = 27.432f;
    slip.Radius = 24.384f;
    return slip;
}

struct Solved {
    SlipResult slip;
    SliceList slices;
};

Solved Analyse(Prepared& p, SlipResult slip)
{
    Solved s{slip, {}};
    AnalyseCircle(p.Input(), s.slip, s.slices);
    return s;
}

/** Moment and force factors recomputed from the normal forces the solution left in the slices. */
void ExpectEquilibriumFactorsAgree(Prepared& p, const Solved& s)
{
    SlipResult check = s.slip;
    MomentSums(p.Input(), check, s.slices);
    const float moment = check.StabilityFactor;
    ForceSums(p.Input(), check, s.slices);
    const float force = check.StabilityFactor;
    EXPECT_NEAR(moment, s.slip.StabilityFactor, 0.011f);
    EXPECT_NEAR(force, s.slip.StabilityFactor, 0.011f);
    // The interslice force closes at the crest end.
    EXPECT_LT(std::fabs(s.slices.back().RightSideForce), 0.5f + 0.01f * std::fabs(s.slices.front().RightSideForce));
}

TEST(RigorousPublished, ParallelInterslicForcesGiveSpencerOnFk77Dry)
{
    Prepared p(Fk77(0.0f));
    const Solved s = Analyse(p, Fk77Circle());
    EXPECT_NEAR(s.slip.StabilityFactor, 2.073f, 0.01f * 2.073f);
    EXPECT_NEAR(s.slip.Lambda, 0.237f, 0.03f);
    ExpectEquilibriumFactorsAgree(p, s);
    EXPECT_TRUE(p.notices.empty());
}

TEST(RigorousPublished, ParallelInterslicForcesGiveSpencerOnFk77WithPorePressureRatio)
{
    Prepared p(Fk77(0.25f));
    const Solved s = Analyse(p, Fk77Circle());
    EXPECT_NEAR(s.slip.StabilityFactor, 1.761f, 0.01f * 1.761f);
    EXPECT_NEAR(s.slip.Lambda, 0.255f, 0.03f);
    ExpectEquilibriumFactorsAgree(p, s);
}

TEST(RigorousPublished, HalfSineIsMorgensternPrice)
{
    // Morgenstern-Price with the half-sine lies within a fraction of a percent of
    // Spencer on this circle (F&K give 2.076 for M-P with a constant function).
    for (float ru : {0.0f, 0.25f}) {
        Job job = Fk77(ru);
        for (int k = 0; k <= 10; ++k)
            job.Slip.Fx[static_cast<std::size_t>(k)] = std::sin(3.1415925f * static_cast<float>(k) / 10.0f);
        Prepared p(std::move(job));
        const Solved s = Analyse(p, Fk77Circle());
        const float spencer = ru == 0.0f ? 2.073f : 1.761f;
        EXPECT_NEAR(s.slip.StabilityFactor, spencer, 0.01f * spencer) << ru;
        EXPECT_GT(s.slip.Lambda, 0.237f) << ru; // a function below 1 needs a larger scale
        ExpectEquilibriumFactorsAgree(p, s);
    }
}

TEST(RigorousFunction, SideValuesInterpolateTheElevenPoints)
{
    // A slip from x = 10 to 30: the side at 20 lies at r = 0.5 (Fx(5)), the side at
    // 21 at r = 0.55 (halfway to Fx(6)), the last side at r = 1 uses the last segment.
    Job job = Fk77(0.0f);
    job.Slip.Fx = {0.0f, 0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.9f, 0.7f, 0.8f, 0.9f, 1.5f};
    Prepared p(std::move(job));
    SliceList slices(3);
    const float sides[] = {10.0f, 20.0f, 21.0f, 30.0f};
    for (int i = 0; i < 3; ++i) {
        slices[static_cast<std::size_t>(i)].XLeft = sides[i];
        slices[static_cast<std::size_t>(i)].XRight = sides[i + 1];
    }
    SlipResult slip;
    RigorousSolution(p.Input(), slip, slices);
    EXPECT_EQ(slices[0].LeftSideFx, 0.0f);
    EXPECT_FLOAT_EQ(slices[0].RightSideFx, 0.5f);
    EXPECT_FLOAT_EQ(slices[1].LeftSideFx, 0.5f);
    EXPECT_FLOAT_EQ(slices[1].RightSideFx, 0.7f);
    EXPECT_FLOAT_EQ(slices[2].LeftSideFx, 0.7f);
    EXPECT_FLOAT_EQ(slices[2].RightSideFx, 1.5f);
    EXPECT_EQ(slip.StabilityFactor, kInvalidFactor); // nothing to analyse in these bare slices
}

TEST(RigorousFailures, RunawayInterslicForceShowsTheSliceAndTheCircleOnce)
{
    Prepared p(Fk77(0.0f));
    Solved s = Analyse(p, Fk77Circle());
    ASSERT_NE(s.slip.StabilityFactor, kInvalidFactor);
    // The same slip a million times heavier: the factor is unchanged but the
    // interslice forces pass 10^8.
    for (Slice& slice : s.slices) {
        slice.VerticalForce *= 1e6f;
        slice.DesignCohesion *= 1e6f;
    }
    s.slip.DisturbingMoment *= 1e6f;
    s.slip.HorizontalLoadForce *= 1e6f;
    RigorousSolution(p.Input(), s.slip, s.slices);
    EXPECT_EQ(s.slip.StabilityFactor, kInvalidFactor);
    ASSERT_EQ(p.notices.size(), 1u);
    const std::string& text = p.notices[0];
    const std::string head = "No convergence on interslice forces for slice ";
    ASSERT_EQ(text.substr(0, head.size()), head);
    const std::size_t cr = text.find('\r');
    const std::string number = text.substr(head.size(), cr - head.size());
    ASSERT_FALSE(number.empty());
    EXPECT_EQ(number.find_first_not_of("0123456789"), std::string::npos);
    EXPECT_EQ(text.substr(cr), "\rCircle centre X = 18.29\rCircle centre Y = 27.43\rCircle radius R = 24.38");
}

TEST(RigorousFailures, FlatSecantOnLambdaIsReported)
{
    // With f(x) = 0 the interslice shear vanishes whatever lambda is, so the force at
    // the crest end does not change with lambda and no new lambda can be predicted.
    Job job = Fk77(0.0f);
    job.Slip.Fx.fill(0.0f);
    Prepared p(std::move(job));
    const Solved s = Analyse(p, Fk77Circle());
    EXPECT_EQ(s.slip.StabilityFactor, kInvalidFactor);
    ASSERT_EQ(p.notices.size(), 1u);
    EXPECT_EQ(p.notices[0], "Prediction of trial Lambda value has failed\rCircle centre X = 18.29"
                            "\rCircle centre Y = 27.43\rCircle radius R = 24.38");
}

TEST(RigorousFailures, BadNumbersGiveAnInvalidSlipWithoutAMessage)
{
    Prepared p(Fk77(0.0f));
    Solved s = Analyse(p, Fk77Circle());
    s.slices[3].VerticalForce = std::nanf("");
    RigorousSolution(p.Input(), s.slip, s.slices);
    EXPECT_EQ(s.slip.StabilityFactor, kInvalidFactor);

    s = Analyse(p, Fk77Circle());
    s.slices[3].HorizontalForce = std::numeric_limits<float>::infinity();
    RigorousSolution(p.Input(), s.slip, s.slices);
    EXPECT_EQ(s.slip.StabilityFactor, kInvalidFactor);

    SliceList none;
    SlipResult empty;
    RigorousSolution(p.Input(), empty, none);
    EXPECT_EQ(empty.StabilityFactor, kInvalidFactor);
    EXPECT_TRUE(p.notices.empty());
}

TEST(RigorousFailures, InadmissibleToeSliceGivesAnInvalidSlipWithoutAMessage)
{
    // A toe-side base steeper than 90 - phi' at the trial factor: m_alpha <= 0.
    Prepared p(Fk77(0.0f));
    Solved s = Analyse(p, Fk77Circle());
    s.slices[0].BaseAngle = -1.4f;
    s.slices[0].DesignTanPhi = 1.5f;
    RigorousSolution(p.Input(), s.slip, s.slices);
    EXPECT_EQ(s.slip.StabilityFactor, kInvalidFactor);
    EXPECT_TRUE(p.notices.empty());
}

TEST(RigorousReinforced, LayerForcesEnterTheSliceEquilibriumSoTheFactorsMeet)
{
    // The FK77 slope with geogrids in its face: without the layer forces in each
    // slice the moment factor (which has them) and the force factor could not agree.
    Job job = Fk77(0.25f);
    AddBlock(job, 7.0f, 10.0f, 1.0f, 12.0f, 40.0f);
    Prepared p(std::move(job));
    ASSERT_EQ(p.layers.size(), 11u);
    const Solved s = Analyse(p, Fk77Circle());
    ASSERT_GT(s.slip.ReinforcementForce, 0.0f);
    ASSERT_NE(s.slip.StabilityFactor, kInvalidFactor);
    ExpectEquilibriumFactorsAgree(p, s);
    EXPECT_TRUE(p.notices.empty());

    // Bishop on the same circle, for scale: the two stay close.
    p.job.Slip.Method = kBishop;
    const Solved bishop = Analyse(p, Fk77Circle());
    EXPECT_GT(s.slip.StabilityFactor, 1.761f);
    EXPECT_NEAR(s.slip.StabilityFactor, bishop.slip.StabilityFactor, 0.05f * bishop.slip.StabilityFactor);
}

} // namespace
} // namespace clv
