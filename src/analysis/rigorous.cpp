#include "analysis/rigorous.h"

namespace clv {

void RigorousSolution(const AnalysisInput&, SlipResult& slip, SliceList&)
{
    // First version: the interslice solution is not in place yet.
    slip.Lambda = 0.0f;
    slip.StabilityFactor = kInvalidFactor;
}

} // namespace clv
