#pragma once

// Geogrid blocks turned into layers, and the restoring force of the layers that a
// sliced slip surface crosses.

#include "analysis/slip.h"

#include <vector>

namespace clv {

struct ReinforcementLayer {
    float Strength = 0;
    float FrictionCoefficient = 0;
    float StartX = 0; // where the layer meets the slope face
    float StartY = 0;
    float EndX = 0;
    float EndY = 0;
    float Length = 0;
    float Angle = 0; // radians, 0 for geogrids
    int Block = 0;   // the block (1-based) the layer belongs to
};

using LayerList = std::vector<ReinforcementLayer>;

/** The layers of every block against the ground surface, ordered from the highest to the lowest. */
LayerList BuildReinforcementLayers(const Job& job, const SectionTable& table, const NoticeFn& notice = {});

struct ReinforcementTotals {
    float Force = 0;
    float Moment = 0; // about the circle centre, for Circular only
};

/** Restoring force (and for Circular the moment about `centreY`'s centre) of the layers crossing the slices' bases. */
ReinforcementTotals ComputeReinforcementForce(const AnalysisInput& in, SlipKind kind,
                                              const SliceList& slices, float centreY);

/**
 * The same layer forces slice by slice: element i is the sum of the forces T of
 * the layers crossing the base of slice i + 1 (the rigorous solution puts them
 * into each slice's horizontal equilibrium).
 */
std::vector<float> ReinforcementSliceForces(const AnalysisInput& in, const SliceList& slices);

} // namespace clv
