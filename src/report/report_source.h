#pragma once

// What the reports print from: the job, the derived data the central refresh
// builds from it, and the results of the analyses the ticked sections need.

#include "analysis/circle_search.h"
#include "analysis/defined_surface.h"
#include "analysis/reinforcement.h"
#include "analysis/wedges.h"
#include "ground/section_table.h"
#include "model/job.h"

#include <optional>
#include <string>
#include <vector>

namespace clv::report {

struct ReportSource {
    const Job& job;
    const SectionTable& table;
    const LayerList& layers;
    const CircleSearchResult* circles = nullptr; // null when the circles were not analysed
    const DefinedSurfaceResult* defined = nullptr;
    const WedgeSearchResult* wedges = nullptr;
};

/** A job with its derived data and the analyses a report needs, run as the program runs them. */
struct AnalysedJob {
    Job job;
    SectionTable table;
    LayerList layers;
    std::optional<CircleSearchResult> circles;
    std::optional<DefinedSurfaceResult> defined;
    std::optional<WedgeSearchResult> wedges;
    std::vector<std::string> notices; // what the engine told the user on the way

    /** Points into this object, which must outlive it and stay in place. */
    ReportSource Source() const;
};

/**
 * Builds the section table and the reinforcement layers, then runs the circle
 * search when the slip circle group is ticked, the defined surface analysis
 * when its group is ticked, and the wedge search when the wedge group is ticked
 * (which finds no wedge without reinforcement layers): the engine's own procedures, so the
 * report prints what the analysis tabs show.
 */
AnalysedJob AnalyseForReport(Job job);

} // namespace clv::report
