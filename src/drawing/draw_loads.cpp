// External loads and the reinforcement layers.
//
// Figures: a surcharge is a row of small half-circles over its extent; a line
// load a downward arrow onto its point; a lateral load a horizontal arrow onto
// its point, pointing the way it pushes (a positive load towards the toe, -x);
// an anchor a plate at its head on the slope face with its free length drawn
// thin and its fixed length thick, running into the slope at its inclination.

#include "drawing/palette.h"
#include "drawing/section_canvas.h"

#include "model/format.h"

#include <cmath>

namespace clv::drawing {

namespace {

constexpr double kArcRadius = 6.0;
constexpr double kArrowShaft = 30.0;
constexpr double kArrowHeadLength = 6.0;
constexpr double kArrowHeadHalfWidth = 4.0;

/** The magnitude as typed: the shortest text of the stored value. */
QString Magnitude(Single value)
{
    return Text(Format(value));
}

/** Level the load acts at: its own level, or the ground surface under x. */
double LoadLevel(const Canvas& c, const LoadRecord& load, double x)
{
    return load.Y != kNoLevel ? load.Y : SurfaceLevel(c.table, 1, static_cast<float>(x));
}

/** A line from `tail` to `tip` with an open arrowhead at the tip. */
void DrawArrow(QPainter& painter, QPointF tail, QPointF tip)
{
    painter.drawLine(tail, tip);
    const double dx = tail.x() - tip.x(), dy = tail.y() - tip.y();
    const double length = std::hypot(dx, dy);
    if (length == 0.0)
        return;
    const double ux = dx / length, uy = dy / length; // from the tip back along the shaft
    const QPointF base(tip.x() + ux * kArrowHeadLength, tip.y() + uy * kArrowHeadLength);
    painter.drawLine(tip, QPointF(base.x() - uy * kArrowHeadHalfWidth, base.y() + ux * kArrowHeadHalfWidth));
    painter.drawLine(tip, QPointF(base.x() + uy * kArrowHeadHalfWidth, base.y() - ux * kArrowHeadHalfWidth));
}

void DrawSurcharge(Canvas& c, const LoadRecord& load)
{
    const double x1 = c.Sx(load.XMin), x2 = c.Sx(load.XMax);
    if (load.Y != kNoLevel)
        c.painter.drawLine(QPointF(x1, c.Sy(load.Y)), QPointF(x2, c.Sy(load.Y)));
    double highest = c.size.Height * 2.0; // surface y of the highest arc base
    auto arcAt = [&](double x) {
        const double y = c.Sy(LoadLevel(c, load, WorldX(c.view, x)));
        highest = std::min(highest, y);
        c.painter.drawArc(QRectF(x - kArcRadius, y - kArcRadius, 2.0 * kArcRadius, 2.0 * kArcRadius), 0, 180 * 16);
    };
    const double first = x1 + kArcRadius, last = x2 - kArcRadius;
    if (last < first) {
        arcAt((x1 + x2) / 2.0); // narrower than one arc on this scale: one arc keeps it visible
    } else {
        // Only the arcs within reach of the surface; a long load zoomed in would need thousands.
        const long long skip = first < -2.0 * kArcRadius
                                   ? static_cast<long long>(std::floor((-2.0 * kArcRadius - first) / 12.0))
                                   : 0;
        for (long long i = skip; first + 12.0 * i <= last; ++i) {
            const double x = first + 12.0 * i;
            if (x > c.size.Width + 2.0 * kArcRadius)
                break;
            arcAt(x);
        }
    }
    const double centre = (x1 + x2) / 2.0;
    const double base = std::min(highest, c.Sy(LoadLevel(c, load, (load.XMin + load.XMax) / 2.0)));
    PlaceText(c.painter, Magnitude(load.Value) + " kN/m2", centre, base - 20.0, HAlign::Centre, VAlign::Top);
}

void DrawLineLoad(Canvas& c, const LoadRecord& load)
{
    const QPointF at = c.At(load.XMin, LoadLevel(c, load, load.XMin));
    const QPointF top(at.x(), at.y() - kArrowShaft);
    if (load.Value >= 0.0f)
        DrawArrow(c.painter, top, at);
    else
        DrawArrow(c.painter, at, top); // an upward load
    PlaceText(c.painter, Magnitude(load.Value) + " kN/m", at.x(), at.y() - 33.0, HAlign::Centre, VAlign::Bottom);
}

void DrawLateralLoad(Canvas& c, const LoadRecord& load)
{
    const QPointF at = c.At(load.XMin, LoadLevel(c, load, load.XMin));
    // A positive lateral load pushes towards the toe (-x): the arrow comes from the right.
    const double side = load.Value >= 0.0f ? 1.0 : -1.0;
    const QPointF tail(at.x() + side * kArrowShaft, at.y());
    DrawArrow(c.painter, tail, at);
    PlaceText(c.painter, Magnitude(load.Value) + " kN/m", (at.x() + tail.x()) / 2.0, at.y() - 15.0, HAlign::Centre,
              VAlign::Bottom);
}

void DrawAnchor(Canvas& c, const LoadRecord& load)
{
    // The head is where the ground surface reaches the anchor's level, as the
    // analysis applies it; an anchor whose level the ground never reaches acts
    // nowhere and is not drawn.
    const float headX = GroundXAtLevel(c.job, c.table, load.Y);
    if (headX == kNoLevel)
        return;
    const double angle = Radians(load.Angle);
    const double ux = std::cos(angle), uy = -std::sin(angle); // into the slope and down, in the world
    const QPointF head = c.At(headX, load.Y);
    const QPointF freeEnd = c.At(headX + ux * load.FreeLength, load.Y + uy * load.FreeLength);
    const double total = load.FreeLength + load.FixedLength;
    const QPointF fixedEnd = c.At(headX + ux * total, load.Y + uy * total);

    // The plate: square to the anchor on the surface.
    const double px = -uy * 6.0, py = -ux * 6.0; // surface units, y down
    c.painter.setPen(LinePen(palette::Load(), 2.0));
    c.painter.drawLine(QPointF(head.x() - px, head.y() - py), QPointF(head.x() + px, head.y() + py));
    c.painter.setPen(LinePen(palette::Load(), 1.0));
    c.painter.drawLine(head, freeEnd);
    c.painter.setPen(LinePen(palette::Load(), 3.0));
    c.painter.drawLine(freeEnd, fixedEnd);
    c.painter.setPen(LinePen(palette::Load(), 1.0));
    PlaceText(c.painter, Magnitude(load.Value) + " kN/m", head.x() - 8.0, head.y() - 15.0, HAlign::Right,
              VAlign::Bottom);
}

} // namespace

void DrawLoads(Canvas& c)
{
    for (const LoadRecord& load : c.job.Loads) {
        c.painter.setPen(LinePen(palette::Load(), 1.0));
        switch (load.LoadType) {
        case kSurcharge:
            DrawSurcharge(c, load);
            break;
        case kLineLoad:
            DrawLineLoad(c, load);
            break;
        case kLateralLoad:
            DrawLateralLoad(c, load);
            break;
        case kAnchor:
            DrawAnchor(c, load);
            break;
        default:
            break; // no other type acts on the section
        }
    }
}

void DrawReinforcement(Canvas& c)
{
    if (c.scene.layers == nullptr)
        return;
    c.painter.setPen(LinePen(palette::Reinforcement(), 2.0));
    for (const ReinforcementLayer& layer : *c.scene.layers)
        c.painter.drawLine(c.At(layer.StartX, layer.StartY), c.At(layer.EndX, layer.EndY));
}

} // namespace clv::drawing
