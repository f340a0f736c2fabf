// The strata: fills, lines, the water, the soil names and the point markers.
//
// Each stratum is filled as the polygon between its top surface and the next
// surface below it in the section table (the lowest one down to the bottom of
// the view), and ponded water as the polygon between the water line and the
// ground where the water stands above it. The fills go first and the lines
// over them, so the picture needs no closed black outlines and stays correct
// with antialiasing and with surfaces that meet or cross.

#include "drawing/palette.h"
#include "drawing/section_canvas.h"

#include <algorithm>

namespace clv::drawing {

namespace {

bool HasPoints(const Job& job, int k)
{
    return job.Soil(k).PointCount >= 1;
}

int PointsOf(const SoilRecord& soil)
{
    return std::clamp<int>(soil.PointCount, 0, SoilRecord::kMaxPoints);
}

/** Fills the region between `top` and `bottom` (both sampled at `xs`) where it is thicker than one unit somewhere. */
void FillBetween(Canvas& c, const std::vector<double>& xs, const std::vector<double>& top,
                 const std::vector<double>& bottom, const QColor& colour)
{
    bool thick = false;
    for (std::size_t i = 0; i < xs.size() && !thick; ++i)
        thick = top[i] - c.Unit() > bottom[i];
    if (!thick)
        return;
    QPolygonF outline = SurfacePolyline(c, xs, top);
    const QPolygonF lower = SurfacePolyline(c, xs, bottom);
    for (auto it = lower.rbegin(); it != lower.rend(); ++it)
        outline << *it;
    c.painter.setPen(Qt::NoPen);
    c.painter.setBrush(colour);
    c.painter.drawPolygon(outline);
    c.painter.setBrush(Qt::NoBrush);
}

void FillStrata(Canvas& c, const std::vector<double>& xs)
{
    const int soils = c.job.SoilCount();
    // The lowest stratum reaches below the view: a line a little under its bottom edge.
    const std::vector<double> viewBottom(xs.size(), c.Bottom() - 2.0 * c.Unit());
    for (int k = 1; k <= soils; ++k) {
        if (!HasPoints(c.job, k))
            continue;
        // The table keeps every surface at or below the one above it; a surface
        // without points lies far below the view, so the fill reaches the bottom.
        const std::vector<double> top = RowLevels(c, k, xs);
        const std::vector<double> bottom = k < soils ? RowLevels(c, k + 1, xs) : viewBottom;
        FillBetween(c, xs, top, bottom, palette::SoilFill(k));
    }
}

void FillPondedWater(Canvas& c, const std::vector<double>& xs)
{
    // The table has a station wherever the water crosses the ground, so between
    // stations the water is wholly above or wholly below it.
    const std::vector<double> ground = RowLevels(c, 1, xs);
    std::vector<double> water = RowLevels(c, c.table.WaterRow(), xs);
    for (std::size_t i = 0; i < xs.size(); ++i)
        water[i] = std::max(water[i], ground[i]);
    FillBetween(c, xs, water, ground, palette::PondedWater());
}

void DrawRow(Canvas& c, const std::vector<double>& xs, int row, const QColor& colour, double width)
{
    c.painter.setPen(LinePen(colour, width));
    c.painter.drawPolyline(SurfacePolyline(c, xs, RowLevels(c, row, xs)));
}

QString SoilName(const SoilRecord& soil)
{
    return Text(soil.Description.Utf8()).trimmed();
}

/**
 * The name of soil k at one edge of the view: in the middle of the band the
 * soil occupies there, when the band is more than 15 units high (the lowest
 * soil always). Returns whether it was written.
 */
bool LabelAtEdge(Canvas& c, int k, bool rightEdge, const QString& name)
{
    const int soils = c.job.SoilCount();
    const double x = rightEdge ? c.Right() : c.Left();
    const double top = SurfaceLevel(c.table, k, static_cast<float>(x));
    double bottom = c.Bottom();
    if (k < soils) {
        const double next = SurfaceLevel(c.table, k + 1, static_cast<float>(x));
        if (next >= c.Bottom())
            bottom = next;
    }
    if (!((top - bottom) * c.view.ViewScale > 15.0 || k == soils))
        return false;
    const double y = c.Sy((top + bottom) / 2.0) + 2.0;
    if (rightEdge)
        PlaceText(c.painter, name, c.size.Width - 30.0, y, HAlign::Right, VAlign::Centre);
    else
        PlaceText(c.painter, name, 30.0, y, HAlign::Left, VAlign::Centre);
    return true;
}

/** The name of soil k once, in the middle of the stretch of the section over which it has thickness. */
void LabelInMiddle(Canvas& c, int k, const QString& name)
{
    int first = 0, last = 0;
    for (int col = 1; col <= c.table.StationCount(); ++col) {
        if (c.table.Level(k, col) > c.table.Level(k + 1, col)) {
            if (first == 0)
                first = col;
            last = col;
        }
    }
    if (first == 0)
        return;
    const float x = (c.table.X(first) + c.table.X(last)) / 2.0f;
    const double y = (SurfaceLevel(c.table, k, x) + SurfaceLevel(c.table, k + 1, x)) / 2.0;
    PlaceText(c.painter, name, c.Sx(x), c.Sy(y), HAlign::Centre, VAlign::Centre);
}

void DrawSoilNames(Canvas& c)
{
    c.painter.setPen(palette::SoilText());
    const int soils = c.job.SoilCount();
    for (int k = 1; k <= soils; ++k) {
        if (!HasPoints(c.job, k))
            continue;
        const QString name = SoilName(c.job.Soil(k));
        const bool left = LabelAtEdge(c, k, false, name);
        const bool right = LabelAtEdge(c, k, true, name);
        if (!left && !right && k < soils)
            LabelInMiddle(c, k, name);
    }
}

void DrawPointMarkers(Canvas& c, bool allSoils, bool water)
{
    c.painter.setPen(LinePen(palette::SoilText(), 1.0));
    const int soils = allSoils ? c.job.SoilCount() : std::min(1, c.job.SoilCount());
    for (int k = 1; k <= soils; ++k) {
        const SoilRecord& soil = c.job.Soil(k);
        for (int p = 1; p <= PointsOf(soil); ++p)
            DrawCross(c.painter, c.At(soil.X[p], soil.Y[p]), 5.0);
    }
    if (!water)
        return;
    c.painter.setPen(LinePen(palette::Water(), 1.0));
    const int waterPoints = std::clamp<int>(c.job.Water.PointCount, 0, WaterSurface::kMaxPoints);
    for (int p = 1; p <= waterPoints; ++p)
        DrawCross(c.painter, c.At(c.job.Water.X[p], c.job.Water.Y[p]), 5.0);
}

} // namespace

void DrawSoils(Canvas& c)
{
    const Job& job = c.job;
    const ViewSettings& flags = job.View;
    const bool soilsOn = IsSet(flags.ShowSoils);
    const bool waterOn = IsSet(flags.ShowWater) && job.Water.PointCount >= 1;
    if (job.SoilCount() != c.table.SoilCount())
        return; // the table is not the job's (a refresh is on its way)
    const std::vector<double> xs = SampleXs(c);

    if (soilsOn && IsSet(flags.ShowSoilFill))
        FillStrata(c, xs);
    if (waterOn && job.SoilCount() >= 1 && HasPoints(job, 1))
        FillPondedWater(c, xs);

    for (int k = job.SoilCount(); k >= 1; --k) {
        if (!HasPoints(job, k) || (!soilsOn && k != 1))
            continue;
        DrawRow(c, xs, k, palette::StrataLine(), k == 1 ? 2.0 : 1.0);
    }
    if (waterOn)
        DrawRow(c, xs, c.table.WaterRow(), palette::Water(), 1.0);

    if (soilsOn)
        DrawSoilNames(c);
    if (IsSet(flags.ShowPoints))
        DrawPointMarkers(c, soilsOn, IsSet(flags.ShowWater));
}

} // namespace clv::drawing
