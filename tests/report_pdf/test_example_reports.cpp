// Every example's whole report as a PDF, read back with pdftotext and checked
// against the engine's own results for that job, computed here independently
// of the report's analysis run.

#include "pdf_text.h"
#include "support/job_builders.h"

#include "analysis/circle_search.h"
#include "analysis/defined_surface.h"
#include "analysis/wedges.h"
#include "model/format.h"
#include "report/report_images.h"
#include "report/report_pdf.h"
#include "report/reports.h"

#include <gtest/gtest.h>

#include <fstream>

namespace clv::report {
namespace {

using clv::test::LoadExample;
using test::CountOf;

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

/** The report of `analysed` as a PDF file (of page `onlyPage` alone when given), read back page by page. */
Written WritePdf(const AnalysedJob& analysed, const std::string& tag, int onlyPage = 0)
{
    const Settings settings;
    const PageHeaderInfo header = HeaderFor(analysed.job, settings, tag + ".clv", "07/12/2026");
    const PdfReport pdf = RenderReportPdf(analysed.Source(), settings, header, QPageSize(QPageSize::A4), onlyPage);
    Written w;
    w.outcome = pdf.Outcome;
    w.file = clv::test::FreshTempDir("report") / (tag + ".pdf");
    std::ofstream(w.file, std::ios::binary).write(pdf.Bytes.constData(), pdf.Bytes.size());
    w.pages = test::PdfPages(w.file);
    w.all = test::JoinedPages(w.pages);
    return w;
}

std::string F(float v, const char* picture) { return Format(v, picture); }

void ExpectEnginesResults(const std::string& example)
{
    Job job = LoadExample(example);
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
    for (int p = 1; p <= pdf.outcome.Pages; ++p)
        EXPECT_EQ(CountOf(pdf.pages[static_cast<std::size_t>(p - 1)], "Page No " + std::to_string(p) + " "), 1) << p;
    EXPECT_EQ(CountOf(text, job.Header.MainTitle.Trimmed()), pdf.outcome.Pages);

    // Input data: the headings; their rows are checked on the recording device.
    for (const char* heading : {"Soils input data", "Soil strata surface points", "Water input data",
                                "Phreatic surface points", "Loading input data", "Soil reinforcement blocks",
                                "Partial factors", "Seismic acceleration", "Design code referenced",
                                "Ramifications of failiure", "Soil tan(phi)values"})
        EXPECT_GE(CountOf(text, heading), 1) << heading;

    // Slip circles: the settings, the grid as the search left it and the critical circle, each line whole;
    // the tables' rows are checked on the recording device.
    const SlipSettings& slip = engineJob.Slip;
    const SlipResult* critical = circles.Critical();
    ASSERT_NE(critical, nullptr);
    const struct { std::string label; float value; const char* picture; std::string end; } lines[] = {
        {"Minimum number of slices within slip is", static_cast<float>(slip.MinSlices), "#####0", "\n"},
        {"A valid slip must have a depth greater than", slip.MinSlipDepth, "#####0.00", " m\n"},
        {"Depth of water filled tension crack is", slip.TensionCrackDepth, "#####0.00", " m\n"},
        {"X Minimum value", slip.GridXMin, "#####.0", " m"},
        {"Y Increment value", slip.GridYInc, "#####.0", " m"},
        {"Circle centre X coordinate", critical->CentreX, "####0.00", " m"},
        {"Circle centre Y coordinate", critical->CentreY, "####0.00", " m"},
        {"Circle radius", critical->Radius, "####0.00", " m"},
        {"Disturbing moment", critical->DisturbingMoment, "######0", " kNm/m"},
    };
    for (const auto& line : lines)
        EXPECT_EQ(CountOf(text, line.label + " " + F(line.value, line.picture) + line.end), 1) << line.label;
    ASSERT_EQ(slip.Method, kBishop); // every example is analysed by Bishop's method
    EXPECT_EQ(CountOf(text, "Method of analysis used is Bishop simplified (Moment equilibrium)"), 1);
    EXPECT_EQ(CountOf(text, "Stability factor " + FactorText(critical->StabilityFactor) + "\n"), 1);
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

TEST(ExampleReport, EveryExamplePrintsTheEnginesResults)
{
    int examples = 0;
    for (const auto& entry : std::filesystem::directory_iterator(clv::test::ExamplesDir()))
        if (entry.path().extension() == ".clv") {
            SCOPED_TRACE(entry.path().filename().string());
            ExpectEnginesResults(entry.path().filename().string());
            ++examples;
        }
    EXPECT_EQ(examples, 3);
}

TEST(PreviewImages, SamePagesAsThePdfOnPicturesOfThePagesProportions)
{
    const AnalysedJob analysed = AnalyseForReport(LoadExample("cutting.clv"));
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

TEST(ReportPdf, EachPageAloneIsThatPageOfTheWholeReportAndAPageBeyondItWritesNothing)
{
    const AnalysedJob analysed = AnalyseForReport(LoadExample("cutting.clv"));
    const Written whole = WritePdf(analysed, "cutting");
    ASSERT_GE(whole.outcome.Pages, 3);
    ASSERT_EQ(static_cast<int>(whole.pages.size()), whole.outcome.Pages);
    // Composed from the first page, so that it breaks exactly as in the whole report.
    for (int page = 1; page <= whole.outcome.Pages; ++page) {
        const Written alone = WritePdf(analysed, "cutting", page);
        EXPECT_FALSE(alone.outcome.PrintCancelled);
        EXPECT_EQ(alone.outcome.Pages, whole.outcome.Pages);
        ASSERT_EQ(alone.pages.size(), 1u) << page;
        EXPECT_EQ(alone.pages[0], whole.pages[static_cast<std::size_t>(page - 1)]) << page;
    }
    const Written beyond = WritePdf(analysed, "cutting", whole.outcome.Pages + 1);
    EXPECT_TRUE(beyond.outcome.PrintCancelled);
    EXPECT_EQ(std::filesystem::file_size(beyond.file), 0u);
}

} // namespace
} // namespace clv::report
