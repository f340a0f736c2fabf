#pragma once

// Runs the analyses for the analysis tabs and keeps their latest results. The
// central refresh re-runs the analysis of the showing tab at every refresh once
// the job has changed; most refreshes (a tab switch, a view change, a refused
// entry) leave the job as it was, and a search of several hundred circles is
// then repeated for nothing, with its messages shown again. The cache keys each
// result on everything the analysis reads: the job's bytes as the job file
// stores them, less what no analysis reads (the view and print settings) and
// less the values an analysis overwrites before reading them (the generated
// slip geometry, the default wedge ranges). The key holds the bytes themselves,
// not a hash, so equal keys mean equal data and a kept result is exactly what a
// fresh analysis would give.

#include "ui/analysis_results.h"

#include "analysis/notice.h"
#include "analysis/reinforcement.h"
#include "ground/section_table.h"
#include "model/job.h"

#include <optional>

namespace clv::ui {

enum class AnalysisKind { Circles = 0, Defined = 1, Wedges = 2 };

class AnalysisCache {
public:
    /**
     * The circle search of `job`. With AutoGenerate set the search writes the
     * grid it derived back into job.Slip; a kept result writes the same values,
     * so the job always ends as a fresh search would leave it.
     */
    const CircleSearchResult& Circles(Job& job, const SectionTable& table, const LayerList& layers,
                                      const NoticeFn& notice);

    /** The defined slip surface of `job`. */
    const DefinedSurfaceResult& Defined(const Job& job, const SectionTable& table, const LayerList& layers,
                                        const NoticeFn& notice);

    /** The wedge search of `job`; with UseDefaults set it writes the default ranges into job.Wedge. */
    const WedgeSearchResult& Wedges(Job& job, const SectionTable& table, const LayerList& layers,
                                    const NoticeFn& notice);

    const AnalysisResults& Results() const { return results_; }

    /** Forgets every kept result (the next request analyses again). */
    void Clear();

    /** How many times the engine has run an analysis of this kind (for tests and diagnostics). */
    int RunCount(AnalysisKind kind) const { return runs_[static_cast<int>(kind)]; }

private:
    std::optional<Bytes> keys_[3]; // what each kept result was computed from
    int runs_[3] = {0, 0, 0};
    SlipSettings slipAfter_;   // the slip settings the last circle search left in the job
    WedgeSettings wedgeAfter_; // the wedge ranges the last wedge search left in the job
    AnalysisResults results_;
};

/**
 * The bytes an analysis result is keyed on: the job file's encoding of `job`
 * with the view and print settings reset, the slip geometry cleared while it is
 * generated and the wedge ranges cleared while the defaults are used, preceded
 * by the kind of analysis. Empty when the job cannot be encoded (it is then
 * analysed every time).
 */
Bytes AnalysisFingerprint(const Job& job, AnalysisKind kind);

} // namespace clv::ui
