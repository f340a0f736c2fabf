// The results of the analysis tab that is showing: the grid of circle centres
// and the critical circle, the defined slip surface, the two-part wedges.

#include "drawing/palette.h"
#include "drawing/section_canvas.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace clv::drawing {

namespace {

constexpr double kRadiansToDegrees = 180.0 / 3.14159265358979323846;

/** The factor centred under a centre cross: "Invalid", ">100" or two decimals. */
void LabelUnder(Canvas& c, QPointF centre, float factor)
{
    PlaceText(c.painter, Text(FactorText(factor)), centre.x(), centre.y() + 6.0, HAlign::Centre, VAlign::Top);
}

/** The radii to the ends of the critical slip and the sides of its slices. */
void DrawConstruction(Canvas& c, const SlipResult& slip, const SliceList& slices)
{
    c.painter.setPen(LinePen(palette::Construction(), 1.0));
    const QPointF centre = c.At(slip.CentreX, slip.CentreY);
    c.painter.drawLine(centre, c.At(slip.EntryX, slip.EntryY));
    c.painter.drawLine(centre, c.At(slip.ExitX, slip.ExitY));
    for (const Slice& s : slices)
        c.painter.drawLine(c.At(s.XLeft, s.BaseLeft), c.At(s.XLeft, s.GroundLeft));
    if (!slices.empty()) {
        const Slice& last = slices.back();
        c.painter.drawLine(c.At(last.XRight, last.BaseRight), c.At(last.XRight, last.GroundRight));
    }
}

void DrawCircleResults(Canvas& c, const CircleSearchResult& r)
{
    c.painter.setPen(LinePen(palette::Trial(), 1.0));
    const int centres = std::min<int>(r.CentreCount, static_cast<int>(r.Slips.size()));
    for (int n = 1; n <= centres; ++n) {
        const SlipResult& slip = r.Slips[static_cast<std::size_t>(n - 1)];
        const QPointF at = c.At(slip.CentreX, slip.CentreY);
        DrawCross(c.painter, at, 5.0);
        if (c.scene.showFactors)
            LabelUnder(c, at, slip.CentreMinimum);
    }

    const SlipResult* critical = r.Critical();
    if (critical == nullptr)
        return;
    const bool hasArc = critical->StabilityFactor != kInvalidFactor && critical->EntryAngle != critical->ExitAngle;
    if (hasArc)
        DrawConstruction(c, *critical, r.CriticalSlices);

    c.painter.setPen(LinePen(palette::Critical(), 1.0));
    const QPointF centre = c.At(critical->CentreX, critical->CentreY);
    DrawCross(c.painter, centre, 5.0);
    LabelUnder(c, centre, critical->StabilityFactor);
    if (!hasArc)
        return;
    // The slip arc runs anticlockwise from the entry (lower left) to the exit.
    const double radius = critical->Radius * c.view.ViewScale;
    const QRectF box(centre.x() - radius, centre.y() - radius, 2.0 * radius, 2.0 * radius);
    const double start = critical->EntryAngle * kRadiansToDegrees;
    const double sweep = (critical->ExitAngle - critical->EntryAngle) * kRadiansToDegrees;
    QPainterPath arc;
    arc.arcMoveTo(box, start);
    arc.arcTo(box, start, sweep);
    c.painter.setPen(LinePen(palette::Critical(), 2.0));
    c.painter.drawPath(arc);
}

void DrawDefinedResults(Canvas& c, const DefinedSurfaceResult* result)
{
    const std::vector<UserPoint>& points = c.job.UserPoints;
    c.painter.setPen(LinePen(Qt::black, 1.0));
    for (const UserPoint& p : points)
        DrawCross(c.painter, c.At(p.X, p.Y), 5.0);

    if (result != nullptr && !result->Slices.empty()) {
        // The slip line is drawn wider than the entered surface drawn over it, so both show.
        QPolygonF slip;
        for (const Slice& s : result->Slices)
            slip << c.At(s.XLeft, s.BaseLeft);
        slip << c.At(result->Slices.back().XRight, result->Slices.back().BaseRight);
        c.painter.setPen(LinePen(palette::Critical(), 3.0));
        c.painter.drawPolyline(slip);
    }
    if (points.size() >= 2) {
        QPolygonF entered;
        for (const UserPoint& p : points)
            entered << c.At(p.X, p.Y);
        c.painter.setPen(LinePen(palette::DefinedSurface(), 1.0));
        c.painter.drawPolyline(entered);
    }
}

void DrawWedge(Canvas& c, const WedgeResult& w)
{
    const QPointF corner = c.At(w.CornerX, w.CornerLevel);
    c.painter.drawLine(c.At(w.ToeX, w.ToeLevel), corner);
    c.painter.drawLine(corner, c.At(w.CornerX, w.GroundAtCorner));
    c.painter.drawLine(corner, c.At(w.TopX, w.TopLevel));
}

void DrawWedgeResults(Canvas& c, const WedgeSearchResult& r)
{
    c.painter.setPen(LinePen(palette::Trial(), 1.0));
    for (const WedgeResult& w : r.Wedges)
        DrawWedge(c, w);
    if (const WedgeResult* critical = r.Critical()) {
        c.painter.setPen(LinePen(palette::Critical(), 2.0));
        DrawWedge(c, *critical);
    }
}

} // namespace

void DrawResults(Canvas& c)
{
    switch (c.scene.tab) {
    case kTabSlipCircles:
        if (c.scene.circles != nullptr)
            DrawCircleResults(c, *c.scene.circles);
        break;
    case kTabDefinedSurface:
        DrawDefinedResults(c, c.scene.defined);
        break;
    case kTabWedges:
        if (c.scene.wedges != nullptr)
            DrawWedgeResults(c, *c.scene.wedges);
        break;
    default:
        break;
    }
}

} // namespace clv::drawing
