// The methods form the parts of each slice's equilibrium that do not change with F
// once per slip. Every factor and normal force must still come out bit for bit as
// the formulas written out in full give them: here the iterations are written out
// again, plainly, on the public sums, and compared on many circles.

#include "analysis/slicing.h"
#include "test_jobs.h"

#include <bit>
#include <cstdint>

namespace clv::test {
namespace {

bool Same(float a, float b) { return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b); }

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
                    EXPECT_TRUE(Same(quick.StabilityFactor, plain.StabilityFactor));
                    EXPECT_TRUE(Same(quick.SoilMoment, plain.SoilMoment) && Same(quick.SoilForce, plain.SoilForce));
                    ASSERT_EQ(quickSlices.size(), plainSlices.size());
                    for (std::size_t i = 0; i < quickSlices.size(); ++i)
                        EXPECT_TRUE(Same(quickSlices[i].NormalForce, plainSlices[i].NormalForce)) << i;
                    ++compared;
                    valid += quick.StabilityFactor != kInvalidFactor ? 1 : 0;
                }
            }
    EXPECT_GT(compared, 300);
    EXPECT_GT(valid, 200);
}

} // namespace
} // namespace clv::test
