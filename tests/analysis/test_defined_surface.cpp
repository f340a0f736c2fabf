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

} // namespace
} // namespace clv::test
