#pragma once

// Two-part wedges through the reinforced block: the soil's out-of-balance force
// against the restoring force of the layers the wedge cuts.

#include "analysis/reinforcement.h"
#include "analysis/slip.h"

namespace clv {

struct WedgeResult {
    float BaseWidth = 0, BaseAngle = 0, RearAngle = 0; // m, degrees, degrees
    float ToeX = 0, CornerX = 0, TopX = 0;
    float ToeLevel = 0, CornerLevel = 0, GroundAtCorner = 0, TopLevel = 0;
    float ReinforcementRestore = 0, SoilRestore = 0, Disturbing = 0;
    float StabilityFactor = 0; // 10000 when the wedge needs no reinforcement
};

struct WedgeSearchResult {
    std::vector<WedgeResult> Wedges;
    int CriticalWedge = 0; // 1-based; 0 when no wedge was kept
    SliceList CriticalSlices;

    const WedgeResult* Critical() const
    {
        return CriticalWedge >= 1 && CriticalWedge <= static_cast<int>(Wedges.size()) ? &Wedges[CriticalWedge - 1] : nullptr;
    }
};

/** The default ranges that follow the reinforcement (written when UseDefaults is set). */
void ApplyWedgeDefaults(Job& job);

/** Runs the wedge search; with UseDefaults set, writes the default ranges into job.Wedge first. */
WedgeSearchResult AnalyseWedges(Job& job, const SectionTable& table, const LayerList& layers,
                                const NoticeFn& notice = {});

/** Slices one wedge (toe, corner, top) into `slices`. */
void SliceWedge(const AnalysisInput& in, const WedgeResult& wedge, SliceList& slices);

} // namespace clv
