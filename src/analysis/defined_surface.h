#pragma once

// The slip surface the user defines point by point, solved by Janbu simplified.

#include "analysis/slip.h"

namespace clv {

struct DefinedSurfaceResult {
    SlipResult Slip;   // StabilityFactor kInvalidFactor = not available ("N/A")
    SliceList Slices;
};

DefinedSurfaceResult AnalyseDefinedSurface(const AnalysisInput& in);

} // namespace clv
