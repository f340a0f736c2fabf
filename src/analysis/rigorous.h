#pragma once

// The rigorous method: interslice shear lambda * f(x) * E, with lambda and F found
// so that force and moment equilibrium give the same factor.

#include "analysis/slip.h"

#include <array>

namespace clv {

/**
 * Largest admissible |lambda| x max|f(x)|: the interslice force may lean at most
 * 45 degrees from the horizontal. The lambda-F iteration also "converges" on
 * steep, ponded or reinforced circles to lambda of 10^4 and more, with shear
 * forces thousands of times the normal forces; such a solution means nothing
 * physically and its factor follows the last bit of rounding, so the slip gets
 * kInvalidFactor instead (without a message).
 */
constexpr float kLambdaLimit = 1.0f;

/** Whether a converged lambda keeps every interslice force within the limit for the function `fx`. */
bool LambdaAdmissible(float lambda, const std::array<Single, 11>& fx);

/** Leaves F in slip.StabilityFactor (kInvalidFactor on failure) and lambda in slip.Lambda. */
void RigorousSolution(const AnalysisInput& in, SlipResult& slip, SliceList& slices);

} // namespace clv
