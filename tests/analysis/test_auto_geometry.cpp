// The grid of centres and the common points derived from the ground profile:
// the toe is the foot of the rising ground, whatever lies in front of it.

#include "test_jobs.h"

namespace clv::test {
namespace {

TEST(AutoGeometry, TheToeIsTheFootOfTheSlopeBehindALongForeground)
{
    // A level foreground at 0 from x = -25 (or -40) to the toe at (0, 0), the 1:1
    // face to the crest (10, 10). The toe is the last lowest point up to the crest,
    // (0, 0), not the first one 25 m out: d = 10 - 0 = 10, so
    //   common points: increment 10 / 5 = 2, from 0 - 2 = -2 to -2 + 3 x 2 = 4, on the ground;
    //   grid step 1 (d <= 30): x from floor(0) + 1 = 1 to 4, y from floor(10) + 1 = 11 to 14.
    // The search then finds the same critical circle for either foreground.
    float factors[2] = {};
    const float starts[2] = {-25.0f, -40.0f};
    for (int k = 0; k < 2; ++k) {
        Analysed a(OneSoilJob({{starts[k], 0}, {0, 0}, {10, 10}, {40, 10}}, 20.0f, 30.0f, 5.0f));
        a.job.Slip.AutoGenerate = kTrue;
        const CircleSearchResult r = a.Search();
        const SlipSettings& s = a.job.Slip;
        EXPECT_FLOAT_EQ(s.CommonXInc, 2.0f);
        EXPECT_FLOAT_EQ(s.CommonXMin, -2.0f);
        EXPECT_FLOAT_EQ(s.CommonXMax, 4.0f);
        EXPECT_EQ(s.CommonY, kNoLevel);
        EXPECT_EQ(s.GridXMin, 1.0f);
        EXPECT_EQ(s.GridXMax, 4.0f);
        EXPECT_EQ(s.GridXInc, 1.0f);
        EXPECT_EQ(s.GridYMin, 11.0f);
        EXPECT_EQ(s.GridYMax, 14.0f);
        ASSERT_NE(r.Critical(), nullptr);
        factors[k] = r.Critical()->StabilityFactor;
        EXPECT_NE(factors[k], kInvalidFactor);
    }
    EXPECT_FLOAT_EQ(factors[0], factors[1]);
}

TEST(AutoGeometry, GroundBeyondTheCrestDoesNotMoveTheToe)
{
    // Beyond the crest (10, 10) the ground falls to -2, below the toe: only the points
    // up to the crest are looked at, so the toe stays at (0, 0) and the grid at x 1..4.
    // The crest is the first highest point, (10, 10) rather than (20, 10).
    Analysed a(OneSoilJob({{-30, 0}, {0, 0}, {10, 10}, {20, 10}, {30, -2}, {40, -2}}, 20.0f, 30.0f, 5.0f));
    a.job.Slip.AutoGenerate = kTrue;
    a.Search();
    EXPECT_EQ(a.job.Slip.GridXMin, 1.0f);
    EXPECT_FLOAT_EQ(a.job.Slip.CommonXMin, -2.0f);
    EXPECT_EQ(a.job.Slip.GridYMin, 11.0f);

    // A toe that is itself the first point (no foreground) stays where it was.
    Analysed b(OneSoilJob({{0, 0}, {10, 10}, {40, 10}}, 20.0f, 30.0f, 5.0f));
    b.job.Slip.AutoGenerate = kTrue;
    b.Search();
    EXPECT_EQ(b.job.Slip.GridXMin, 1.0f);
    EXPECT_FLOAT_EQ(b.job.Slip.CommonXMin, -2.0f);
}

} // namespace
} // namespace clv::test
