#pragma once

// A job made ready to be drawn on one tab without the window: the section
// table and reinforcement layers built as the central refresh builds them, and
// for an analysis tab its analysis run as that tab's refresh runs it. Used by
// the command line's render and by tests that look at real pictures.

#include "drawing/section_painter.h"

#include <optional>
#include <string>
#include <vector>

namespace clv::drawing {

struct AnalysedSection {
    Job job;
    SectionTable table;
    LayerList layers;
    int tab = kTabGeometry;
    std::optional<CircleSearchResult> circles;
    std::optional<DefinedSurfaceResult> defined;
    std::optional<WedgeSearchResult> wedges;
    std::vector<std::string> notices; // what the engine told the user on the way

    /** The scene of this section; it points into this object, which must outlive it and stay in place. */
    SectionScene Scene(bool showFactors = false) const;
};

/** Builds the derived data of `job` and runs the analysis of `tab` (4, 5 or 6; other tabs analyse nothing). */
AnalysedSection AnalyseForTab(Job job, int tab);

} // namespace clv::drawing
