#include "model/point_order.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <utility>

namespace clv {

namespace {

bool SameBits(Single a, Single b)
{
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

/**
 * Whether of the two points j and j + 1 at one x (a vertical step) point j + 1
 * belongs first: the one nearer in level to the point before the pair continues
 * the surface from there, so a step down stays a step down. With no point before
 * the pair, or both equally near, the lower goes first.
 */
template <std::size_t S>
bool SecondOfStepFirst(const std::array<Single, S>& y, int j)
{
    if (j > 1) {
        const Single first = std::fabs(y[j] - y[j - 1]);
        const Single second = std::fabs(y[j + 1] - y[j - 1]);
        if (first != second)
            return second < first;
    }
    return y[j] > y[j + 1];
}

/**
 * One pass of the point ordering over points 1..n. Returns whether it changed
 * anything. Two points closer than 1 mm in x are a vertical step of the surface:
 * they are put in the order that continues the surface and the second is moved
 * 1 cm to the right, so every surface stays a function of x.
 */
template <std::size_t S>
bool OrderPass(std::array<Single, S>& x, std::array<Single, S>& y, int n)
{
    bool changed = false;
    for (int j = 1; j < n; ++j) {
        if (std::fabs(x[j] - x[j + 1]) >= 0.001f) {
            if (x[j] > x[j + 1]) {
                std::swap(x[j], x[j + 1]);
                std::swap(y[j], y[j + 1]);
                changed = true;
            }
        } else {
            if (SecondOfStepFirst(y, j)) {
                std::swap(x[j], x[j + 1]);
                std::swap(y[j], y[j + 1]);
                changed = true;
            }
            const Single shifted = x[j] + 0.01f;
            // Only an actual change counts: far from the origin (or for a value
            // that is not a number) adding 1 cm may leave x as it was, and a pass
            // that changes nothing would otherwise repeat for ever.
            if (!SameBits(shifted, x[j + 1])) {
                x[j + 1] = shifted;
                changed = true;
            }
        }
    }
    return changed;
}

template <std::size_t S>
void OrderPoints(std::array<Single, S>& x, std::array<Single, S>& y, int pointCount)
{
    const int n = std::clamp(pointCount, 0, static_cast<int>(S) - 1);
    // For any surface that can be entered the passes end well within this bound;
    // it only stops a pathological point set read from a file from cycling.
    const int maxPasses = 4 * n * n + 16;
    for (int pass = 0; pass < maxPasses; ++pass)
        if (!OrderPass(x, y, n))
            return;
}

} // namespace

void SortItemPoints(Job& job, int item)
{
    if (item >= 1 && item <= job.SoilCount()) {
        SoilRecord& soil = job.Soil(item);
        OrderPoints(soil.X, soil.Y, soil.PointCount);
    } else if (item == job.SoilCount() + 1) {
        OrderPoints(job.Water.X, job.Water.Y, job.Water.PointCount);
    }
}

void SortUserPoints(Job& job)
{
    // Exchange sort: adjacent points swap only when strictly out of order, so
    // points with equal x keep their order.
    auto& points = job.UserPoints;
    for (std::size_t end = points.size(); end > 1;) {
        std::size_t lastSwap = 0;
        for (std::size_t j = 0; j + 1 < end; ++j) {
            if (points[j].X > points[j + 1].X) {
                std::swap(points[j], points[j + 1]);
                lastSwap = j + 1;
            }
        }
        end = lastSwap;
    }
}

void AppendUserPoint(Job& job, Single x, Single y)
{
    job.UserPoints.push_back({x, y});
    SortUserPoints(job);
}

} // namespace clv
