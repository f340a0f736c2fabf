#include "analysis/defined_surface.h"
#include "analysis/methods.h"
#include "test_reinforcement_jobs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace clv {
namespace {

using test::AddBlock;
using test::AddStratum;
using test::FaceJob;
using test::Prepared;

void SetPoints(Job& job, std::initializer_list<std::pair<float, float>> points)
{
    job.UserPoints.clear();
    for (const auto& [x, y] : points)
        job.UserPoints.push_back({x, y});
}

DefinedSurfaceResult Analyse(Job job)
{
    Prepared p(std::move(job));
    return AnalyseDefinedSurface(p.Input());
}

TEST(DefinedSurfacePublished, PlanarSlipThroughTheToeMatchesTheRigidBlock)
{
    // Baker (2001): 10 m face at 76 deg, c' 30, phi' 30, gamma 20, the plane from
    // the toe (0, 0) to the crest at (8.5, 10), given as its ends and midpoint.
    Job job = MakeDefaultJob();
    AddStratum(job, 20.0f, 30.0f, 30.0f, {{-10.0f, 0.0f}, {0.0f, 0.0f}, {2.5f, 10.0f}, {30.0f, 10.0f}});
    SetPoints(job, {{0.0f, 0.0f}, {4.25f, 5.0f}, {8.5f, 10.0f}});
    const DefinedSurfaceResult r = Analyse(std::move(job));

    // Rigid block on the plane: S = W sin a, N = W cos a, F = (c L + N tan phi) / S.
    const double pi = 3.14159265358979;
    const double alpha = std::atan2(10.0, 8.5);
    const double length = std::hypot(8.5, 10.0);
    const double weight = 20.0 * 0.5 * 10.0 * (8.5 - 2.5);
    const double closedForm =
        (30.0 * length + weight * std::cos(alpha) * std::tan(pi / 6.0)) / (weight * std::sin(alpha));
    ASSERT_NEAR(closedForm, 1.352, 0.001);
    EXPECT_NEAR(r.Slip.StabilityFactor, closedForm, 0.005 * closedForm);

    // The crest corner at x = 2.5 adds a boundary; the sliding weight is the block's 600 kN/m.
    ASSERT_EQ(r.Slices.size(), 3u);
    EXPECT_FLOAT_EQ(r.Slices[1].XLeft, 2.5f);
    double w = 0.0;
    for (const Slice& s : r.Slices)
        w += s.Weight;
    EXPECT_NEAR(w, 600.0, 0.01);
    EXPECT_EQ(r.Slip.ReinforcementForce, 0.0f);
}

TEST(DefinedSurfaceValidity, FewerThanThreePointsIsNotAvailable)
{
    Job job = FaceJob();
    SetPoints(job, {{2.0f, 2.0f}, {12.0f, 10.0f}});
    const DefinedSurfaceResult r = Analyse(std::move(job));
    EXPECT_EQ(r.Slip.StabilityFactor, kInvalidFactor);
    EXPECT_TRUE(r.Slices.empty());
    EXPECT_EQ(FactorText(r.Slip.StabilityFactor, "N/A"), "N/A");
}

TEST(DefinedSurfaceValidity, EndPointsMayStartJustBelowTheGround)
{
    // Ground y = x on the face. The first point 0.05 below it is trimmed up along the
    // direction of the first segment (slope 0.35): onto the face at x = 1.9 / 0.65.
    Job job = FaceJob();
    SetPoints(job, {{3.0f, 2.95f}, {6.0f, 4.0f}, {12.0f, 10.0f}});
    const DefinedSurfaceResult r = Analyse(job);
    ASSERT_NE(r.Slip.StabilityFactor, kInvalidFactor);
    EXPECT_NEAR(r.Slices.front().XLeft, 1.9f / 0.65f, 1e-4f);
    EXPECT_NEAR(r.Slices.front().BaseLeft, 1.9f / 0.65f, 1e-4f);

    SetPoints(job, {{3.0f, 2.8f}, {6.0f, 4.0f}, {12.0f, 10.0f}});
    EXPECT_EQ(Analyse(job).Slip.StabilityFactor, kInvalidFactor);
    SetPoints(job, {{3.0f, 3.0f}, {6.0f, 4.0f}, {12.0f, 9.8f}});
    EXPECT_EQ(Analyse(job).Slip.StabilityFactor, kInvalidFactor);
}

TEST(DefinedSurfaceValidity, IntermediatePointsMustNotRiseAboveTheGround)
{
    Job job = FaceJob();
    SetPoints(job, {{2.0f, 2.0f}, {6.0f, 6.0f}, {14.0f, 10.0f}});
    EXPECT_NE(Analyse(job).Slip.StabilityFactor, kInvalidFactor);
    SetPoints(job, {{2.0f, 2.0f}, {6.0f, 6.01f}, {14.0f, 10.0f}});
    EXPECT_EQ(Analyse(job).Slip.StabilityFactor, kInvalidFactor);
}

TEST(DefinedSurfaceTrimming, EndsInTheAirArePulledDownOntoTheGround)
{
    // First segment level at 4 from x = 2 (in the air): it meets the face at (4, 4).
    // Last segment from (6, 4) rising 4/3 towards (12, 12): it meets the crest at x = 10.5.
    Job job = FaceJob();
    SetPoints(job, {{2.0f, 4.0f}, {6.0f, 4.0f}, {12.0f, 12.0f}});
    const DefinedSurfaceResult r = Analyse(std::move(job));
    ASSERT_NE(r.Slip.StabilityFactor, kInvalidFactor);
    EXPECT_NEAR(r.Slices.front().XLeft, 4.0f, 1e-4f);
    EXPECT_NEAR(r.Slices.front().BaseLeft, 4.0f, 1e-4f);
    EXPECT_NEAR(r.Slices.back().XRight, 10.5f, 1e-4f);
    EXPECT_NEAR(r.Slices.back().BaseRight, 10.0f, 1e-4f);
    EXPECT_NEAR(r.Slip.EntryX, 4.0f, 1e-4f);
    EXPECT_NEAR(r.Slip.ExitX, 10.5f, 1e-4f);
}

TEST(DefinedSurfaceTrimming, GroundStationsAddBoundariesUnlessTooCloseToAPoint)
{
    // The crest corner is a station at x = 10.
    for (const auto& [x, slices] : {std::pair{10.004f, 2u}, std::pair{10.006f, 3u}}) {
        Job job = FaceJob();
        SetPoints(job, {{4.0f, 4.0f}, {x, 7.0f}, {14.0f, 10.0f}});
        const DefinedSurfaceResult r = Analyse(std::move(job));
        ASSERT_NE(r.Slip.StabilityFactor, kInvalidFactor);
        EXPECT_EQ(r.Slices.size(), slices) << x;
    }
}

TEST(DefinedSurfaceTrimming, LowerStratumCrossingAddsABoundary)
{
    Job job = FaceJob();
    AddStratum(job, 20.0f, 25.0f, 5.0f, {{-20.0f, 4.0f}, {40.0f, 8.0f}}); // top at 4 + x / 15
    SetPoints(job, {{2.0f, 2.0f}, {8.0f, 5.0f}, {14.0f, 10.0f}});
    const DefinedSurfaceResult r = Analyse(std::move(job));
    ASSERT_NE(r.Slip.StabilityFactor, kInvalidFactor);
    // The first part, y = 2 + (x - 2) / 2, would meet it only at x = 10, beyond its
    // end at 8; the second part, y = 5 + 5 (x - 8) / 6, meets it at x = 210 / 23.
    bool found = false;
    for (const Slice& s : r.Slices)
        found = found || std::fabs(s.XLeft - 210.0f / 23.0f) < 1e-3f;
    EXPECT_TRUE(found);
    EXPECT_EQ(r.Slices.back().BaseSoil, 1);
    EXPECT_EQ(r.Slices.front().BaseSoil, 2);
}

TEST(DefinedSurfaceTrimming, PointsStraightAboveEachOtherMakeASliceOneCentimetreWide)
{
    Job job = FaceJob();
    SetPoints(job, {{4.0f, 4.0f}, {7.0f, 5.0f}, {7.0f, 5.5f}, {12.0f, 10.0f}});
    const DefinedSurfaceResult r = Analyse(std::move(job));
    ASSERT_NE(r.Slip.StabilityFactor, kInvalidFactor);
    const auto step = std::find_if(r.Slices.begin(), r.Slices.end(), [](const Slice& s) { return s.XLeft == 7.0f; });
    ASSERT_NE(step, r.Slices.end());
    EXPECT_NEAR(step->Width, 0.01f, 1e-5f);
    EXPECT_NEAR(step->BaseAngle, std::atan(0.5f / 0.01f), 1e-4f);
}

TEST(DefinedSurfaceTrimming, SurfaceThatTurnsBackInXIsNotAvailable)
{
    Job job = FaceJob();
    SetPoints(job, {{4.0f, 4.0f}, {8.0f, 5.0f}, {7.0f, 6.0f}, {12.0f, 10.0f}});
    const DefinedSurfaceResult r = Analyse(std::move(job));
    EXPECT_EQ(r.Slip.StabilityFactor, kInvalidFactor);
    EXPECT_TRUE(r.Slices.empty());
}

TEST(DefinedSurfaceReinforced, LayersAddToTheRestoringSide)
{
    Job job = FaceJob(30.0f, 2.0f);
    AddBlock(job, 1.0f, 8.0f, 1.0f, 8.0f, 20.0f);
    SetPoints(job, {{1.5f, 1.5f}, {6.0f, 4.0f}, {13.0f, 10.0f}});
    Prepared p(std::move(job));
    const DefinedSurfaceResult r = AnalyseDefinedSurface(p.Input());
    ASSERT_NE(r.Slip.StabilityFactor, kInvalidFactor);
    const float reinforcement = ComputeReinforcementForce(p.Input(), SlipKind::Defined, r.Slices, 0.0f).Force;
    EXPECT_GT(reinforcement, 0.0f);
    EXPECT_EQ(r.Slip.ReinforcementForce, reinforcement);
    // The factor is the last force balance of the iteration, reinforcement on the restoring side.
    EXPECT_NEAR(r.Slip.StabilityFactor, (r.Slip.SoilForce + reinforcement) / r.Slip.DisturbingForce, 1e-5f);

    p.job.Reinforcement.clear();
    p.Rebuild();
    const DefinedSurfaceResult bare = AnalyseDefinedSurface(p.Input());
    EXPECT_LT(bare.Slip.StabilityFactor, r.Slip.StabilityFactor);
}

} // namespace
} // namespace clv
