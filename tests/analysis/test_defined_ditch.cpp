// A defined surface drawn straight over a ditch passes through the air between
// its points: more than 1 mm above the ground at a slice boundary, it is "N/A".

#include "analysis/defined_surface.h"
#include "test_jobs.h"

namespace clv::test {
namespace {

DefinedSurfaceResult OverDitch(float ditchBottom)
{
    // Toe flat at 0 with a ditch from x = -6 to -4, its bottom at (-5, ditchBottom);
    // the 1:1 face from (0, 0) to the crest (10, 10). The surface (-8, 0) - (-2, -1) -
    // (4, 1) - (14, 10) is at -0.5 at x = -5, where the ditch station makes a
    // boundary; everywhere else it lies under the ground (-0.33 at x = -6, -0.67 at
    // x = -4, -0.33 at x = 0, 6.4 at x = 10).
    Job job = OneSoilJob({{-20, 0}, {-6, 0}, {-5, ditchBottom}, {-4, 0}, {0, 0}, {10, 10}, {40, 10}}, 20.0f,
                         30.0f, 5.0f);
    job.UserPoints = {{-8, 0}, {-2, -1}, {4, 1}, {14, 10}};
    Analysed a(std::move(job));
    return AnalyseDefinedSurface(a.Input());
}

TEST(DefinedSurface, ABaseInTheAirOverADitchIsNotAvailable)
{
    const struct {
        float bottom;
        bool available;
    } cases[] = {
        {-0.4995f, true},  // the ground 0.0005 above the base: under ground
        {-0.5005f, true},  // the base 0.0005 above the ground: within the millimetre
        {-0.5015f, false}, // 0.0015 above: in the air
        {-1.0f, false},    // half a metre of air: a slice of negative weight
    };
    for (const auto& c : cases) {
        const DefinedSurfaceResult r = OverDitch(c.bottom);
        EXPECT_EQ(FactorText(r.Slip.StabilityFactor, "N/A") != "N/A", c.available) << c.bottom;
        EXPECT_EQ(r.Slices.empty(), !c.available) << c.bottom;
        for (const Slice& s : r.Slices)
            EXPECT_GT(s.Weight, -0.01f) << c.bottom;
    }
}

} // namespace
} // namespace clv::test
