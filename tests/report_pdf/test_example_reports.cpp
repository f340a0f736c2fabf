// Every example's whole report as a PDF, read back with pdftotext and checked
// against the engine's own results for that job, computed here independently
// of the report's analysis run.

#include "pdf_text.h"
#include "support/job_builders.h"

#include "analysis/circle_search.h"
#include "analysis/defined_surface.h"
#include "analysis/wedges.h"
#include "model/format.h"
#include "report/report_pdf.h"
#include "report/reports.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

namespace clv::report {
namespace {

using test::CountOf;

using clv::test::LoadExample;

void TickEverySection(Job& job)
{
    for (int i : {10, 11, 12, 13, 14, 20, 21, 22, 23, 24, 25, 30, 31, 32, 33, 34, 40, 41, 42, 43, 44})
        job.Print[static_cast<std::size_t>(i)] = 1;
}

struct Written {
    PrintOutcome outcome;
    std::filesystem::path file;
    std::vector<std::string> pages;
    std::string all;
};

Written WritePdf(const AnalysedJob& analysed, const std::string& tag)
{
    const Settings settings;
    const PageHeaderInfo header = HeaderFor(analysed.job, settings, tag + ".clv", "07/12/2026");
    const PdfReport pdf = RenderReportPdf(analysed.Source(), settings, header);
    Written w;
    w.outcome = pdf.Outcome;
    w.file = clv::test::FreshTempDir("report") / (tag + ".pdf");
    std::ofstream(w.file, std::ios::binary).write(pdf.Bytes.constData(), pdf.Bytes.size());
    w.pages = test::PdfPages(w.file);
    w.all = test::JoinedPages(w.pages);
    return w;
}

// The method sentences as the report prints them, by method code.
const std::map<int, std::string> kMethodSentences = {
    {kFellenius, "Method of analysis used is Fellenius (Swedish method of slices)"},
    {kBishop, "Method of analysis used is Bishop simplified (Moment equilibrium)"},
    {kBs8006, "Method of analysis used is BS8006 ULS (Bishop with X=1.25)"},
    {kJanbu, "Method of analysis used is Janbu simplified (Force equilibrium)"},
    {kRigorous, "Method of analysis used is the Rigorous solution"},
};

std::string F(float v, const char* picture) { return Format(v, picture); }

class ExampleReport : public ::testing::TestWithParam<std::string> {};

TEST_P(ExampleReport, PrintsTheEnginesResults)
{
    Job job = LoadExample(GetParam());
    TickEverySection(job);

    // The engine, run here on its own copy of the job.
    Job engineJob = job;
    const SectionTable table = BuildSectionTable(engineJob);
    const LayerList layers = BuildReinforcementLayers(engineJob, table);
    const CircleSearchResult circles = RunCircleSearch(engineJob, table, layers);
    const DefinedSurfaceResult defined = AnalyseDefinedSurface(AnalysisInput{engineJob, table, layers, {}});
    const WedgeSearchResult wedges = AnalyseWedges(engineJob, table, layers);

    const AnalysedJob analysed = AnalyseForReport(job);
    const Written pdf = WritePdf(analysed, "example");
    ASSERT_FALSE(pdf.outcome.Message.has_value()) << *pdf.outcome.Message;
    ASSERT_FALSE(pdf.pages.empty());
    const std::string& text = pdf.all;

    // Pages: what the run produced is what the file holds, each numbered in its header.
    EXPECT_EQ(test::PdfPageCount(pdf.file), pdf.outcome.Pages);
    ASSERT_EQ(static_cast<int>(pdf.pages.size()), pdf.outcome.Pages);
    for (int p = 1; p <= pdf.outcome.Pages; ++p) {
        EXPECT_EQ(CountOf(pdf.pages[static_cast<std::size_t>(p - 1)], "Page No " + std::to_string(p) + " "), 1) << p;
        EXPECT_EQ(CountOf(pdf.pages[static_cast<std::size_t>(p - 1)], "Dalk Clivora, Version 2.02"), 1);
    }
    EXPECT_EQ(CountOf(text, job.Header.MainTitle.Trimmed()), pdf.outcome.Pages);

    // Input data.
    for (const char* heading : {"Soils input data", "Soil strata surface points", "Water input data",
                                "Phreatic surface points", "Loading input data", "Soil reinforcement blocks",
                                "Partial factors", "Seismic acceleration", "Design code referenced",
                                "Ramifications of failiure", "Soil tan(phi)values"})
        EXPECT_GE(CountOf(text, heading), 1) << heading;
    for (const SoilRecord& s : job.Soils)
        EXPECT_GE(CountOf(text, s.Description.Trimmed() + " " + F(s.Density, "####0.0") + " " + F(s.Phi, "####0")), 1);
    EXPECT_EQ(CountOf(text, "No external loading was specified"), job.Loads.empty() ? 1 : 0);
    EXPECT_EQ(CountOf(text, "No soil reinforcement was specified"), job.Reinforcement.empty() ? 1 : 0);

    // Slip circles, with the grid as the search left it.
    EXPECT_EQ(CountOf(text, kMethodSentences.at(engineJob.Slip.Method)), 1);
    EXPECT_EQ(CountOf(text, "Minimum number of slices within slip is " + F(engineJob.Slip.MinSlices, "#####0") + "\n"), 1);
    EXPECT_EQ(CountOf(text, "A valid slip must have a depth greater than " + F(engineJob.Slip.MinSlipDepth, "#####0.00")
                                + " m\n"), 1);
    EXPECT_EQ(CountOf(text, "Depth of water filled tension crack is " + F(engineJob.Slip.TensionCrackDepth, "#####0.00")
                                + " m\n"), 1);
    EXPECT_EQ(CountOf(text, "X Minimum value " + F(engineJob.Slip.GridXMin, "#####.0") + " m"), 1);
    EXPECT_EQ(CountOf(text, "Y Increment value " + F(engineJob.Slip.GridYInc, "#####.0") + " m"), 1);
    const SlipResult* critical = circles.Critical();
    ASSERT_NE(critical, nullptr);
    EXPECT_EQ(CountOf(text, "Circle centre X coordinate " + F(critical->CentreX, "####0.00") + " m"), 1);
    EXPECT_EQ(CountOf(text, "Circle centre Y coordinate " + F(critical->CentreY, "####0.00") + " m"), 1);
    EXPECT_EQ(CountOf(text, "Circle radius " + F(critical->Radius, "####0.00") + " m"), 1);
    const bool force = engineJob.Slip.Method == kJanbu;
    EXPECT_EQ(CountOf(text, force ? "Disturbing force " + F(critical->DisturbingForce, "######0") + " kN/m"
                                  : "Disturbing moment " + F(critical->DisturbingMoment, "######0") + " kNm/m"),
              1);
    EXPECT_EQ(CountOf(text, "Stability factor " + FactorText(critical->StabilityFactor) + "\n"), 1);
    // Every valid circle has its row in the table, and no invalid one does.
    int valid = 0;
    for (const SlipResult& s : circles.Slips)
        valid += s.StabilityFactor != kInvalidFactor ? 1 : 0;
    ASSERT_GT(valid, 0);
    const std::string criticalRow = F(critical->CentreX, "#####0.00") + " " + F(critical->CentreY, "#####0.00") + " "
                                    + F(critical->Radius, "#####0.00") + " ";
    EXPECT_GE(CountOf(text, "\n" + criticalRow), 1);
    // The critical slices, first and closing rows.
    ASSERT_FALSE(circles.CriticalSlices.empty());
    const Slice& first = circles.CriticalSlices.front();
    EXPECT_EQ(CountOf(text, "\n" + F(first.XLeft, "#####0.00") + " " + F(first.GroundLeft, "#####0.00") + " "
                                + F(first.BaseLeft, "#####0.00") + " "
                                + F(first.BaseAngle * 180.0f / 3.1415925f, "#####0.0") + " "),
              1);
    const Slice& last = circles.CriticalSlices.back();
    EXPECT_GE(CountOf(text, "\n" + F(last.XRight, "#####0.00") + " " + F(last.GroundRight, "#####0.00") + " "
                                + F(last.BaseRight, "#####0.00") + "\n"),
              1);
    EXPECT_EQ(CountOf(text, "Diagram showing all circles"), 1);

    // Defined surface.
    EXPECT_EQ(CountOf(text, "The resulting stability factor is " + FactorText(defined.Slip.StabilityFactor, "N/A")), 1);
    EXPECT_EQ(CountOf(text, "Defined surface slice details"),
              defined.Slip.StabilityFactor != kInvalidFactor && !defined.Slices.empty() ? 1 : 0);

    // Wedges.
    if (const WedgeResult* w = wedges.Critical()) {
        EXPECT_EQ(CountOf(text, "Toe level of wedge " + F(w->ToeLevel, "####0.00") + " m"), 1);
        EXPECT_EQ(CountOf(text, "Angle of wedge part 2 to horizontal " + F(w->RearAngle, "####0") + " degrees"), 1);
        EXPECT_EQ(CountOf(text, "Restoring force due to reinforcement " + F(w->ReinforcementRestore, "####0.0") + " kN/m"), 1);
        EXPECT_EQ(CountOf(text, "Diagram showing all two part wedge surfaces"), 1);
    } else {
        EXPECT_TRUE(layers.empty());
        EXPECT_EQ(CountOf(text, kNoWedgeLine), 1);
        EXPECT_EQ(CountOf(text, "Diagram showing all two part wedge surfaces"), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleReport,
                         ::testing::Values("cutting.clv", "layered_slope.clv", "reinforced_embankment.clv"),
                         [](const auto& info) {
                             std::string name = info.param;
                             return name.substr(0, name.find('.'));
                         });

TEST(ExampleReport, EveryExampleIsCovered)
{
    int examples = 0;
    for (const auto& entry : std::filesystem::directory_iterator(clv::test::ExamplesDir()))
        examples += entry.path().extension() == ".clv" ? 1 : 0;
    EXPECT_EQ(examples, 3); // a new example joins the list above
}

TEST(LongReport, FiftyPointsAndManyCirclesContinueUnderTheirHeadings)
{
    Job job = LoadExample("cutting.clv");
    job.Print.fill(0);
    for (int i : {10, 11, 20, 22})
        job.Print[static_cast<std::size_t>(i)] = 1;
    // The same ground laid out with 50 points: level, the cut face, level again.
    SoilRecord& ground = job.Soils[0];
    ground.PointCount = 50;
    for (int j = 1; j <= 50; ++j) {
        const float x = -20.0f + static_cast<float>(j - 1) * (60.0f / 49.0f);
        ground.X[static_cast<std::size_t>(j)] = x;
        ground.Y[static_cast<std::size_t>(j)] = x <= 0.0f ? 0.0f : (x >= 16.0f ? 8.0f : x / 2.0f);
    }
    // A weathered layer 5 m down with the same 50 points: a hundred point rows do not fit on one page.
    SoilRecord lower = ground;
    lower.Description = FixedText<25>("Weathered clay");
    for (int j = 1; j <= 50; ++j)
        lower.Y[static_cast<std::size_t>(j)] -= 5.0f;
    job.Soils.push_back(lower);
    const AnalysedJob analysed = AnalyseForReport(job);
    ASSERT_TRUE(analysed.circles.has_value());
    ASSERT_GT(analysed.circles->Slips.size(), 40u);
    const Written pdf = WritePdf(analysed, "long");
    ASSERT_GE(pdf.pages.size(), 3u);
    EXPECT_EQ(test::PdfPageCount(pdf.file), pdf.outcome.Pages);
    EXPECT_GE(CountOf(pdf.all, "Soil strata surface points - continued"), 1);
    EXPECT_GE(CountOf(pdf.all, "Tabular printout of circular slips - continued"), 1);
    // Every page that continues a table repeats its column headings under the heading.
    for (const std::string& page : pdf.pages) {
        if (CountOf(page, "Tabular printout of circular slips - continued") == 1) {
            EXPECT_EQ(CountOf(page, "Tabular printout of circular slips - continued\nX Y Radius Disturb Restore Restore Stability\n"), 1) << page;
        }
        if (CountOf(page, "Soil strata surface points - continued") == 1) {
            EXPECT_EQ(CountOf(page, "Soil strata surface points - continued\n" + job.Soils[0].Description.Trimmed() + "\nX Y\nm m\n")
                          + CountOf(page, "Soil strata surface points - continued\nWeathered clay\nX Y\nm m\n"),
                      1)
                << page;
        }
    }
    // All 100 points are printed, each once.
    for (const SoilRecord& soil : job.Soils)
        for (int j = 1; j <= 50; ++j) {
            const std::string row = "\n" + Format(soil.X[static_cast<std::size_t>(j)], "####0.00") + " "
                                    + Format(soil.Y[static_cast<std::size_t>(j)], "####0.00") + "\n";
            EXPECT_EQ(CountOf(pdf.all, row), 1) << row;
        }
}

} // namespace
} // namespace clv::report

#include "report/report_images.h"

namespace clv::report {
namespace {

TEST(PreviewImages, SamePagesAsThePdfOnPicturesOfThePagesProportions)
{
    Job job = LoadExample("cutting.clv");
    const AnalysedJob analysed = AnalyseForReport(job);
    const Settings settings;
    const PageHeaderInfo header = HeaderFor(analysed.job, settings, "cutting.clv", "07/12/2026");
    const ImageReport images = RenderReportImages(analysed.Source(), settings, header, 420);
    const PdfReport pdf = RenderReportPdf(analysed.Source(), settings, header);
    ASSERT_FALSE(images.Pages.empty());
    EXPECT_EQ(static_cast<int>(images.Pages.size()), pdf.Outcome.Pages);
    EXPECT_EQ(images.Outcome.Layout.RowsPerPage, pdf.Outcome.Layout.RowsPerPage);
    EXPECT_NEAR(images.Outcome.Layout.FontSize, pdf.Outcome.Layout.FontSize, 0.3f);
    for (const QImage& page : images.Pages) {
        EXPECT_EQ(page.width(), 420);
        EXPECT_EQ(page.height(), 594); // 297 / 210 x 420
        // Ink on every page, in the header at least: something darker than white near the top-left.
        int dark = 0;
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < page.width(); ++x)
                dark += qGray(page.pixel(x, y)) < 128 ? 1 : 0;
        EXPECT_GT(dark, 100);
    }
}

TEST(ReportPdf, OnePageAloneIsThatPageAndAPageBeyondTheReportWritesNothing)
{
    AnalysedJob analysed = AnalyseForReport(LoadExample("cutting.clv"));
    const Settings settings;
    const PageHeaderInfo header = HeaderFor(analysed.job, settings, "cutting.clv", "07/12/2026");
    const PdfReport whole = RenderReportPdf(analysed.Source(), settings, header);
    ASSERT_GE(whole.Outcome.Pages, 3);

    const PdfReport third = RenderReportPdf(analysed.Source(), settings, header, QPageSize(QPageSize::A4), 3);
    EXPECT_FALSE(third.Outcome.PrintCancelled);
    const auto file = clv::test::FreshTempDir("report") / "third.pdf";
    std::ofstream(file, std::ios::binary).write(third.Bytes.constData(), third.Bytes.size());
    const std::vector<std::string> pages = test::PdfPages(file);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(CountOf(pages[0], "Page No 3"), 1);

    const PdfReport beyond =
        RenderReportPdf(analysed.Source(), settings, header, QPageSize(QPageSize::A4), whole.Outcome.Pages + 1);
    EXPECT_TRUE(beyond.Outcome.PrintCancelled);
    EXPECT_TRUE(beyond.Bytes.isEmpty());
}

} // namespace
} // namespace clv::report
