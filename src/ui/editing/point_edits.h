#pragma once

// The changes the mouse makes to the points of the section, without any widget:
// the point nearest a click, appending, moving and deleting surface points, and
// widening the stored drawing extents to take in a placed point. The editor of
// the drawing (and the buttons of the geometry tab) call these between the undo
// snapshot and the refresh.
//
// Items are numbered as on the geometry tab: 1..SoilCount a soil, SoilCount + 1
// the water surface.

#include "model/job.h"

#include <optional>

namespace clv::ui {

/** One surface point: `item` 0 is the water surface, k >= 1 soil k; `index` 1..PointCount. */
struct PointRef {
    int item = 0;
    int index = 0;
    bool operator==(const PointRef&) const = default;
};

/** The item number of the geometry tab for the item of a PointRef. */
int TabItemOf(const Job& job, const PointRef& p);

/** Points of a tab item, and whether it holds its 50 already. -1 for an item that does not exist. */
int ItemPointCount(const Job& job, int item);
bool ItemFull(const Job& job, int item);

/**
 * How near a click must come to a point to take it: one fortieth of the width
 * of the view in metres, so the same distance on screen at any zoom.
 */
Single PickTolerance(double surfaceWidth, Single viewScale);

/**
 * The point nearest (x, y), when strictly within `tolerance`. Soils are searched
 * in order, then the water surface; only a strictly closer point replaces the
 * best so far, so of points equally near the first found is taken.
 */
std::optional<PointRef> NearestPoint(const Job& job, Single x, Single y, Single tolerance);

/** A point placed with the mouse obeys the limits of a typed one: strictly inside -10000..10000. */
bool PlacedPointAllowed(Single x, Single y);

/** Appends (x, y) to a tab item and re-orders its points; false (nothing changed) when it is full or missing. */
bool AppendSurfacePoint(Job& job, int item, Single x, Single y);

/** Removes a point, the later ones moving down; no re-ordering is needed. False when `p` names no point. */
bool DeleteSurfacePoint(Job& job, const PointRef& p);

/** Gives a point new coordinates and re-orders its item. False when `p` names no point. */
bool MoveSurfacePoint(Job& job, const PointRef& p, Single x, Single y);

/**
 * Widens the stored drawing extents to a placed point: a coordinate below the
 * minimum becomes the minimum, rounded to the nearest whole metre (a half to
 * the even one); one above the maximum makes the maximum that rounded value + 1.
 */
void WidenExtents(ViewSettings& view, Single x, Single y);

/** Rounds to the nearest integer, an exact half to the even one. */
Single RoundHalfToEven(Single value);

} // namespace clv::ui
