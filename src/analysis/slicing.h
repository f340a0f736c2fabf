#pragma once

// Cutting one trial circle into slices and loading them: ends of the slip, slice
// boundaries and geometry, base soil and strength, weight, water and loads.

#include "analysis/slip.h"

#include <cstddef>
#include <vector>

namespace clv {

/**
 * The work done by the slicing, summed over every slip sliced with one scratch:
 * a bound that tests can check without timing anything.
 */
struct SlicingWork {
    std::size_t SidesPlaced = 0; // slice sides laid out, before narrow slices are merged
    std::size_t SlicesKept = 0;  // slices left after merging, each then weighed and solved

    SlicingWork& operator+=(const SlicingWork& other)
    {
        SidesPlaced += other.SidesPlaced;
        SlicesKept += other.SlicesKept;
        return *this;
    }
};

/**
 * Working storage of the slicing, kept by a search from circle to circle so that
 * analysing a circle allocates nothing once the buffers have grown.
 */
struct SlicingScratch {
    std::vector<float> Boundaries;
    std::vector<float> Cuts;      // ends, stations and stratum crossings, before the subdivision
    std::vector<float> Crossings; // stratum crossings of the circle
    SlicingWork Work;
};

/**
 * Finds the ends of the circle of `slip` and cuts it into slices. Returns false
 * when the slip is invalid; its StabilityFactor is then kInvalidFactor.
 */
bool SliceSlip(const AnalysisInput& in, SlipResult& slip, SliceList& slices);
bool SliceSlip(const AnalysisInput& in, SlipResult& slip, SliceList& slices, SlicingScratch& scratch);

/**
 * Base soil, design strength, weight and water pressures of every slice. The
 * overburden and the pore pressure are taken at the midpoint of the base chord.
 * For a circle (`circle` given) the base soil is the soil at the midpoint of the
 * arc, which lies in the one soil the slice's arc runs through; where the arc
 * dips under a stratum surface and comes back up within one slice, the chord
 * runs along that surface and its midpoint would pick either soil by rounding.
 * Without `circle` (defined surfaces, wedges) the chord is the base and its
 * midpoint decides.
 */
void ComputeSliceBaseData(const AnalysisInput& in, SliceList& slices, const SlipResult* circle = nullptr);

/**
 * Loads, seismic and water forces of every slice. For Circular also the load
 * moments, the crack water and the sums into `slip`; for Defined only the
 * horizontal force sum into `slip`; for Wedge nothing is summed.
 */
void ComputeSliceForces(const AnalysisInput& in, SlipKind kind, SlipResult& slip, SliceList& slices);

/** A slice whose base runs from (xLeft, baseLeft) to (xRight, baseRight), with the ground levels at its sides. */
Slice SliceUnderGround(const SectionTable& table, float xLeft, float baseLeft, float xRight, float baseRight);

/** Gives every slice its Width, BaseAngle and BaseLength from its sides (shared with the other slicers). */
void ComputeSliceGeometry(SliceList& slices);

/**
 * Merges slices narrower than 0.01 into their right-hand neighbour (the last slice
 * is never tested), in one pass over the list.
 */
void MergeNarrowSlices(SliceList& slices);

/**
 * The whole analysis of one circle after its centre and radius are set: slice,
 * base data, forces, reinforcement, method. Leaves `slices` holding its slices.
 */
void AnalyseCircle(const AnalysisInput& in, SlipResult& slip, SliceList& slices);
void AnalyseCircle(const AnalysisInput& in, SlipResult& slip, SliceList& slices, SlicingScratch& scratch);

/**
 * True when every number of the slip and of its slices is finite. A slip that
 * fails this (a degenerate slice, an overflow) is given kInvalidFactor.
 */
bool SlipIsFinite(const SlipResult& slip, const SliceList& slices);

} // namespace clv
