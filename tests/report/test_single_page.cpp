// One page of a report reprinted alone: composed from the first page so that it
// breaks exactly as in the whole report, painted on a single sheet.

#include "recording_device.h"

#include "report/single_page_device.h"

#include <gtest/gtest.h>

namespace clv::report {
namespace {

using test::PlacedText;
using test::RecordingDevice;

/** A job whose surface points run over more than one page of input data. */
Job LongJob()
{
    Job job = MakeDefaultJob();
    SoilRecord soil;
    soil.Description = FixedText<25>("Sandy clay"), soil.Density = 19.0f, soil.PointCount = 90;
    for (int j = 1; j <= 90; ++j)
        soil.X[static_cast<std::size_t>(j)] = static_cast<float>(j) + 0.25f, soil.Y[static_cast<std::size_t>(j)] = 2.0f;
    job.Soils = {soil};
    job.Print.fill(0);
    job.Print[10] = job.Print[11] = 1;
    return job;
}

std::vector<std::string> Texts(const std::vector<PlacedText>& page)
{
    std::vector<std::string> texts;
    for (const PlacedText& t : page)
        texts.push_back(t.text);
    return texts;
}

TEST(SinglePage, EachPageAloneIsThatPageOfTheWholeReportOnOneSheet)
{
    const Job job = LongJob();
    const SectionTable table = BuildSectionTable(job);
    const LayerList layers;
    const ReportSource src{job, table, layers};
    RecordingDevice whole;
    const PrintOutcome all = PrintReports(whole, src, Settings{}, test::TestHeader(job));
    ASSERT_GE(all.Pages, 2);

    for (int page = 1; page <= all.Pages; ++page) {
        RecordingDevice sheet;
        SinglePageDevice one(sheet, page);
        const PrintOutcome outcome = PrintReports(one, src, Settings{}, test::TestHeader(job));
        EXPECT_TRUE(one.Reached());
        EXPECT_EQ(outcome.Pages, all.Pages);
        EXPECT_EQ(sheet.sheets, 1) << page;
        ASSERT_FALSE(sheet.texts.empty());
        EXPECT_EQ(Texts(sheet.Page(1)), Texts(whole.Page(page))) << page;
    }

    // A page the report no longer has draws nothing.
    RecordingDevice sheet;
    SinglePageDevice beyond(sheet, all.Pages + 1);
    PrintReports(beyond, src, Settings{}, test::TestHeader(job));
    EXPECT_FALSE(beyond.Reached());
    EXPECT_TRUE(sheet.texts.empty());
    EXPECT_EQ(sheet.lines, 0);
}

} // namespace
} // namespace clv::report
