// The circle search: the growth of the grid towards the minimum, its guard, the
// slip limit, the critical slip, the grids that cannot be searched and the
// automatic geometry. The ACADS search is in test_published.cpp.

#include "test_jobs.h"

#include <algorithm>

namespace clv::test {
namespace {

// Manual grid at 1 m, extension on, line points at x = 4 and 12 on the ground: (4, 0) and (12, 1).
Job GridJob()
{
    Job job = OneSoilJob({{0, 0}, {10, 0}, {30, 10}, {50, 10}}, 20.0f, 30.0f, 5.0f);
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

TEST(CircleSearch, TiesKeepTheLowerSlipNumber)
{
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

TEST(CircleSearch, GridGrowsTowardsTheCriticalCentreByItsOwnIncrements)
{
    // x by 0.5 and y by 2. Critical centre; then CentresX, CentresY, the grid's bounds
    // and the new numbers of slips 1 and 10, the first circles of the two line points.
    Job job = GridJob();
    job.Slip.GridXInc = 0.5f, job.Slip.GridYInc = 2.0f;
    const std::pair<int, std::vector<float>> cases[] = {
        {4, {4, 3, 9.5f, 12, 20, 22, 2, 14}},  // left edge: a column on the left
        {9, {4, 3, 10, 12.5f, 20, 22, 1, 13}}, // top-right corner: a column on the right before a row
        {2, {3, 4, 10, 12, 18, 22, 4, 16}},    // bottom edge: a row at the bottom
        {8, {3, 4, 10, 12, 20, 24, 1, 13}},    // top edge: a row at the top
    };
    for (const auto& [centre, expected] : cases) {
        CircleSearchResult r = Grid(3, 3, 2, centre);
        ASSERT_TRUE(ExtendGrid(job, r, {}));
        auto numberOf = [&r](float factor) {
            const auto at = std::find_if(r.Slips.begin(), r.Slips.end(),
                                         [factor](const SlipResult& s) { return s.StabilityFactor == factor; });
            return static_cast<float>(at - r.Slips.begin() + 1);
        };
        EXPECT_EQ(std::vector<float>({static_cast<float>(r.CentresX), static_cast<float>(r.CentresY), r.CurrentMinX,
                                      r.CurrentMaxX, r.CurrentMinY, r.CurrentMaxY, numberOf(1), numberOf(10)}),
                  expected) << centre;
        // The 6 circles of the new column or row wait, empty, for the next pass.
        const auto empty = [](const SlipResult& s) { return s.StabilityFactor == 0.0f; };
        EXPECT_EQ(std::count_if(r.Slips.begin(), r.Slips.end(), empty), 6) << centre;
    }
    CircleSearchResult inside = Grid(3, 3, 1, 5);
    EXPECT_FALSE(ExtendGrid(job, inside, {}));
    // The centres follow the increments too: column 2 of row 3 is at (10.5, 24).
    Analysed a(std::move(job));
    CircleSearchResult r = Grid(3, 3, 1);
    r.CurrentMaxX = 11.0f, r.CurrentMaxY = 24.0f;
    AssignCircles(a.job, a.table, r);
    ASSERT_EQ(r.Slips.size(), 9u);
    EXPECT_EQ(r.Slips[7].CentreX, 10.5f);
    EXPECT_EQ(r.Slips[7].CentreY, 24.0f);
}

TEST(CircleSearch, GuardAndSlipLimitStopTheGrowth)
{
    Analysed a(GridJob());
    // An invalid critical slip is the lowest of all: no valid minimum to grow towards.
    CircleSearchResult invalid = Grid(3, 3, 1);
    for (SlipResult& s : invalid.Slips)
        s.StabilityFactor = kInvalidFactor;
    EXPECT_FALSE(ExtendGrid(a.job, invalid, a.Collector()));
    // 3 x 3 centres and 56 points: 504 slips, past the limit: the notice, no growth.
    CircleSearchResult over = Grid(3, 3, 56);
    EXPECT_FALSE(ExtendGrid(a.job, over, a.Collector()));
    EXPECT_EQ(a.notices, std::vector<std::string>{
                             "Maximum number of slips (500) has been exceeded\rCheck data and edit if required"});
    // 495 slips: the limit is tested before growing, so the grid still grows past it.
    CircleSearchResult under = Grid(3, 3, 55);
    EXPECT_TRUE(ExtendGrid(a.job, under, a.Collector()));
    EXPECT_EQ(under.Slips.size(), 660u);
    // Neither extension nor automatic geometry: never grown, never a notice.
    a.job.Slip.AutoExtendGrid = kFalse;
    EXPECT_FALSE(ExtendGrid(a.job, over, a.Collector()));
    EXPECT_EQ(a.notices.size(), 1u);
}

TEST(CircleSearch, GridPointCountsAndGridsThatCannotBeSearched)
{
    // (3.01 + 3 x 0.11 - 3.01) / 0.11 is 2.9999993 in single precision, a hair short
    // of three whole increments: the fourth column is still there.
    Analysed fine(GridJob());
    SlipSettings& s = fine.job.Slip;
    s.AutoExtendGrid = kFalse, s.GridXMin = 3.01f, s.GridXInc = 0.11f, s.GridXMax = 3.01f + 3.0f * 0.11f;
    s.GridYMin = s.GridYMax = 20.0f;
    EXPECT_EQ(fine.Search().CentresX, 4);
    // 1001 x 1001 centres pass the 16-bit slip count: refused before anything is made.
    Analysed big(GridJob());
    big.job.Slip.GridXMin = big.job.Slip.GridYMin = 0.0f, big.job.Slip.GridXMax = big.job.Slip.GridYMax = 100.0f;
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
}

TEST(CircleSearch, AutomaticGeometryFollowsTheGroundProfile)
{
    // Crest: the first highest point; toe: the last lowest point up to the crest, so
    // the foot of the face behind a level foreground, whatever lies beyond the crest;
    // d = crest x - toe x. Four common points from one increment (d / 5) before the
    // toe; a 4 x 4 grid from one step (1 m, or 2 m when d > 30) beyond the toe in x
    // and above the crest in y. A crest no further right than 0.5 m gives the single
    // point at the toe itself.
    // The ground; common points min, max, increment, level; grid x min, x max, y min, y max, step.
    const struct { Points ground; std::vector<float> common, grid; int points; } cases[] = {
        {{{0, 0}, {10, 0}, {30, 10}, {50, 10}}, {6, 18, 4, kNoLevel}, {11, 14, 11, 14, 1}, 4},
        {{{-5, 3}, {0, 2}, {40, 20.5f}, {60, 20.5f}}, {-8, 16, 8, kNoLevel}, {2, 8, 22, 28, 2}, 4},
        {{{0, 10}, {10.3f, 10}, {10.6f, 2.5f}, {30, 2.5f}}, {0, 0, 1, 10}, {1, 4, 11, 14, 1}, 1},
        {{{-25, 0}, {0, 0}, {10, 10}, {40, 10}}, {-2, 4, 2, kNoLevel}, {1, 4, 11, 14, 1}, 4},
        {{{-30, 0}, {0, 0}, {10, 10}, {20, 10}, {30, -2}, {40, -2}}, {-2, 4, 2, kNoLevel}, {1, 4, 11, 14, 1}, 4},
        {{{0, 0}, {10, 10}, {40, 10}}, {-2, 4, 2, kNoLevel}, {1, 4, 11, 14, 1}, 4},
    };
    for (const auto& c : cases) {
        Analysed a(OneSoilJob(c.ground, 20.0f, 30.0f, 5.0f));
        a.job.Slip.AutoGenerate = kTrue;
        const CircleSearchResult r = a.Search();
        const SlipSettings& s = a.job.Slip;
        SCOPED_TRACE(testing::Message() << "ground from x = " << c.ground[0].first);
        EXPECT_EQ(std::vector<float>({s.CommonXMin, s.CommonXMax, s.CommonXInc, s.CommonY}), c.common);
        EXPECT_EQ(std::vector<float>({s.GridXMin, s.GridXMax, s.GridYMin, s.GridYMax, s.GridXInc}), c.grid);
        EXPECT_EQ(s.GridYInc, s.GridXInc);
        EXPECT_EQ(r.CommonPoints, c.points);
        EXPECT_TRUE(IsSet(s.AutoExtendGrid));
        ASSERT_NE(r.Critical(), nullptr);
        // A searched slope has a factor.
        EXPECT_TRUE(c.points == 1 || r.Critical()->StabilityFactor != kInvalidFactor);
    }
}

} // namespace
} // namespace clv::test
