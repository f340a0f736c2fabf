// clivora-cli convert and info, and the JSON form of a job: job files through it
// and back without the loss of a byte, older files upgraded, the summaries, and
// errors that name the file and the field, in one line with status 2.

#include "cli_io.h"
#include "cli_run.h"
#include "job_json.h"
#include "model/byte_access.h"
#include "model/job_file.h"
#include "model/rich_job.h"

#include <gtest/gtest.h>

#include <bit>
#include <fstream>
#include <limits>

namespace clv::cli {

namespace fs = std::filesystem;
using Limits = std::numeric_limits<float>;

static const std::uint8_t* AsBytes(const char* text) { return reinterpret_cast<const std::uint8_t*>(text); }

/** The rich job with the floats and texts that are hardest to carry through text. */
static Job OddJob()
{
    Job job = test::RichJob();
    job.Header.Reserved1 = std::bit_cast<float>(0xFFC00000u); // the NaN an x86 0/0 gives
    job.Header.Reserved2 = std::bit_cast<float>(0x7F800001u); // a signalling NaN with a payload
    job.Header.ReservedSingles = {Limits::infinity(), -Limits::infinity(), -0.0f, Limits::denorm_min(), Limits::max(),
                                  Limits::quiet_NaN()};
    job.Soils[0].Density = 1.0f / 3.0f;
    job.Soils[0].X[0] = 0.1f;   // slot 0, outside the points
    job.Soils[1].Y[51] = -0.0f; // a spare slot that only has a sign bit
    job.UserPoints.push_back({16777217.0f, 1e-30f});
    job.View.ShowGrid = 5; // a Boolean holding neither -1 nor 0
    // Bytes that are no character of the code page, and blanks before a text.
    job.Soils[2].Description = FixedText<25>::FromBytes(AsBytes("Mud\0\x81\x8D\x8F\x90\x9D\x80\xFF  x           "));
    job.Header.Engineer = FixedText<15>::FromBytes(AsBytes("  lead         "));
    return job;
}

TEST(Convert, JobFilesGoThroughJsonAndBackByteForByte)
{
    const fs::path dir = test::FreshTempDir("convert");
    auto convert = [&dir](const fs::path& in, const std::string& out) {
        EXPECT_EQ(Cli({"convert", in.string(), (dir / out).string()}).status, kExitOk) << in;
        return test::ReadBytes(dir / out);
    };
    // Each example's JSON source gives its committed job file, and that file through JSON gives itself.
    for (const std::string name : {"cutting", "layered_slope", "reinforced_embankment"}) {
        const Bytes committed = test::ReadBytes(Example(name + ".clv"));
        EXPECT_EQ(convert(Example(name + ".json"), "made.clv"), committed) << name;
        convert(Example(name + ".clv"), "back.json");
        EXPECT_EQ(convert(dir / "back.json", "BACK.CLV"), committed) << name;
    }
    for (Single version : {2.0f, 2.02f, 7.5f, Limits::infinity(), std::bit_cast<float>(0x7FC00000u)}) {
        for (const Job& job : {OddJob(), MakeDefaultJob()}) {
            const Bytes original = EncodeJobFile(job, version).value();
            test::WriteBytes(dir / "job.clv", original);
            convert(dir / "job.clv", "job.json");
            EXPECT_EQ(convert(dir / "job.json", "BACK.CLV"), original) << "leading version " << version;
        }
    }

    // Floats in their shortest form, special values named, a point on one line.
    const std::string text = JobToJson(OddJob(), 2.02f);
    for (const char* piece : {"\"StoredVersion\": 2.02,", "\"FrictionCoefficient\": 0.8,",
                              "\"Reserved1\": \"NaN(0xffc00000)\"", "\"Reserved2\": \"NaN(0x7f800001)\"",
                              "\"Infinity\", \"-Infinity\", -0.0, 1e-45, 3.4028235e+38, \"NaN\"]", "\"ShowGrid\": 5",
                              "\"ShowPoints\": false", "\"Engineer\": \"  lead\"", "[-20.0, 2.0],\n"})
        EXPECT_NE(text.find(piece), std::string::npos) << piece;
}

TEST(Convert, MissingJsonFieldsTakeTheValuesOfANewJob)
{
    std::string error;
    const std::optional<JsonJob> empty = JobFromJson("{}", error);
    ASSERT_TRUE(empty) << error;
    EXPECT_EQ(EncodeJobFile(empty->job, empty->StoredVersion), EncodeJobFile(MakeDefaultJob(), ProgramVersion()));

    // A line load ends at its own x on the ground surface; the grid takes its size from the heads.
    const std::optional<JsonJob> parsed = JobFromJson(R"({"Loads": [{"LoadType": 1, "Value": 50, "XMin": 12.5}],
        "PiezoHeads": [[0, 10, 20], [5, 4.5, 4], [0, 3, -100000]]})", error);
    ASSERT_TRUE(parsed) << error;
    EXPECT_EQ(parsed->job.Loads.at(0).XMax, 12.5f);
    EXPECT_EQ(parsed->job.Loads.at(0).Y, kNoLevel);
    EXPECT_EQ(std::pair(parsed->job.Heads.NY(), parsed->job.Heads.NX()), std::pair(2, 2));
}

TEST(Convert, AFileOlderThan2IsUpgradedAndSaysSo)
{
    // The layout before 2.0: the longer view block, and 50 more bytes after the slip settings.
    using namespace file_layout;
    Job job = test::RichJob();
    job.Slip.MinSlipDepth = 2.5f;
    Bytes old = EncodeJobFile(job, 2.02f).value();
    test::PutFloat(old, 0, 1.99f);
    old.insert(old.begin() + kWedge, kOldExtraSize, 0);
    std::fill(old.begin() + kView, old.begin() + kFactors, 0);
    old.insert(old.begin() + kFactors, kOldViewSize - kViewSize, 0);
    const std::string dir = test::FreshTempDir("convert").string();
    test::WriteBytes(dir + "/old.clv", old);

    const CliRun run = Cli({"convert", dir + "/old.clv", dir + "/old.json"});
    EXPECT_TRUE(run.status == kExitOk && run.OneLineError()) << run.err;
    EXPECT_TRUE(run.Errs("old.clv was written by a version before 2.0")) << run.err;
    std::string error;
    const std::optional<LoadedJob> loaded = LoadJobFile(dir + "/old.json", error);
    ASSERT_TRUE(loaded) << error;
    EXPECT_EQ(loaded->StoredVersion, ProgramVersion());
    EXPECT_EQ(loaded->job.Slip.MinSlipDepth, 0.0f); // upgraded
}

TEST(Cli, ErrorsAreOneLineNamingTheFileAndFieldWithStatus2)
{
    const fs::path dir = test::FreshTempDir("errors");
    const std::string d = dir.string() + "/", example = Example("cutting.clv");
    Bytes truncated = test::ReadBytes(example);
    truncated.resize(truncated.size() - 3);
    test::WriteBytes(dir / "short.clv", truncated);
    std::ofstream(dir / "keep.clv") << "previous contents";
    const struct { Args args; std::string message; } cases[] = {
        {{"convert", d + "missing.clv", d + "out.json"}, d + "missing.clv: no such file"},
        {{"convert", d + "short.clv", d + "out.json"}, d + "short.clv: not a complete job file"},
        {{"convert", example, d + "out.txt"}, d + "out.txt: unknown output type"},
        {{"convert", example, d + "no-such-folder/x.clv"}, d + "no-such-folder/x.clv: cannot be written"},
        {{"info", d + "short.clv"}, d + "short.clv: not a complete job file"},
        {{"info", d}, d + ": is a folder"},
        {{"analyse", "--json", d + "missing.clv"}, d + "missing.clv: no such file"},
        {{"analyse", "--method", "spencer", example}, "unknown method 'spencer'"},
        {{"analyse", example, "--method"}, "--method needs one of"},
        {{"analyse", "--circle", example}, "unknown option '--circle'"},
        {{"analyse", "--json"}, "no job file given"},
    };
    for (const auto& c : cases) {
        const CliRun run = Cli(c.args);
        EXPECT_TRUE(run.status == kExitError && run.out.empty()) << c.message;
        EXPECT_TRUE(run.OneLineError()) << run.err;
        EXPECT_TRUE(run.Errs(c.message)) << run.err;
    }
    EXPECT_FALSE(fs::exists(dir / "out.json"));
    // One bad file among good ones: the others are still analysed, and the status says so.
    const CliRun mixed = Cli({"analyse", "--json", example, d + "missing.clv"});
    EXPECT_TRUE(mixed.status == kExitError && mixed.Json().size() == 1u) << mixed.out;
    for (const Args& usage : {Args{}, Args{"convert", "a.clv"}, Args{"info", "a.clv", "b.clv"}, Args{"frobnicate"}})
        EXPECT_TRUE(Cli(usage).status == kExitError && Cli(usage).Errs("usage: clivora-cli"));

    // The JSON form names the field at fault, and a failed conversion leaves the output alone.
    const std::string soil = R"("Density": 19, "Phi": 25, "Cohesion": 5, "Points": )";
    std::string points51 = "[[0, 0]";
    for (int i = 1; i < 51; ++i)
        points51 += ", [" + std::to_string(i) + ", 0]";
    const struct { std::string text; const char* error; } json[] = {
        {R"({"Soils": [{"Density": 19, "Phi": "x", "Cohesion": 5, "Points": []}]})", "Soils[1].Phi: expected a number"},
        {R"({"Soils": [{"Phi": 25, "Cohesion": 5, "Points": []}]})", "Soils[1].Density: missing"},
        {R"({"Soils": [{)" + soil + points51 + "]}]}", "Soils[1].Points: at most 50 points"},
        {R"({"Soils": [{)" + soil + R"([], "UnusedSlots": {"52": [0, 0]}}]})",
         "Soils[1].UnusedSlots.52: not a slot number from 0 to 51"},
        {R"({"Soils": [{)" + soil + "[]}, {" + soil + R"([], "Colour": 3}]})", "Soils[2].Colour: unknown field"},
        {R"({"Header": {"Project": "1234567890123456"}})", "Header.Project: longer than 15 characters"},
        {R"({"Header": {"MainTitle": "Slope Ω"}})", "Header.MainTitle: holds a character"},
        {R"({"Header": {"FirstPageNumber": 1, "FirstPageNumber": 2}})", "FirstPageNumber: given twice"},
        {R"({"Slip": {"MinSlices": 40000}})", "Slip.MinSlices: expected a whole number from -32768 to 32767"},
        {R"({"Slip": {"Fx": [1, 1]}})", "Slip.Fx: expected a list of 11 values"},
        {R"({"View": {"XMin": 1e39}})", "View.XMin: beyond the range of a Single"},
        {R"({"View": {"ShowGrid": "yes"}})", "View.ShowGrid: expected true, false or a whole number"},
        {R"({"Factors": {"Reserved": "00"}})", "Factors.Reserved: expected 40 bytes as 80 hex digits"},
        {R"({"Water": {"Points": [[1, 2], [3]]}})", "Water.Points[2]: expected a point [x, y]"},
        {R"({"Water": {"Points": [[1, 2]], "UnusedSlots": {"1": [0, 0]}}})",
         "Water.UnusedSlots.1: slot 1 holds a point"},
        {R"({"Piezo": {"NY": 2}})", "PiezoHeads: missing"},
        {R"({"Piezo": {"NY": -1}})", "Piezo.NY: must not be negative"},
        {R"({"Piezo": {"NY": 1, "NX": 1}, "PiezoHeads": [[0, 1], [2]]})", "PiezoHeads[1]: expected a row of 2 values"},
        {R"j({"UserPoints": [[1, "NaN(0x00000001)"]]})j", "UserPoints[1][1]: expected a number"},
        {R"({"StoredVersion": 1.5})", "StoredVersion: below 2.0"},
        {"{\"Header\": {", "invalid JSON: parse error at line 1"},
    };
    for (const auto& c : json) {
        std::ofstream(dir / "bad.json") << c.text;
        const CliRun run = Cli({"convert", d + "bad.json", d + "keep.clv"});
        EXPECT_TRUE(run.status == kExitError && run.OneLineError()) << run.err;
        EXPECT_TRUE(run.Errs(d + "bad.json: " + c.error)) << run.err;
    }
    std::ifstream keep(dir / "keep.clv");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(keep), {}), "previous contents");
}

TEST(Info, SummarisesAJob)
{
    const CliRun run = Cli({"info", Example("reinforced_embankment.json")});
    EXPECT_TRUE(run.status == kExitOk && run.err.empty()) << run.err;
    EXPECT_TRUE(run.Says("fn 1.10  ffs 1.50  fq 1.50  fms tan(phi) 1.00  fms c 1.60  fm 1.25  fs 1.30  fp 1.30")) << run.out;
    EXPECT_TRUE(run.Says("Surcharge     10.00 kN/m2 from x 3.00 to 23.00, at the surface")) << run.out;
}

} // namespace clv::cli
