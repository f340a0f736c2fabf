#pragma once

// The section painter: draws the whole cross-section (strata, water, grid,
// piezometric grid, loads, reinforcement and the results of the tab that is
// showing) on any QPainter: the window's drawing surface, an image, a PDF page
// or a report diagram. World coordinates are metres, mapped through the view.

#include "analysis/circle_search.h"
#include "analysis/defined_surface.h"
#include "analysis/reinforcement.h"
#include "analysis/wedges.h"
#include "drawing/view.h"
#include "ground/section_table.h"
#include "model/job.h"

class QPainter;

namespace clv::drawing {

// The tabs of the main window whose results the drawing shows.
constexpr int kTabGeometry = 0;
constexpr int kTabLoads = 1;
constexpr int kTabReinforcement = 2;
constexpr int kTabPartialFactors = 3;
constexpr int kTabSlipCircles = 4;
constexpr int kTabDefinedSurface = 5;
constexpr int kTabWedges = 6;
constexpr int kTabPrinting = 7;

/**
 * Everything one picture of the section is drawn from. The painter only reads:
 * the job, its section table and reinforcement layers as the central refresh
 * built them, which tab is showing, and that tab's latest results (null when
 * there are none). Results of other tabs are ignored.
 */
struct SectionScene {
    const Job* job = nullptr;
    const SectionTable* table = nullptr;
    const LayerList* layers = nullptr;
    int tab = kTabGeometry;
    const CircleSearchResult* circles = nullptr;
    const DefinedSurfaceResult* defined = nullptr;
    const WedgeSearchResult* wedges = nullptr;
    bool showFactors = false; // the stability factor of every grid centre ("Show stability factors on grid")
};

/**
 * Clears the surface (white) and draws the section through `view`, which the
 * caller has prepared (PrepareViewForDrawing). An unset view or a scene
 * without a job leaves the surface blank. Antialiased; the painter's state is
 * restored afterwards.
 */
void DrawSection(QPainter& painter, const SectionScene& scene, const View& view, const SurfaceSize& size);

/** Grid dots are drawn only when neighbouring dots are at least this far apart on the surface. */
constexpr double kMinGridDotSpacing = 2.0;

} // namespace clv::drawing
