// Slicing of one circle on a uniform 1:2 incline, where every number can be
// worked out on paper: slice sides, weights, water, loads, invalid circles.

#include "test_jobs.h"

#include <functional>

namespace clv::test {
namespace {

// Ground y = x / 2. The circle centred (0, 25) with R = 25 cuts it exactly at
// (0, 0) and (20, 10): a slip 20 m wide.
double Ground(double x) { return x / 2.0; }
double Base(double x) { return 25.0 - std::sqrt(625.0 - x * x); }
double MidBase(const Slice& s) { return (Base(s.XLeft) + Base(s.XRight)) / 2.0; }
double MidGround(const Slice& s) { return (Ground(s.XLeft) + Ground(s.XRight)) / 2.0; }

// That circle in the incline of c' 5, phi' 30, gamma 20, after `edit` of the job.
OneSlip Cut(const std::function<void(Job&)>& edit = [](Job&) {}, float xc = 0, float yc = 25, float r = 25)
{
    Job job = OneSoilJob({{-40, -20}, {60, 30}}, 20.0f, 30.0f, 5.0f);
    edit(job);
    return OneSlip(std::move(job), xc, yc, r);
}

TEST(Slicing, TwentyMetreSlipWithTenSlicesGivesElevenWeighedByHand)
{
    const OneSlip c = Cut([](Job& job) {
        job.Factors.SoilSelfWeight = 1.1f, job.Factors.RamificationsOfFailure = 1.2f;
        job.Factors.Cohesion = 1.5f, job.Factors.TanPhi = 1.25f;
    });
    // Entry straight below the centre; exit at atan(-15 / 20) below the horizontal.
    EXPECT_NEAR(c.slip.EntryAngle, 3.0 * 3.14159265 / 2.0, 1e-5);
    EXPECT_NEAR(c.slip.ExitAngle, 2.0 * 3.14159265 - std::atan(0.75), 1e-5);
    // One interval of 20 m, widest slice 20 / 10: floor(20 / 2) = 10 extra sides.
    ASSERT_EQ(c.slices.size(), 11u);
    for (std::size_t i = 0; i < c.slices.size(); ++i) {
        const Slice& s = c.slices[i];
        EXPECT_NEAR(s.XLeft, 20.0 * i / 11.0, 1e-4);
        EXPECT_NEAR(s.Width, 20.0 / 11.0, 1e-4);
        EXPECT_NEAR(s.BaseRight, Base(s.XRight), 1e-4);
        EXPECT_NEAR(s.BaseAngle, std::atan((Base(s.XRight) - Base(s.XLeft)) / s.Width), 1e-4);
        EXPECT_NEAR(s.Weight, 1.1 * 20.0 * (MidGround(s) - MidBase(s)) * s.Width, 1e-3);
    }
    // The middle slice, 9.09 to 10.91 m: ground 5.000, base 2.1086 at mid-width.
    EXPECT_NEAR(c.slices[5].Weight, 1.1 * 20.0 * (5.0 - 2.1086) * (20.0 / 11.0), 0.01);
    EXPECT_NEAR(c.slices[5].DesignCohesion, 5.0 / (1.2 * 1.5), 1e-6);
    EXPECT_NEAR(c.slices[5].DesignTanPhi, std::tan(30 * 3.14159265 / 180) / (1.25 * 1.2), 1e-6);
}

TEST(Slicing, WaterTableRatioGridSuctionPondedWaterAndSeismicForces)
{
    // A water table at level 3 meets the ground at x = 6, a station: sides 0, 6, 20
    // cut to 1.5 and 1.75 m. Free water stands on the incline below x = 6. With ffs
    // 1.1, kv 0.05 and kh 0.1 every slice carries V = 1.05 W + 1.1 p b and
    // H = (gL - gR) 1.1 p + 0.1 W (the water on an up-slope surface pushes into the
    // slope), while the slice keeps u itself.
    auto water = [](Job& job) { SetPoints(job.Water, {{-40, 3}, {60, 3}}); };
    const OneSlip phreatic = Cut([&water](Job& job) {
        water(job);
        job.Factors.SoilSelfWeight = 1.1f;
        job.Header.VerticalAccelerationFactor = 0.05f, job.Header.LateralAccelerationFactor = 0.1f;
    });
    ASSERT_EQ(phreatic.slices.size(), 12u);
    for (const Slice& s : phreatic.slices) {
        const double p = std::max(0.0, 9.81 * (3.0 - MidGround(s)));
        EXPECT_NEAR(s.BasePorePressure, std::max(0.0, (3.0 - MidBase(s)) * 9.81), 1e-3) << s.XLeft;
        EXPECT_NEAR(s.SurfaceWaterPressure, p, 1e-4) << s.XLeft;
        EXPECT_NEAR(s.VerticalForce, 1.05 * s.Weight + 1.1 * p * s.Width, 1e-3) << s.XLeft;
        EXPECT_NEAR(s.HorizontalForce, (Ground(s.XLeft) - Ground(s.XRight)) * 1.1 * p + 0.1 * s.Weight, 1e-3)
            << s.XLeft;
    }
    EXPECT_GT(phreatic.slices[0].SurfaceWaterPressure, 0.0f);
    // Ru replaces the water table: u = Ru x gamma x depth.
    auto ru = [&water](Job& job) { water(job); job.Soils[0].Ru = 0.3f; };
    for (const Slice& s : Cut(ru).slices)
        EXPECT_NEAR(s.BasePorePressure, 0.3 * 20.0 * (MidGround(s) - MidBase(s)), 1e-3);
    // A grid of equal heads (level 4), x -10..30 by 10 and y 20..-10 by 10, replaces both.
    const OneSlip grid = Cut([&ru](Job& job) {
        ru(job);
        job.Piezo = PiezoSettings{kTrue, -10.0f, 30.0f, 10.0f, -10.0f, 20.0f, 10.0f, 4, 5};
        job.Heads.Resize(4, 5);
        for (int row = 0; row <= 4; ++row)
            for (int col = 0; col <= 5; ++col)
                job.Heads.At(row, col) = row == 0 ? -20.0f + 10.0f * static_cast<float>(col)
                                       : col == 0 ? 30.0f - 10.0f * static_cast<float>(row) : 4.0f;
    });
    for (const Slice& s : grid.slices)
        EXPECT_NEAR(s.BasePorePressure, std::max(0.0, (4.0 - MidBase(s)) * 9.81), 1e-3) << s.XLeft;
    // Water table far below: the suction is cut to zero, or to -gamma_w x suction.
    for (float suction : {0.0f, 0.5f}) {
        const OneSlip dry = Cut([suction](Job& job) {
            job.Soils[0].Suction = suction;
            SetPoints(job.Water, {{-40, -30}, {60, -30}});
        });
        for (const Slice& s : dry.slices)
            EXPECT_NEAR(s.BasePorePressure, -9.81f * suction, 1e-4f);
    }
}

TEST(Slicing, LoadsAndTheirMoments)
{
    const float unloaded = Cut().slip.DisturbingMoment;
    // Load and fq, then the horizontal force on the slip and the moment the load adds.
    const std::pair<LoadRecord, std::vector<float>> cases[] = {
        {{kLineLoad, 100, 5}, {1.5f, 0, 150 * 5}},        // factored, lever 5
        {{kSurcharge, 10, 2, 6}, {1, 0, 160}},            // the integral of 10 x over [2, 6]
        {{kLateralLoad, 50, 5, 0, 4}, {1, 50, 50 * 21}},  // at level 4, lever 25 - 4
        {{kLateralLoad, 50, 5}, {1, 50, 50 * 22.5f}},     // on the ground, at 2.5
        {{kLineLoad, 100, 10, 0, 0}, {1, 0, 0}},          // level above the base (2.09 at x = 10)
        {{kLineLoad, 100, 10, 0, 3}, {1, 0, 1000}},       // level below the base
        {{4, 100, 5}, {1, 0, 0}},                         // types beyond the anchor are no loads
        // 100 at 30 deg where the ground is at level 3 (x = 6), unfactored: 86.6 into the slope, 50 down.
        // Free 20, fixed 5: the fixed length starts at (23.3, -7), beyond the exit at x = 20.
        {{kAnchor, 100, 0, 0, 3, 30, 20, 5}, {1.5f, -86.6025f, -86.6025f * 22 + 50 * 6}},
        // Free 2: the fixed length starts at (7.73, 2.0), above the base (1.23 there): no force.
        {{kAnchor, 100, 0, 0, 3, 30, 2, 3}, {1.5f, 0, 0}},
    };
    for (const auto& [load, k] : cases) {
        const OneSlip c = Cut([&load, &k](Job& job) { job.Loads = {load}; job.Factors.ImposedLoads = k[0]; });
        EXPECT_NEAR(c.slip.HorizontalLoadForce, k[1], 1e-3f) << load.LoadType;
        EXPECT_NEAR(c.slip.DisturbingMoment - unloaded, k[2], 0.02f) << load.LoadType;
    }
}

TEST(Slicing, TensionCrackLowersTheExitAndItsWaterPushesTheLastSlice)
{
    const OneSlip c = Cut([](Job& job) { job.Slip.TensionCrackDepth = 2.0f; });
    // The ground lowered by 2, y = x / 2 - 2, meets the circle where 1.25 x^2 - 27 x + 104 = 0.
    EXPECT_NEAR(c.slip.ExitX, (27.0 + std::sqrt(209.0)) / 2.5, 1e-3);
    EXPECT_NEAR(c.slip.ExitY, c.slip.ExitX / 2.0 - 2.0, 1e-3);
    // Dry and unloaded: the only horizontal force is the crack water, 9.81 x 2^2 / 2, at a
    // third of the crack above the exit.
    EXPECT_NEAR(c.slip.HorizontalLoadForce, 19.62, 1e-3);
    double weightMoment = 0.0;
    for (const Slice& s : c.slices)
        weightMoment += ((s.XLeft + s.XRight) / 2.0 - 0.0) * s.Weight;
    EXPECT_NEAR(c.slip.DisturbingMoment - weightMoment, 19.62 * (25.0 - (c.slip.ExitY + 2.0 / 3.0)), 0.05);
}

// A circle centred (5, 20) whose lowest point, 1.05 below the toe, dips under the
// flat top of a second soil at level -1 and comes back up: it crosses that surface
// at x = 5 -+ sqrt(21.05^2 - 21^2) = 5 -+ 1.45. Ground (-20, 0) (0, 0) (20, 10) (60, 10):
// entry at x = 5 - sqrt(21.05^2 - 20^2) = -1.565, exit on the crest at 23.52.
// Five slices at most 5.02 wide: the 2.9 m dip stays one slice, whose chord runs
// along the stratum surface while its arc lies in the soil below.
constexpr float kDipX = 5.0f, kDipY = 20.0f, kDipR = 21.05f;

Job DipJob(float lowerTop, float lowerCohesion)
{
    Job job = OneSoilJob({{-20, 0}, {0, 0}, {20, 10}, {60, 10}}, 18.0f, 25.0f, 10.0f);
    job.Soils.push_back({.Description = {}, .Density = 22.0f, .Phi = 30.0f, .Cohesion = lowerCohesion, .Ru = 0.2f});
    SetPoints(job.Soils[1], {{-20, lowerTop}, {60, lowerTop}});
    SetPoints(job.Water, {{-20, -0.2f}, {60, -0.2f}}); // below the ground: no station where it crosses
    job.Slip.MinSlices = 5;
    job.Slip.Method = kFellenius;
    return job;
}

TEST(Slicing, CircleDippingUnderAStratumTakesTheSoilOfItsArc)
{
    // Sides: -1.565, 0 (station), 3.55, 6.45 (crossings), 10.97, 15.48 (cuts), 20
    // (station), 23.52. With the stratum 5 cm below the lowest point, there is no
    // crossing and no dip.
    const OneSlip missed(DipJob(-1.1f, 40.0f), kDipX, kDipY, kDipR);
    EXPECT_EQ(missed.slices.size(), 6u);
    for (const Slice& s : missed.slices)
        EXPECT_EQ(s.BaseSoil, 1) << s.XLeft;
    const OneSlip dip(DipJob(-1.0f, 40.0f), kDipX, kDipY, kDipR);
    ASSERT_EQ(dip.slices.size(), 7u);
    for (std::size_t i = 0; i < 7; ++i)
        EXPECT_EQ(dip.slices[i].BaseSoil, i == 2 ? 2 : 1) << i;
    const Slice& s = dip.slices[2];
    EXPECT_NEAR(s.XLeft, 3.55, 1e-3);
    EXPECT_NEAR(s.XRight, 6.45, 1e-3);
    // Strength of the soil below, weight and pore pressure at the chord midpoint (5, -1):
    // 3.5 m of the upper soil (18 kN/m3) under ground at 2.5, and the lower soil's Ru.
    EXPECT_NEAR(s.DesignCohesion, 40.0, 1e-5);
    EXPECT_NEAR(s.DesignTanPhi, std::tan(30.0 * 3.14159265 / 180.0), 1e-6);
    EXPECT_NEAR(s.Weight, 18.0 * 3.5 * 2.9, 0.05);
    EXPECT_NEAR(s.BasePorePressure, 0.2 * 18.0 * 3.5, 0.01);
    // Its left neighbour stays in the upper soil, under the water table at -0.2: base
    // from 20 - sqrt(21.05^2 - 5^2) = -0.4475 at x = 0 to -1 at 3.55, midpoint -0.7238.
    EXPECT_NEAR(dip.slices[1].DesignCohesion, 10.0, 1e-5);
    EXPECT_NEAR(dip.slices[1].BasePorePressure, 0.5238 * 9.81, 2e-3);

    // Fellenius is linear in c': the stronger soil below adds 30 x 2.9 x R to the
    // resisting moment, through the dip slice alone.
    const OneSlip weak(DipJob(-1.0f, 10.0f), kDipX, kDipY, kDipR);
    ASSERT_GT(weak.slip.DisturbingMoment, 0.0f);
    EXPECT_NEAR(dip.slip.StabilityFactor - weak.slip.StabilityFactor,
                30.0 * 2.9 * kDipR / weak.slip.DisturbingMoment, 1e-4);
}

TEST(Slicing, LargestSliceCountCostsWorkInProportionToIt)
{
    // The 20 m slip with MinSlices at its 16-bit maximum: 32767 cuts of the one interval
    // (32766 when d / w rounds just below 32767), so 32768 or 32769 sides in all. Those
    // 0.61 mm slices merge into slices of at least 0.01 m: 17 of them make 0.0104 m.
    Job job = OneSoilJob({{-40, -20}, {60, 30}}, 20.0f, 30.0f, 5.0f);
    job.Slip.MinSlices = 32767;
    Analysed a(job);
    SlipResult slip{.CentreX = 0, .CentreY = 25, .Radius = 25};
    SliceList slices;
    SlicingScratch scratch;
    AnalyseCircle(a.Input(), slip, slices, scratch);
    EXPECT_GE(scratch.Work.SidesPlaced, 32768u);
    EXPECT_LE(scratch.Work.SidesPlaced, 32769u);
    EXPECT_EQ(scratch.Work.SlicesKept, slices.size());
    EXPECT_GE(slices.size(), 1900u); // 20 / 0.0104
    EXPECT_LE(slices.size(), 1930u);
    for (std::size_t i = 0; i + 1 < slices.size(); ++i) {
        EXPECT_GE(slices[i].Width, 0.01f) << i;
        EXPECT_LT(slices[i].Width, 0.011f) << i;
    }
    // Fine slices only refine the answer: within 0.5 % of 500 slices.
    job.Slip.MinSlices = 500;
    const float coarse = OneSlip(job, 0, 25, 25).slip.StabilityFactor;
    EXPECT_NEAR(slip.StabilityFactor, coarse, 0.005f * coarse);
}

TEST(Slicing, InvalidCirclesAndFaultsGiveTheInvalidFactor)
{
    auto factor = [](float xc, float yc, float r, float minDepth = 1.0f) {
        return Cut([minDepth](Job& job) { job.Slip.MinSlipDepth = minDepth; }, xc, yc, r).slip.StabilityFactor;
    };
    EXPECT_NE(factor(0, 25, 25), kInvalidFactor);
    EXPECT_NE(factor(0, 25, 25, 0.0f), kInvalidFactor); // 0 switches the depth check off
    EXPECT_EQ(factor(0, 25, 25, 5.0f), kInvalidFactor); // never deeper than 2.9 m
    EXPECT_EQ(factor(0, -100, 10), kInvalidFactor);     // wholly below the ground
    EXPECT_EQ(factor(0, 4, 10), kInvalidFactor);        // exit (9.95, 4.98) above the centre
    EXPECT_EQ(factor(1e30f, 1e30f, 3e30f), kInvalidFactor); // overflows
    // A zero partial factor divides by zero in the design strength: no crash, no NaN.
    for (Integer method : {kFellenius, kBishop, kBs8006, kJanbu, kRigorous}) {
        auto zero = [method](Job& job) { job.Slip.Method = method, job.Factors.RamificationsOfFailure = 0.0f; };
        EXPECT_EQ(Cut(zero).slip.StabilityFactor, kInvalidFactor) << method;
    }
}

} // namespace
} // namespace clv::test
