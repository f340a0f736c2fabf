// The methods of slices on slips worked out on paper, the slips that must come
// out invalid rather than with a number that is no factor, and the soil
// self-weight factor ffs on the water: the methods use ffs x u, while the slices
// keep u itself for the displays. The methods form the parts of each slice's
// equilibrium that do not change with F once per slip: every factor and normal
// force must still come out bit for bit as the formulas written out in full give
// them, so the iterations are written out again, plainly, on the public sums, and
// compared on many circles.

#include "analysis/defined_surface.h"
#include "analysis/slicing.h"
#include "test_jobs.h"
#include "support/expect_floats.h"


namespace clv::test {
namespace {

using Method = void (*)(const AnalysisInput&, SlipResult&, SliceList&);
void JanbuCircle(const AnalysisInput& in, SlipResult& slip, SliceList& s) { Janbu(in, SlipKind::Circular, slip, s); }
const float kTan30 = std::tan(Radians(30.0f));

Slice HandSlice(float angleDeg, float length, float vertical, float tanPhi, float cohesion)
{
    const float a = Radians(angleDeg);
    return {.BaseRight = length * std::sin(a), .Width = length * std::cos(a), .BaseLength = length, .BaseAngle = a,
            .BaseSoil = 1, .DesignCohesion = cohesion, .DesignTanPhi = tanPhi, .VerticalForce = vertical};
}

// Two slices in soil c' = 10, phi' = 30: a crest-side slice (30 deg, base 2 m,
// V = 100) and a toe-side one (-10 deg, base 1.5 m, V = 40); R = 10, disturbing
// moment 300.
struct PaperSlip {
    Analysed a{OneSoilJob({{0, 0}, {10, 5}}, 20.0f, 30.0f, 10.0f)};
    SlipResult slip{.Radius = 10.0f, .DisturbingMoment = 300.0f};
    SliceList slices{HandSlice(30, 2.0f, 100.0f, kTan30, 10.0f), HandSlice(-10, 1.5f, 40.0f, kTan30, 10.0f)};

    float Run(Method method)
    {
        method(a.Input(), slip, slices);
        return slip.StabilityFactor;
    }
};

TEST(Methods, FelleniusAndBs8006OnPaper)
{
    // N = V cos a: 86.603 and 39.392; shear N tan 30 + c l: 50.000 + 20 and 22.743 + 15.
    PaperSlip p;
    EXPECT_NEAR(p.Run(Fellenius), 1077.43f / 300.0f, 0.0001f);
    // The reinforcement moment adds to the restoring side only.
    p.slip.ReinforcementMoment = 150.0f;
    EXPECT_NEAR(p.Run(Fellenius), (1077.43f + 150.0f) / 300.0f, 0.0001f);
    // BS8006: R (V t + b c) / cos a / (t tan a + 1) / 1.25 per slice: 650.02 + 212.44.
    EXPECT_NEAR(PaperSlip().Run(Bs8006), 862.466f / 300.0f, 0.0001f);

    // Seismic factor 0.1 on the weights: H = 10 and 4 towards the toe. N = V cos a -
    // H sin a: 86.603 - 5.000 = 81.603 on the 30 deg base, 39.392 + 0.695 = 40.087 on
    // the -10 deg one. Shear 47.113 + 20 and 23.144 + 15: R x 105.257 = 1052.57.
    PaperSlip q;
    q.slices[0].HorizontalForce = 10.0f, q.slices[1].HorizontalForce = 4.0f;
    EXPECT_NEAR(q.Run(Fellenius), 1052.57f / 300.0f, 0.0002f);
    ASSERT_EQ(q.slices.size(), 2u);
    EXPECT_NEAR(q.slices[0].NormalForce, 81.603f, 0.001f);
    EXPECT_NEAR(q.slices[1].NormalForce, 40.087f, 0.001f);
}

TEST(Methods, ForceSumsCountsTheBaseWaterOnceOnly)
{
    // N is the total normal force: the water pressure on the base is already in it, so
    // the disturbing force is the horizontal loads plus N sin a, nothing more.
    PaperSlip p;
    for (Slice& s : p.slices)
        s.BasePorePressure = 20.0f, s.NormalForce = 80.0f;
    p.slip.HorizontalLoadForce = 5.0f, p.slip.ReinforcementForce = 12.0f;
    ForceSums(p.a.Input(), p.slip, p.slices);
    const double dist = 5.0 + 80.0 * (std::sin(Radians(30)) + std::sin(Radians(-10)));
    const double soil = ((80.0 - 2.0 * 20.0) * kTan30 + 10.0 * 2.0) * std::cos(Radians(30))
        + ((80.0 - 1.5 * 20.0) * kTan30 + 10.0 * 1.5) * std::cos(Radians(-10));
    EXPECT_NEAR(p.slip.DisturbingForce, dist, 1e-4);
    EXPECT_NEAR(p.slip.SoilForce, soil, 1e-3);
    EXPECT_NEAR(p.slip.StabilityFactor, (12.0 + soil) / dist, 1e-4);
}

TEST(Methods, SlipsWithoutAnAdmissibleFactorAreInvalid)
{
    // A toe-side base at -60 deg with tan(phi_d) = 1: m = cos a + sin a / F is at or
    // below zero for every F up to 1.73, far above the Fellenius start. Fellenius has no
    // such divisor; BS8006 divides by 0.7 tan(-60) + 1 < 0.
    const std::pair<float, Method> steep[] = {{1.0f, Fellenius}, {1.0f, Bishop}, {1.0f, JanbuCircle}, {0.7f, Bs8006}};
    for (const auto& [tanPhi, method] : steep) {
        PaperSlip p;
        p.slices[1] = HandSlice(-60, 1.5f, 40.0f, tanPhi, 0.0f);
        p.slip.DisturbingMoment = 2000.0f, p.slip.HorizontalLoadForce = 500.0f;
        EXPECT_EQ(p.Run(method) == kInvalidFactor, method != Fellenius);
    }
    // Pore pressure far above the normal force turns the frictional shear negative.
    for (Method method : {Fellenius, Bishop, Bs8006}) {
        PaperSlip p;
        for (Slice& s : p.slices)
            s.BasePorePressure = 500.0f, s.DesignCohesion = 0.0f;
        p.a.job.Soils[0].Cohesion = 0.0f;
        EXPECT_EQ(p.Run(method), kInvalidFactor);
    }
    EXPECT_EQ(FactorText(kInvalidFactor), "Invalid");
}

TEST(Methods, InfiniteSlopeOfDryFrictionalSoil)
{
    // A long, shallow circle in a dry, purely frictional 1:2 slope: every method tends
    // to the infinite-slope answer tan(phi) / tan(beta) = tan 35 / 0.5 = 1.4004.
    // R = 1000, 1.5 m deep at the middle of a chord centred on the origin.
    const Job slope = OneSoilJob({{-500, -250}, {500, 250}}, 19.0f, 35.0f, 0.0f);
    const float xc = static_cast<float>(-998.5 * 0.5 / std::sqrt(1.25));
    const float yc = static_cast<float>(998.5 / std::sqrt(1.25));
    const float fellenius = Factor(slope, kFellenius, xc, yc, 1000.0f);
    const float bishop = Factor(slope, kBishop, xc, yc, 1000.0f);
    EXPECT_NEAR(fellenius, 1.4004f, 0.014f);
    EXPECT_NEAR(bishop, 1.4004f, 0.014f);
    EXPECT_NEAR(Factor(slope, kJanbu, xc, yc, 1000.0f), 1.4004f, 0.014f);
    EXPECT_GE(bishop, fellenius);
}

TEST(WaterUnderFactors, OneSliceByHand)
{
    // One slice with a level base 2 m long, V = 300, u = 10, phi' 45 (tan 1), c' 0,
    // ffs 1.5, radius 10, disturbing moment 1000, horizontal load sum 100.
    //   effective normal force N - l ffs u = 300 - 2 x 1.5 x 10 = 270
    //   Fellenius and Bishop (level base, N = V): 10 x 270 / 1000 = 2.70
    //   BS8006: 10 x 270 / 1.25 / 1000 = 2.16
    //   Janbu: 270 / 100 = 2.70
    // With u unfactored they would read 2.80, 2.24 and 2.80.
    Job job = FaceJob(45.0f, 0.0f);
    job.Factors.SoilSelfWeight = 1.5f;
    Analysed a(job);
    const Slice s{.XRight = 2, .Width = 2, .BaseLength = 2, .BaseSoil = 1, .DesignCohesion = 0, .DesignTanPhi = 1,
                  .BasePorePressure = 10, .VerticalForce = 300};
    const std::pair<Integer, float> cases[] = {{kFellenius, 2.7f}, {kBishop, 2.7f}, {kBs8006, 2.16f}, {kJanbu, 2.7f}};
    for (const auto& [method, factor] : cases) {
        a.job.Slip.Method = method;
        SliceList slices{s};
        SlipResult slip{.Radius = 10.0f, .DisturbingMoment = 1000.0f, .HorizontalLoadForce = 100.0f};
        RunMethod(a.Input(), slip, slices);
        EXPECT_NEAR(slip.StabilityFactor, factor, 1e-4f) << method;
        EXPECT_EQ(slices[0].BasePorePressure, 10.0f); // the slice keeps u
    }
}

Job FloodedFace(float waterLevel, float ffs)
{
    Job job = FaceJob(30.0f, 0.0f);
    if (waterLevel > -100.0f)
        SetPoints(job.Water, {{-20, waterLevel}, {40, waterLevel}});
    job.Factors.SoilSelfWeight = ffs;
    return job;
}

TEST(WaterUnderFactors, ACohesionlessSlopeDoesNotDependOnTheWeightFactor)
{
    // With c' = 0, no loads and no seismic force, every force on the slip (soil
    // weight, free water, base water) is ffs times its value at ffs 1, so the
    // factor cannot depend on ffs, whatever the water does. Partly submerged at
    // ffs 1.3 (water at 5 m on the 10 m face) and fully submerged at 1.5.
    // Fully submerged, hydrostatic water only buoys the soil, and with c' = 0 the
    // factor of the dry slope does not depend on the unit weight: the submerged
    // slope gives its dry factor (to the slicing of the water's pressure on the
    // face, a few parts in a thousand here).
    for (Integer method : {kFellenius, kBishop, kBs8006, kJanbu, kRigorous}) {
        SCOPED_TRACE(method);
        const float dry = Factor(FloodedFace(-1000.0f, 1.0f), method, 0.0f, 20.0f, 20.0f);
        ASSERT_NE(dry, kInvalidFactor);
        for (const auto& [level, ffs] : {std::pair{5.0f, 1.3f}, std::pair{15.0f, 1.5f}}) {
            const float unit = Factor(FloodedFace(level, 1.0f), method, 0.0f, 20.0f, 20.0f);
            ASSERT_NE(unit, kInvalidFactor);
            EXPECT_NEAR(Factor(FloodedFace(level, ffs), method, 0.0f, 20.0f, 20.0f), unit, 2e-4f * unit) << level;
        }
        // The ordinary method resolves the total weight, water included, normal to
        // each base and then takes off the whole base water force: it is known not
        // to reproduce the buoyant weight, so only the other methods are compared.
        if (method != kFellenius) {
            EXPECT_NEAR(Factor(FloodedFace(15.0f, 1.5f), method, 0.0f, 20.0f, 20.0f), dry, 0.01f * dry);
        }
    }
    // The planar defined surface from the toe to the crest at x = 20 (y = x / 2):
    // Janbu on one plane gives tan 30 / tan(atan 0.5) = 1.1547 dry, and the same
    // under water at any ffs.
    for (const auto& [level, ffs] : {std::pair{-1000.0f, 1.0f}, std::pair{15.0f, 1.0f}, std::pair{15.0f, 1.5f}}) {
        Job job = FloodedFace(level, ffs);
        job.UserPoints = {{0, 0}, {5, 2.5f}, {20, 10}};
        Analysed a(std::move(job));
        EXPECT_NEAR(AnalyseDefinedSurface(a.Input()).Slip.StabilityFactor, 1.1547f, 0.012f) << level << " " << ffs;
    }
}


// Fellenius, then (passes > 0) the iteration of Bishop (moments) or Janbu (forces) from its factor.
void PlainMethod(const AnalysisInput& in, bool moments, int passes, SlipResult& slip, SliceList& slices)
{
    for (Slice& s : slices)
        s.NormalForce = s.VerticalForce * std::cos(s.BaseAngle) - s.HorizontalForce * std::sin(s.BaseAngle);
    MomentSums(in, slip, slices);
    if (!(slip.StabilityFactor > 0.0f))
        slip.StabilityFactor = kInvalidFactor;
    for (int pass = 1; pass <= passes; ++pass) {
        const float f = slip.StabilityFactor;
        for (Slice& s : slices) {
            const float sinA = std::sin(s.BaseAngle);
            const float m = std::cos(s.BaseAngle) + s.DesignTanPhi * sinA / f;
            if (!(m > 0.0f)) {
                slip.StabilityFactor = kInvalidFactor;
                return;
            }
            const float u = DesignPorePressure(in.job, s);
            s.NormalForce = (s.VerticalForce - (s.DesignCohesion - s.DesignTanPhi * u) * s.BaseLength * sinA / f) / m;
        }
        moments ? MomentSums(in, slip, slices) : ForceSums(in, slip, slices);
        const float next = slip.StabilityFactor;
        if (next > 0.0f && std::fabs(next - f) < 0.01f)
            return;
        if (!(next > 0.0f) || pass == passes) {
            slip.StabilityFactor = kInvalidFactor;
            return;
        }
    }
}

TEST(MethodsExact, EveryFactorAndNormalForceAsTheFormulasWrittenOut)
{
    // Layered ground with water, Ru in one soil, a surcharge and partial factors, so
    // that every term of the equilibrium is nonzero somewhere.
    Job job = OneSoilJob({{-20, 0}, {0, 0}, {12, 6}, {24, 9}, {50, 9}}, 18.0f, 27.0f, 4.0f);
    job.Soils.push_back({.Description = {}, .Density = 20.0f, .Phi = 22.0f, .Cohesion = 12.0f, .Ru = 0.15f});
    SetPoints(job.Soils[1], {{-20, -2}, {10, 1}, {50, 4}});
    SetPoints(job.Water, {{-20, 0.5f}, {20, 3}, {50, 5}});
    job.Loads.push_back({.LoadType = kSurcharge, .Value = 15.0f, .XMin = 26.0f, .XMax = 32.0f});
    job.Header.LateralAccelerationFactor = 0.05f;
    job.Factors.SoilSelfWeight = 1.1f, job.Factors.TanPhi = 1.25f, job.Factors.Cohesion = 1.4f;
    job.Slip.MinSlices = 40;
    Analysed a(job);
    int compared = 0, valid = 0;
    for (float xc = 0.0f; xc <= 16.0f; xc += 2.0f)
        for (float yc = 12.0f; yc <= 30.0f; yc += 3.0f)
            for (float r : {12.0f, 16.0f, 20.0f, 26.0f}) {
                SlipResult slip{.CentreX = xc, .CentreY = yc, .Radius = r};
                SliceList slices;
                if (!SliceSlip(a.Input(), slip, slices))
                    continue;
                ComputeSliceBaseData(a.Input(), slices, &slip);
                ComputeSliceForces(a.Input(), SlipKind::Circular, slip, slices);
                for (Integer method : {kFellenius, kBishop, kJanbu}) {
                    SlipResult quick = slip, plain = slip;
                    SliceList quickSlices = slices, plainSlices = slices;
                    a.job.Slip.Method = method;
                    RunMethod(a.Input(), quick, quickSlices);
                    PlainMethod(a.Input(), method == kBishop, method == kBishop ? 50 : method == kJanbu ? 20 : 0,
                                plain, plainSlices);
                    SCOPED_TRACE(testing::Message() << method << " " << xc << " " << yc << " " << r);
                    EXPECT_TRUE(SameBits(quick.StabilityFactor, plain.StabilityFactor));
                    EXPECT_TRUE(SameBits(quick.SoilMoment, plain.SoilMoment) && SameBits(quick.SoilForce, plain.SoilForce));
                    ASSERT_EQ(quickSlices.size(), plainSlices.size());
                    for (std::size_t i = 0; i < quickSlices.size(); ++i)
                        EXPECT_TRUE(SameBits(quickSlices[i].NormalForce, plainSlices[i].NormalForce)) << i;
                    ++compared;
                    valid += quick.StabilityFactor != kInvalidFactor ? 1 : 0;
                }
            }
    EXPECT_GT(compared, 300);
    EXPECT_GT(valid, 200);
}

} // namespace
} // namespace clv::test
