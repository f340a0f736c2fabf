// The slip surface the user defines point by point, on the dry 1:1 face (ground
// y = x from the toe at 0 to the crest at 10): validity and trimming. The planar
// benchmark is in test_published.cpp.

#include "analysis/defined_surface.h"
#include "test_jobs.h"

namespace clv::test {
namespace {

DefinedSurfaceResult Analyse(const std::vector<UserPoint>& points)
{
    Job job = FaceJob();
    job.UserPoints = points;
    Analysed a(std::move(job));
    return AnalyseDefinedSurface(a.Input());
}

TEST(DefinedSurface, PointsThatMakeNoSurfaceAreNotAvailable)
{
    const std::pair<std::vector<UserPoint>, bool> cases[] = {
        {{{2, 2}, {12, 10}}, false},                // fewer than three points
        {{{3, 2.95f}, {6, 4}, {12, 10}}, true},     // first point 0.05 below the ground
        {{{3, 2.8f}, {6, 4}, {12, 10}}, false},     // first point 0.2 below it
        {{{3, 3}, {6, 4}, {12, 9.8f}}, false},      // last point 0.2 below it
        {{{2, 2}, {6, 6}, {14, 10}}, true},         // an intermediate point on the ground
        {{{2, 2}, {6, 6.01f}, {14, 10}}, false},    // an intermediate point 0.01 above it
        {{{4, 4}, {8, 5}, {7, 6}, {12, 10}}, false} // turns back in x: slices would overlap
    };
    for (const auto& [points, valid] : cases) {
        const DefinedSurfaceResult r = Analyse(points);
        EXPECT_EQ(FactorText(r.Slip.StabilityFactor, "N/A") != "N/A", valid) << points[1].Y;
        EXPECT_EQ(r.Slices.empty(), !valid) << points[1].Y;
    }
}

TEST(DefinedSurface, ABaseInTheAirOverADitchIsNotAvailable)
{
    // Toe flat at 0 with a ditch from x = -6 to -4, its bottom at (-5, bottom); the
    // 1:1 face to the crest (10, 10). The surface (-8, 0) - (-2, -1) - (4, 1) - (14, 10)
    // is at -0.5 at x = -5, where the ditch station makes a boundary; everywhere else
    // it lies under the ground. More than 1 mm above the ground it is "N/A".
    const std::pair<float, bool> cases[] = {
        {-0.4995f, true},  // the ground 0.0005 above the base: under ground
        {-0.5005f, true},  // the base 0.0005 above the ground: within the millimetre
        {-0.5015f, false}, // 0.0015 above: in the air
        {-1.0f, false},    // half a metre of air: a slice of negative weight
    };
    for (const auto& [bottom, available] : cases) {
        Job job = OneSoilJob({{-20, 0}, {-6, 0}, {-5, bottom}, {-4, 0}, {0, 0}, {10, 10}, {40, 10}}, 20, 30, 5);
        job.UserPoints = {{-8, 0}, {-2, -1}, {4, 1}, {14, 10}};
        Analysed a(std::move(job));
        const DefinedSurfaceResult r = AnalyseDefinedSurface(a.Input());
        EXPECT_EQ(FactorText(r.Slip.StabilityFactor, "N/A") != "N/A", available) << bottom;
        EXPECT_EQ(r.Slices.empty(), !available) << bottom;
        for (const Slice& s : r.Slices)
            EXPECT_GT(s.Weight, -0.01f) << bottom;
    }
}

TEST(DefinedSurface, EndsAreTrimmedOntoTheGroundAndStepsKeepAWidth)
{
    // 0.05 below: trimmed up along the first segment (slope 0.35) onto the face at x = 1.9 / 0.65.
    DefinedSurfaceResult r = Analyse({{3, 2.95f}, {6, 4}, {12, 10}});
    EXPECT_NEAR(r.Slices.front().XLeft, 1.9f / 0.65f, 1e-4f);
    EXPECT_NEAR(r.Slices.front().BaseLeft, 1.9f / 0.65f, 1e-4f);
    // In the air: the level first segment meets the face at (4, 4); the last one, from
    // (6, 4) rising 4/3, meets the crest at (10.5, 10).
    r = Analyse({{2, 4}, {6, 4}, {12, 12}});
    ASSERT_FALSE(r.Slices.empty());
    EXPECT_NEAR(r.Slip.EntryX, 4.0f, 1e-4f);
    EXPECT_NEAR(r.Slices.front().BaseLeft, 4.0f, 1e-4f);
    EXPECT_NEAR(r.Slip.ExitX, 10.5f, 1e-4f);
    EXPECT_NEAR(r.Slices.back().BaseRight, 10.0f, 1e-4f);
    // Points straight above each other: a slice 1 cm wide, not one of no width.
    r = Analyse({{4, 4}, {7, 5}, {7, 5.5f}, {12, 10}});
    ASSERT_EQ(r.Slices.size(), 4u); // the crest corner at x = 10 adds a side
    EXPECT_NEAR(r.Slices[1].Width, 0.01f, 1e-5f);
    EXPECT_NEAR(r.Slices[1].BaseAngle, std::atan(0.5f / 0.01f), 1e-4f);
}

TEST(DefinedSurface, ASurfaceAcrossTwoStrata)
{
    // The 1:1 face (gamma 20, phi' 30, c' 0) over a stratum from level 4 down (gamma
    // 22, phi' 35, c' 10), which meets the face at the station (4, 4). The surface
    // (2, 2) (6, 2) (14, 10) is cut there, at the crest corner x = 10 and where it
    // crosses level 4, x = 8: slices [2, 4], [4, 6] and [6, 8] in the lower stratum,
    // [8, 10] and [10, 14] in the upper one. Weights by hand: 22 x 1 x 2 = 44 (the
    // upper stratum has no thickness left of x = 4), (20 x 1 + 22 x 2) x 2 = 128,
    // (20 x 3 + 22) x 2 = 164, 20 x 4 x 2 = 160, 20 x 2 x 4 = 160.
    Job job = FaceJob();
    job.Soils.push_back({.Description = {}, .Density = 22.0f, .Phi = 35.0f, .Cohesion = 10.0f});
    SetPoints(job.Soils[1], {{-20, 4}, {40, 4}});
    job.UserPoints = {{2, 2}, {6, 2}, {14, 10}};
    Analysed a(std::move(job));
    const DefinedSurfaceResult r = AnalyseDefinedSurface(a.Input());
    constexpr int n = 5;
    const float sides[n + 1] = {2, 4, 6, 8, 10, 14};
    const Integer soils[n] = {2, 2, 2, 1, 1};
    const float weights[n] = {44, 128, 164, 160, 160};
    ASSERT_EQ(r.Slices.size(), static_cast<std::size_t>(n));
    for (std::size_t i = 0; i < n; ++i) {
        EXPECT_NEAR(r.Slices[i].XLeft, sides[i], 1e-4f) << i;
        EXPECT_NEAR(r.Slices[i].XRight, sides[i + 1], 1e-4f) << i;
        EXPECT_EQ(r.Slices[i].BaseSoil, soils[i]) << i;
        EXPECT_NEAR(r.Slices[i].Weight, weights[i], 0.01f) << i;
    }
    // Janbu's force balance solved apart in double precision:
    // N = (W - c l sin a / F) / (cos a + tan phi sin a / F), F = sum (c l + N tan phi) cos a / sum N sin a.
    const double t35 = std::tan(35 * M_PI / 180), t30 = std::tan(30 * M_PI / 180), a45 = M_PI / 4;
    const double c[n] = {10, 10, 10, 0, 0}, t[n] = {t35, t35, t35, t30, t30}, alpha[n] = {0, 0, a45, a45, a45};
    const double length[n] = {2, 2, 2 * M_SQRT2, 2 * M_SQRT2, 4 * M_SQRT2};
    double f = 1.0;
    for (int pass = 0; pass < 200; ++pass) {
        double restoring = 0, disturbing = 0;
        for (int i = 0; i < n; ++i) {
            const double normal = (weights[i] - c[i] * length[i] * std::sin(alpha[i]) / f) /
                                  (std::cos(alpha[i]) + t[i] * std::sin(alpha[i]) / f);
            restoring += (c[i] * length[i] + normal * t[i]) * std::cos(alpha[i]);
            disturbing += normal * std::sin(alpha[i]);
        }
        f = restoring / disturbing;
    }
    EXPECT_NEAR(r.Slip.StabilityFactor, f, 0.01);
}

} // namespace
} // namespace clv::test
