#include "cli_io.h"
#include "commands.h"
#include "job_json.h"
#include "model/byte_access.h"
#include "model/job_file.h"
#include "model/rich_job.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace clv::cli {
namespace {

namespace fs = std::filesystem;

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun Cli(Args args)
{
    args.insert(args.begin(), "clivora-cli");
    std::ostringstream out, err;
    const int status = RunCli(args, out, err);
    return {status, out.str(), err.str()};
}

bool IsOneLine(const std::string& text)
{
    return !text.empty() && text.back() == '\n' && std::count(text.begin(), text.end(), '\n') == 1;
}

const char* const kExamples[] = {"cutting", "layered_slope", "reinforced_embankment"};

TEST(Convert, ExamplesJsonGiveTheCommittedJobFiles)
{
    auto dir = test::FreshTempDir("convert");
    for (const char* name : kExamples) {
        const fs::path json = test::ExamplesDir() / (std::string(name) + ".json");
        const fs::path clv = test::ExamplesDir() / (std::string(name) + ".clv");
        const fs::path made = dir / (std::string(name) + ".clv");
        CliRun run = Cli({"convert", json.string(), made.string()});
        ASSERT_EQ(run.status, kExitOk) << run.err;
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(test::ReadBytes(made), test::ReadBytes(clv)) << name;

        // And back: the committed file through JSON gives its own bytes again.
        const fs::path back = dir / (std::string(name) + "-back.json");
        const fs::path again = dir / (std::string(name) + "-again.clv");
        ASSERT_EQ(Cli({"convert", clv.string(), back.string()}).status, kExitOk);
        ASSERT_EQ(Cli({"convert", back.string(), again.string()}).status, kExitOk);
        EXPECT_EQ(test::ReadBytes(again), test::ReadBytes(clv)) << name;
    }
}

TEST(Convert, RichJobFileRoundTripsThroughFiles)
{
    auto dir = test::FreshTempDir("convert");
    const Bytes original = *EncodeJobFile(test::RichJob(), 2.5f);
    test::WriteBytes(dir / "rich.clv", original);
    ASSERT_EQ(Cli({"convert", (dir / "rich.clv").string(), (dir / "rich.json").string()}).status, kExitOk);
    ASSERT_EQ(Cli({"convert", (dir / "rich.json").string(), (dir / "RICH2.CLV").string()}).status, kExitOk);
    EXPECT_EQ(test::ReadBytes(dir / "RICH2.CLV"), original);
    // Same-format conversions are allowed and change nothing.
    ASSERT_EQ(Cli({"convert", (dir / "rich.clv").string(), (dir / "copy.clv").string()}).status, kExitOk);
    EXPECT_EQ(test::ReadBytes(dir / "copy.clv"), original);
}

// A file of the layout before 2.0: the longer view block, and 50 more bytes after the slip settings.
Bytes OldLayoutFile(const Job& job)
{
    namespace L = file_layout;
    const Bytes current = *EncodeJobFile(job, 2.02f);
    Bytes old(current.begin(), current.begin() + L::kView);
    old.resize(old.size() + L::kOldViewSize, 0);
    old.insert(old.end(), current.begin() + L::kFactors, current.begin() + L::kWedge);
    old.resize(old.size() + L::kOldExtraSize, 0);
    old.insert(old.end(), current.begin() + L::kWedge, current.end());
    test::PutFloat(old, 0, 1.5f);
    return old;
}

TEST(Convert, AFileOlderThan2IsUpgradedAndSaysSo)
{
    auto dir = test::FreshTempDir("convert");
    Job job = test::RichJob();
    test::WriteBytes(dir / "old.clv", OldLayoutFile(job));
    CliRun run = Cli({"convert", (dir / "old.clv").string(), (dir / "old.json").string()});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    EXPECT_TRUE(IsOneLine(run.err)) << run.err;
    EXPECT_NE(run.err.find("before 2.0"), std::string::npos);

    std::string error;
    std::optional<LoadedJob> loaded = LoadJobFile((dir / "old.json").string(), error);
    ASSERT_TRUE(loaded) << error;
    EXPECT_EQ(loaded->StoredVersion, ProgramVersion());
    EXPECT_EQ(loaded->job.Factors.DesignCode, kCustomFactors); // the upgrade marks the factors custom
    EXPECT_EQ(loaded->job.Slip.MinSlipDepth, 0.0f);
    EXPECT_EQ(loaded->job.Soil(2).Description.Trimmed(), "Soft clay (alluvium)");
}

TEST(Convert, ErrorsAreOneLineNamingTheFileWithStatus2)
{
    auto dir = test::FreshTempDir("convert");
    const std::string missing = (dir / "missing.clv").string();
    const std::string out = (dir / "out.json").string();

    CliRun run = Cli({"convert", missing, out});
    EXPECT_EQ(run.status, kExitError);
    EXPECT_TRUE(IsOneLine(run.err)) << run.err;
    EXPECT_NE(run.err.find(missing + ": no such file"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(out));

    Bytes truncated = *EncodeJobFile(test::RichJob(), 2.02f);
    truncated.resize(truncated.size() - 3);
    test::WriteBytes(dir / "short.clv", truncated);
    run = Cli({"convert", (dir / "short.clv").string(), out});
    EXPECT_EQ(run.status, kExitError);
    EXPECT_TRUE(IsOneLine(run.err)) << run.err;
    EXPECT_NE(run.err.find("short.clv: not a complete job file"), std::string::npos) << run.err;

    std::ofstream(dir / "bad.json") << R"({"Soils": [{"Density": 19, "Phi": "x", "Cohesion": 0, "Points": []}]})";
    run = Cli({"convert", (dir / "bad.json").string(), (dir / "bad.clv").string()});
    EXPECT_EQ(run.status, kExitError);
    EXPECT_TRUE(IsOneLine(run.err)) << run.err;
    EXPECT_NE(run.err.find("bad.json: Soils[1].Phi: expected a number"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(dir / "bad.clv"));

    const std::string example = (test::ExamplesDir() / "cutting.json").string();
    run = Cli({"convert", example, (dir / "out.txt").string()});
    EXPECT_EQ(run.status, kExitError);
    EXPECT_TRUE(IsOneLine(run.err)) << run.err;
    EXPECT_NE(run.err.find("out.txt: unknown output type"), std::string::npos);

    run = Cli({"convert", example, (dir / "no-such-folder" / "x.clv").string()});
    EXPECT_EQ(run.status, kExitError);
    EXPECT_TRUE(IsOneLine(run.err)) << run.err;
    EXPECT_NE(run.err.find("x.clv: cannot be written"), std::string::npos) << run.err;
}

TEST(Convert, AFailedConversionLeavesAnExistingOutputAlone)
{
    auto dir = test::FreshTempDir("convert");
    std::ofstream(dir / "keep.clv") << "previous contents";
    std::ofstream(dir / "bad.json") << "{ not json";
    EXPECT_EQ(Cli({"convert", (dir / "bad.json").string(), (dir / "keep.clv").string()}).status, kExitError);
    std::ifstream in(dir / "keep.clv");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "previous contents");
}

TEST(Cli, UsageErrorsPrintTheUsageWithStatus2)
{
    for (const Args& args : {Args{}, Args{"convert"}, Args{"convert", "a.clv"}, Args{"convert", "a", "b", "c"},
                             Args{"info"}, Args{"info", "a.clv", "b.clv"}, Args{"frobnicate"}}) {
        CliRun run = Cli(args);
        EXPECT_EQ(run.status, kExitError);
        EXPECT_NE(run.err.find("usage: clivora-cli"), std::string::npos);
        EXPECT_EQ(run.out, "");
    }
    CliRun help = Cli({"--help"});
    EXPECT_EQ(help.status, kExitOk);
    EXPECT_NE(help.out.find("convert IN OUT"), std::string::npos);
}

TEST(Info, SummarisesTheExamples)
{
    CliRun cutting = Cli({"info", (test::ExamplesDir() / "cutting.clv").string()});
    ASSERT_EQ(cutting.status, kExitOk) << cutting.err;
    EXPECT_EQ(cutting.err, "");
    EXPECT_NE(cutting.out.find("A14 widening"), std::string::npos);
    EXPECT_NE(cutting.out.find("Stiff brown London Clay"), std::string::npos);
    EXPECT_NE(cutting.out.find("19.00 kN/m3  phi 25.0 deg  c 5.00 kN/m2"), std::string::npos);
    EXPECT_NE(cutting.out.find("Bishop simplified, at least 25 slices"), std::string::npos);
    EXPECT_NE(cutting.out.find("Defined surface 8 points"), std::string::npos);

    CliRun layered = Cli({"info", (test::ExamplesDir() / "layered_slope.json").string()});
    ASSERT_EQ(layered.status, kExitOk) << layered.err;
    for (const char* soil : {"Made ground", "Firm to stiff sandy clay", "Weathered sandstone"})
        EXPECT_NE(layered.out.find(soil), std::string::npos) << soil;
    EXPECT_NE(layered.out.find("phreatic surface of 5 points"), std::string::npos);
    EXPECT_NE(layered.out.find("Serviceability Limit State or conventional analysis"), std::string::npos);

    CliRun embankment = Cli({"info", (test::ExamplesDir() / "reinforced_embankment.clv").string()});
    ASSERT_EQ(embankment.status, kExitOk) << embankment.err;
    EXPECT_NE(embankment.out.find("BS8006 Reinforced Soil - Ultimate Limit State"), std::string::npos);
    EXPECT_NE(embankment.out.find("fn 1.10  ffs 1.50  fq 1.50  fms tan(phi) 1.00  fms c 1.60  fm 1.25  fs 1.30  fp 1.30"),
              std::string::npos);
    EXPECT_NE(embankment.out.find("Surcharge     10.00 kN/m2 from x 3.00 to 23.00, at the surface"), std::string::npos);
    EXPECT_NE(embankment.out.find("Line load     25.00 kN/m at x 3.50"), std::string::npos);
    EXPECT_NE(embankment.out.find("strength 55.0 kN/m  length 6.0 m"), std::string::npos);
}

TEST(Info, AnUnreadableFileIsOneLineWithStatus2)
{
    auto dir = test::FreshTempDir("info");
    std::ofstream(dir / "empty.clv");
    CliRun run = Cli({"info", (dir / "empty.clv").string()});
    EXPECT_EQ(run.status, kExitError);
    EXPECT_TRUE(IsOneLine(run.err)) << run.err;
    EXPECT_NE(run.err.find("empty.clv: not a complete job file"), std::string::npos);
    EXPECT_EQ(run.out, "");

    run = Cli({"info", dir.string()});
    EXPECT_EQ(run.status, kExitError);
    EXPECT_TRUE(IsOneLine(run.err)) << run.err;
    EXPECT_NE(run.err.find("is a folder"), std::string::npos);
}

TEST(LoadJobForCli, StampsTheProgramVersionLikeOpeningAJob)
{
    auto dir = test::FreshTempDir("load");
    Job job = test::RichJob();
    job.Header.FileVersion = 2.0f;
    test::WriteBytes(dir / "job.clv", *EncodeJobFile(job, 2.0f));
    std::ofstream(dir / "job.json") << JobToJson(job, 2.0f);
    for (const char* name : {"job.clv", "job.json"}) {
        std::string error;
        std::optional<Job> loaded = LoadJobForCli((dir / name).string(), error);
        ASSERT_TRUE(loaded) << error;
        EXPECT_EQ(loaded->Header.FileVersion, ProgramVersion()) << name;
        EXPECT_EQ(loaded->SoilCount(), 3) << name;
    }
}

// The examples are what an engineer would enter: ground surface from left to
// right, lower strata not above it, the section inside the view.
TEST(Examples, AreWellFormedSections)
{
    for (const char* name : kExamples) {
        std::string error;
        std::optional<Job> job = LoadJobForCli((test::ExamplesDir() / (std::string(name) + ".json")).string(), error);
        ASSERT_TRUE(job) << error;
        ASSERT_GE(job->SoilCount(), 1);
        EXPECT_FALSE(job->Header.MainTitle.Trimmed().empty());
        for (int k = 1; k <= job->SoilCount(); ++k) {
            const SoilRecord& soil = job->Soil(k);
            ASSERT_GE(soil.PointCount, 2) << name;
            for (int j = 1; j <= soil.PointCount; ++j) {
                if (j > 1) {
                    EXPECT_LT(soil.X[j - 1], soil.X[j]) << name << " soil " << k;
                }
                EXPECT_GE(soil.X[j], job->View.XMin) << name;
                EXPECT_LE(soil.X[j], job->View.XMax) << name;
                EXPECT_GE(soil.Y[j], job->View.YMin) << name;
                EXPECT_LE(soil.Y[j], job->View.YMax) << name;
            }
        }
        EXPECT_EQ(job->Slip.Method, kBishop);
        EXPECT_TRUE(IsSet(job->Slip.AutoGenerate));
    }
}

} // namespace
} // namespace clv::cli
