// clivora-cli analyse [--method M] [--json] JOB...: runs the analyses of each job as
// the program's analysis tabs do (the same engine calls, automatic geometry
// included) and prints their results. --method changes the method for this run
// only; the file is never written.

#include "analysis_json.h"
#include "cli_io.h"
#include "commands.h"

#include "analysis/circle_search.h"
#include "analysis/defined_surface.h"
#include "analysis/reinforcement.h"
#include "analysis/wedges.h"
#include "ground/section_table.h"

#include <nlohmann/json.hpp>

#include <ostream>
#include <sstream>

namespace clv::cli {

namespace {

struct AnalyseOptions {
    std::optional<Integer> method; // replaces the job's method for this run
    bool json = false;
    bool allSlips = false; // every trial circle in the JSON, not just the critical one
    // Which analyses to run; each adds its object under the file. Without any of
    // --circles, --defined, --wedges every analysis that applies to the job runs.
    bool circles = false;
    bool defined = false;
    bool wedges = false;
    std::vector<std::string> files;
};

/** Reads the options; on a bad one returns nothing and sets `error` to one line. */
std::optional<AnalyseOptions> ParseOptions(const Args& args, std::string& error)
{
    AnalyseOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--json") {
            options.json = true;
        } else if (arg == "--all-slips") {
            options.allSlips = true;
        } else if (arg == "--circles") {
            options.circles = true;
        } else if (arg == "--defined") {
            options.defined = true;
        } else if (arg == "--wedges") {
            options.wedges = true;
        } else if (arg == "--method" || arg.rfind("--method=", 0) == 0) {
            std::string word;
            if (arg == "--method") {
                if (i + 1 >= args.size()) {
                    error = "--method needs one of fellenius, bishop, bs8006, janbu, rigorous";
                    return std::nullopt;
                }
                word = args[++i];
            } else {
                word = arg.substr(9);
            }
            options.method = MethodFromKey(word);
            if (!options.method) {
                error = "unknown method '" + word + "' (fellenius, bishop, bs8006, janbu or rigorous)";
                return std::nullopt;
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "unknown option '" + arg + "'";
            return std::nullopt;
        } else {
            options.files.push_back(arg);
        }
    }
    if (options.files.empty()) {
        error = "no job file given";
        return std::nullopt;
    }
    if (options.allSlips && !options.json) {
        error = "--all-slips needs --json";
        return std::nullopt;
    }
    return options;
}

/** The derived data every analysis of one job works on, built as the central refresh builds it. */
struct PreparedJob {
    Job job;
    SectionTable table;
    LayerList layers;
    NoticeLog layerNotices;

    explicit PreparedJob(Job j) : job(std::move(j)), table(BuildSectionTable(job))
    {
        layers = BuildReinforcementLayers(job, table, [this](const std::string& text) { layerNotices.push_back(text); });
    }
};

NoticeFn CollectInto(NoticeLog& log)
{
    return [&log](const std::string& text) { log.push_back(text); };
}

/** The circle search, as the slip circle tab runs it. */
void RunCircles(PreparedJob& p, bool allSlips, nlohmann::json& result, std::ostream& text)
{
    NoticeLog notices = p.layerNotices;
    const bool hasGround = p.job.SoilCount() >= 1 && p.job.Soil(1).PointCount >= 2;
    if (!hasGround)
        notices.push_back("There is no ground surface: the first soil needs at least two points");
    const CircleSearchResult search = RunCircleSearch(p.job, p.table, p.layers, CollectInto(notices));
    result["circles"] = CirclesJson(p.job, search, notices);
    if (allSlips)
        result["circles"]["all_slips"] = AllSlipsJson(search);
    PrintCircles(text, p.job, search, notices);
}

/**
 * The analyses that apply to a job: circles on a ground surface, the defined
 * surface on three points, wedges on layers.
 */
void ChooseApplicable(const PreparedJob& p, AnalyseOptions& options)
{
    if (options.circles || options.defined || options.wedges)
        return;
    options.circles = p.job.SoilCount() >= 1 && p.job.Soil(1).PointCount >= 2;
    options.defined = p.job.UserPointCount() >= 3;
    options.wedges = !p.layers.empty();
    // When nothing applies, the circle search still runs and says why it found nothing.
    if (!options.defined && !options.wedges)
        options.circles = true;
}

/** The defined slip surface, as the defined surface tab runs it. */
void RunDefined(PreparedJob& p, nlohmann::json& result, std::ostream& text)
{
    NoticeLog notices = p.layerNotices;
    const AnalysisInput in{p.job, p.table, p.layers, CollectInto(notices)};
    const DefinedSurfaceResult defined = AnalyseDefinedSurface(in);
    result["defined"] = DefinedJson(defined);
    PrintDefined(text, defined, notices);
}

/** The two-part wedge search, as the wedge tab runs it. */
void RunWedges(PreparedJob& p, nlohmann::json& result, std::ostream& text)
{
    NoticeLog notices = p.layerNotices;
    if (p.layers.empty())
        notices.push_back("Wedge analysis is only applicable to reinforced slopes");
    const WedgeSearchResult wedges = AnalyseWedges(p.job, p.table, p.layers, CollectInto(notices));
    result["wedges"] = WedgesJson(wedges);
    PrintWedges(text, p.job, wedges, notices);
}

} // namespace

int RunAnalyse(const Args& args, std::ostream& out, std::ostream& err)
{
    std::string error;
    const std::optional<AnalyseOptions> options = ParseOptions(args, error);
    if (!options) {
        err << "clivora-cli analyse: " << error << "\n";
        return kExitError;
    }

    int status = kExitOk;
    nlohmann::json results = nlohmann::json::array();
    bool firstText = true;
    for (const std::string& path : options->files) {
        std::optional<Job> job = LoadJobForCli(path, error);
        if (!job) {
            err << "clivora-cli: " << error << "\n";
            status = kExitError;
            continue;
        }
        if (options->method)
            job->Slip.Method = *options->method;
        PreparedJob prepared(std::move(*job));

        nlohmann::json result = {{"file", path}};
        std::ostringstream text;
        AnalyseOptions chosen = *options;
        ChooseApplicable(prepared, chosen);
        if (chosen.circles)
            RunCircles(prepared, options->allSlips, result, text);
        if (chosen.defined) {
            text << (chosen.circles ? "\n" : "");
            RunDefined(prepared, result, text);
        }
        if (chosen.wedges) {
            text << (chosen.circles || chosen.defined ? "\n" : "");
            RunWedges(prepared, result, text);
        }

        if (options->json) {
            results.push_back(std::move(result));
        } else {
            out << (firstText ? "" : "\n") << path << "\n" << text.str();
            firstText = false;
        }
    }
    if (options->json) {
        if (options->files.size() > 1)
            out << results.dump(2) << "\n";
        else if (!results.empty())
            out << results[0].dump(2) << "\n";
    }
    return status;
}

} // namespace clv::cli
