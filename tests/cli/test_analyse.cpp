// clivora-cli analyse: the bundled examples, the JSON keys scripts rely on, the
// method override, several files, and the errors.

#include "analysis_json.h"
#include "commands.h"
#include "model/byte_access.h"
#include "model/job_file.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <set>
#include <sstream>

namespace clv::cli {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun Analyse(Args args)
{
    args.insert(args.begin(), {"clivora-cli", "analyse"});
    std::ostringstream out, err;
    const int status = RunCli(args, out, err);
    return {status, out.str(), err.str()};
}

std::string Example(const char* name)
{
    return (test::ExamplesDir() / name).string();
}

std::set<std::string> Keys(const json& object)
{
    std::set<std::string> keys;
    for (const auto& item : object.items())
        keys.insert(item.key());
    return keys;
}

bool IsOneLine(const std::string& text)
{
    return !text.empty() && text.back() == '\n' && std::count(text.begin(), text.end(), '\n') == 1;
}

TEST(Analyse, JsonKeysAreThePromisedOnes)
{
    const CliRun run = Analyse({"--circles", "--json", Example("layered_slope.clv")});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(run.err, "");
    const json result = json::parse(run.out);
    EXPECT_EQ(Keys(result), (std::set<std::string>{"file", "circles"}));
    EXPECT_EQ(result["file"], Example("layered_slope.clv"));

    const json& c = result["circles"];
    EXPECT_EQ(Keys(c), (std::set<std::string>{
                           "method", "stability_factor", "text", "centre_x", "centre_y", "radius", "lambda", "entry_x",
                           "entry_y", "exit_x", "exit_y", "disturbing_moment", "soil_moment", "reinforcement_moment",
                           "disturbing_force", "soil_force", "reinforcement_force", "slips", "valid_slips", "grid",
                           "slices", "notices"}));
    EXPECT_EQ(Keys(c["grid"]), (std::set<std::string>{"x_min", "x_max", "x_inc", "y_min", "y_max", "y_inc"}));
    ASSERT_FALSE(c["slices"].empty());
    for (const json& slice : c["slices"])
        EXPECT_EQ(Keys(slice), (std::set<std::string>{"x_left", "x_right", "ground_left", "ground_right",
                                                      "base_left", "base_right", "base_soil", "weight",
                                                      "vertical_force", "horizontal_force", "base_pore_pressure",
                                                      "normal_force"}));

    // The values agree with one another.
    EXPECT_EQ(c["method"], "bishop"); // the job's own method
    const float factor = c["stability_factor"].get<float>();
    EXPECT_EQ(c["text"], FactorText(factor));
    EXPECT_LE(c["valid_slips"].get<int>(), c["slips"].get<int>());
    EXPECT_NEAR(c["slices"].front()["x_left"].get<double>(), c["entry_x"].get<double>(), 1e-6);
    EXPECT_NEAR(c["slices"].back()["x_right"].get<double>(), c["exit_x"].get<double>(), 1e-6);
    EXPECT_NEAR(factor, c["soil_moment"].get<double>() / c["disturbing_moment"].get<double>(), 1e-4);
    EXPECT_TRUE(c["notices"].empty());
}

TEST(Analyse, MethodOverrideLeavesTheFileAlone)
{
    const auto dir = test::FreshTempDir("analyse");
    const fs::path copy = dir / "layered.clv";
    fs::copy_file(Example("layered_slope.clv"), copy);
    const Bytes before = test::ReadBytes(copy);

    for (const char* method : {"fellenius", "bishop", "bs8006", "janbu", "rigorous"}) {
        const CliRun run = Analyse({"--method", method, "--json", copy.string()});
        ASSERT_EQ(run.status, kExitOk) << method << run.err;
        EXPECT_EQ(json::parse(run.out)["circles"]["method"], method);
    }
    const CliRun equals = Analyse({"--method=janbu", copy.string()});
    ASSERT_EQ(equals.status, kExitOk);
    EXPECT_NE(equals.out.find("Method of analysis used is Janbu simplified (Force equilibrium)"), std::string::npos);
    EXPECT_EQ(test::ReadBytes(copy), before);
}

TEST(Analyse, TextForPeople)
{
    const CliRun run = Analyse({Example("cutting.clv")});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    EXPECT_NE(run.out.find("Method of analysis used is Bishop simplified (Moment equilibrium)"), std::string::npos);
    EXPECT_NE(run.out.find("Critical circle stability factor"), std::string::npos);
    EXPECT_NE(run.out.find("Slices of the critical circle"), std::string::npos);
    EXPECT_EQ(run.out.find("-0.00"), std::string::npos);
}

TEST(Analyse, SeveralFilesMakeAnArray)
{
    const CliRun run = Analyse({"--json", Example("cutting.clv"), Example("reinforced_embankment.clv")});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    const json results = json::parse(run.out);
    ASSERT_TRUE(results.is_array());
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[1]["file"], Example("reinforced_embankment.clv"));
    // The embankment's geogrids hold part of the critical circle.
    EXPECT_GT(results[1]["circles"]["reinforcement_moment"].get<double>(), 0.0);

    // The JSON form of a job gives the same analysis as its job file.
    const CliRun fromJson = Analyse({"--json", Example("cutting.json")});
    ASSERT_EQ(fromJson.status, kExitOk) << fromJson.err;
    EXPECT_EQ(json::parse(fromJson.out)["circles"], results[0]["circles"]);
}

TEST(Analyse, NoticesAndInvalidResultsAreResultsNotErrors)
{
    const auto dir = test::FreshTempDir("analyse");
    // A homogeneous 2:1 slope whose automatic grid grows to the slip limit.
    Job job = MakeDefaultJob();
    SoilRecord soil;
    soil.Density = 20.0f;
    soil.Phi = 19.6f;
    soil.Cohesion = 3.0f;
    const float xs[] = {20, 30, 50, 70}, ys[] = {25, 25, 35, 35};
    soil.PointCount = 4;
    for (int k = 0; k < 4; ++k) {
        soil.X[static_cast<std::size_t>(k + 1)] = xs[k];
        soil.Y[static_cast<std::size_t>(k + 1)] = ys[k];
    }
    job.Soils.push_back(soil);
    test::WriteBytes(dir / "slope.clv", *EncodeJobFile(job, 2.02f));
    CliRun run = Analyse({"--json", (dir / "slope.clv").string()});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    const json c = json::parse(run.out)["circles"];
    EXPECT_EQ(c["notices"], json::array({"Maximum number of slips (500) has been exceeded\rCheck data and edit if required"}));
    EXPECT_GT(c["slips"].get<int>(), 500);

    // Every partial factor zero: every circle invalid, still a result.
    job.Factors.RamificationsOfFailure = 0.0f;
    test::WriteBytes(dir / "zero.clv", *EncodeJobFile(job, 2.02f));
    run = Analyse({"--json", (dir / "zero.clv").string()});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(json::parse(run.out)["circles"]["text"], "Invalid");
    EXPECT_EQ(json::parse(run.out)["circles"]["stability_factor"], 1001);
    run = Analyse({(dir / "zero.clv").string()});
    EXPECT_NE(run.out.find("Critical circle stability factor  Invalid"), std::string::npos) << run.out;

    // No ground at all: said so, still a result.
    test::WriteBytes(dir / "empty.clv", *EncodeJobFile(MakeDefaultJob(), 2.02f));
    run = Analyse({"--json", (dir / "empty.clv").string()});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(json::parse(run.out)["circles"]["slips"], 0);
    EXPECT_EQ(json::parse(run.out)["circles"]["notices"].size(), 1u);
}

TEST(Analyse, BadArgumentsAndUnreadableFiles)
{
    const auto dir = test::FreshTempDir("analyse");
    for (const Args& args : {Args{"--method", "spencer", Example("cutting.clv")}, Args{"--method"}, Args{},
                             Args{"--circle", Example("cutting.clv")}}) {
        const CliRun run = Analyse(args);
        EXPECT_EQ(run.status, kExitError);
        EXPECT_TRUE(IsOneLine(run.err)) << run.err;
        EXPECT_EQ(run.out, "");
    }

    const std::string missing = (dir / "missing.clv").string();
    test::WriteBytes(dir / "garbage.clv", Bytes(100, 0x41));
    for (const std::string& path : {missing, (dir / "garbage.clv").string()}) {
        const CliRun run = Analyse({"--json", path});
        EXPECT_EQ(run.status, kExitError);
        EXPECT_TRUE(IsOneLine(run.err)) << run.err;
        EXPECT_NE(run.err.find(path), std::string::npos);
        EXPECT_EQ(run.out, "");
    }

    // One bad file among good ones: the others are still analysed, and the status says 2.
    const CliRun mixed = Analyse({"--json", Example("cutting.clv"), missing});
    EXPECT_EQ(mixed.status, kExitError);
    EXPECT_EQ(json::parse(mixed.out).size(), 1u);
}

TEST(Analyse, JsonNumbersAreTheSinglePrecisionValues)
{
    EXPECT_EQ(JsonNumber(1.234f).dump(), "1.234");
    EXPECT_EQ(JsonNumber(1001.0f).dump(), "1001.0");
    EXPECT_EQ(JsonNumber(0.1f).get<float>(), 0.1f);
    EXPECT_TRUE(JsonNumber(std::numeric_limits<float>::quiet_NaN()).is_null());
}

} // namespace
} // namespace clv::cli
