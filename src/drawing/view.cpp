#include "drawing/view.h"

#include "model/format.h"

#include <algorithm>
#include <cmath>

namespace clv::drawing {

void ViewHistory::Record(const View& v)
{
    if (v.ViewScale == 0.0f)
        return;
    std::move_backward(entries_.begin(), entries_.end() - 1, entries_.end());
    entries_[0] = Entry{v.ViewOriginX, v.ViewOriginY, v.ViewScale};
    previousEnabled_ = true;
}

bool ViewHistory::TakePrevious(View& v)
{
    const Entry latest = entries_[0];
    if (latest.Scale == 0.0)
        return false;
    v.ViewOriginX = static_cast<Single>(latest.OriginX);
    v.ViewOriginY = static_cast<Single>(latest.OriginY);
    v.ViewScale = static_cast<Single>(latest.Scale);
    // Entries 2..10 move up to 1..9; entry 10 keeps its view, so the oldest
    // view comes back again however often "Previous" is pressed.
    std::move(entries_.begin() + 1, entries_.end(), entries_.begin());
    previousEnabled_ = entries_[0].Scale != 0.0;
    return true;
}

Extents JobExtents(const Job& job, bool* hasGround)
{
    const bool ground = job.SoilCount() >= 1 && job.Soil(1).PointCount >= 1;
    if (hasGround)
        *hasGround = ground;
    if (!ground)
        return Extents{-10.0f, 20.0f, -5.0f, 10.0f};

    Extents e{1000000.0f, -1000000.0f, 1000000.0f, -1000000.0f};
    auto widen = [&e](Single x, Single y, Single margin) {
        e.XMin = std::min(e.XMin, x - margin);
        e.XMax = std::max(e.XMax, x + margin);
        e.YMin = std::min(e.YMin, y - margin);
        e.YMax = std::max(e.YMax, y + margin);
    };
    for (const SoilRecord& soil : job.Soils) {
        const int points = std::clamp<int>(soil.PointCount, 0, SoilRecord::kMaxPoints);
        for (int p = 1; p <= points; ++p)
            widen(soil.X[p], soil.Y[p], 5.0f);
    }
    const int waterPoints = std::clamp<int>(job.Water.PointCount, 0, WaterSurface::kMaxPoints);
    for (int p = 1; p <= waterPoints; ++p)
        widen(job.Water.X[p], job.Water.Y[p], 1.0f);
    for (const LoadRecord& load : job.Loads) {
        e.XMin = std::min(e.XMin, load.XMin - 2.0f);
        e.XMax = std::max(e.XMax, load.XMin + 5.0f);
    }
    return e;
}

void FitExtents(View& v, const SurfaceSize& s, const Extents& e)
{
    const double w = e.XMax - e.XMin, h = e.YMax - e.YMin;
    if (!(s.Width > 0.0) || !(s.Height > 0.0) || !(w > 0.0) || !(h > 0.0))
        return;
    const double sx = s.Width / w, sy = s.Height / h;
    if (sx >= sy) {
        v.ViewScale = static_cast<Single>(sy);
        v.ViewOriginY = e.YMin;
        v.ViewOriginX = static_cast<Single>(e.XMin - (s.Width - w * v.ViewScale) / 2.0 / v.ViewScale);
    } else {
        v.ViewScale = static_cast<Single>(sx);
        v.ViewOriginX = e.XMin;
        v.ViewOriginY = static_cast<Single>(e.YMin - (s.Height - h * v.ViewScale) / 2.0 / v.ViewScale);
    }
}

Extents ZoomLimits(View& v, ViewHistory& history, const SurfaceSize& s, const Job& job)
{
    bool hasGround = false;
    const Extents e = JobExtents(job, &hasGround);
    if (!(s.Width > 0.0) || !(s.Height > 0.0))
        return e;
    if (hasGround)
        history.Record(v);
    FitExtents(v, s, e);
    return e;
}

void ZoomWindow(View& v, ViewHistory& history, const SurfaceSize& s, double x1, double y1, double x2, double y2)
{
    if (!v.IsSet() || !(s.Width > 0.0) || !(s.Height > 0.0))
        return;
    Single wx1 = WorldX(v, x1), wx2 = WorldX(v, x2);
    Single wy1 = WorldY(v, s.Height, y1), wy2 = WorldY(v, s.Height, y2);
    if (wx1 > wx2)
        std::swap(wx1, wx2);
    if (wy1 > wy2)
        std::swap(wy1, wy2);
    if (wx2 - wx1 < kMinZoomWindow)
        wx2 = wx1 + kMinZoomWindow;
    if (wy2 - wy1 < kMinZoomWindow)
        wy2 = wy1 + kMinZoomWindow;
    history.Record(v);
    const double sx = s.Width / (wx2 - wx1), sy = s.Height / (wy2 - wy1);
    if (sx <= sy) {
        v.ViewScale = static_cast<Single>(sx);
        v.ViewOriginX = wx1;
        v.ViewOriginY = static_cast<Single>(wy1 - (s.Height / v.ViewScale - (wy2 - wy1)) / 2.0);
    } else {
        v.ViewScale = static_cast<Single>(sy);
        v.ViewOriginY = wy1;
        v.ViewOriginX = static_cast<Single>(wx1 - (s.Width / v.ViewScale - (wx2 - wx1)) / 2.0);
    }
}

void PanTo(View& v, ViewHistory& history, const SurfaceSize& s, Single x, Single y)
{
    if (!v.IsSet())
        return;
    history.Record(v);
    v.ViewOriginX = static_cast<Single>(x - (s.Width / v.ViewScale) / 2.0);
    v.ViewOriginY = static_cast<Single>(y - (s.Height / v.ViewScale) / 2.0);
}

namespace {

void ScaleAboutCentre(View& v, ViewHistory& history, const SurfaceSize& s, bool in)
{
    if (!v.IsSet())
        return;
    history.Record(v);
    const Single scale = in ? v.ViewScale * kZoomFactor : v.ViewScale / kZoomFactor;
    v.ViewOriginX = static_cast<Single>(v.ViewOriginX + (s.Width / v.ViewScale) / 2.0 - (s.Width / scale) / 2.0);
    v.ViewOriginY = static_cast<Single>(v.ViewOriginY + (s.Height / v.ViewScale) / 2.0 - (s.Height / scale) / 2.0);
    v.ViewScale = scale;
}

} // namespace

void ZoomIn(View& v, ViewHistory& history, const SurfaceSize& s)
{
    ScaleAboutCentre(v, history, s, true);
}

void ZoomOut(View& v, ViewHistory& history, const SurfaceSize& s)
{
    ScaleAboutCentre(v, history, s, false);
}

bool ZoomPrevious(View& v, ViewHistory& history)
{
    return history.TakePrevious(v);
}

bool PrepareViewForDrawing(View& v, ViewHistory& history, const SurfaceSize& s, const Job& job, Extents* fitted)
{
    bool didFit = false;
    if (!v.IsSet() && s.Width > 0.0 && s.Height > 0.0) {
        const Extents e = ZoomLimits(v, history, s, job);
        if (fitted)
            *fitted = e;
        didFit = v.IsSet();
    }
    if (v.ViewScale > kScaleCeiling)
        v.ViewScale = kScaleAfterCeiling;
    return didFit;
}

Single SnapToSpacing(Single value, Single g)
{
    if (!(g > 0.0f))
        return value;
    const Single q = std::floor(value / g) * g;
    const Single r = value - q;
    return r > g / 2.0f ? q + g : q;
}

std::string CursorText(Single value)
{
    return Format(value, "####0.00");
}

} // namespace clv::drawing
