// clivora-cli report: the sections chosen on the command line, and its refusals.

#include "cli/cli_run.h"
#include "pdf_text.h"

#include "model/settings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace clv::cli {
namespace {

using report::test::CountOf;

TEST(ReportCommand, RefusesBadArgumentsWithOneLineAndWritesNothing)
{
    const auto dir = test::FreshTempDir("cli-report");
    const std::string out = (dir / "x.pdf").string();
    const Args bad[] = {
        {"report", Example("cutting.clv")},
        {"report", "-o", out},
        {"report", Example("cutting.clv"), "-o", (dir / "x.png").string()},
        {"report", Example("cutting.clv"), "-o", out, "--sections", "10,15"},
        {"report", Example("cutting.clv"), "-o", out, "--sections", "11,26"},
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

/** XDG_CONFIG_HOME pointed at a folder for one test, put back afterwards. */
struct ConfigHomeFor {
    std::optional<std::string> old;
    explicit ConfigHomeFor(const std::filesystem::path& folder)
    {
        if (const char* value = std::getenv("XDG_CONFIG_HOME"))
            old = value;
        ::setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    }
    ~ConfigHomeFor() { old ? ::setenv("XDG_CONFIG_HOME", old->c_str(), 1) : ::unsetenv("XDG_CONFIG_HOME"); }
};

TEST(ReportCommand, WritesTheChosenSectionsWithTheSettingsUserLinesAndAGroupAloneBringsAllItsSections)
{
    const auto dir = test::FreshTempDir("cli-report");
    const ConfigHomeFor config(dir / "config");
    const std::string out = (dir / "cutting.pdf").string();
    const CliRun run = Cli({"report", Example("cutting.clv"), "-o", out, "--sections", "11,23"});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    ASSERT_EQ(report::test::PdfPages(out).size(), 2u); // the input data page and the circle page
    const std::string chosen = report::test::PdfText(out);
    EXPECT_EQ(CountOf(chosen, "Soils input data"), 1);
    EXPECT_EQ(CountOf(chosen, "Loading input data"), 0);
    EXPECT_EQ(CountOf(chosen, "Critical circle (minimum stability factor) details"), 1);
    EXPECT_EQ(CountOf(chosen, "Tabular printout of circular slips"), 0);
    EXPECT_EQ(CountOf(chosen, "File Name cutting.clv"), 2);
    // No settings file: no user lines, and none is made.
    EXPECT_FALSE(std::filesystem::exists(dir / "config" / "Dalk" / "Clivora" / "Clivora.ini"));

    Settings settings;
    settings.UserNameLine1 = "Okafor Ground Engineering";
    settings.UserNameLine2 = "Leeds office";
    const AppFolders folders{dir / "config" / "Dalk" / "Clivora", dir / "docs"};
    std::filesystem::create_directories(folders.SettingsFolder);
    ASSERT_FALSE(WriteSettings(folders, settings));
    ASSERT_EQ(Cli({"report", Example("cutting.clv"), "-o", out, "--sections", "11,23"}).status, kExitOk);
    const std::vector<std::string> pages = report::test::PdfPages(out);
    ASSERT_EQ(pages.size(), 2u);
    for (const std::string& page : pages) {
        EXPECT_EQ(CountOf(page, "Okafor Ground Engineering"), 1);
        EXPECT_EQ(CountOf(page, "Leeds office"), 1);
    }

    // A group named alone brings all its sections.
    ASSERT_EQ(Cli({"report", Example("reinforced_embankment.clv"), "-o", out, "--sections", "40"}).status, kExitOk);
    const std::string all = report::test::PdfText(out);
    for (const char* section : {"\nTabular printout of wedge results\n", "Critical wedge (minimum stability factor) details",
                                "Critical wedge slice details", "Diagram showing all two part wedge surfaces"})
        EXPECT_EQ(CountOf(all, section), 1) << section;
    EXPECT_EQ(CountOf(all, "Soils input data"), 0);
}

} // namespace
} // namespace clv::cli
