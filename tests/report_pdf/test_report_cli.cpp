// clivora-cli report: the sections chosen on the command line, and its refusals.

#include "cli/cli_run.h"
#include "pdf_text.h"

#include <gtest/gtest.h>

namespace clv::cli {
namespace {

using report::test::CountOf;

TEST(ReportCommand, WritesTheChosenSectionsOnly)
{
    const auto dir = test::FreshTempDir("cli-report");
    const std::string out = (dir / "cutting.pdf").string();
    const CliRun run = Cli({"report", Example("cutting.clv"), "-o", out, "--sections", "11,23"});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    const std::vector<std::string> pages = report::test::PdfPages(out);
    ASSERT_EQ(pages.size(), 2u); // the input data page and the circle page
    std::string all;
    for (const std::string& p : pages)
        all += p;
    EXPECT_EQ(CountOf(all, "Soils input data"), 1);
    EXPECT_EQ(CountOf(all, "Loading input data"), 0);
    EXPECT_EQ(CountOf(all, "Critical circle (minimum stability factor) details"), 1);
    EXPECT_EQ(CountOf(all, "Tabular printout of circular slips"), 0);
    EXPECT_EQ(CountOf(all, "File Name cutting.clv"), 2);
}

TEST(ReportCommand, AGroupAloneBringsAllItsSections)
{
    const auto dir = test::FreshTempDir("cli-report");
    const std::string out = (dir / "r.pdf").string();
    const CliRun run = Cli({"report", Example("reinforced_embankment.clv"), "-o", out, "--sections", "40"});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    std::string all;
    for (const std::string& p : report::test::PdfPages(out))
        all += p;
    EXPECT_EQ(CountOf(all, "\nTabular printout of wedge results\n"), 1);
    EXPECT_EQ(CountOf(all, "Critical wedge (minimum stability factor) details"), 1);
    EXPECT_EQ(CountOf(all, "Critical wedge slice details"), 1);
    EXPECT_EQ(CountOf(all, "Diagram showing all two part wedge surfaces"), 1);
    EXPECT_EQ(CountOf(all, "Soils input data"), 0);
}

TEST(ReportCommand, RefusesBadArgumentsWithOneLineAndWritesNothing)
{
    const auto dir = test::FreshTempDir("cli-report");
    const std::string out = (dir / "x.pdf").string();
    const Args bad[] = {
        {"report", Example("cutting.clv")},
        {"report", "-o", out},
        {"report", Example("cutting.clv"), "-o", (dir / "x.png").string()},
        {"report", Example("cutting.clv"), "-o", out, "--sections", "10,15"},
        {"report", Example("cutting.clv"), "-o", out, "--sections", "10,"},
        {"report", Example("cutting.clv"), "-o", out, "--sections"},
        {"report", Example("cutting.clv"), "-o", out, "--colour"},
        {"report", (dir / "missing.clv").string(), "-o", out},
    };
    for (const Args& args : bad) {
        const CliRun run = Cli(args);
        EXPECT_EQ(run.status, kExitError) << args.back();
        EXPECT_TRUE(run.OneLineError()) << run.err;
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

} // namespace
} // namespace clv::cli
