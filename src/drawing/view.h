#pragma once

// The view of the cross-section: which world rectangle (metres) the drawing
// surface shows, and the zoom commands that change it. One scale serves x and
// y, so the section is never distorted. Plain C++: the window, the reports and
// the command line share it, and tests drive it without a display.
//
// Surface units are the drawing surface's own (logical pixels on screen); y
// grows downwards on the surface and upwards in the world.

#include "model/job.h"

#include <array>
#include <string>

namespace clv::drawing {

/** Width and height of the drawing surface in surface units. */
struct SurfaceSize {
    double Width = 0.0;
    double Height = 0.0;
};

/** The view state; a new job starts with (-1, -1, 0): no view yet. */
struct View {
    Single ViewOriginX = -1.0f; // world point at the bottom-left corner of the surface
    Single ViewOriginY = -1.0f;
    Single ViewScale = 0.0f;    // surface units per metre; 0 = not set, fit before drawing

    bool IsSet() const { return ViewScale != 0.0f; }
};

// World <-> surface. H is read at each use, so a resized surface needs no state change.
inline double SurfaceX(const View& v, double x) { return (x - v.ViewOriginX) * v.ViewScale; }
inline double SurfaceY(const View& v, double height, double y) { return height - (y - v.ViewOriginY) * v.ViewScale; }
inline Single WorldX(const View& v, double x) { return static_cast<Single>(x / v.ViewScale + v.ViewOriginX); }
inline Single WorldY(const View& v, double height, double y)
{
    return static_cast<Single>((height - y) / v.ViewScale + v.ViewOriginY);
}

/** World x of the right edge and y of the top edge of the surface. */
inline double RightEdgeX(const View& v, const SurfaceSize& s) { return v.ViewOriginX + s.Width / v.ViewScale; }
inline double TopEdgeY(const View& v, const SurfaceSize& s) { return v.ViewOriginY + s.Height / v.ViewScale; }

// Scale limits: "In" works up to 100 units per metre; a scale above 200 (a zoom
// window of a few centimetres) is brought back to 100 at the next redraw.
constexpr Single kZoomInLimit = 100.0f;
constexpr Single kScaleCeiling = 200.0f;
constexpr Single kScaleAfterCeiling = 100.0f;
constexpr Single kZoomFactor = 1.4f;
constexpr Single kMinZoomWindow = 0.1f; // metres each way

inline bool ZoomInEnabled(const View& v) { return v.ViewScale <= kZoomInLimit; }

/**
 * The last ten views, entry 1 the most recent. A view is recorded before every
 * command that changes it; "Previous" takes entry 1 back and moves the others
 * up, the oldest staying in place so that pressing it again repeats it.
 */
class ViewHistory {
public:
    static constexpr int kEntries = 10;

    struct Entry {
        double OriginX = 0.0, OriginY = 0.0, Scale = 0.0; // Scale 0: empty
    };

    /** Records `v` as entry 1 unless it has no scale yet. */
    void Record(const View& v);
    /** Restores entry 1 into `v` and moves the others up; false (and `v` unchanged) when it is empty. */
    bool TakePrevious(View& v);

    bool PreviousEnabled() const { return previousEnabled_; }
    /** Entry i, 1..10. */
    const Entry& At(int i) const { return entries_[static_cast<std::size_t>(i - 1)]; }

private:
    std::array<Entry, kEntries> entries_{};
    bool previousEnabled_ = false;
};

/** The world rectangle a fit shows: the drawing extents of the job. */
struct Extents {
    Single XMin = 0.0f, XMax = 0.0f, YMin = 0.0f, YMax = 0.0f;
};

/**
 * The extents of everything drawn: every soil point with 5 m round it, every
 * water point with 1 m, every load's x from 2 m before to 5 m after. A job
 * without a ground surface (no soil, or the first soil without points) gets the
 * empty-section box X -10..20, Y -5..10; `hasGround` tells which.
 */
Extents JobExtents(const Job& job, bool* hasGround = nullptr);

/** Scale and origin that fit `e` into the surface, centred along the direction with room to spare. */
void FitExtents(View& v, const SurfaceSize& s, const Extents& e);

/**
 * "Limits": fits the job's extents. Records the view first when the job has a
 * ground surface. Returns the extents, which the window stores in the job's
 * drawing extents. Nothing changes on a surface without area.
 */
Extents ZoomLimits(View& v, ViewHistory& history, const SurfaceSize& s, const Job& job);

/**
 * The second click of "Window": the corners (x1, y1), (x2, y2) in surface units
 * in any order. The window is at least 0.1 m each way; the whole of it is shown,
 * centred along the direction with room to spare.
 */
void ZoomWindow(View& v, ViewHistory& history, const SurfaceSize& s, double x1, double y1, double x2, double y2);

/** "Pan": the world point (x, y) becomes the centre of the view. */
void PanTo(View& v, ViewHistory& history, const SurfaceSize& s, Single x, Single y);

/** "In" and "Out": scale by 1.4 about the centre of the view. */
void ZoomIn(View& v, ViewHistory& history, const SurfaceSize& s);
void ZoomOut(View& v, ViewHistory& history, const SurfaceSize& s);

/** "Previous": the last recorded view; false when there is none. */
bool ZoomPrevious(View& v, ViewHistory& history);

/**
 * What every redraw does to the view first: fit the job when no view is set
 * (returning true, with the fitted extents in `fitted`), and bring a scale
 * above 200 back to 100, keeping the origin.
 */
bool PrepareViewForDrawing(View& v, ViewHistory& history, const SurfaceSize& s, const Job& job,
                           Extents* fitted = nullptr);

/** Snaps v to the nearest multiple of g; an exact half goes down. g must be positive. */
Single SnapToSpacing(Single value, Single g);

/** The cursor read-out of one coordinate ("####0.00"). */
std::string CursorText(Single value);

} // namespace clv::drawing
