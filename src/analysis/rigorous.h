#pragma once

// The rigorous method: interslice shear lambda * f(x) * E, with lambda and F found
// so that force and moment equilibrium give the same factor.

#include "analysis/slip.h"

namespace clv {

/** Leaves F in slip.StabilityFactor (kInvalidFactor on failure) and lambda in slip.Lambda. */
void RigorousSolution(const AnalysisInput& in, SlipResult& slip, SliceList& slices);

} // namespace clv
