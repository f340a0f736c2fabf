#pragma once

// The report diagrams: one page each with the section and the slips of a
// results report, on one scale for both axes so that circles print as
// circles. The extents and the scale are plain arithmetic; the drawing goes
// through the page writer's primitives and the device's section outline.

#include "report/page_writer.h"
#include "report/report_source.h"

#include <optional>

namespace clv::report {

/** World extents of a diagram, metres. */
struct DiagramExtents {
    float XMin = 1000000.0f, XMax = -1000000.0f;
    float YMin = 1000000.0f, YMax = -1000000.0f;

    bool Empty() const { return !(XMax > XMin) || !(YMax > YMin); }
    void Widen(float x1, float x2, float y1, float y2);
};

/** Where a diagram sits on the page and how world metres map onto it. */
struct DiagramFrame {
    float Left = 0, Top = 0, Width = 0, Height = 0; // page units from the page's top-left corner
    DiagramExtents World;
    float Scale = 0; // page units per metre, both axes

    float PageX(float x) const { return Left + (x - World.XMin) * Scale; }
    float PageY(float y) const { return Top + Height - (y - World.YMin) * Scale; }
};

/** Every valid circle from 1 m beyond its left to 1 m beyond its right, and from 1 m below its bottom to 1 m above its centre. */
DiagramExtents CircleExtents(const CircleSearchResult& search);
/** The slices of the defined surface, from the lowest base to the highest top, widened by a tenth each way. */
DiagramExtents DefinedExtents(const DefinedSurfaceResult& defined);
/** The corners of every wedge, widened by a tenth each way. */
DiagramExtents WedgeExtents(const WedgeSearchResult& wedges);

/** The scale that fits the extents into the area: the width, unless the height then overflows. */
float DiagramScale(const DiagramExtents& e, float width, float height);

/** The frame of an area (page units from the top-left corner of the page) for the extents. */
DiagramFrame FitDiagram(const DiagramExtents& e, float left, float top, float width, float height);

extern const char* const kNothingToDrawLine;

void CirclesDiagram(PageWriter& w, const ReportSource& src);
void DefinedSurfaceDiagram(PageWriter& w, const ReportSource& src);
void WedgesDiagram(PageWriter& w, const ReportSource& src);

} // namespace clv::report
