// Slicing of one circle: ends, slice boundaries, geometry, weights, water and loads,
// on a uniform 1:2 incline where every number can be worked out on paper.

#include "analysis/slicing.h"
#include "test_circle_jobs.h"

#include <gtest/gtest.h>

#include <cmath>

namespace clv::test {
namespace {

// Ground y = x / 2 from (-40, -20) to (60, 30). The circle centred (0, 25) with
// R = 25 cuts it exactly at (0, 0) and (20, 10): a slip 20 m wide.
constexpr float kXc = 0.0f, kYc = 25.0f, kR = 25.0f;

double Ground(double x) { return x / 2.0; }
double Base(double x) { return 25.0 - std::sqrt(625.0 - x * x); }

struct Incline {
    Analysed a;
    SlipResult slip;
    SliceList slices;

    explicit Incline(Job job) : a(std::move(job))
    {
        slip.CentreX = kXc;
        slip.CentreY = kYc;
        slip.Radius = kR;
    }
    Incline() : Incline(OneSoilJob({{-40, -20}, {60, 30}}, 20.0f, 30.0f, 5.0f)) {}

    /** Rebuilds the table after the job changed. */
    void Refresh() { a.table = BuildSectionTable(a.job); }

    bool Slice() { return SliceSlip(a.Input(), slip, slices); }

    void Analyse(Integer method = kFellenius)
    {
        a.job.Slip.Method = method;
        slip.StabilityFactor = 0.0f;
        AnalyseCircle(a.Input(), slip, slices);
    }
};

TEST(Slicing, TwentyMetreSlipWithTenSlicesGivesEleven)
{
    Incline c;
    ASSERT_TRUE(c.Slice());
    EXPECT_NEAR(c.slip.EntryX, 0.0f, 1e-5f);
    EXPECT_NEAR(c.slip.EntryY, 0.0f, 1e-5f);
    EXPECT_NEAR(c.slip.ExitX, 20.0f, 1e-5f);
    EXPECT_NEAR(c.slip.ExitY, 10.0f, 1e-5f);
    // Entry straight below the centre; exit at atan(-15 / 20) below the horizontal.
    EXPECT_NEAR(c.slip.EntryAngle, 3.0 * 3.14159265 / 2.0, 1e-5);
    EXPECT_NEAR(c.slip.ExitAngle, 2.0 * 3.14159265 - std::atan(0.75), 1e-5);

    // One interval of 20 m, widest slice 20 / 10: floor(20 / 2) = 10 extra sides.
    ASSERT_EQ(c.slices.size(), 11u);
    for (std::size_t i = 0; i < c.slices.size(); ++i) {
        const Slice& s = c.slices[i];
        EXPECT_NEAR(s.XLeft, 20.0 * i / 11.0, 1e-4);
        EXPECT_NEAR(s.Width, 20.0 / 11.0, 1e-4);
        EXPECT_NEAR(s.GroundLeft, Ground(s.XLeft), 1e-4);
        EXPECT_NEAR(s.BaseRight, Base(s.XRight), 1e-4);
        EXPECT_NEAR(s.BaseAngle, std::atan((Base(s.XRight) - Base(s.XLeft)) / s.Width), 1e-4);
        EXPECT_NEAR(s.BaseLength, std::hypot(Base(s.XRight) - Base(s.XLeft), s.Width), 1e-4);
    }
}

TEST(Slicing, StationsAndStratumCrossingsAreSliceSides)
{
    // A second stratum with its top at y = 1 meets the ground at x = 2 (a station of
    // the table) and the circle at x = 7. Sides 0, 2, 7, 20; the widest slice is 2 m:
    // 0-2 stays, 2-7 becomes 3 slices, 7-20 becomes 7.
    Job job = OneSoilJob({{-40, -20}, {60, 30}}, 18.0f, 30.0f, 5.0f);
    AddSoil(job, {{-40, 1}, {60, 1}}, 21.0f, 25.0f, 0.0f);
    Incline c(job);
    ASSERT_TRUE(c.Slice());
    ASSERT_EQ(c.slices.size(), 11u);
    EXPECT_NEAR(c.slices[0].XRight, 2.0f, 1e-5f);
    EXPECT_NEAR(c.slices[1].Width, 5.0f / 3.0f, 1e-4f);
    EXPECT_NEAR(c.slices[3].XRight, 7.0f, 1e-4f);
    EXPECT_NEAR(c.slices[4].Width, 13.0f / 7.0f, 1e-4f);

    // The base soil follows the base: above y = 1 the upper soil, below it the lower.
    ComputeSliceBaseData(c.a.Input(), c.slices);
    for (const Slice& s : c.slices) {
        const Integer expected = (s.BaseLeft + s.BaseRight) / 2.0f > 1.0f ? 1 : 2;
        EXPECT_EQ(s.BaseSoil, expected) << s.XLeft;
        EXPECT_NEAR(s.DesignTanPhi, std::tan((expected == 1 ? 30 : 25) * 3.14159265 / 180), 1e-6);
    }
}

TEST(Slicing, MergeNarrowSlices)
{
    auto make = [](std::initializer_list<float> sides) {
        SliceList slices;
        for (auto it = sides.begin(); it + 1 != sides.end(); ++it) {
            Slice s;
            s.XLeft = *it;
            s.XRight = *(it + 1);
            s.GroundLeft = s.BaseLeft = *it;
            s.GroundRight = s.BaseRight = *(it + 1);
            slices.push_back(s);
        }
        return slices;
    };
    // Sides 1 and 1.005 are closer than 0.01: one slice from 1 to 2, not a sliver.
    SliceList slices = make({0.0f, 1.0f, 1.005f, 2.0f, 3.0f});
    MergeNarrowSlices(slices);
    ASSERT_EQ(slices.size(), 3u);
    EXPECT_EQ(slices[1].XLeft, 1.0f);
    EXPECT_EQ(slices[1].XRight, 2.0f);
    EXPECT_EQ(slices[1].BaseRight, 2.0f);
    // Two slivers in a row merge into their neighbour; the last slice is never tested.
    slices = make({0.0f, 0.004f, 0.008f, 1.0f, 1.005f});
    MergeNarrowSlices(slices);
    ASSERT_EQ(slices.size(), 2u);
    EXPECT_EQ(slices[0].XRight, 1.0f);
    EXPECT_EQ(slices[1].XLeft, 1.0f);
}

TEST(Slicing, WeightIsUnitWeightTimesHeightTimesWidth)
{
    Incline c;
    c.a.job.Factors.SoilSelfWeight = 1.1f;
    c.a.job.Factors.RamificationsOfFailure = 1.2f;
    c.a.job.Factors.Cohesion = 1.5f;
    c.a.job.Factors.TanPhi = 1.25f;
    ASSERT_TRUE(c.Slice());
    ComputeSliceBaseData(c.a.Input(), c.slices);
    for (const Slice& s : c.slices) {
        const double xl = s.XLeft, xr = s.XRight;
        const double height = (Ground(xl) + Ground(xr)) / 2 - (Base(xl) + Base(xr)) / 2;
        EXPECT_NEAR(s.Weight, 1.1 * 20.0 * height * (xr - xl), 1e-3) << xl;
        EXPECT_EQ(s.BaseSoil, 1);
        EXPECT_NEAR(s.DesignCohesion, 5.0 / (1.2 * 1.5), 1e-6);
        EXPECT_NEAR(s.DesignTanPhi, std::tan(30 * 3.14159265 / 180) / (1.25 * 1.2), 1e-6);
        EXPECT_EQ(s.BasePorePressure, 0.0f); // no water
    }
    // The middle slice, 9.09 to 10.91 m: ground 5.000, base 2.1086 at mid-width.
    EXPECT_NEAR(c.slices[5].Weight, 1.1 * 20.0 * (5.0 - 2.1086) * (20.0 / 11.0), 0.01);
}

/** Mid-base level of slice i on the plain incline. */
double MidBase(const Slice& s) { return (Base(s.XLeft) + Base(s.XRight)) / 2.0; }

TEST(Slicing, PorePressureFromThePhreaticSurface)
{
    Incline c;
    SetWater(c.a.job, {{-40, 3}, {60, 3}});
    c.Refresh();
    ASSERT_TRUE(c.Slice());
    ComputeSliceBaseData(c.a.Input(), c.slices);
    // The water meets the ground at x = 6, a station: sides 0, 6, 20 cut to 1.5 and 1.75 m.
    ASSERT_EQ(c.slices.size(), 12u);
    EXPECT_NEAR(c.slices[4].XLeft, 6.0f, 1e-5f);
    for (const Slice& s : c.slices) {
        EXPECT_NEAR(s.BasePorePressure, std::max(0.0, (3.0 - MidBase(s)) * 9.81), 1e-3) << s.XLeft;
        // Free water stands on the ground below level 3.
        const double groundMid = (Ground(s.XLeft) + Ground(s.XRight)) / 2;
        EXPECT_NEAR(s.SurfaceWaterPressure, std::max(0.0, 9.81 * (3.0 - groundMid)), 1e-4) << s.XLeft;
    }
}

/** Base pore pressures of the standard circle in `job`. */
SliceList BaseData(const Job& job)
{
    Incline c(job);
    EXPECT_TRUE(c.Slice());
    ComputeSliceBaseData(c.a.Input(), c.slices);
    return c.slices;
}

TEST(Slicing, PorePressureRatioGridAndSuction)
{
    // Ru replaces the water table: u = Ru x gamma x depth.
    Job ru = OneSoilJob({{-40, -20}, {60, 30}}, 20.0f, 30.0f, 5.0f, 0.3f);
    SetWater(ru, {{-40, 8}, {60, 8}});
    for (const Slice& s : BaseData(ru))
        EXPECT_NEAR(s.BasePorePressure, 0.3 * 20.0 * ((Ground(s.XLeft) + Ground(s.XRight)) / 2 - MidBase(s)), 1e-3);

    // A grid of equal heads (level 4) over the slip replaces both.
    Job grid = ru;
    grid.Piezo = PiezoSettings{kTrue, -10.0f, 30.0f, 10.0f, -10.0f, 20.0f, 10.0f, 4, 5}; // x -10..30, y 20..-10
    grid.Heads.Resize(4, 5);
    for (int col = 1; col <= 5; ++col)
        grid.Heads.At(0, col) = -10.0f + 10.0f * static_cast<float>(col - 1);
    for (int row = 1; row <= 4; ++row) {
        grid.Heads.At(row, 0) = 20.0f - 10.0f * static_cast<float>(row - 1);
        for (int col = 1; col <= 5; ++col)
            grid.Heads.At(row, col) = 4.0f;
    }
    for (const Slice& s : BaseData(grid))
        EXPECT_NEAR(s.BasePorePressure, std::max(0.0, (4.0 - MidBase(s)) * 9.81), 1e-3) << s.XLeft;

    // Water table far below: negative pore pressure, cut to zero without suction and
    // to -gamma_w x suction with it.
    for (float suction : {0.0f, 0.5f}) {
        Job dry = OneSoilJob({{-40, -20}, {60, 30}}, 20.0f, 30.0f, 5.0f);
        dry.Soils[0].Suction = suction;
        SetWater(dry, {{-40, -30}, {60, -30}});
        for (const Slice& s : BaseData(dry))
            EXPECT_NEAR(s.BasePorePressure, -9.81f * suction, 1e-4f);
    }
}

TEST(Slicing, TensionCrackFullOfWater)
{
    Job job = OneSoilJob({{-40, -20}, {60, 30}}, 20.0f, 30.0f, 5.0f);
    job.Slip.TensionCrackDepth = 2.0f;
    Incline c(job);
    ASSERT_TRUE(c.Slice());
    // The exit is at the bottom of the crack, 2 m below the ground.
    EXPECT_NEAR(c.slip.ExitY, Ground(c.slip.ExitX) - 2.0, 1e-4);
    ComputeSliceBaseData(c.a.Input(), c.slices);
    ComputeSliceForces(c.a.Input(), SlipKind::Circular, c.slip, c.slices);
    // 9.81 x 2^2 / 2 on the crest-side slice, a third of the crack depth above the exit.
    const Slice& last = c.slices.back();
    EXPECT_NEAR(last.HorizontalForce, 19.62f, 1e-4f);
    float others = 0.0f;
    for (std::size_t i = 0; i + 1 < c.slices.size(); ++i)
        others += c.slices[i].HorizontalForce;
    EXPECT_EQ(others, 0.0f);
    const float weightMoment = ((last.XLeft + last.XRight) / 2 - kXc) * last.Weight;
    EXPECT_NEAR(last.LoadMoment - weightMoment, 19.62f * (kYc - (last.BaseRight + 2.0f / 3.0f)), 1e-2f);
}

/** Disturbing moment and the slices' loads of the standard circle with `loads`. */
struct Loaded {
    Incline c;
    explicit Loaded(const std::vector<LoadRecord>& loads, float fq = 1.0f)
    {
        c.a.job.Loads = loads;
        c.a.job.Factors.ImposedLoads = fq;
        EXPECT_TRUE(c.Slice());
        ComputeSliceBaseData(c.a.Input(), c.slices);
        ComputeSliceForces(c.a.Input(), SlipKind::Circular, c.slip, c.slices);
    }
    float Moment() const { return c.slip.DisturbingMoment; }
    float Sum(float Slice::*field) const
    {
        float total = 0.0f;
        for (const Slice& s : c.slices)
            total += s.*field;
        return total;
    }
};

LoadRecord MakeLoad(Integer type, float value, float xMin, float xMax = 0.0f, float y = kNoLevel, float angle = 0.0f)
{
    LoadRecord load;
    load.LoadType = type;
    load.Value = value;
    load.XMin = xMin;
    load.XMax = xMax;
    load.Y = y;
    load.Angle = angle;
    return load;
}

TEST(Slicing, LoadsAndTheirMoments)
{
    const float unloaded = Loaded({}).Moment();

    // Line load 100 at x = 5, factored 1.5: 150 kN on one slice, lever 5 m.
    Loaded line({MakeLoad(kLineLoad, 100.0f, 5.0f)}, 1.5f);
    EXPECT_NEAR(line.Sum(&Slice::VerticalLoad), 150.0f, 1e-4f);
    EXPECT_NEAR(line.Moment() - unloaded, 750.0f, 0.01f);

    // Surcharge 10 kN/m2 from 2 to 6 spread over the slices it covers: 40 kN, and a
    // moment of the integral of 10 x over [2, 6] = 160.
    Loaded surcharge({MakeLoad(kSurcharge, 10.0f, 2.0f, 6.0f)});
    EXPECT_NEAR(surcharge.Sum(&Slice::VerticalLoad), 40.0f, 1e-4f);
    EXPECT_NEAR(surcharge.Moment() - unloaded, 160.0f, 0.01f);

    // Lateral load 50 at x = 5: at level 4, lever 21; on the ground (2.5), lever 22.5.
    Loaded lateral({MakeLoad(kLateralLoad, 50.0f, 5.0f, 0.0f, 4.0f)});
    EXPECT_NEAR(lateral.Sum(&Slice::HorizontalLoad), 50.0f, 1e-4f);
    EXPECT_NEAR(lateral.Moment() - unloaded, 50.0f * 21.0f, 0.01f);
    EXPECT_NEAR(lateral.c.slip.HorizontalLoadForce, 50.0f, 1e-4f);
    Loaded lateralOnGround({MakeLoad(kLateralLoad, 50.0f, 5.0f)});
    EXPECT_NEAR(lateralOnGround.Moment() - unloaded, 50.0f * 22.5f, 0.01f);

    // Anchor 100 at 30 deg where the ground is at level 3 (x = 6), unfactored: pulls
    // 86.6 into the slope and 50 down.
    Loaded anchor({MakeLoad(kAnchor, 100.0f, 0.0f, 0.0f, 3.0f, 30.0f)}, 1.5f);
    EXPECT_NEAR(anchor.Sum(&Slice::HorizontalLoad), -86.6025f, 1e-3f);
    EXPECT_NEAR(anchor.Sum(&Slice::VerticalLoad), 50.0f, 1e-3f);
    EXPECT_NEAR(anchor.Moment() - unloaded, -86.6025f * 22.0f + 50.0f * 6.0f, 0.02f);

    // A load whose level is set acts only on slices whose base is at or below it.
    Loaded above({MakeLoad(kLineLoad, 100.0f, 10.0f, 0.0f, 0.0f)}); // base at x = 10 is 2.09
    EXPECT_EQ(above.Sum(&Slice::VerticalLoad), 0.0f);
    Loaded below({MakeLoad(kLineLoad, 100.0f, 10.0f, 0.0f, 3.0f)});
    EXPECT_NEAR(below.Sum(&Slice::VerticalLoad), 100.0f, 1e-4f);

    // Load types beyond the anchor are not loads on the slip.
    Loaded other({MakeLoad(4, 100.0f, 5.0f)});
    EXPECT_EQ(other.Moment(), unloaded);
}

TEST(Slicing, InvalidCircles)
{
    auto factorOf = [](float xc, float yc, float r, float minDepth = 1.0f) {
        Incline c;
        c.a.job.Slip.MinSlipDepth = minDepth;
        c.slip.CentreX = xc;
        c.slip.CentreY = yc;
        c.slip.Radius = r;
        c.Analyse();
        return c.slip.StabilityFactor;
    };
    EXPECT_NE(factorOf(kXc, kYc, kR), kInvalidFactor);
    EXPECT_EQ(factorOf(0.0f, -100.0f, 10.0f), kInvalidFactor); // wholly below the ground
    EXPECT_EQ(factorOf(0.0f, 100.0f, 10.0f), kInvalidFactor);  // wholly above it
    EXPECT_EQ(factorOf(0.0f, 4.0f, 10.0f), kInvalidFactor);    // exit (9.95, 4.98) above the centre
    EXPECT_EQ(factorOf(kXc, kYc, 0.0f), kInvalidFactor);       // no radius
    // Never deeper than 2.9 m: invalid when 5 m is the least depth; 0 switches the check off.
    EXPECT_EQ(factorOf(kXc, kYc, kR, 5.0f), kInvalidFactor);
    EXPECT_NE(factorOf(kXc, kYc, kR, 0.0f), kInvalidFactor);
}

TEST(Slicing, FloatingPointFaultsMakeTheSlipInvalid)
{
    // A zero partial factor divides by zero in the design strength; a huge circle
    // overflows. Neither may crash or leave a number that is not a number.
    Incline zeroFactor;
    zeroFactor.a.job.Factors.RamificationsOfFailure = 0.0f;
    for (Integer method : {kFellenius, kBishop, kBs8006, kJanbu, kRigorous}) {
        zeroFactor.Analyse(method);
        EXPECT_EQ(zeroFactor.slip.StabilityFactor, kInvalidFactor) << method;
    }
    Incline huge;
    huge.slip.CentreX = 1e30f;
    huge.slip.CentreY = 1e30f;
    huge.slip.Radius = 3e30f;
    huge.Analyse(kBishop);
    EXPECT_EQ(huge.slip.StabilityFactor, kInvalidFactor);
}

} // namespace
} // namespace clv::test
