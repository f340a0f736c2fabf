#include "ground/geometry.h"

#include <algorithm>
#include <cmath>

namespace clv {

void LineCoefficients(Segment& segment)
{
    if (segment.X1 == segment.X2) {
        segment.Slope = kVerticalSlope;
        segment.Intercept = 0.0f;
    } else {
        segment.Slope = (segment.Y2 - segment.Y1) / (segment.X2 - segment.X1);
        segment.Intercept = segment.Y1 - segment.Slope * segment.X1;
    }
}

bool IntersectLineSegment(Segment& a, const Segment& b)
{
    if (a.Slope == b.Slope) // parallel, two verticals included
        return false;

    if (b.Slope == kVerticalSlope) {
        const float x = b.X1;
        if (!(a.X1 < x && x < a.X2))
            return false;
        a.X1 = x;
        a.Y1 = x * a.Slope + a.Intercept;
        return true;
    }
    if (a.Slope == kVerticalSlope) {
        const float x = a.X1;
        if (!(b.X1 < x && x < b.X2))
            return false;
        a.Y1 = x * b.Slope + b.Intercept;
        return true;
    }

    // Written as "accept only inside" so that a NaN crossing is refused.
    const float x = (a.Intercept - b.Intercept) / (b.Slope - a.Slope);
    if (!(b.X1 - 0.001f < x && x < b.X2 + 0.001f && a.X1 < x && x < a.X2))
        return false;
    a.X1 = x;
    a.Y1 = x * a.Slope + a.Intercept;
    return true;
}

namespace {

struct Bounds {
    double xmin, xmax, ymin, ymax;
};

bool OnSegment(const Bounds& b, double x, double y)
{
    return static_cast<float>(x - b.xmin) > -0.001f && static_cast<float>(b.xmax - x) > -0.001f &&
           static_cast<float>(y - b.ymin) > -0.001f && static_cast<float>(b.ymax - y) > -0.001f;
}

} // namespace

int CircleSegmentIntersections(const Segment& segment, float xc, float yc, float r,
                               float& x1, float& y1, float& x2, float& y2)
{
    const Bounds bounds{std::min<double>(segment.X1, segment.X2), std::max<double>(segment.X1, segment.X2),
                        std::min<double>(segment.Y1, segment.Y2), std::max<double>(segment.Y1, segment.Y2)};
    const double cx = xc, cy = yc, radius = r;

    double xa, ya, xb, yb;
    if (segment.Slope == kVerticalSlope) {
        // The quadratic in x has no meaning for a vertical segment (its slope is a
        // marker, not a gradient): solve on the line x = X1 instead. The roots are
        // taken lower first, as the quadratic takes them left first.
        const double dx = segment.X1 - cx;
        const double d = radius * radius - dx * dx;
        if (!(d >= 0.0))
            return 0;
        const double h = std::sqrt(d);
        xa = xb = segment.X1;
        ya = cy - h;
        yb = cy + h;
    } else {
        const double m = segment.Slope, c = segment.Intercept;
        const double qa = 1.0 + m * m;
        const double qb = 2.0 * (m * c - m * cy - cx);
        const double qc = cx * cx + cy * cy + c * c - 2.0 * cy * c - radius * radius;
        const double d = qb * qb - 4.0 * qa * qc;
        if (!(d >= 0.0)) // NaN has no crossings either
            return 0;
        const double root = std::sqrt(d);
        xa = (-qb - root) / (2.0 * qa);
        xb = (-qb + root) / (2.0 * qa);
        ya = m * xa + c;
        yb = m * xb + c;
    }

    const bool aOn = OnSegment(bounds, xa, ya);
    const bool bOn = OnSegment(bounds, xb, yb);
    if (aOn) {
        x1 = static_cast<float>(xa);
        y1 = static_cast<float>(ya);
        if (!bOn)
            return 1;
        x2 = static_cast<float>(xb);
        y2 = static_cast<float>(yb);
        return 2;
    }
    if (bOn) {
        x1 = static_cast<float>(xb);
        y1 = static_cast<float>(yb);
        return 1;
    }
    return 0;
}

} // namespace clv
