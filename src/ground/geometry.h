#pragma once

// Plane geometry of segments, lines and circles, in single precision.

namespace clv {

constexpr float kVerticalSlope = 3.4e38f;

struct Segment {
    float X1 = 0.0f, Y1 = 0.0f, X2 = 0.0f, Y2 = 0.0f; // X1 <= X2 expected
    float Slope = 0.0f;
    float Intercept = 0.0f;
};

/** Sets Slope and Intercept from the end points; a vertical segment gets kVerticalSlope and 0. */
void LineCoefficients(Segment& segment);

/**
 * Crossing of the line carried by `a` with segment `b` (both with coefficients
 * set). On success the crossing replaces a.X1, a.Y1 and the result is true;
 * otherwise `a` is unchanged.
 */
bool IntersectLineSegment(Segment& a, const Segment& b);

/**
 * Crossings of the circle (xc, yc, r) with a segment (coefficients set): returns
 * 0, 1 or 2 and writes the crossings, the first one in (x1, y1).
 */
int CircleSegmentIntersections(const Segment& segment, float xc, float yc, float r,
                               float& x1, float& y1, float& x2, float& y2);

} // namespace clv
