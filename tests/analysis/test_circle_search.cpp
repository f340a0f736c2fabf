// The circle search: the automatic geometry, the numbering of the slips, the
// growth of the grid towards the minimum, the slip limit and the refusals.

#include "test_jobs.h"

#include <algorithm>

namespace clv::test {
namespace {

const Points kSlope{{0, 0}, {10, 0}, {30, 10}, {50, 10}};

TEST(CircleSearch, AutomaticGeometryFromTheGroundProfile)
{
    // Points every d / 5 around the toe (on the ground, or at the toe when the crest is
    // within 0.5 m of it); a 4 x 4 grid above the crest, stepping by 2 beyond d = 30.
    const std::pair<Points, std::vector<float>> cases[] = {
        {kSlope, {6, -6, 12, kNoLevel, 1, 4, 1, 11, 14, 1}},
        {{{0.123f, 0}, {40.123f, 20}, {60, 20}}, {8, 0.12f - 8, 0.12f - 8 + 24, kNoLevel, 2, 8, 2, 22, 28, 2}},
        {{{5, 2}, {9, 2}, {20, 1}}, {1, 20, 20, 1, 21, 24, 1, 3, 6, 1}},
    };
    for (const auto& [ground, expected] : cases) {
        Analysed a(OneSoilJob(ground, 20.0f, 30.0f, 5.0f));
        a.Search();
        const SlipSettings& s = a.job.Slip;
        EXPECT_EQ(std::vector<float>({s.CommonXInc, s.CommonXMin, s.CommonXMax, s.CommonY, s.GridXMin, s.GridXMax,
                                      s.GridXInc, s.GridYMin, s.GridYMax, s.GridYInc}),
                  expected);
        EXPECT_TRUE(IsSet(s.AutoExtendGrid));
    }
}

// Manual grid at 1 m, extension on, line points at x = 4 and 12 on the ground: (4, 0) and (12, 1).
Job GridJob()
{
    Job job = OneSoilJob(kSlope, 20.0f, 30.0f, 5.0f);
    SlipSettings& s = job.Slip;
    s.AutoGenerate = kFalse, s.AutoExtendGrid = kTrue, s.GridXInc = s.GridYInc = 1.0f;
    s.CommonXMin = 4.0f, s.CommonXMax = 12.0f, s.CommonXInc = 8.0f, s.CommonY = kNoLevel;
    return job;
}

// A search state of `cx` x `cy` centres from (10, 20) and `points` line points,
// slip n holding the factor n, critical at `centre`.
CircleSearchResult Grid(int cx, int cy, int points, int centre = 1)
{
    CircleSearchResult r;
    r.CentresX = cx, r.CentresY = cy, r.CommonPoints = points, r.CentreCount = cx * cy;
    r.CurrentMinX = 10.0f, r.CurrentMaxX = 10.0f + static_cast<float>(cx - 1);
    r.CurrentMinY = 20.0f, r.CurrentMaxY = 20.0f + static_cast<float>(cy - 1);
    r.Slips.resize(static_cast<std::size_t>(cx * cy * points));
    for (std::size_t n = 0; n < r.Slips.size(); ++n)
        r.Slips[n].StabilityFactor = static_cast<float>(n + 1);
    r.CriticalSlip = r.CriticalCentre = centre;
    return r;
}

TEST(CircleSearch, SlipsNumberXFastestThenYThenLinePointTiesKeepTheLowest)
{
    Analysed a(GridJob());
    CircleSearchResult r = Grid(3, 2, 2);
    AssignCircles(a.job, a.table, r);
    const SlipResult& slip8 = r.Slips[7]; // p = 2, j = 1, i = 2: centre (11, 20) through (12, 1)
    EXPECT_EQ(std::vector<float>({slip8.CentreX, slip8.CentreY, slip8.Radius}),
              std::vector<float>({11, 20, std::hypot(11.0f - 12.0f, 20.0f - 1.0f)}));

    // Of equal factors the lower number; nothing below 1000000 (all invalid): slip 1.
    const std::pair<std::vector<float>, int> ties[] = {
        {{2, 1.5f, 1.5f, 3}, 2}, {{1001, 1.9f, 1001}, 2}, {{1001, 1001}, 1}, {{2e6f, 3e6f}, 1}};
    for (const auto& [factors, critical] : ties) {
        std::vector<SlipResult> slips(factors.size());
        for (std::size_t n = 0; n < slips.size(); ++n)
            slips[n].StabilityFactor = factors[n];
        EXPECT_EQ(FindCriticalSlip(slips), critical);
    }
}

TEST(CircleSearch, GridGrowsTowardsTheCriticalCentreColumnsFirst)
{
    // Critical centre; then CentresX, CentresY, the grid's bounds, and where slip 1 moved.
    const std::pair<int, std::vector<float>> cases[] = {
        {4, {4, 3, 9, 12, 20, 22, 2}},  // left edge: a column on the left
        {9, {4, 3, 10, 13, 20, 22, 1}}, // top-right corner: a column on the right before a row
        {2, {3, 4, 10, 12, 19, 22, 4}}, // bottom edge: a row at the bottom
        {8, {3, 4, 10, 12, 20, 23, 1}}, // top edge: a row at the top
    };
    Analysed a(GridJob());
    for (const auto& [centre, expected] : cases) {
        CircleSearchResult r = Grid(3, 3, 2, centre);
        AssignCircles(a.job, a.table, r);
        const std::vector<SlipResult> before = r.Slips;
        ASSERT_TRUE(ExtendGrid(a.job, r, {}));
        ASSERT_EQ(r.Slips.size(), 24u);
        const auto moved = std::find_if(r.Slips.begin(), r.Slips.end(),
                                        [](const SlipResult& s) { return s.StabilityFactor == 1.0f; });
        EXPECT_EQ(std::vector<float>({static_cast<float>(r.CentresX), static_cast<float>(r.CentresY),
                                      r.CurrentMinX, r.CurrentMaxX, r.CurrentMinY, r.CurrentMaxY,
                                      static_cast<float>(moved - r.Slips.begin() + 1)}),
                  expected) << centre;
        // Old results keep their circles under their new numbers; the 6 new slips are empty.
        AssignCircles(a.job, a.table, r);
        int empty = 0;
        for (const SlipResult& s : r.Slips) {
            const auto n = static_cast<std::size_t>(s.StabilityFactor);
            const SlipResult* old = n == 0 ? nullptr : &before[n - 1];
            empty += old ? 0 : 1;
            EXPECT_TRUE(!old || (s.CentreX == old->CentreX && s.CentreY == old->CentreY && s.Radius == old->Radius));
        }
        EXPECT_EQ(empty, 6);
    }
    CircleSearchResult inside = Grid(3, 3, 1, 5);
    EXPECT_FALSE(ExtendGrid(a.job, inside, {}));
}

TEST(CircleSearch, GuardAndSlipLimitStopTheGrowth)
{
    Analysed a(GridJob());
    const NoticeFn collect = a.Collector();
    // An invalid critical slip is the lowest of all: no valid minimum to grow towards.
    CircleSearchResult invalid = Grid(3, 3, 1);
    for (SlipResult& s : invalid.Slips)
        s.StabilityFactor = kInvalidFactor;
    EXPECT_FALSE(ExtendGrid(a.job, invalid, collect));
    // 3 x 3 centres and 56 points: 504 slips, past the limit: the notice, no growth.
    CircleSearchResult over = Grid(3, 3, 56);
    EXPECT_FALSE(ExtendGrid(a.job, over, collect));
    EXPECT_EQ(a.notices, std::vector<std::string>{
                             "Maximum number of slips (500) has been exceeded\rCheck data and edit if required"});
    // 495 slips: the limit is tested before growing, so the grid still grows past it.
    CircleSearchResult under = Grid(3, 3, 55);
    EXPECT_TRUE(ExtendGrid(a.job, under, collect));
    EXPECT_EQ(under.Slips.size(), 660u);
    // Neither extension nor automatic geometry: never grown, never a notice.
    a.job.Slip.AutoExtendGrid = kFalse;
    EXPECT_FALSE(ExtendGrid(a.job, over, collect));
    EXPECT_EQ(a.notices.size(), 1u);

    // In a whole search: centres far below the ground reach no circle; nothing grows,
    // slip 1 is critical.
    Analysed below(GridJob());
    SlipSettings& s = below.job.Slip;
    s.GridXMin = 10.0f, s.GridXMax = 12.0f, s.GridYMin = -120.0f, s.GridYMax = -118.0f, s.CommonY = -200.0f;
    const CircleSearchResult r = below.Search();
    EXPECT_EQ(r.Slips.size(), 18u);
    EXPECT_EQ(r.CriticalSlip, 1);
    EXPECT_EQ(r.Slips[0].CentreMinimum, kInvalidFactor);
    EXPECT_TRUE(r.CriticalSlices.empty() && below.notices.empty());
}

TEST(CircleSearch, GridsThatCannotBeSearchedAreRefused)
{
    // 1001 x 1001 centres pass the 16-bit slip count: refused before anything is made.
    Analysed big(GridJob());
    big.job.Slip.GridXMin = big.job.Slip.GridYMin = 0.0f;
    big.job.Slip.GridXMax = big.job.Slip.GridYMax = 100.0f;
    big.job.Slip.GridXInc = big.job.Slip.GridYInc = 0.1f;
    EXPECT_TRUE(big.Search().Slips.empty());
    ASSERT_EQ(big.notices.size(), 1u);
    EXPECT_NE(big.notices[0].find("32767"), std::string::npos);
    // An increment of zero would never reach the maximum; without a ground surface
    // there is nothing to search and nothing to say (the tab checks tell the user).
    Analysed still(GridJob()), empty(MakeDefaultJob());
    still.job.Slip.CommonXInc = 0.0f;
    EXPECT_TRUE(still.Search().Slips.empty() && empty.Search().Slips.empty());
    EXPECT_EQ(still.notices.size(), 1u);
    EXPECT_TRUE(empty.notices.empty());

    // 7.31 + 3 x 4.88 = 21.95 and 0.3 + 3 x 0.1 = 0.6 in single precision: the last
    // points of the ranges survive the rounding.
    Analysed a(GridJob());
    SlipSettings& s = a.job.Slip;
    s.AutoExtendGrid = kFalse, s.CommonXMin = 7.31f, s.CommonXInc = 4.88f, s.CommonXMax = 21.95f;
    s.GridXMin = 0.3f, s.GridXInc = 0.1f, s.GridXMax = 0.6f;
    const CircleSearchResult r = a.Search();
    EXPECT_EQ(r.CommonPoints, 4);
    EXPECT_EQ(r.CentresX, 4);
    EXPECT_FLOAT_EQ(r.CurrentMaxX, 0.6f);
}

} // namespace
} // namespace clv::test
