#include "cli_io.h"
#include "commands.h"
#include "model/job_file.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <set>
#include <sstream>

namespace clv::cli {
namespace {

namespace fs = std::filesystem;

struct AnalyseRun {
    int status;
    nlohmann::json json;
    std::string text;
    std::string err;
};

AnalyseRun Analyse(Args args)
{
    args.insert(args.begin(), {"clivora-cli", "analyse"});
    std::ostringstream out, err;
    const int status = RunCli(args, out, err);
    AnalyseRun run{status, nullptr, out.str(), err.str()};
    if (status == kExitOk && std::find(args.begin(), args.end(), "--json") != args.end())
        run.json = nlohmann::json::parse(run.text);
    return run;
}

std::string Example(const char* name) { return (test::ExamplesDir() / (std::string(name) + ".clv")).string(); }

Job LoadExample(const char* name)
{
    std::string error;
    std::optional<Job> job = LoadJobForCli(Example(name), error);
    EXPECT_TRUE(job) << error;
    return job ? *job : Job{};
}

std::string WriteJob(const Job& job, const std::string& name)
{
    const fs::path path = test::FreshTempDir("analyse-surfaces") / (name + ".clv");
    const std::optional<Bytes> bytes = EncodeJobFile(job, ProgramVersion());
    EXPECT_TRUE(bytes);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes->data()), static_cast<std::streamsize>(bytes->size()));
    return path.string();
}

std::set<std::string> Keys(const nlohmann::json& object)
{
    std::set<std::string> keys;
    for (auto it = object.begin(); it != object.end(); ++it)
        keys.insert(it.key());
    return keys;
}

TEST(AnalyseSurfaces, ByDefaultEveryAnalysisThatAppliesRunsAndOptionsChoose)
{
    // The cutting has defined points and no reinforcement; the embankment has layers.
    const AnalyseRun cutting = Analyse({"--json", Example("cutting")});
    ASSERT_EQ(cutting.status, kExitOk) << cutting.err;
    EXPECT_EQ(Keys(cutting.json), (std::set<std::string>{"file", "circles", "defined"}));
    EXPECT_EQ(Keys(Analyse({"--json", Example("reinforced_embankment")}).json),
              (std::set<std::string>{"file", "circles", "wedges"}));

    EXPECT_EQ(Keys(Analyse({"--defined", "--json", Example("cutting")}).json),
              (std::set<std::string>{"file", "defined"}));
    const AnalyseRun text = Analyse({"--wedges", Example("reinforced_embankment")});
    EXPECT_NE(text.text.find("Wedge analysis"), std::string::npos);
    EXPECT_EQ(text.text.find("Slip circle analysis"), std::string::npos);
}

TEST(AnalyseSurfaces, DefinedObjectHasItsKeysAndTheCircleSliceKeys)
{
    const AnalyseRun run = Analyse({"--json", Example("cutting")});
    const nlohmann::json& d = run.json["defined"];
    EXPECT_EQ(Keys(d), (std::set<std::string>{"stability_factor", "text", "disturbing_force", "soil_force",
                                              "reinforcement_force", "slices"}));
    ASSERT_FALSE(d["slices"].empty());
    EXPECT_EQ(Keys(d["slices"][0]), Keys(run.json["circles"]["slices"][0]));
    const double factor = d["stability_factor"];
    EXPECT_GT(factor, 0.5);
    EXPECT_LT(factor, 5.0);
    // Janbu's factor: (soil + reinforcement) / disturbing, from the last pass.
    const double balance = (d["soil_force"].get<double>() + d["reinforcement_force"].get<double>()) /
                           d["disturbing_force"].get<double>();
    EXPECT_NEAR(factor, balance, 1e-4);
}

TEST(AnalyseSurfaces, DefinedSurfaceThatCannotBeAnalysedIsNotAvailable)
{
    Job job = LoadExample("cutting");
    job.UserPoints.resize(2);
    const AnalyseRun run = Analyse({"--defined", "--json", WriteJob(job, "two-points")});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(run.json["defined"]["stability_factor"], 1001);
    EXPECT_EQ(run.json["defined"]["text"], "N/A");
    EXPECT_TRUE(run.json["defined"]["slices"].empty());
    // Two points are not a defined surface: by default only the circles run.
    EXPECT_EQ(Keys(Analyse({"--json", WriteJob(job, "two-points")}).json),
              (std::set<std::string>{"file", "circles"}));
}

TEST(AnalyseSurfaces, WedgesObjectDescribesTheCriticalWedge)
{
    const AnalyseRun run = Analyse({"--wedges", "--json", Example("reinforced_embankment")});
    const nlohmann::json& w = run.json["wedges"];
    EXPECT_EQ(Keys(w), (std::set<std::string>{"stability_factor", "text", "count", "critical"}));
    EXPECT_GT(w["count"].get<int>(), 0);
    const nlohmann::json& c = w["critical"];
    EXPECT_EQ(Keys(c), (std::set<std::string>{"base_width", "base_angle", "rear_angle", "toe_x", "toe_level",
                                              "corner_x", "corner_level", "top_x", "top_level", "disturbing",
                                              "soil_restore", "reinforcement_restore"}));
    const double net = c["disturbing"].get<double>() - c["soil_restore"].get<double>();
    ASSERT_GT(net, 0.01);
    EXPECT_NEAR(w["stability_factor"].get<double>(), c["reinforcement_restore"].get<double>() / net, 1e-4);
    EXPECT_NEAR(c["corner_x"].get<double>(), c["toe_x"].get<double>() + c["base_width"].get<double>(), 1e-4);
}

TEST(AnalyseSurfaces, WedgesWithoutReinforcementGiveNoCriticalWedge)
{
    const AnalyseRun run = Analyse({"--wedges", "--json", Example("cutting")});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    const nlohmann::json& w = run.json["wedges"];
    EXPECT_EQ(w["count"], 0);
    EXPECT_TRUE(w["critical"].is_null());
    EXPECT_EQ(w["stability_factor"], 1001);
    const AnalyseRun text = Analyse({"--wedges", Example("cutting")});
    EXPECT_NE(text.text.find("Wedge analysis is only applicable to reinforced slopes"), std::string::npos);
}

TEST(AnalyseSurfaces, RigorousMethodReportsLambda)
{
    const AnalyseRun run = Analyse({"--method", "rigorous", "--circles", "--json", Example("reinforced_embankment")});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    const nlohmann::json& c = run.json["circles"];
    EXPECT_EQ(c["method"], "rigorous");
    EXPECT_NE(c["stability_factor"], 1001);
    EXPECT_GT(c["reinforcement_force"].get<double>(), 0.0);
    EXPECT_NE(c["lambda"].get<double>(), 0.0);
    const AnalyseRun text = Analyse({"--method", "rigorous", "--circles", Example("reinforced_embankment")});
    EXPECT_NE(text.text.find("Interslice factor, Lambda"), std::string::npos);
}

} // namespace
} // namespace clv::cli
