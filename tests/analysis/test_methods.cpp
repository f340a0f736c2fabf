// The methods of slices: factors checked on paper, the textbook forms of Bishop's
// and Janbu's equations, and the slips that must come out invalid.

#include "analysis/methods.h"
#include "analysis/slicing.h"
#include "test_circle_jobs.h"

#include <gtest/gtest.h>

#include <cmath>

namespace clv::test {
namespace {

constexpr double kDeg = 3.14159265358979 / 180.0;

Slice HandSlice(float angleDeg, float length, float vertical, float tanPhi, float cohesion, float pore = 0.0f)
{
    Slice s;
    s.BaseAngle = static_cast<float>(angleDeg * kDeg);
    s.BaseLength = length;
    s.Width = static_cast<float>(length * std::cos(angleDeg * kDeg));
    s.BaseLeft = 0.0f;
    s.BaseRight = static_cast<float>(length * std::sin(angleDeg * kDeg));
    s.VerticalForce = vertical;
    s.DesignTanPhi = tanPhi;
    s.DesignCohesion = cohesion;
    s.BasePorePressure = pore;
    s.BaseSoil = 1;
    return s;
}

/**
 * Two slices checked on paper, soil c' = 10, phi' = 30: a crest-side slice (30 deg,
 * base 2 m, V = 100) and a toe-side one (-10 deg, base 1.5 m, V = 40), R = 10,
 * disturbing moment 300.
 */
struct PaperSlip {
    Job job = OneSoilJob({{0, 0}, {10, 5}}, 20.0f, 30.0f, 10.0f);
    SectionTable table;
    LayerList layers;
    SlipResult slip;
    SliceList slices;

    PaperSlip()
    {
        const float t = static_cast<float>(std::tan(30 * kDeg));
        slices = {HandSlice(30, 2.0f, 100.0f, t, 10.0f), HandSlice(-10, 1.5f, 40.0f, t, 10.0f)};
        slip.Radius = 10.0f;
        slip.DisturbingMoment = 300.0f;
    }
    AnalysisInput Input() const { return AnalysisInput{job, table, layers, {}}; }
};

TEST(Methods, FelleniusOnPaper)
{
    PaperSlip p;
    Fellenius(p.Input(), p.slip, p.slices);
    // N = V cos a: 86.603 and 39.392; shear N tan 30 + c l: 50.000 + 20 and 22.743 + 15.
    EXPECT_NEAR(p.slices[0].NormalForce, 86.603f, 0.001f);
    EXPECT_NEAR(p.slip.SoilMoment, 10.0f * (70.0f + 37.743f), 0.01f);
    EXPECT_NEAR(p.slip.StabilityFactor, 1077.43f / 300.0f, 0.0001f);

    // The reinforcement moment adds to the restoring side only.
    p.slip.ReinforcementMoment = 150.0f;
    Fellenius(p.Input(), p.slip, p.slices);
    EXPECT_NEAR(p.slip.StabilityFactor, (1077.43f + 150.0f) / 300.0f, 0.0001f);
}

TEST(Methods, Bs8006OnPaper)
{
    // Without pore pressure each slice gives (V t + b c) / (cos a + t sin a) / 1.25:
    // Bishop's shear at F = 1, divided by 1.25.
    PaperSlip p;
    Bs8006(p.Input(), p.slip, p.slices);
    double expected = 0;
    for (const Slice& s : p.slices) {
        const double a = s.BaseAngle, t = s.DesignTanPhi;
        expected += 10.0 * (s.VerticalForce * t + s.Width * s.DesignCohesion) / (std::cos(a) + t * std::sin(a)) / 1.25;
    }
    EXPECT_NEAR(p.slip.SoilMoment, expected, expected * 1e-5);
    EXPECT_NEAR(p.slip.StabilityFactor, expected / 300.0, 1e-4);
}

TEST(Methods, NoDisturbanceGivesInvalid)
{
    for (float disturbing : {0.0f, -50.0f}) {
        for (auto method : {Fellenius, Bishop, Bs8006}) {
            PaperSlip p;
            p.slip.DisturbingMoment = disturbing;
            method(p.Input(), p.slip, p.slices);
            EXPECT_EQ(p.slip.StabilityFactor, kInvalidFactor) << disturbing;
        }
        // Janbu balances forces: no horizontal push on the slip gives no factor.
        PaperSlip p;
        p.slices[0].BaseAngle = p.slices[1].BaseAngle = 0.0f;
        p.slip.HorizontalLoadForce = disturbing;
        Janbu(p.Input(), SlipKind::Defined, p.slip, p.slices);
        EXPECT_EQ(p.slip.StabilityFactor, kInvalidFactor) << disturbing;
    }
}

TEST(Methods, ForceSumsCountsTheBaseWaterOnceOnly)
{
    // N is the total normal force: the water pressure on the base is already in it, so
    // the disturbing force is the horizontal loads plus N sin a, nothing more.
    PaperSlip p;
    for (Slice& s : p.slices) {
        s.BasePorePressure = 20.0f;
        s.NormalForce = 80.0f;
    }
    p.slip.HorizontalLoadForce = 5.0f;
    p.slip.ReinforcementForce = 12.0f;
    ForceSums(p.Input(), p.slip, p.slices);
    const double dist = 5.0 + 80.0 * std::sin(30 * kDeg) + 80.0 * std::sin(-10 * kDeg);
    EXPECT_NEAR(p.slip.DisturbingForce, dist, 1e-4);
    const double t = std::tan(30 * kDeg);
    const double soil = ((80.0 - 2.0 * 20.0) * t + 10.0 * 2.0) * std::cos(30 * kDeg)
        + ((80.0 - 1.5 * 20.0) * t + 10.0 * 1.5) * std::cos(-10 * kDeg);
    EXPECT_NEAR(p.slip.SoilForce, soil, 1e-3);
    EXPECT_NEAR(p.slip.StabilityFactor, (12.0 + soil) / dist, 1e-4);
}

TEST(Methods, InadmissibleToeSliceGivesInvalid)
{
    // A toe-side base at -60 deg with tan(phi_d) = 1: m = cos a + sin a / F is at or
    // below zero for every F up to 1.73, and the Fellenius start is far below that.
    PaperSlip p;
    p.slices[1] = HandSlice(-60, 1.5f, 40.0f, 1.0f, 0.0f);
    p.slip.DisturbingMoment = 2000.0f;
    for (auto method : {Bishop, Fellenius}) {
        PaperSlip q = p;
        method(q.Input(), q.slip, q.slices);
        if (method == Fellenius)
            EXPECT_NE(q.slip.StabilityFactor, kInvalidFactor); // Fellenius has no such divisor
        else
            EXPECT_EQ(q.slip.StabilityFactor, kInvalidFactor);
    }
    PaperSlip j = p;
    j.slip.HorizontalLoadForce = 500.0f;
    Janbu(j.Input(), SlipKind::Circular, j.slip, j.slices);
    EXPECT_EQ(j.slip.StabilityFactor, kInvalidFactor);

    // BS8006 divides by t tan a + 1: 0.7 tan(-60) + 1 < 0.
    PaperSlip b = p;
    b.slices[1].DesignTanPhi = 0.7f;
    Bs8006(b.Input(), b.slip, b.slices);
    EXPECT_EQ(b.slip.StabilityFactor, kInvalidFactor);
}

TEST(Methods, NegativeFactorGivesInvalid)
{
    // Pore pressure far above the normal force turns the frictional shear negative.
    PaperSlip p;
    for (Slice& s : p.slices) {
        s.BasePorePressure = 500.0f;
        s.DesignCohesion = 0.0f;
    }
    p.job.Soils[0].Cohesion = 0.0f;
    for (auto method : {Fellenius, Bishop, Bs8006}) {
        PaperSlip q = p;
        method(q.Input(), q.slip, q.slices);
        EXPECT_EQ(q.slip.StabilityFactor, kInvalidFactor);
    }
}

TEST(Methods, FactorText)
{
    EXPECT_EQ(FactorText(kInvalidFactor), "Invalid");
    EXPECT_EQ(FactorText(kInvalidFactor, "N/A"), "N/A");
    EXPECT_EQ(FactorText(100.004f), ">100");
    EXPECT_EQ(FactorText(100.0f), "100.00");
    EXPECT_EQ(FactorText(1.234f), "1.23");
    EXPECT_EQ(FactorText(0.996f), "1.00");
}

// ---------------------------------------------------------------------------
// On real slips

/** The critical slices of one circle on the Fredlund & Krahn slope with ru = 0.25. */
struct PorePressureCircle {
    Analysed a{[] {
        Job job = OneSoilJob({{0.0f, 6.096f}, {12.192f, 6.096f}, {36.576f, 18.288f}, {54.864f, 18.288f}}, 18.8505f,
                             20.0f, 28.7282f, 0.25f);
        job.Slip.MinSlices = 30;
        return job;
    }()};
    CircleSearchResult Run(Integer method)
    {
        a.OneCircle(18.288f, 27.432f, 24.384f, method);
        return a.Search();
    }
};

TEST(Methods, BishopSatisfiesTheTextbookEquation)
{
    // F = R sum[(c b + (V - u b) tan phi) / m] / M with m = cos a + tan phi sin a / F.
    PorePressureCircle c;
    const CircleSearchResult r = c.Run(kBishop);
    const SlipResult& slip = *r.Critical();
    const double f = slip.StabilityFactor;
    double restoring = 0;
    for (const Slice& s : r.CriticalSlices) {
        const double a = s.BaseAngle, t = s.DesignTanPhi;
        restoring += (s.DesignCohesion * s.Width + (s.VerticalForce - s.BasePorePressure * s.Width) * t)
            / (std::cos(a) + t * std::sin(a) / f);
    }
    EXPECT_NEAR(slip.Radius * restoring / slip.DisturbingMoment, f, 0.01);
}

TEST(Methods, JanbuSatisfiesTheTextbookEquation)
{
    // F = sum[(c b + (V - u b) tan phi) / (m cos a)] / (sum H + sum V tan a): the base
    // water pressure appears only through u b, never as a thrust of its own.
    PorePressureCircle c;
    const CircleSearchResult r = c.Run(kJanbu);
    const SlipResult& slip = *r.Critical();
    const double f = slip.StabilityFactor;
    double restoring = 0, disturbing = 0;
    for (const Slice& s : r.CriticalSlices) {
        const double a = s.BaseAngle, t = s.DesignTanPhi;
        restoring += (s.DesignCohesion * s.Width + (s.VerticalForce - s.BasePorePressure * s.Width) * t)
            / ((std::cos(a) + t * std::sin(a) / f) * std::cos(a));
        disturbing += s.HorizontalForce + s.VerticalForce * std::tan(a);
    }
    EXPECT_NEAR(restoring / disturbing, f, 0.01);
}

TEST(Methods, InfiniteSlopeOfFrictionalSoil)
{
    // A long, shallow circle in a dry, purely frictional 1:2 slope: every method tends
    // to the infinite-slope answer tan(phi) / tan(beta) = tan 35 / 0.5 = 1.4004.
    Analysed a(OneSoilJob({{-500, -250}, {500, 250}}, 19.0f, 35.0f, 0.0f));
    // R = 1000, 1.5 m deep at the middle of a chord centred on the origin.
    const float xc = static_cast<float>(-998.5 * 0.5 / std::sqrt(1.25));
    const float yc = static_cast<float>(998.5 / std::sqrt(1.25));
    const double expected = std::tan(35 * kDeg) / 0.5;
    for (Integer method : {kFellenius, kBishop, kJanbu})
        EXPECT_NEAR(a.OneCircle(xc, yc, 1000.0f, method), expected, expected * 0.01) << method;
}

} // namespace
} // namespace clv::test
