// clivora-cli analyse: the JSON keys scripts rely on, the analyses chosen for each
// job, the method override, and results that are not errors.

#include "analysis_json.h"
#include "cli_io.h"
#include "cli_run.h"
#include "model/byte_access.h"
#include "model/job_file.h"

#include <gtest/gtest.h>

#include <limits>

namespace clv::cli {

using Set = std::set<std::string>;

static std::string WriteJob(const Job& job, const std::string& name)
{
    const auto path = test::FreshTempDir("analyse") / (name + ".clv");
    test::WriteBytes(path, EncodeJobFile(job, ProgramVersion()).value());
    return path.string();
}

TEST(Analyse, JsonKeysAreThePromisedOnes)
{
    const Set sliceKeys = {"x_left", "x_right", "ground_left", "ground_right", "base_left", "base_right", "base_soil",
                           "weight", "vertical_force", "horizontal_force", "base_pore_pressure", "normal_force"};
    // The cutting has defined points and no reinforcement; the embankment has layers.
    // (Not const: a missing key then reads as null rather than tripping the library's assertion.)
    nlohmann::json cutting = Cli({"analyse", "--json", Example("cutting.clv")}).Json();
    nlohmann::json embankment = Cli({"analyse", "--json", Example("reinforced_embankment.clv")}).Json();
    EXPECT_EQ(Keys(cutting), (Set{"file", "circles", "defined"}));
    EXPECT_EQ(Keys(embankment), (Set{"file", "circles", "wedges"}));

    nlohmann::json& c = cutting["circles"];
    EXPECT_EQ(Keys(c), (Set{"method", "stability_factor", "text", "centre_x", "centre_y", "radius", "lambda", "lambda_limit",
                            "entry_x", "entry_y", "exit_x", "exit_y", "disturbing_moment", "soil_moment", "reinforcement_moment",
                            "disturbing_force", "soil_force", "reinforcement_force", "slips", "valid_slips", "grid",
                            "slices", "notices"}));
    EXPECT_EQ(Keys(c["grid"]), (Set{"x_min", "x_max", "x_inc", "y_min", "y_max", "y_inc"}));
    EXPECT_EQ(Keys(c["slices"].at(0)), sliceKeys);
    // Each value under its own key: a slice's right side is the next one's left side,
    // and the ground lies above the base.
    const nlohmann::json& slices = c["slices"];
    ASSERT_GE(slices.size(), 2u);
    for (std::size_t i = 0; i + 1 < slices.size(); ++i) {
        for (const char* side : {"x", "ground", "base"})
            EXPECT_EQ(slices[i][std::string(side) + "_right"], slices[i + 1][std::string(side) + "_left"]) << i << side;
        EXPECT_GT(slices[i]["ground_right"].get<double>(), slices[i]["base_right"].get<double>()) << i;
    }
    // Values under the right keys: Bishop's factor is the moment ratio.
    EXPECT_EQ(c["method"], "bishop");
    EXPECT_EQ(c["text"], FactorText(c["stability_factor"].get<float>()));
    EXPECT_NEAR(c["stability_factor"].get<double>(), c["soil_moment"].get<double>() / c["disturbing_moment"].get<double>(), 1e-4);

    nlohmann::json& d = cutting["defined"];
    EXPECT_EQ(Keys(d), (Set{"stability_factor", "text", "disturbing_force", "soil_force", "reinforcement_force", "slices"}));
    EXPECT_EQ(Keys(d["slices"].at(0)), sliceKeys);

    nlohmann::json& w = embankment["wedges"];
    EXPECT_EQ(Keys(w), (Set{"stability_factor", "text", "count", "critical"}));
    EXPECT_EQ(Keys(w["critical"]), (Set{"base_width", "base_angle", "rear_angle", "toe_x", "toe_level", "corner_x", "corner_level",
                                        "top_x", "top_level", "disturbing", "soil_restore", "reinforcement_restore"}));
    EXPECT_GT(embankment["circles"]["reinforcement_moment"].get<double>(), 0.0); // the geogrids hold the circle

    // The options choose; several files make an array; the JSON form gives the job file's results.
    EXPECT_EQ(Keys(Cli({"analyse", "--defined", "--json", Example("cutting.clv")}).Json()), (Set{"file", "defined"}));
    EXPECT_EQ(Cli({"analyse", "--json", Example("cutting.clv"), Example("cutting.clv")}).Json(),
              nlohmann::json::array({cutting, cutting}));
    EXPECT_EQ(Cli({"analyse", "--json", Example("cutting.json")}).Json()["circles"], cutting["circles"]);
}

TEST(Analyse, MethodOverrideLeavesTheFileAlone)
{
    const auto copy = test::FreshTempDir("analyse") / "embankment.clv";
    std::filesystem::copy_file(Example("reinforced_embankment.clv"), copy);
    const Bytes before = test::ReadBytes(copy);
    for (const char* method : {"fellenius", "bishop", "bs8006", "janbu", "rigorous"}) {
        nlohmann::json c = Cli({"analyse", "--method", method, "--circles", "--json", copy.string()}).Json();
        EXPECT_EQ(c["circles"]["method"], method);
        EXPECT_NE(c["circles"]["stability_factor"], 1001) << method;
        EXPECT_TRUE(std::string(method) != "rigorous" || c["circles"]["lambda"] != 0.0); // the rigorous λ
    }
    const CliRun text = Cli({"analyse", "--method=janbu", copy.string()});
    EXPECT_TRUE(text.Says("Method of analysis used is Janbu simplified (Force equilibrium)") && !text.Says("-0.00")) << text.out;
    EXPECT_EQ(test::ReadBytes(copy), before);
}

TEST(Analyse, NoticesAndInvalidResultsAreResultsNotErrors)
{
    // A homogeneous 2:1 slope whose grid, given far behind the crest, grows to the slip limit.
    Job job = MakeDefaultJob();
    job.Soils.push_back({.Description = {}, .Density = 20, .Phi = 19.6f, .Cohesion = 3, .PointCount = 4,
                         .X = {0, 20, 30, 50, 70}, .Y = {0, 25, 25, 35, 35}});
    SlipSettings& s = job.Slip;
    s.AutoGenerate = kFalse, s.AutoExtendGrid = kTrue;
    s.GridXMin = 80, s.GridXMax = 83, s.GridYMin = 60, s.GridYMax = 63, s.GridXInc = s.GridYInc = 1;
    s.CommonXMin = 28, s.CommonXMax = 34, s.CommonXInc = 2, s.CommonY = kNoLevel;
    CliRun run = Cli({"analyse", "--json", WriteJob(job, "slope")});
    const char* limit = "Maximum number of slips (500) has been exceeded\rCheck data and edit if required";
    EXPECT_EQ(run.Json()["circles"]["notices"], nlohmann::json::array({limit}));
    EXPECT_GT(run.Json()["circles"]["slips"].get<int>(), 500);

    // Two defined points are no surface: not available, and not run by default.
    job.UserPoints = {{25, 30}, {45, 40}};
    nlohmann::json d = Cli({"analyse", "--defined", "--json", WriteJob(job, "two")}).Json()["defined"];
    EXPECT_EQ(d["stability_factor"], 1001);
    EXPECT_EQ(d["text"], "N/A");
    EXPECT_EQ(Keys(Cli({"analyse", "--json", WriteJob(job, "two")}).Json()), (Set{"file", "circles"}));

    // A zero partial factor makes every circle invalid: a result, not an error.
    job.Factors.RamificationsOfFailure = 0.0f;
    run = Cli({"analyse", "--json", WriteJob(job, "zero")});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(run.Json()["circles"]["stability_factor"], 1001);
    EXPECT_EQ(run.Json()["circles"]["text"], "Invalid");
    EXPECT_TRUE(Cli({"analyse", WriteJob(job, "zero")}).Says("Critical circle stability factor  Invalid"));

    // Wedges without reinforcement: no critical wedge, and the text says why.
    nlohmann::json w = Cli({"analyse", "--wedges", "--json", Example("cutting.clv")}).Json()["wedges"];
    EXPECT_TRUE(w["critical"].is_null());
    EXPECT_TRUE(Cli({"analyse", "--wedges", Example("cutting.clv")}).Says("Wedge analysis is only applicable to reinforced slopes"));

    // Single-precision results as the shortest decimal that reads back as the same float.
    EXPECT_EQ(JsonNumber(1.234f).dump(), "1.234");
    EXPECT_TRUE(JsonNumber(std::numeric_limits<float>::quiet_NaN()).is_null());
}

TEST(Analyse, AllSlipsListsEveryTrialCircleInSlipOrder)
{
    // The cutting's automatic grid: 4 x 4 centres from (1, 9) by 1 and four common
    // points, grown towards the minimum. Slip n + 1 follows slip n along a grid row.
    const std::string cutting = Example("cutting.clv");
    nlohmann::json c = Cli({"analyse", "--circles", "--json", "--all-slips", cutting}).Json()["circles"];
    const nlohmann::json& all = c["all_slips"];
    ASSERT_GE(all.size(), 2u);
    EXPECT_EQ(all.size(), c["slips"].get<std::size_t>());
    EXPECT_EQ(Keys(all.at(0)), (Set{"centre_x", "centre_y", "radius", "stability_factor", "lambda"}));
    EXPECT_NEAR(all[1]["centre_x"].get<double>() - all[0]["centre_x"].get<double>(), c["grid"]["x_inc"].get<double>(), 1e-5);
    EXPECT_EQ(all[0]["centre_x"], c["grid"]["x_min"]);
    EXPECT_EQ(all[0]["centre_y"], c["grid"]["y_min"]);
    // The critical circle is one of them, with the lowest factor.
    EXPECT_TRUE(std::any_of(all.begin(), all.end(), [&c](const nlohmann::json& slip) {
        return slip["centre_x"] == c["centre_x"] && slip["centre_y"] == c["centre_y"] && slip["radius"] == c["radius"];
    }));
    for (const nlohmann::json& slip : all)
        EXPECT_GE(slip["stability_factor"].get<double>(), c["stability_factor"].get<double>());
    // Without the option the list is left out; it needs --json.
    EXPECT_FALSE(Cli({"analyse", "--circles", "--json", cutting}).Json()["circles"].contains("all_slips"));
    const CliRun text = Cli({"analyse", "--all-slips", cutting});
    EXPECT_EQ(text.status, kExitError);
    EXPECT_TRUE(text.OneLineError()) << text.err;
    // Each slip's lambda is that of the rigorous solution when that method runs.
    c = Cli({"analyse", "--circles", "--json", "--all-slips", "--method", "rigorous", cutting}).Json()["circles"];
    ASSERT_FALSE(c["all_slips"].empty());
    EXPECT_EQ(c["lambda_limit"], 1);
    EXPECT_TRUE(std::any_of(c["all_slips"].begin(), c["all_slips"].end(),
                            [](const nlohmann::json& slip) { return slip["lambda"] != 0.0; }));
}

TEST(Cli, VersionNamesTheProgramAndItsVersion)
{
    const CliRun run = Cli({"--version"});
    EXPECT_TRUE(run.status == kExitOk && run.err.empty());
    EXPECT_EQ(run.out, "clivora-cli (Clivora) " + std::to_string(CLIVORA_VERSION_MAJOR) + "." + std::to_string(CLIVORA_VERSION_MINOR) + "\n");
}

} // namespace clv::cli
