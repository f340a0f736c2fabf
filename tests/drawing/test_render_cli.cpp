// clivora-cli render: pictures written through the section painter, and refusals.

#include "cli/cli_run.h"

#include <QImage>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace clv::cli {
namespace {

TEST(RenderCli, WritesPngOfTheGivenSizeForEveryTabAndPdf)
{
    const auto dir = test::FreshTempDir("render");
    for (const char* tab : {"geometry", "circles", "defined", "wedges"}) {
        const auto out = dir / (std::string(tab) + ".png");
        const CliRun run = Cli({"render", Example("reinforced_embankment.clv"), "-o", out.string(), "--tab", tab,
                                "--width", "320", "--height", "240"});
        ASSERT_EQ(run.status, kExitOk) << tab << ": " << run.err;
        const QImage image(QString::fromStdString(out.string()));
        ASSERT_FALSE(image.isNull()) << tab;
        EXPECT_EQ(image.size(), QSize(320, 240));
        // Something besides the white background was drawn.
        int coloured = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                coloured += image.pixel(x, y) != qRgb(255, 255, 255) ? 1 : 0;
        EXPECT_GT(coloured, 320 * 240 / 4) << tab;
    }

    const auto pdf = dir / "section.PDF";
    const CliRun run = Cli({"render", Example("layered_slope.clv"), "-o", pdf.string(), "--tab", "circles", "--factors"});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    std::ifstream in(pdf, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_GT(bytes.size(), 1000u);
    EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
    EXPECT_NE(bytes.find("%%EOF"), std::string::npos);
}

TEST(RenderCli, RefusesBadArgumentsWithOneLineAndWritesNothing)
{
    const auto dir = test::FreshTempDir("render-bad");
    const std::string png = (dir / "a.png").string();
    const std::string job = Example("cutting.clv");
    // No picture, no job, not png or pdf, no such tab, a side below 16 or above 8000, not a number,
    // an unknown option, two jobs, an unreadable job.
    const Args cases[] = {
        {"render", job}, {"render", "-o", png}, {"render", job, "-o", (dir / "a.bmp").string()},
        {"render", job, "-o", png, "--tab", "printing"}, {"render", job, "-o", png, "--width", "15"},
        {"render", job, "-o", png, "--height", "8001"}, {"render", job, "-o", png, "--width", "12x"},
        {"render", job, "-o", png, "--colour"}, {"render", job, job, "-o", png},
        {"render", (dir / "missing.clv").string(), "-o", png}};
    for (const Args& args : cases) {
        const CliRun run = Cli(args);
        EXPECT_EQ(run.status, kExitError) << args.back();
        EXPECT_TRUE(run.OneLineError()) << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(png));
    // The edges of the size range are accepted.
    EXPECT_EQ(Cli({"render", job, "-o", png, "--width", "16", "--height", "16"}).status, kExitOk);
}

} // namespace
} // namespace clv::cli
