#pragma once

#include "model/job.h"

namespace clv {

/**
 * Re-orders the points of item `item` (1..SoilCount a soil, SoilCount + 1 the
 * water surface) into increasing x. Two points within 0.001 in x are a vertical
 * step: the one nearer in level to the point before the pair goes first (with no
 * point before, the lower), and the second is moved 0.01 to the right.
 */
void SortItemPoints(Job& job, int item);

/** Orders the defined slip surface points by x (plain exchange sort, equal x kept as they are). */
void SortUserPoints(Job& job);

/**
 * Appends a point to the defined slip surface and re-orders the points by x, as
 * a typed or picked point is added.
 */
void AppendUserPoint(Job& job, Single x, Single y);

} // namespace clv
