#include "analysis/defined_surface.h"

#include "analysis/methods.h"
#include "analysis/reinforcement.h"
#include "analysis/slicing.h"
#include "ground/geometry.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace clv {

namespace {

struct Point {
    float X = 0;
    float Y = 0;
};

using Polyline = std::vector<Point>;

constexpr float kBoundaryGap = 0.005f; // a new boundary this close to an existing one adds nothing

float Ground(const SectionTable& table, float x) { return SurfaceLevel(table, 1, x); }

/** End points may lie up to 0.1 m below the ground; every point between them at or below it. */
bool PointsAdmissible(const SectionTable& table, const std::vector<UserPoint>& points)
{
    const std::size_t last = points.size() - 1;
    for (std::size_t i = 0; i <= last; ++i) {
        const UserPoint& p = points[i];
        const float g = Ground(table, p.X);
        const bool ok = (i == 0 || i == last) ? p.Y + 0.1f >= g : p.Y <= g;
        if (!ok)
            return false;
    }
    return true;
}

/**
 * A surface that turns back on itself in x would cut slices that overlap, and
 * their weights would be counted twice: such input is refused ("N/A") rather
 * than reordered, since a reordering would analyse a surface the user did not
 * draw. Points straight above one another are accepted (slice of width 0.01).
 */
bool RunsLeftToRight(const std::vector<UserPoint>& points)
{
    for (std::size_t i = 1; i < points.size(); ++i) {
        if (points[i].X < points[i - 1].X)
            return false;
    }
    return true;
}

/** First crossing, in station order from the far left, of the line (x1,y1)-(x2,y2) with the ground surface. */
bool GroundCrossing(const SectionTable& table, float x1, float y1, float x2, float y2, Point& crossing)
{
    for (int j = 0; j <= table.StationCount(); ++j) {
        Segment line{x1, y1, x2, y2};
        LineCoefficients(line);
        Segment ground{table.X(j), table.Level(1, j), table.X(j + 1), table.Level(1, j + 1)};
        LineCoefficients(ground);
        if (IntersectLineSegment(line, ground)) {
            crossing = {line.X1, line.Y1};
            return true;
        }
    }
    return false;
}

/** Pulls the two ends onto the ground along the end segments, extended by their own length. */
void TrimEnds(const SectionTable& table, Polyline& line)
{
    const std::size_t n = line.size();
    Point crossing;
    const Point a = line[0];
    const Point b = line[1];
    if (GroundCrossing(table, 2.0f * a.X - b.X, 2.0f * a.Y - b.Y, b.X, b.Y, crossing))
        line[0] = crossing;
    const Point c = line[n - 2];
    const Point d = line[n - 1];
    if (GroundCrossing(table, c.X, c.Y, 2.0f * d.X - c.X, 2.0f * d.Y - c.Y, crossing))
        line[n - 1] = crossing;
}

/** Inserts (x, level on the polyline) inside the segment that holds x clear of both its ends. */
void InsertAt(Polyline& line, float x)
{
    for (std::size_t j = 0; j + 1 < line.size(); ++j) {
        const Point p = line[j];
        const Point q = line[j + 1];
        if (p.X < x - kBoundaryGap && x + kBoundaryGap < q.X) {
            const float y = p.Y + (q.Y - p.Y) * (x - p.X) / (q.X - p.X);
            line.insert(line.begin() + static_cast<std::ptrdiff_t>(j) + 1, Point{x, y});
            return;
        }
    }
}

void InsertStations(const SectionTable& table, Polyline& line)
{
    for (int s = 1; s <= table.StationCount(); ++s)
        InsertAt(line, table.X(s));
}

/** Boundaries where the surfaces of the lower strata cross the polyline. */
void InsertStratumCrossings(const SectionTable& table, Polyline& line)
{
    for (int k = 2; k <= table.SoilCount(); ++k) {
        std::vector<float> crossings;
        for (std::size_t j = 0; j + 1 < line.size(); ++j) {
            for (int s = 0; s <= table.StationCount(); ++s) {
                Segment part{line[j].X, line[j].Y, line[j + 1].X, line[j + 1].Y};
                if (!(part.X1 < part.X2))
                    continue; // a vertical step has no x to add
                LineCoefficients(part);
                Segment stratum{table.X(s), table.Level(k, s), table.X(s + 1), table.Level(k, s + 1)};
                LineCoefficients(stratum);
                if (IntersectLineSegment(part, stratum))
                    crossings.push_back(part.X1);
            }
        }
        // Neighbouring stratum segments can report the same crossing twice: the
        // gap rule of the station boundaries keeps only one.
        for (float x : crossings)
            InsertAt(line, x);
    }
}

/**
 * Every slice boundary between the two ends must lie on or under the ground
 * (within 0.001 m). The defined points themselves are checked, but the surface
 * drawn straight between two of them can pass over a ditch: the ground stations
 * inside it are boundaries, and a base above the ground there would give a slice
 * of negative weight and credit cohesion along base in the air.
 */
bool BoundariesUnderGround(const SectionTable& table, const Polyline& line)
{
    for (std::size_t j = 1; j + 1 < line.size(); ++j) {
        if (!(line[j].Y - Ground(table, line[j].X) <= 0.001f))
            return false;
    }
    return true;
}

SliceList MakeSlices(const SectionTable& table, const Polyline& line)
{
    SliceList slices;
    for (std::size_t j = 0; j + 1 < line.size(); ++j) {
        Slice s = SliceUnderGround(table, line[j].X, line[j].Y, line[j + 1].X, line[j + 1].Y);
        if (s.XRight - s.XLeft <= 0.0f)
            s.XRight = s.XLeft + 0.01f;
        slices.push_back(s);
    }
    ComputeSliceGeometry(slices);
    return slices;
}

} // namespace

DefinedSurfaceResult AnalyseDefinedSurface(const AnalysisInput& in)
{
    DefinedSurfaceResult result;
    result.Slip.StabilityFactor = kInvalidFactor;
    const std::vector<UserPoint>& points = in.job.UserPoints;
    if (points.size() < 3 || in.job.SoilCount() < 1)
        return result;
    if (!PointsAdmissible(in.table, points) || !RunsLeftToRight(points))
        return result;

    Polyline line;
    for (const UserPoint& p : points)
        line.push_back({p.X, p.Y});
    TrimEnds(in.table, line);
    InsertStations(in.table, line);
    InsertStratumCrossings(in.table, line);
    if (!BoundariesUnderGround(in.table, line))
        return result;

    SlipResult& slip = result.Slip;
    slip.EntryX = line.front().X;
    slip.EntryY = line.front().Y;
    slip.ExitX = line.back().X;
    slip.ExitY = line.back().Y;
    result.Slices = MakeSlices(in.table, line);

    ComputeSliceBaseData(in, result.Slices);
    ComputeSliceForces(in, SlipKind::Defined, slip, result.Slices);
    slip.ReinforcementForce = ComputeReinforcementForce(in, SlipKind::Defined, result.Slices, 0.0f).Force;
    Janbu(in, SlipKind::Defined, slip, result.Slices);
    if (!std::isfinite(slip.StabilityFactor))
        slip.StabilityFactor = kInvalidFactor;
    return result;
}

} // namespace clv
