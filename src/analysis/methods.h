#pragma once

// The methods of slices: each turns the sliced, loaded slip into its stability factor.

#include "analysis/slip.h"

namespace clv {

/**
 * The pore pressure on a slice base as the equilibrium equations use it: the
 * stored BasePorePressure u times the soil self-weight factor ffs. The factor
 * multiplies the weight of the soil and of the water that goes with it; an
 * unfactored u against a factored weight would make a flooded slope look safer
 * as ffs grows. The slice keeps u itself for display and reports.
 */
inline float DesignPorePressure(const Job& job, const Slice& s)
{
    return job.Factors.SoilSelfWeight * s.BasePorePressure;
}

/** Dispatches on the job's Method (0 Fellenius .. 4 Rigorous); any other value does nothing. */
void RunMethod(const AnalysisInput& in, SlipResult& slip, SliceList& slices);

/** Moment-equilibrium factor from the current normal forces (sets SoilMoment and StabilityFactor). */
void MomentSums(const AnalysisInput& in, SlipResult& slip, const SliceList& slices);

/** Force-equilibrium factor from the current normal forces (sets SoilForce, DisturbingForce, StabilityFactor). */
void ForceSums(const AnalysisInput& in, SlipResult& slip, const SliceList& slices);

void Fellenius(const AnalysisInput& in, SlipResult& slip, SliceList& slices);
void Bishop(const AnalysisInput& in, SlipResult& slip, SliceList& slices);
void Bs8006(const AnalysisInput& in, SlipResult& slip, SliceList& slices);
/** Janbu simplified; a Circular slip starts from Fellenius, any other kind from 1.0. */
void Janbu(const AnalysisInput& in, SlipKind kind, SlipResult& slip, SliceList& slices);

} // namespace clv
