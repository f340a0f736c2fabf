// The soil self-weight factor ffs multiplies the weight of the soil and of the
// water that goes with it, the base pore pressure included: the methods use
// ffs x u, while the slices keep u itself for the displays.

#include "analysis/defined_surface.h"
#include "test_jobs.h"

namespace clv::test {
namespace {

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
    Slice s;
    s.XLeft = 0, s.XRight = 2, s.Width = 2, s.BaseLength = 2, s.BaseAngle = 0;
    s.BaseSoil = 1, s.DesignTanPhi = 1.0f, s.DesignCohesion = 0.0f;
    s.VerticalForce = 300.0f, s.BasePorePressure = 10.0f;
    const struct {
        Integer method;
        float factor;
    } cases[] = {{kFellenius, 2.70f}, {kBishop, 2.70f}, {kBs8006, 2.16f}, {kJanbu, 2.70f}};
    for (const auto& c : cases) {
        a.job.Slip.Method = c.method;
        SliceList slices{s};
        SlipResult slip{.Radius = 10.0f, .DisturbingMoment = 1000.0f, .HorizontalLoadForce = 100.0f};
        RunMethod(a.Input(), slip, slices);
        EXPECT_NEAR(slip.StabilityFactor, c.factor, 1e-4f) << c.method;
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
        const struct {
            float level, ffs;
        } cases[] = {{5.0f, 1.3f}, {15.0f, 1.5f}};
        for (const auto& c : cases) {
            const float unit = Factor(FloodedFace(c.level, 1.0f), method, 0.0f, 20.0f, 20.0f);
            const float factored = Factor(FloodedFace(c.level, c.ffs), method, 0.0f, 20.0f, 20.0f);
            ASSERT_NE(unit, kInvalidFactor);
            EXPECT_NEAR(factored, unit, 2e-4f * unit) << "water at " << c.level;
        }
        // The ordinary method resolves the total weight, water included, normal to
        // each base and then takes off the whole base water force: it is known not
        // to reproduce the buoyant weight, so only the other methods are compared.
        if (method == kFellenius)
            continue;
        const float submerged = Factor(FloodedFace(15.0f, 1.5f), method, 0.0f, 20.0f, 20.0f);
        EXPECT_NEAR(submerged, dry, 0.01f * dry);
    }
}

TEST(WaterUnderFactors, TheDefinedSurfaceToo)
{
    // The planar surface from the toe to the crest at x = 20 (y = x / 2), c' = 0:
    // Janbu on one plane gives tan 30 / tan(atan 0.5) = 1.1547 dry, and the same
    // under water at any ffs.
    for (const auto& [level, ffs] : {std::pair{-1000.0f, 1.0f}, std::pair{15.0f, 1.0f}, std::pair{15.0f, 1.5f}}) {
        Job job = FloodedFace(level, ffs);
        job.UserPoints = {{0, 0}, {5, 2.5f}, {20, 10}};
        Analysed a(std::move(job));
        const DefinedSurfaceResult r = AnalyseDefinedSurface(a.Input());
        EXPECT_NEAR(r.Slip.StabilityFactor, 1.1547f, 0.012f) << level << " " << ffs;
    }
}

} // namespace
} // namespace clv::test
