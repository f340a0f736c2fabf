#pragma once

// The methods of slices: each turns the sliced, loaded slip into its stability factor.

#include "analysis/slip.h"

namespace clv {

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
