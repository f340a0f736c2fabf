// The circle search: the automatic geometry, the numbering of the slips, the
// growth of the grid towards the minimum, the slip limit and the refusals.

#include "analysis/circle_search.h"
#include "model/job_file.h"
#include "support/test_paths.h"
#include "test_circle_jobs.h"

#include <gtest/gtest.h>

#include <cmath>

namespace clv::test {
namespace {

// ---------------------------------------------------------------------------
// Automatic geometry

TEST(CircleSearch, AutomaticGeometryFromTheGroundProfile)
{
    // Toe (0, 0), crest (30, 10): d = 30, points every 6 m from -6 to 12 on the
    // ground, a 4 x 4 grid at 1 m from (1, 11).
    Analysed a(OneSoilJob({{0, 0}, {10, 0}, {30, 10}, {50, 10}}, 20.0f, 30.0f, 5.0f));
    a.job.Slip.AutoExtendGrid = kFalse;
    a.Search();
    const SlipSettings& s = a.job.Slip;
    EXPECT_EQ(s.CommonXInc, 6.0f);
    EXPECT_EQ(s.CommonXMin, -6.0f);
    EXPECT_EQ(s.CommonXMax, 12.0f);
    EXPECT_EQ(s.CommonY, kNoLevel);
    EXPECT_EQ(s.GridXMin, 1.0f);
    EXPECT_EQ(s.GridXMax, 4.0f);
    EXPECT_EQ(s.GridXInc, 1.0f);
    EXPECT_EQ(s.GridYMin, 11.0f);
    EXPECT_EQ(s.GridYMax, 14.0f);
    EXPECT_EQ(s.GridYInc, 1.0f);
    EXPECT_TRUE(IsSet(s.AutoExtendGrid));

    // Higher than 30 m apart the grid steps by 2; the toe x is rounded to 2 decimals.
    Analysed tall(OneSoilJob({{0.123f, 0}, {40.123f, 20}, {60, 20}}, 20.0f, 30.0f, 5.0f));
    tall.Search();
    EXPECT_EQ(tall.job.Slip.CommonXInc, 8.0f);
    EXPECT_FLOAT_EQ(tall.job.Slip.CommonXMin, 0.12f - 8.0f);
    EXPECT_EQ(tall.job.Slip.GridXMin, 2.0f);
    EXPECT_EQ(tall.job.Slip.GridXMax, 8.0f);
    EXPECT_EQ(tall.job.Slip.GridYMin, 22.0f);
    EXPECT_EQ(tall.job.Slip.GridYInc, 2.0f);

    // Crest no more than 0.5 m from the toe: one point, at the toe itself.
    Analysed flat(OneSoilJob({{5, 2}, {9, 2}, {20, 1}}, 20.0f, 30.0f, 5.0f));
    flat.Search();
    EXPECT_EQ(flat.job.Slip.CommonXInc, 1.0f);
    EXPECT_EQ(flat.job.Slip.CommonXMin, 20.0f);
    EXPECT_EQ(flat.job.Slip.CommonXMax, 20.0f);
    EXPECT_EQ(flat.job.Slip.CommonY, 1.0f);
}

// ---------------------------------------------------------------------------
// Numbering and circles

/** A search state of `cx` x `cy` centres at 1 m and `points` line points, all slips empty. */
CircleSearchResult Grid(int cx, int cy, int points)
{
    CircleSearchResult r;
    r.CentresX = cx;
    r.CentresY = cy;
    r.CommonPoints = points;
    r.CentreCount = cx * cy;
    r.CurrentMinX = 10.0f;
    r.CurrentMaxX = 10.0f + static_cast<float>(cx - 1);
    r.CurrentMinY = 20.0f;
    r.CurrentMaxY = 20.0f + static_cast<float>(cy - 1);
    r.Slips.resize(static_cast<std::size_t>(cx * cy * points));
    return r;
}

Job GridJob(float commonY = kNoLevel)
{
    Job job = OneSoilJob({{0, 0}, {10, 0}, {30, 10}, {50, 10}}, 20.0f, 30.0f, 5.0f);
    SlipSettings& s = job.Slip;
    s.AutoGenerate = kFalse;
    s.AutoExtendGrid = kTrue;
    s.GridXInc = s.GridYInc = 1.0f;
    s.CommonXMin = 4.0f;
    s.CommonXMax = 12.0f;
    s.CommonXInc = 8.0f;
    s.CommonY = commonY;
    return job;
}

TEST(CircleSearch, SlipsNumberXFastestThenYThenLinePoint)
{
    // CommonY -100000 puts every line point on the ground: (4, 0) and (12, 1).
    Analysed a(GridJob());
    CircleSearchResult r = Grid(3, 2, 2);
    AssignCircles(a.job, a.table, r);
    const SlipResult& slip8 = r.Slips[7]; // p = 2, j = 1, i = 2
    EXPECT_EQ(slip8.CentreX, 11.0f);
    EXPECT_EQ(slip8.CentreY, 20.0f);
    EXPECT_FLOAT_EQ(slip8.Radius, std::hypot(11.0f - 12.0f, 20.0f - 1.0f));
    const SlipResult& slip6 = r.Slips[5]; // p = 1, j = 2, i = 3
    EXPECT_EQ(slip6.CentreX, 12.0f);
    EXPECT_EQ(slip6.CentreY, 21.0f);
    EXPECT_FLOAT_EQ(slip6.Radius, std::hypot(12.0f - 4.0f, 21.0f));

    // A common level puts the points on that level instead.
    Analysed level(GridJob(-3.0f));
    AssignCircles(level.job, level.table, r);
    EXPECT_FLOAT_EQ(r.Slips[7].Radius, std::hypot(11.0f - 12.0f, 23.0f));
}

TEST(CircleSearch, OnlySlipsWithoutAResultAreAnalysed)
{
    Analysed a(GridJob());
    CircleSearchResult r = Grid(2, 2, 1);
    r.Slips[1].StabilityFactor = 5.0f; // analysed in an earlier pass
    SliceList slices;
    SlicingScratch scratch;
    AnalysePendingSlips(a.Input(), r, slices, scratch);
    EXPECT_EQ(r.Slips[1].StabilityFactor, 5.0f);
    for (int n : {0, 2, 3})
        EXPECT_NE(r.Slips[static_cast<std::size_t>(n)].StabilityFactor, 0.0f) << n;
}

TEST(CircleSearch, TiesKeepTheLowerSlipNumber)
{
    auto slips = [](std::initializer_list<float> factors) {
        std::vector<SlipResult> list;
        for (float f : factors) {
            list.emplace_back();
            list.back().StabilityFactor = f;
        }
        return list;
    };
    EXPECT_EQ(FindCriticalSlip(slips({2.0f, 1.5f, 1.5f, 3.0f})), 2);
    EXPECT_EQ(FindCriticalSlip(slips({kInvalidFactor, 1.9f, kInvalidFactor})), 2);
    // All invalid: the first; nothing below 1000000: slip 1 as well.
    EXPECT_EQ(FindCriticalSlip(slips({kInvalidFactor, kInvalidFactor})), 1);
    EXPECT_EQ(FindCriticalSlip(slips({2e6f, 3e6f})), 1);
}

// ---------------------------------------------------------------------------
// Growing the grid

/** A 3 x 3 grid of one or two line points with slip n holding the factor n, critical at `centre`. */
CircleSearchResult Critical(int centre, int points = 1)
{
    CircleSearchResult r = Grid(3, 3, points);
    for (std::size_t n = 0; n < r.Slips.size(); ++n)
        r.Slips[n].StabilityFactor = static_cast<float>(n + 1);
    r.CriticalSlip = centre;
    r.CriticalCentre = centre;
    return r;
}

TEST(CircleSearch, CriticalCentreOnTheLeftAddsAColumnOnTheLeft)
{
    Analysed a(GridJob());
    CircleSearchResult r = Critical(4, 2); // column 1, row 2
    AssignCircles(a.job, a.table, r);
    const SlipResult before = r.Slips[12]; // p = 2, j = 2, i = 1
    ASSERT_TRUE(ExtendGrid(a.job, r, {}));
    EXPECT_EQ(r.CentresX, 4);
    EXPECT_EQ(r.CentreCount, 12);
    EXPECT_EQ(r.CurrentMinX, 9.0f);
    ASSERT_EQ(r.Slips.size(), 24u);
    // Old results move to their new numbers; the new column waits for the next pass.
    const SlipResult& moved = r.Slips[12 + 4 + 1]; // p = 2, j = 2, i = 2
    EXPECT_EQ(moved.StabilityFactor, before.StabilityFactor);
    for (int j = 0; j < 3; ++j)
        for (int p = 0; p < 2; ++p)
            EXPECT_EQ(r.Slips[static_cast<std::size_t>(p * 12 + j * 4)].StabilityFactor, 0.0f);
    // and keep their centres.
    AssignCircles(a.job, a.table, r);
    EXPECT_FLOAT_EQ(moved.CentreX, before.CentreX);
    EXPECT_FLOAT_EQ(moved.CentreY, before.CentreY);
    EXPECT_FLOAT_EQ(moved.Radius, before.Radius);
}

TEST(CircleSearch, ColumnsAreTestedBeforeRows)
{
    Analysed a(GridJob());
    CircleSearchResult corner = Critical(9); // top-right corner: a column on the right first
    ASSERT_TRUE(ExtendGrid(a.job, corner, {}));
    EXPECT_EQ(corner.CentresX, 4);
    EXPECT_EQ(corner.CentresY, 3);
    EXPECT_EQ(corner.CurrentMaxX, 13.0f);
    EXPECT_EQ(corner.Slips[11].StabilityFactor, 0.0f); // the new column (i = 4) of row 3...
    EXPECT_EQ(corner.Slips[3].StabilityFactor, 0.0f);  // ...and of row 1
    EXPECT_EQ(corner.Slips[4].StabilityFactor, 4.0f); // old slip 4 (i = 1, j = 2) is now slip 5

    CircleSearchResult bottom = Critical(2); // column 2, row 1: a row at the bottom
    ASSERT_TRUE(ExtendGrid(a.job, bottom, {}));
    EXPECT_EQ(bottom.CentresY, 4);
    EXPECT_EQ(bottom.CurrentMinY, 19.0f);
    EXPECT_EQ(bottom.Slips[3].StabilityFactor, 1.0f); // old slip 1 is now slip 4

    CircleSearchResult top = Critical(8); // column 2, row 3: a row at the top
    ASSERT_TRUE(ExtendGrid(a.job, top, {}));
    EXPECT_EQ(top.CentresY, 4);
    EXPECT_EQ(top.CurrentMaxY, 23.0f);
    EXPECT_EQ(top.Slips[0].StabilityFactor, 1.0f);

    CircleSearchResult inside = Critical(5);
    EXPECT_FALSE(ExtendGrid(a.job, inside, {}));
    EXPECT_EQ(inside.Slips.size(), 9u);
}

TEST(CircleSearch, NoExtensionTowardsAnInvalidMinimum)
{
    // The critical slip is the lowest of all; when even it is invalid no circle of the
    // grid has a result, and there is no minimum to grow towards.
    Analysed a(GridJob());
    CircleSearchResult r = Critical(1);
    for (SlipResult& s : r.Slips)
        s.StabilityFactor = kInvalidFactor;
    EXPECT_FALSE(ExtendGrid(a.job, r, {}));
    EXPECT_EQ(r.CentresX, 3);
}

TEST(CircleSearch, SlipLimit)
{
    Analysed a(GridJob());
    std::vector<std::string> notices;
    const NoticeFn collect = [&notices](const std::string& text) { notices.push_back(text); };

    // 3 x 3 centres and 56 points: 504 slips, past the limit: the notice, no growth.
    CircleSearchResult r = Critical(1, 56);
    EXPECT_FALSE(ExtendGrid(a.job, r, collect));
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0], "Maximum number of slips (500) has been exceeded\rCheck data and edit if required");

    // 495 slips: the limit is tested before growing, so the grid still grows past it.
    CircleSearchResult under = Critical(1, 55);
    EXPECT_TRUE(ExtendGrid(a.job, under, collect));
    EXPECT_EQ(under.Slips.size(), 660u);
    EXPECT_EQ(notices.size(), 1u);

    // Neither extension nor automatic geometry: never grown, never a notice.
    a.job.Slip.AutoExtendGrid = kFalse;
    CircleSearchResult quiet = Critical(1, 56);
    EXPECT_FALSE(ExtendGrid(a.job, quiet, collect));
    EXPECT_EQ(notices.size(), 1u);
}

// ---------------------------------------------------------------------------
// Whole searches

TEST(CircleSearch, GridGrowsUntilTheMinimumIsInside)
{
    // A grid far to the right of the critical region must walk left, one column per pass.
    Analysed a(OneSoilJob({{0, 0}, {10, 0}, {30, 10}, {50, 10}}, 20.0f, 30.0f, 5.0f));
    SlipSettings& s = a.job.Slip;
    s.AutoGenerate = kFalse;
    s.AutoExtendGrid = kTrue;
    s.GridXMin = 28.0f;
    s.GridXMax = 30.0f;
    s.GridYMin = 20.0f;
    s.GridYMax = 22.0f;
    s.GridXInc = s.GridYInc = 1.0f;
    s.CommonXMin = s.CommonXMax = 10.0f;
    s.CommonXInc = 1.0f;
    s.CommonY = kNoLevel;
    s.Method = kBishop;
    const CircleSearchResult r = a.Search();
    ASSERT_NE(r.Critical(), nullptr);
    EXPECT_TRUE(a.notices.empty());
    EXPECT_LT(r.CurrentMinX, 28.0f);
    // The critical centre ended inside the grid, not on an edge.
    const int col = (r.CriticalCentre - 1) % r.CentresX + 1;
    const int row = (r.CriticalCentre - 1) / r.CentresX + 1;
    EXPECT_GT(col, 1);
    EXPECT_LT(col, r.CentresX);
    EXPECT_GT(row, 1);
    EXPECT_LT(row, r.CentresY);
    EXPECT_EQ(r.Slips.size(), static_cast<std::size_t>(r.CentresX * r.CentresY));
    EXPECT_FLOAT_EQ(r.Critical()->CentreX, r.CurrentMinX + static_cast<float>(col - 1));
}

/** A bundled example job, as the program opens it. */
Job Example(const std::string& name)
{
    JobSession session;
    session.JobFilePath = (ExamplesDir() / (name + ".clv")).string();
    EXPECT_FALSE(OpenJob(session).has_value()) << name;
    return session.job;
}

TEST(CircleSearch, BundledExamples)
{
    for (const char* name : {"cutting", "layered_slope", "reinforced_embankment"}) {
        float felleniusFactor = 0.0f;
        for (Integer method : {kFellenius, kBishop}) {
            Analysed a(Example(name));
            a.job.Slip.Method = method;
            const CircleSearchResult r = a.Search();
            ASSERT_NE(r.Critical(), nullptr) << name;
            const float critical = r.Critical()->StabilityFactor;
            EXPECT_GT(critical, 0.5f) << name;
            EXPECT_LT(critical, 5.0f) << name;
            EXPECT_FALSE(r.CriticalSlices.empty()) << name;

            // The critical slip is the lowest of all, and each centre's minimum is the
            // lowest of its circles.
            for (std::size_t n = 0; n < r.Slips.size(); ++n) {
                EXPECT_GE(r.Slips[n].StabilityFactor, critical) << name << n;
                EXPECT_NE(r.Slips[n].StabilityFactor, 0.0f) << name << n; // every slip analysed
                const std::size_t centre = n % static_cast<std::size_t>(r.CentreCount);
                EXPECT_LE(r.Slips[centre].CentreMinimum, r.Slips[n].StabilityFactor) << name << n;
            }
            if (method == kFellenius)
                felleniusFactor = critical;
            else
                EXPECT_GE(critical, felleniusFactor) << name; // Bishop >= Fellenius on ordinary slopes
        }
    }
}

TEST(CircleSearch, AllCirclesInvalid)
{
    // A grid of centres far below the ground: no circle reaches it.
    Analysed a(GridJob(-200.0f));
    a.job.Slip.GridXMin = 10.0f;
    a.job.Slip.GridXMax = 12.0f;
    a.job.Slip.GridYMin = -120.0f;
    a.job.Slip.GridYMax = -118.0f;
    const CircleSearchResult r = a.Search();
    ASSERT_EQ(r.Slips.size(), 18u); // not grown
    EXPECT_EQ(r.CriticalSlip, 1);
    EXPECT_EQ(r.Critical()->StabilityFactor, kInvalidFactor);
    EXPECT_EQ(r.Slips[0].CentreMinimum, kInvalidFactor);
    EXPECT_TRUE(r.CriticalSlices.empty());
    EXPECT_TRUE(a.notices.empty());
}

TEST(CircleSearch, ZeroPartialFactorEndsWithInvalidCircles)
{
    // Every design strength divides by zero: no crash, no endless growth.
    Analysed a(Example("layered_slope"));
    a.job.Factors.RamificationsOfFailure = 0.0f;
    for (Integer method : {kFellenius, kBishop, kBs8006, kJanbu, kRigorous}) {
        a.job.Slip.Method = method;
        const CircleSearchResult r = a.Search();
        ASSERT_NE(r.Critical(), nullptr);
        EXPECT_EQ(r.Critical()->StabilityFactor, kInvalidFactor) << method;
    }
}

TEST(CircleSearch, GridsThatCannotBeSearchedAreRefused)
{
    // 1001 x 1001 centres would pass the 16-bit slip count: refused before anything is made.
    Analysed big(GridJob());
    big.job.Slip.AutoExtendGrid = kFalse;
    big.job.Slip.GridXMin = 0.0f;
    big.job.Slip.GridXMax = 100.0f;
    big.job.Slip.GridXInc = 0.1f;
    big.job.Slip.GridYMin = 0.0f;
    big.job.Slip.GridYMax = 100.0f;
    big.job.Slip.GridYInc = 0.1f;
    CircleSearchResult r = big.Search();
    EXPECT_TRUE(r.Slips.empty());
    EXPECT_EQ(r.Critical(), nullptr);
    ASSERT_EQ(big.notices.size(), 1u);
    EXPECT_NE(big.notices[0].find("32767"), std::string::npos);

    // An increment of zero would never reach the maximum.
    Analysed zero(GridJob());
    zero.job.Slip.CommonXInc = 0.0f;
    zero.job.Slip.CommonXMax = 10.0f;
    r = zero.Search();
    EXPECT_TRUE(r.Slips.empty());
    EXPECT_EQ(zero.notices.size(), 1u);

    // No ground surface: nothing to search, nothing said (the tab checks tell the user).
    Analysed empty(MakeDefaultJob());
    r = empty.Search();
    EXPECT_TRUE(r.Slips.empty());
    EXPECT_TRUE(empty.notices.empty());
}

TEST(CircleSearch, LastPointOfARangeSurvivesRounding)
{
    // 7.31 + 3 x 4.88 = 21.95 in single precision; the fourth point is kept.
    Analysed a(GridJob());
    a.job.Slip.AutoExtendGrid = kFalse;
    a.job.Slip.CommonXMin = 7.31f;
    a.job.Slip.CommonXInc = 4.88f;
    a.job.Slip.CommonXMax = 21.95f;
    a.job.Slip.GridXMin = 0.3f;
    a.job.Slip.GridXInc = 0.1f;
    a.job.Slip.GridXMax = 0.6f;
    const CircleSearchResult r = a.Search();
    EXPECT_EQ(r.CommonPoints, 4);
    EXPECT_EQ(r.CentresX, 4);
    EXPECT_FLOAT_EQ(r.CurrentMaxX, 0.6f);
}

} // namespace
} // namespace clv::test
