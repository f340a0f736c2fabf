#include "ui/editing/point_edits.h"

#include "model/point_order.h"
#include "ui/validation.h"

#include <algorithm>
#include <cmath>

namespace clv::ui {

namespace {

template <std::size_t S>
void RemoveAt(std::array<Single, S>& x, std::array<Single, S>& y, Integer& count, int j)
{
    for (int k = j; k < count; ++k) {
        x[static_cast<std::size_t>(k)] = x[static_cast<std::size_t>(k + 1)];
        y[static_cast<std::size_t>(k)] = y[static_cast<std::size_t>(k + 1)];
    }
    --count;
}

bool Names(const Job& job, const PointRef& p)
{
    if (p.item == 0)
        return p.index >= 1 && p.index <= job.Water.PointCount;
    return p.item >= 1 && p.item <= job.SoilCount() && p.index >= 1 && p.index <= job.Soil(p.item).PointCount;
}

} // namespace

int TabItemOf(const Job& job, const PointRef& p)
{
    return p.item == 0 ? job.SoilCount() + 1 : p.item;
}

int ItemPointCount(const Job& job, int item)
{
    if (item >= 1 && item <= job.SoilCount())
        return job.Soil(item).PointCount;
    if (item == job.SoilCount() + 1)
        return job.Water.PointCount;
    return -1;
}

bool ItemFull(const Job& job, int item)
{
    const bool water = item == job.SoilCount() + 1;
    return ItemPointCount(job, item) >= (water ? WaterSurface::kMaxPoints : SoilRecord::kMaxPoints);
}

Single PickTolerance(double surfaceWidth, Single viewScale)
{
    if (viewScale == 0.0f)
        return 0.0f;
    return static_cast<Single>(surfaceWidth / viewScale) / 40.0f;
}

std::optional<PointRef> NearestPoint(const Job& job, Single x, Single y, Single tolerance)
{
    std::optional<PointRef> best;
    Single bestDistance = 0.0f;
    auto consider = [&](int item, int index, Single px, Single py) {
        const Single dx = px - x;
        const Single dy = py - y;
        const Single d = std::sqrt(dx * dx + dy * dy);
        if (!best || d < bestDistance) {
            best = PointRef{item, index};
            bestDistance = d;
        }
    };
    for (int k = 1; k <= job.SoilCount(); ++k) {
        const SoilRecord& soil = job.Soil(k);
        for (int j = 1; j <= std::min<int>(soil.PointCount, SoilRecord::kMaxPoints); ++j)
            consider(k, j, soil.X[static_cast<std::size_t>(j)], soil.Y[static_cast<std::size_t>(j)]);
    }
    for (int j = 1; j <= std::min<int>(job.Water.PointCount, WaterSurface::kMaxPoints); ++j)
        consider(0, j, job.Water.X[static_cast<std::size_t>(j)], job.Water.Y[static_cast<std::size_t>(j)]);
    if (best && bestDistance < tolerance)
        return best;
    return std::nullopt;
}

bool PlacedPointAllowed(Single x, Single y)
{
    return PointCoordinateAllowed(x) && PointCoordinateAllowed(y);
}

bool AppendSurfacePoint(Job& job, int item, Single x, Single y)
{
    const int count = ItemPointCount(job, item);
    if (count < 0 || ItemFull(job, item))
        return false;
    const auto j = static_cast<std::size_t>(count + 1);
    if (item == job.SoilCount() + 1) {
        job.Water.X[j] = x;
        job.Water.Y[j] = y;
        job.Water.PointCount = static_cast<Integer>(count + 1);
    } else {
        SoilRecord& soil = job.Soil(item);
        soil.X[j] = x;
        soil.Y[j] = y;
        soil.PointCount = static_cast<Integer>(count + 1);
    }
    SortItemPoints(job, item);
    return true;
}

bool DeleteSurfacePoint(Job& job, const PointRef& p)
{
    if (!Names(job, p))
        return false;
    if (p.item == 0)
        RemoveAt(job.Water.X, job.Water.Y, job.Water.PointCount, p.index);
    else
        RemoveAt(job.Soil(p.item).X, job.Soil(p.item).Y, job.Soil(p.item).PointCount, p.index);
    return true;
}

bool MoveSurfacePoint(Job& job, const PointRef& p, Single x, Single y)
{
    if (!Names(job, p))
        return false;
    const auto j = static_cast<std::size_t>(p.index);
    if (p.item == 0) {
        job.Water.X[j] = x;
        job.Water.Y[j] = y;
    } else {
        job.Soil(p.item).X[j] = x;
        job.Soil(p.item).Y[j] = y;
    }
    SortItemPoints(job, TabItemOf(job, p));
    return true;
}

Single RoundHalfToEven(Single value)
{
    const double v = value;
    double whole = std::floor(v);
    const double fraction = v - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    return static_cast<Single>(whole);
}

void WidenExtents(ViewSettings& view, Single x, Single y)
{
    if (x < view.XMin)
        view.XMin = RoundHalfToEven(x);
    if (x > view.XMax)
        view.XMax = RoundHalfToEven(x) + 1.0f;
    if (y < view.YMin)
        view.YMin = RoundHalfToEven(y);
    if (y > view.YMax)
        view.YMax = RoundHalfToEven(y) + 1.0f;
}

} // namespace clv::ui
