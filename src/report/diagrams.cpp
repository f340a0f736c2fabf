#include "report/diagrams.h"

#include "model/format.h"

#include <algorithm>
#include <cmath>

namespace clv::report {

const char* const kNothingToDrawLine = "There is nothing to draw: the analysis found no valid slip";

namespace {

constexpr Colour kFrameColour = 0x000000;
constexpr Colour kTrialColour = 0x4060A0;
constexpr Colour kCriticalColour = 0xC00000;
constexpr Colour kSurfaceColour = 0x006000;
constexpr float kCrossHalf = 1.0f; // page units (mm)
constexpr float kLabelScale = 0.6f; // centre labels, smaller than the report text so neighbours stay apart

void WidenByTenth(DiagramExtents& e)
{
    const float dx = (e.XMax - e.XMin) / 10.0f;
    const float dy = (e.YMax - e.YMin) / 10.0f;
    e.XMin -= dx;
    e.XMax += dx;
    e.YMin -= dy;
    e.YMax += dy;
}

bool ValidCircle(const SlipResult& s)
{
    return s.StabilityFactor != kInvalidFactor && s.StabilityFactor != 0.0f && s.Radius > 0.0f;
}

/**
 * The title page of a diagram: a new page, the header and the bold title.
 * Returns the frame of the area below the title, or nothing (after a line
 * saying so) when there is nothing to draw.
 */
std::optional<DiagramFrame> StartDiagram(PageWriter& w, const char* title, const DiagramExtents& e)
{
    w.StartPage();
    w.Heading(w.Take(), title);
    if (e.Empty()) {
        w.Gap();
        w.Left(4, w.Take(), kNothingToDrawLine);
        return std::nullopt;
    }
    const PageLayout& l = w.Layout();
    const float top = static_cast<float>(w.Row) * l.RowHeight;
    const float height = l.DiagramHeight - top;
    if (height <= 0.0f)
        return std::nullopt;
    const DiagramFrame frame = FitDiagram(e, l.margins.Left, l.margins.Top + top, l.DiagramWidth, height);
    // The section under the slips, then the frame round the drawing.
    w.Device().SectionOutline(frame);
    w.SetColour(kFrameColour);
    w.SetLineStyle(kSolidLine);
    const float x0 = frame.Left - l.margins.Left, y0 = frame.Top - l.margins.Top;
    const float x1 = frame.PageX(e.XMax) - l.margins.Left, y1 = frame.PageY(e.YMin) - l.margins.Top;
    const float yTop = frame.PageY(e.YMax) - l.margins.Top;
    w.Line(x0, y1, x1, y1);
    w.LineTo(x1, yTop);
    w.LineTo(x0, yTop);
    w.LineTo(x0, y1);
    (void)y0;
    return frame;
}

void WorldLine(PageWriter& w, const DiagramFrame& f, float x1, float y1, float x2, float y2)
{
    w.Device().Line(f.PageX(x1), f.PageY(y1), f.PageX(x2), f.PageY(y2));
}

void Cross(PageWriter& w, const DiagramFrame& f, float x, float y)
{
    const float px = f.PageX(x), py = f.PageY(y);
    w.Device().Line(px - kCrossHalf, py, px + kCrossHalf, py);
    w.Device().Line(px, py - kCrossHalf, px, py + kCrossHalf);
}

void CentreLabel(PageWriter& w, const DiagramFrame& f, float x, float y, float factor)
{
    const PageLayout& l = w.Layout();
    w.FontScale(kLabelScale);
    w.TextAlign = 0.5f;
    w.TextAtXY(f.PageX(x) - l.margins.Left, f.PageY(y) - l.margins.Top + kCrossHalf, FactorText(factor));
    w.TextAlign = 0.0f;
    w.FontScale(1.0f);
}

void SlipArc(PageWriter& w, const DiagramFrame& f, const SlipResult& s)
{
    w.Device().Arc(f.PageX(s.CentreX), f.PageY(s.CentreY), s.Radius * f.Scale, s.EntryAngle,
                   s.ExitAngle - s.EntryAngle);
}

} // namespace

void DiagramExtents::Widen(float x1, float x2, float y1, float y2)
{
    XMin = std::min({XMin, x1, x2});
    XMax = std::max({XMax, x1, x2});
    YMin = std::min({YMin, y1, y2});
    YMax = std::max({YMax, y1, y2});
}

DiagramExtents CircleExtents(const CircleSearchResult& search)
{
    DiagramExtents e;
    for (const SlipResult& s : search.Slips)
        if (ValidCircle(s))
            e.Widen(s.CentreX - s.Radius - 1.0f, s.CentreX + s.Radius + 1.0f, s.CentreY - s.Radius - 1.0f,
                    s.CentreY + 1.0f);
    return e;
}

DiagramExtents DefinedExtents(const DefinedSurfaceResult& defined)
{
    DiagramExtents e;
    if (defined.Slip.StabilityFactor == kInvalidFactor)
        return e;
    for (const Slice& s : defined.Slices)
        e.Widen(s.XLeft, s.XRight, std::min(s.BaseLeft, s.BaseRight), std::max(s.GroundLeft, s.GroundRight));
    if (!e.Empty())
        WidenByTenth(e);
    return e;
}

DiagramExtents WedgeExtents(const WedgeSearchResult& wedges)
{
    DiagramExtents e;
    for (const WedgeResult& w : wedges.Wedges) {
        e.Widen(w.ToeX, w.TopX, std::min({w.ToeLevel, w.CornerLevel}), std::max({w.TopLevel, w.GroundAtCorner}));
        e.Widen(w.CornerX, w.CornerX, w.CornerLevel, w.CornerLevel);
    }
    if (!e.Empty())
        WidenByTenth(e);
    return e;
}

float DiagramScale(const DiagramExtents& e, float width, float height)
{
    float scale = width / (e.XMax - e.XMin);
    if ((e.YMax - e.YMin) * scale > height)
        scale = height / (e.YMax - e.YMin);
    return scale;
}

DiagramFrame FitDiagram(const DiagramExtents& e, float left, float top, float width, float height)
{
    DiagramFrame f;
    f.Left = left;
    f.Top = top;
    f.Width = width;
    f.Height = height;
    f.World = e;
    f.Scale = DiagramScale(e, width, height);
    // The drawing hangs from the top of the area: a wide section leaves room below, not above.
    f.Height = std::min(height, (e.YMax - e.YMin) * f.Scale);
    return f;
}

void CirclesDiagram(PageWriter& w, const ReportSource& src)
{
    const DiagramExtents e = src.circles != nullptr ? CircleExtents(*src.circles) : DiagramExtents{};
    const auto frame = StartDiagram(w, "Diagram showing all circles", e);
    if (!frame)
        return;
    const CircleSearchResult& search = *src.circles;
    w.SetColour(kTrialColour);
    for (const SlipResult& s : search.Slips)
        if (ValidCircle(s))
            SlipArc(w, *frame, s);
    const int centres = std::min<int>(search.CentreCount, static_cast<int>(search.Slips.size()));
    for (int n = 1; n <= centres; ++n) {
        const SlipResult& s = search.Slips[static_cast<std::size_t>(n - 1)];
        Cross(w, *frame, s.CentreX, s.CentreY);
        CentreLabel(w, *frame, s.CentreX, s.CentreY, s.CentreMinimum);
    }
    const SlipResult* critical = search.Critical();
    if (critical != nullptr && ValidCircle(*critical)) {
        w.SetColour(kCriticalColour);
        Cross(w, *frame, critical->CentreX, critical->CentreY);
        CentreLabel(w, *frame, critical->CentreX, critical->CentreY, critical->StabilityFactor);
        w.SetLineStyle(kDashLine);
        SlipArc(w, *frame, *critical);
    }
    w.SetLineStyle(kSolidLine);
    w.SetColour(kBlack);
}

void DefinedSurfaceDiagram(PageWriter& w, const ReportSource& src)
{
    const DiagramExtents e = src.defined != nullptr ? DefinedExtents(*src.defined) : DiagramExtents{};
    const auto frame = StartDiagram(w, "Diagram showing defined surface (with slice limits)", e);
    if (!frame)
        return;
    w.SetColour(kSurfaceColour);
    const SliceList& slices = src.defined->Slices;
    for (const Slice& s : slices) {
        WorldLine(w, *frame, s.XLeft, s.BaseLeft, s.XRight, s.BaseRight);
        WorldLine(w, *frame, s.XLeft, s.BaseLeft, s.XLeft, s.GroundLeft);
    }
    const Slice& last = slices.back();
    WorldLine(w, *frame, last.XRight, last.BaseRight, last.XRight, last.GroundRight);
    w.SetColour(kBlack);
}

void WedgesDiagram(PageWriter& w, const ReportSource& src)
{
    const DiagramExtents e = src.wedges != nullptr ? WedgeExtents(*src.wedges) : DiagramExtents{};
    const auto frame = StartDiagram(w, "Diagram showing all two part wedge surfaces", e);
    if (!frame)
        return;
    auto wedgeLines = [&](const WedgeResult& x) {
        WorldLine(w, *frame, x.ToeX, x.ToeLevel, x.CornerX, x.CornerLevel);
        WorldLine(w, *frame, x.CornerX, x.CornerLevel, x.CornerX, x.GroundAtCorner);
        WorldLine(w, *frame, x.CornerX, x.CornerLevel, x.TopX, x.TopLevel);
    };
    w.SetColour(kTrialColour);
    for (const WedgeResult& x : src.wedges->Wedges)
        wedgeLines(x);
    if (const WedgeResult* critical = src.wedges->Critical()) {
        w.SetColour(kCriticalColour);
        wedgeLines(*critical);
    }
    w.SetColour(kBlack);
}

} // namespace clv::report
