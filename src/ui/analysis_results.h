#pragma once

// The latest results of the three analyses of the session, where the analysis
// tabs, the drawing and the reports read them. Rebuilt by the analysis tabs'
// refreshes (through the AnalysisCache); never saved.

#include "analysis/circle_search.h"
#include "analysis/defined_surface.h"
#include "analysis/wedges.h"

namespace clv::ui {

struct AnalysisResults {
    CircleSearchResult circles;
    DefinedSurfaceResult defined;
    WedgeSearchResult wedges;
    // Set once the analysis has run for the job as it stands in the cache's key;
    // false before the first run (the drawing then shows no results).
    bool circlesValid = false;
    bool definedValid = false;
    bool wedgesValid = false;
};

} // namespace clv::ui
