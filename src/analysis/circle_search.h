#pragma once

// The search over trial circles: centres on a grid, one circle through each point
// of a line of common points, the grid extended towards the minimum.

#include "analysis/reinforcement.h"
#include "analysis/slicing.h"
#include "analysis/slip.h"

namespace clv {

struct CircleSearchResult {
    std::vector<SlipResult> Slips; // slip n is Slips[n - 1]
    int CriticalSlip = 0;          // 1-based; 0 when there are no slips
    int CriticalCentre = 0;
    SliceList CriticalSlices;      // slices of the critical circle (empty when it is invalid)
    // The final grid.
    float CurrentMinX = 0, CurrentMaxX = 0, CurrentMinY = 0, CurrentMaxY = 0;
    int CentresX = 0, CentresY = 0, CommonPoints = 0, CentreCount = 0;
    SlicingWork Work; // the slicing work of the whole search, the critical circle's second pass included

    const SlipResult* Critical() const
    {
        return CriticalSlip >= 1 && CriticalSlip <= static_cast<int>(Slips.size()) ? &Slips[CriticalSlip - 1] : nullptr;
    }
};

/**
 * Runs the whole circle search. With AutoGenerate set, the grid and the common
 * points derived from the ground profile are written back into job.Slip (so the
 * slip circle tab shows them). `in.job` must be `job`.
 *
 * `threads` is how many threads share the circles of a pass: 0 for one per
 * processor core. Every circle is analysed on its own by the same code, so the
 * results, the notices and their order do not depend on it.
 */
CircleSearchResult RunCircleSearch(Job& job, const SectionTable& table, const LayerList& layers,
                                   const NoticeFn& notice = {}, unsigned threads = 0);

/** The number of threads a search with `threads` = 0 uses: the processor cores, at most 16. */
unsigned SearchThreads();

/** The message shown when the grid has grown past the slip limit and the search stops. */
extern const char* const kSlipLimitNotice;
/** Largest number of slips before the grid is no longer extended. */
constexpr int kSlipLimit = 500;

/**
 * Number (1-based) of the slip with the lowest factor below 1000000; of equal
 * factors the lower number. 1 when no slip qualifies (or the list is empty).
 */
int FindCriticalSlip(const std::vector<SlipResult>& slips);

/** Sets CentreX, CentreY and Radius of every slip of `search` from its number and the current grid. */
void AssignCircles(const Job& job, const SectionTable& table, CircleSearchResult& search);

/**
 * Analyses every slip that has no result yet (StabilityFactor 0), after
 * AssignCircles. `slices` and `scratch` are working storage reused between slips.
 * With `threads` above 1 a long list of slips is shared among that many threads;
 * each slip's notices still reach `in.notice` in slip order, from the calling thread.
 */
void AnalysePendingSlips(const AnalysisInput& in, CircleSearchResult& search, SliceList& slices,
                         SlicingScratch& scratch, unsigned threads = 1);

/**
 * Grows the grid by one column or row towards the critical centre when it lies on
 * an edge; returns true when it did (the new slips are empty and wait for the next
 * pass). Shows the slip-limit notice instead when the search already has more
 * than kSlipLimit slips.
 */
bool ExtendGrid(const Job& job, CircleSearchResult& search, const NoticeFn& notice);

} // namespace clv
