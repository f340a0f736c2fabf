// The page arithmetic: font shrinking, rows, the page estimate, the refusal of
// a page too short for a table.

#include "recording_device.h"

#include "report/page_layout.h"

#include <gtest/gtest.h>

namespace clv::report {
namespace {

// A font whose column is half its size in points and whose line is its size.
FontMeasure HalfWidth(float points) { return {points / 2.0f, points}; }

TEST(PageSetUp, ShrinksInStepsUntilMoreThanNinetyEightColumnsAndCountsWholeRowsLessOne)
{
    // 15 + 588 + 3 = 606 wide: at 12 points a column is 6, so exactly 98 columns: too few, one step smaller.
    const PageLayout p = ComputePageLayout(606.0f, 400.0f, Margins{}, HalfWidth);
    EXPECT_FLOAT_EQ(p.FontSize, 12.0f - 0.05f);
    EXPECT_FLOAT_EQ(p.ColumnWidth, (12.0f - 0.05f) / 2.0f);
    EXPECT_GT(p.ColumnsPerLine, 98.0f);
    const PageLayout wider = ComputePageLayout(606.06f, 400.0f, Margins{}, HalfWidth);
    EXPECT_FLOAT_EQ(wider.FontSize, 12.0f);
    EXPECT_NEAR(wider.ColumnsPerLine, 98.01f, 0.001f);
    // 100 usable: more than 98 columns needs a column below 100/98, a size below 2.0408.
    const PageLayout narrow = ComputePageLayout(118.0f, 400.0f, Margins{}, HalfWidth);
    EXPECT_LT(narrow.FontSize, 2.0408f);
    EXPECT_GT(narrow.FontSize + 0.05f, 2.0408f); // one step larger would still be too few columns
    EXPECT_GT(narrow.ColumnsPerLine, 98.0f);
    const auto huge = [](float points) { return FontMeasure{1000.0f + points, points}; };
    const PageLayout tiny = ComputePageLayout(210.0f, 297.0f, Margins{}, huge);
    EXPECT_LT(tiny.FontSize, 0.2f);
    EXPECT_GE(tiny.FontSize, 0.15f - 1e-4f);

    // Margins 3 top and bottom: 400 - 6 = 394 usable; rows of 12 give 32.83 -> 32 whole rows, less one.
    const PageLayout rows = ComputePageLayout(700.0f, 400.0f, Margins{15, 3, 3, 3}, HalfWidth);
    EXPECT_FLOAT_EQ(rows.FontSize, 12.0f);
    EXPECT_EQ(rows.RowsPerPage, 31);
    EXPECT_FLOAT_EQ(rows.DiagramHeight, 394.0f);
    EXPECT_FLOAT_EQ(rows.DiagramWidth, 700.0f - 15.0f - 3.0f - 2.0f);
    // Distinct margins: each one counts where it should.
    const PageLayout q = ComputePageLayout(700.0f, 400.0f, Margins{20, 10, 5, 4}, HalfWidth);
    EXPECT_FLOAT_EQ(q.DiagramHeight, 386.0f);
    EXPECT_FLOAT_EQ(q.DiagramWidth, 700.0f - 20.0f - 5.0f - 2.0f);
    EXPECT_FLOAT_EQ(q.ColumnsPerLine, (700.0f - 25.0f) / 6.0f);
    EXPECT_EQ(q.RowsPerPage, 31); // 386 / 12 = 32.17
}

TEST(PrintReports, ShortPageIsRefusedWithAMessageAndNoPageAndNothingTickedStartsNoPage)
{
    Job job = MakeDefaultJob();
    job.Soils.emplace_back();
    const SectionTable table = BuildSectionTable(job);
    const LayerList layers;
    const ReportSource src{job, table, layers};
    test::RecordingDevice device, blank;
    device.height = 6.0f + 6.0f * (kMinRowsPerPage + 1) - 0.5f; // one row short at 12 points
    const PrintOutcome outcome = PrintReports(device, src, Settings{}, test::TestHeader(job));
    EXPECT_TRUE(outcome.PrintCancelled);
    ASSERT_TRUE(outcome.Message.has_value());
    EXPECT_EQ(*outcome.Message, kPageTooShortMessage);
    EXPECT_EQ(outcome.Pages, 0);
    EXPECT_TRUE(device.texts.empty());

    device.height += 1.0f; // now exactly the least page
    const PrintOutcome fits = PrintReports(device, src, Settings{}, test::TestHeader(job));
    EXPECT_FALSE(fits.Message.has_value());
    EXPECT_EQ(fits.Layout.RowsPerPage, kMinRowsPerPage);
    EXPECT_GT(fits.Pages, 0);

    job.Print.fill(0);
    const PrintOutcome nothing = PrintReports(blank, src, Settings{}, test::TestHeader(job));
    EXPECT_TRUE(nothing.PrintCancelled);
    EXPECT_FALSE(nothing.Message.has_value());
    EXPECT_EQ(nothing.Pages, 0);
    EXPECT_EQ(nothing.PageCount, 0);
    EXPECT_TRUE(blank.texts.empty());
    EXPECT_EQ(blank.lines, 0);
}

struct EstimateCase {
    std::vector<int> ticked;
    int centres, wedges, pages;
};

TEST(EstimatePages, CountsEachTickedGroup)
{
    const EstimateCase cases[] = {
        {{}, 130, 130, 0}, {{11, 12, 21, 31, 41}, 130, 130, 0}, // sections without their group print nothing
        {{10}, 0, 0, 2},   {{20}, 130, 0, 4}, {{20}, 59, 0, 2}, {{20}, 60, 0, 3},
        {{30}, 500, 500, 2}, {{40}, 0, 119, 3}, {{40}, 0, 120, 4}, {{10, 20, 30, 40}, 61, 185, 2 + 3 + 2 + 5},
    };
    for (const EstimateCase& c : cases) {
        PrintOptions print{};
        for (int i : c.ticked)
            print[static_cast<std::size_t>(i)] = 1;
        EXPECT_EQ(EstimatePages(print, c.centres, c.wedges), c.pages) << c.centres << " " << c.wedges;
    }
}

} // namespace
} // namespace clv::report
