// The cell grid, the page header and the page-break rule, on the recording device.

#include "recording_device.h"

#include "report/reports.h"

#include <gtest/gtest.h>

namespace clv::report {
namespace {

using test::PlacedText;
using test::RecordingDevice;

PageLayout Layout(RecordingDevice& device) { return PageSetUp(device, Settings{}); }

TEST(PageWriter, AlignmentPlacesTextByItsStartCentreOrEnd)
{
    RecordingDevice device;
    const PageLayout layout = Layout(device);
    ASSERT_FLOAT_EQ(layout.ColumnWidth, 1.92f);
    PageWriter w(device, layout, PageHeaderInfo{}, "Arial", true);
    w.TextAlign = 1.0f;
    w.TextAtCell(40, 3, "12.50"); // ends exactly at 40 columns
    w.TextAlign = 0.5f;
    w.TextAtCell(40, 4, "abcd");
    w.TextAlign = 0.0f;
    w.TextAtCell(40, 5, "x");
    ASSERT_EQ(device.texts.size(), 3u);
    const float left = 15.0f, top = 3.0f;
    EXPECT_FLOAT_EQ(device.texts[0].x + 5 * 1.92f, left + 40 * 1.92f);
    EXPECT_FLOAT_EQ(device.texts[0].y, top + 2 * 6.0f);
    EXPECT_FLOAT_EQ(device.texts[1].x + 2 * 1.92f, left + 40 * 1.92f);
    EXPECT_FLOAT_EQ(device.texts[2].x, left + 40 * 1.92f);
    EXPECT_FLOAT_EQ(device.texts[2].y, top + 4 * 6.0f);
    // TextNext goes on where the last text ended.
    w.TextNext("yz");
    EXPECT_FLOAT_EQ(device.texts[3].x, left + 41 * 1.92f);
    EXPECT_FLOAT_EQ(device.texts[3].y, device.texts[2].y);
}

TEST(PageWriter, HeaderPrintsTheFirstPageNumberAndTheReferencesCutToTheirColumn)
{
    RecordingDevice device;
    PageHeaderInfo h;
    h.UserLine1 = "Dalk Geotechnics Ltd", h.UserLine2 = "Leeds", h.ProgramVersion = 2.02f;
    h.MainTitle = "Main title", h.SubTitle = "Sub title", h.Analysis = "ESA", h.Project = "P-17";
    h.Engineer = "R. Okafor", h.Date = "31/12/2026", h.FirstPageNumber = 7;
    h.FileName = "reinforced_embankment_with_a_very_long_name.clv";
    PageWriter w(device, Layout(device), h, "Arial", true);
    w.StartPage();
    w.StartPage();
    for (const char* text : {"Dalk Geotechnics Ltd", "Leeds", "Dalk Clivora, Version 2.02",
                             "Slope stability analysis and design of reinforced soil slopes", "Main title", "Sub title",
                             "ESA", "P-17", "R. Okafor", "31/12/2026", "Page No", "Analysis", "Project", "File Name",
                             "Engineer", "Date"})
        EXPECT_EQ(device.Count(text), 2) << text;
    // The number printed is the first sheet's number plus the pages before.
    const PlacedText* label1 = device.Find("Page No", 0);
    const PlacedText* label2 = device.Find("Page No", 1);
    ASSERT_NE(label1, nullptr);
    ASSERT_NE(label2, nullptr);
    EXPECT_EQ(device.LineOf(*label1)[1], "7");
    EXPECT_EQ(device.LineOf(*label2)[1], "8");
    EXPECT_EQ(label2->page, 2);
    EXPECT_EQ(device.sheets, 2);
    EXPECT_EQ(w.PageNumber(), 2);

    // A long file name is cut to its third: (210 - 18 - 2) / 3 mm, less 2 mm + 11 columns before it and 2 mm after.
    const float room = (210.0f - 18.0f - 2.0f) / 3.0f - 11.0f * 1.92f - 4.0f;
    const PlacedText* label = device.Find("File Name");
    ASSERT_NE(label, nullptr);
    const std::vector<std::string> line = device.LineOf(*label);
    const auto at = std::ranges::find(line, "File Name");
    ASSERT_NE(at + 1, line.end());
    const std::string shown = *(at + 1);
    EXPECT_EQ(shown.substr(shown.size() - 3), "...");
    EXPECT_LE(static_cast<float>(shown.size()) * 1.92f, room);
    EXPECT_GT(static_cast<float>(shown.size() + 1) * 1.92f, room); // not cut more than needed
    EXPECT_EQ(shown.substr(0, shown.size() - 3), h.FileName.substr(0, shown.size() - 3));
}

TEST(PageWriter, TableContinuesUnderItsHeadingOnEveryNewPage)
{
    RecordingDevice device;
    const PageLayout layout = Layout(device);
    ASSERT_EQ(layout.RowsPerPage, 47);
    PageWriter w(device, layout, PageHeaderInfo{}, "Arial", true);
    w.StartPage();
    w.BeginTable("Numbers", 2, [&w](int row) {
        w.Right(32, row, "Value");
        w.Right(32, row + 1, "m");
    });
    const int kRows = 100;
    for (int i = 1; i <= kRows; ++i)
        w.Right(32, w.Take(), "r" + std::to_string(i));
    w.EndTable();

    // Page 1: heading at row 10, headings 11-12, rows 13..47 = 35 rows; later pages 35 rows each.
    EXPECT_EQ(device.sheets, 3);
    EXPECT_EQ(device.Count("Numbers"), 1);
    EXPECT_EQ(device.Count("Numbers - continued"), 2);
    EXPECT_EQ(device.Count("Value"), 3);
    EXPECT_EQ(device.Count("m"), 3);
    for (int i = 1; i <= kRows; ++i)
        ASSERT_EQ(device.Count("r" + std::to_string(i)), 1) << i;
    const PlacedText* last1 = device.Find("r35");
    const PlacedText* first2 = device.Find("r36");
    ASSERT_NE(last1, nullptr);
    ASSERT_NE(first2, nullptr);
    EXPECT_EQ(last1->page, 1);
    EXPECT_FLOAT_EQ(last1->y, 3.0f + 46 * 6.0f); // row 47, the last row of the page
    EXPECT_EQ(first2->page, 2);
    EXPECT_FLOAT_EQ(first2->y, 3.0f + 12 * 6.0f); // row 13, under the continued headings
    const PlacedText* continued = device.Find("Numbers - continued");
    ASSERT_NE(continued, nullptr);
    EXPECT_EQ(continued->page, 2);
    EXPECT_TRUE(continued->bold);
    EXPECT_FLOAT_EQ(continued->y, 3.0f + 9 * 6.0f);
    // After the table a plain line does not repeat the heading.
    w.Row = layout.RowsPerPage + 1;
    w.Left(4, w.Take(), "after");
    EXPECT_EQ(device.Count("Numbers - continued"), 2);
    EXPECT_EQ(device.sheets, 4);

    // A heading is kept with its column headings and first row: 2 rows left would hold only those.
    w.Row = layout.RowsPerPage - 2;
    w.BeginTable("Kept together", 2, [&w](int row) { w.Right(32, row, "H"); });
    const PlacedText* heading = device.Find("Kept together");
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->page, 5);
    EXPECT_EQ(device.Count("Kept together - continued"), 0);
}

} // namespace
} // namespace clv::report
