#pragma once

// Cutting one trial circle into slices and loading them: ends of the slip, slice
// boundaries and geometry, base soil and strength, weight, water and loads.

#include "analysis/slip.h"

#include <vector>

namespace clv {

/**
 * Working storage of the slicing, kept by a search from circle to circle so that
 * analysing a circle allocates nothing once the buffers have grown.
 */
struct SlicingScratch {
    std::vector<float> Boundaries;
};

/**
 * Finds the ends of the circle of `slip` and cuts it into slices. Returns false
 * when the slip is invalid; its StabilityFactor is then kInvalidFactor.
 */
bool SliceSlip(const AnalysisInput& in, SlipResult& slip, SliceList& slices);
bool SliceSlip(const AnalysisInput& in, SlipResult& slip, SliceList& slices, SlicingScratch& scratch);

/** Base soil, design strength, weight and water pressures of every slice. */
void ComputeSliceBaseData(const AnalysisInput& in, SliceList& slices);

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

/** Merges slices narrower than 0.01 into their right-hand neighbour (the last slice is never tested). */
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
