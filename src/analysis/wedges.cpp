#include "analysis/wedges.h"

#include "analysis/reinforcement.h"
#include "analysis/slicing.h"
#include "ground/geometry.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace clv {

namespace {

// The wedge list is numbered with 16-bit integers; a search that would pass that
// range (possible only with ranges typed into a job file) is refused up front.
constexpr long long kMaxWedges = 32767;

constexpr float kNoNetForceFactor = 10000.0f; // the soil holds itself: no reinforcement needed

struct Point {
    float X = 0;
    float Y = 0;
};

/** Number of values min, min + inc, ... up to max; one value when the increment cannot step. */
long long StepCount(float min, float max, float inc)
{
    if (!(inc > 0.0f))
        return 1;
    const float steps = std::floor((max - min) / inc);
    // Compared as a float first: a finite count beyond any integer (a range of
    // 1e30 from a damaged file) cannot be converted.
    if (!std::isfinite(steps) || steps >= static_cast<float>(kMaxWedges))
        return kMaxWedges + 1;
    if (steps < 0.0f)
        return 0;
    return static_cast<long long>(steps) + 1;
}

struct WedgeCounts {
    long long Widths = 0, BaseAngles = 0, RearAngles = 0;
};

WedgeCounts CountRanges(const WedgeSettings& w)
{
    WedgeCounts c;
    c.Widths = StepCount(w.BaseWidthMin, w.BaseWidthMax, w.BaseWidthInc);
    // An angle increment of zero or less (only from a job file) steps nowhere:
    // each angle range then gives its minimum alone, as the widths do.
    c.BaseAngles = StepCount(w.BaseAngleMin, w.BaseAngleMax, w.AngleInc);
    c.RearAngles = StepCount(w.RearAngleMin, w.RearAngleMax, w.AngleInc);
    if (w.BaseWidthMax == 0.0f) {
        c.Widths = 1;
        c.BaseAngles = 1;
    }
    return c;
}

/**
 * Toe level of the wedges of toe layer j (0-based, layers highest first): just
 * above the next layer down, and for the lowest layer one layer spacing below it.
 */
bool ToeOf(const Job& job, const LayerList& layers, std::size_t j, Point& toe)
{
    const std::size_t n = layers.size();
    if (j + 1 < n) {
        toe = {layers[j + 1].StartX, layers[j + 1].StartY + 0.001f};
        return true;
    }
    const ReinforcementLayer& lowest = layers[n - 1];
    float spacing = 0.0f;
    if (n >= 2) {
        spacing = layers[n - 2].StartY - lowest.StartY;
    } else {
        // A lone layer has no spacing below it: its block's vertical spacing
        // stands in. A block that cannot give one (spacing zero or less) gets
        // no toe below its layer, so such a job has no wedges.
        if (lowest.Block < 1 || lowest.Block > job.ReinforcementCount())
            return false;
        spacing = job.Reinforcement[static_cast<std::size_t>(lowest.Block - 1)].VerticalSpacing;
        if (!(spacing > 0.0f))
            return false;
    }
    toe = {lowest.StartX, lowest.StartY - spacing + 0.001f};
    return true;
}

/** Where the rear plane from the corner meets the ground, walking the ground from the right. */
bool RearPlaneTop(const SectionTable& table, const WedgeResult& w, Point& top)
{
    const float angle = Radians(w.RearAngle);
    Segment rear{w.CornerX, w.CornerLevel, w.CornerX + 1000.0f * std::cos(angle),
                 w.CornerLevel + 1000.0f * std::sin(angle)};
    LineCoefficients(rear);
    for (int j = table.StationCount(); j >= 0; --j) {
        Segment ground{table.X(j), table.Level(1, j), table.X(j + 1), table.Level(1, j + 1)};
        LineCoefficients(ground);
        if (IntersectLineSegment(ground, rear) && ground.X1 >= w.CornerX) {
            top = {ground.X1, ground.Y1};
            return true;
        }
    }
    return false;
}

std::vector<WedgeResult> GenerateWedges(const Job& job, const SectionTable& table, const LayerList& layers,
                                        const WedgeCounts& counts)
{
    const WedgeSettings& ws = job.Wedge;
    std::vector<WedgeResult> wedges;
    for (std::size_t j = 0; j < layers.size(); ++j) {
        Point toe;
        if (!ToeOf(job, layers, j, toe))
            continue;
        for (long long ib = 0; ib < counts.BaseAngles; ++ib) {
            for (long long iw = 0; iw < counts.Widths; ++iw) {
                for (long long ir = 0; ir < counts.RearAngles; ++ir) {
                    WedgeResult w;
                    w.BaseWidth = static_cast<float>(iw) * ws.BaseWidthInc + ws.BaseWidthMin;
                    w.BaseAngle = static_cast<float>(ib) * ws.AngleInc + ws.BaseAngleMin;
                    w.RearAngle = static_cast<float>(ir) * ws.AngleInc + ws.RearAngleMin;
                    w.ToeX = toe.X;
                    w.ToeLevel = toe.Y;
                    w.CornerX = w.ToeX + w.BaseWidth;
                    w.CornerLevel = w.ToeLevel + w.BaseWidth * std::tan(Radians(w.BaseAngle));
                    w.GroundAtCorner = SurfaceLevel(table, 1, w.CornerX);
                    Point top;
                    if (!RearPlaneTop(table, w, top))
                        continue; // the rear plane never reaches the ground: no wedge
                    w.TopX = top.X;
                    w.TopLevel = top.Y;
                    wedges.push_back(w);
                }
            }
        }
    }
    return wedges;
}

/** Slices, weights, water and loads of one wedge, and the restoring force of the layers it cuts. */
void LoadWedge(const AnalysisInput& in, WedgeResult& wedge, SliceList& slices)
{
    SliceWedge(in, wedge, slices);
    ComputeSliceBaseData(in, slices);
    SlipResult unused;
    ComputeSliceForces(in, SlipKind::Wedge, unused, slices);
    wedge.ReinforcementRestore = ComputeReinforcementForce(in, SlipKind::Wedge, slices, 0.0f).Force;
}

/** Horizontal balance of the wedge's slices: each base needs tan(alpha - phi) of its effective weight. */
void Balance(const AnalysisInput& in, WedgeResult& wedge, const SliceList& slices)
{
    const PartialFactors& f = in.job.Factors;
    wedge.Disturbing = 0.0f;
    wedge.SoilRestore = 0.0f;
    for (const Slice& s : slices) {
        const float phi = (s.BaseSoil >= 1 && s.BaseSoil <= in.job.SoilCount()) ? in.job.Soil(s.BaseSoil).Phi : 0.0f;
        const float u = s.BasePorePressure;
        float p = std::tan(s.BaseAngle - Radians(phi)) * (s.VerticalForce - f.SoilSelfWeight * u * s.Width);
        // A horizontal base runs along a geogrid layer: sliding on it is factored.
        // Nails are not built (every layer is a geogrid), so the kind is not consulted.
        if (s.BaseAngle == 0.0f)
            p = p / f.SlidingOnReinforcement;
        const float water = (s.BaseRight - s.BaseLeft) * f.SoilSelfWeight * u;
        if (p >= 0.0f) {
            wedge.Disturbing += p + s.HorizontalForce + water;
        } else {
            wedge.SoilRestore += -p;
            wedge.Disturbing += s.HorizontalForce + water;
        }
    }
    // A force that is not a number (a zero partial factor, a degenerate slice) must
    // not pass for a wedge that needs no reinforcement: it has no result at all.
    if (!std::isfinite(wedge.Disturbing) || !std::isfinite(wedge.SoilRestore) ||
        !std::isfinite(wedge.ReinforcementRestore)) {
        wedge.StabilityFactor = kInvalidFactor;
        return;
    }
    const float net = wedge.Disturbing - wedge.SoilRestore;
    wedge.StabilityFactor = net >= 0.01f ? wedge.ReinforcementRestore / net : kNoNetForceFactor;
    if (!std::isfinite(wedge.StabilityFactor))
        wedge.StabilityFactor = kInvalidFactor;
}

} // namespace

void ApplyWedgeDefaults(Job& job)
{
    WedgeSettings& w = job.Wedge;
    float longest = 0.0f;
    for (const ReinforcementBlock& block : job.Reinforcement) {
        if (block.Length > longest)
            longest = block.Length;
    }
    w.BaseWidthMax = longest;
    w.BaseWidthMin = 0.0f;
    w.BaseWidthInc = longest / 3.0f;
    w.BaseAngleMin = 5.0f;
    w.BaseAngleMax = 25.0f;
    w.RearAngleMin = 45.0f;
    w.RearAngleMax = 75.0f;
    w.AngleInc = 10.0f;
}

void SliceWedge(const AnalysisInput& in, const WedgeResult& wedge, SliceList& slices)
{
    const SectionTable& table = in.table;
    std::vector<Point> outline{{wedge.ToeX, wedge.ToeLevel}};
    if (wedge.ToeX != wedge.CornerX)
        outline.push_back({wedge.CornerX, wedge.CornerLevel});
    outline.push_back({wedge.TopX, wedge.TopLevel});

    // Where the lower strata cross the outline.
    std::vector<Point> points = outline;
    for (int k = 2; k <= table.SoilCount(); ++k) {
        for (std::size_t j = 0; j + 1 < outline.size(); ++j) {
            for (int s = 0; s <= table.StationCount(); ++s) {
                Segment part{outline[j].X, outline[j].Y, outline[j + 1].X, outline[j + 1].Y};
                LineCoefficients(part);
                Segment stratum{table.X(s), table.Level(k, s), table.X(s + 1), table.Level(k, s + 1)};
                LineCoefficients(stratum);
                if (IntersectLineSegment(part, stratum))
                    points.push_back({part.X1, part.Y1});
            }
        }
    }
    std::stable_sort(points.begin(), points.end(), [](const Point& a, const Point& b) { return a.X < b.X; });

    // The stations of the section between consecutive points, on the outline.
    std::vector<Point> boundaries;
    for (std::size_t j = 0; j < points.size(); ++j) {
        boundaries.push_back(points[j]);
        if (j + 1 == points.size())
            break;
        const Point p = points[j];
        const Point q = points[j + 1];
        for (int s = 1; s <= table.StationCount(); ++s) {
            const float x = table.X(s);
            if (p.X < x && x < q.X)
                boundaries.push_back({x, p.Y + (q.Y - p.Y) * (x - p.X) / (q.X - p.X)});
        }
    }

    slices.clear();
    for (std::size_t j = 0; j + 1 < boundaries.size(); ++j)
        slices.push_back(SliceUnderGround(table, boundaries[j].X, boundaries[j].Y, boundaries[j + 1].X, boundaries[j + 1].Y));
    MergeNarrowSlices(slices);
    ComputeSliceGeometry(slices);
}

WedgeSearchResult AnalyseWedges(Job& job, const SectionTable& table, const LayerList& layers, const NoticeFn& notice)
{
    WedgeSearchResult result;
    if (IsSet(job.Wedge.UseDefaults))
        ApplyWedgeDefaults(job);
    if (layers.empty())
        return result;

    const WedgeCounts counts = CountRanges(job.Wedge);
    const double combinations = static_cast<double>(layers.size()) * static_cast<double>(counts.Widths) *
                                static_cast<double>(counts.BaseAngles) * static_cast<double>(counts.RearAngles);
    if (combinations > static_cast<double>(kMaxWedges)) {
        Notify(notice, "Number of wedges exceeds the limit of " + std::to_string(kMaxWedges) +
                           "\rCheck data and edit if required");
        return result;
    }

    const AnalysisInput in{job, table, layers, notice};
    result.Wedges = GenerateWedges(job, table, layers, counts);
    SliceList slices;
    float lowest = 1000000.0f;
    for (std::size_t i = 0; i < result.Wedges.size(); ++i) {
        WedgeResult& wedge = result.Wedges[i];
        LoadWedge(in, wedge, slices);
        Balance(in, wedge, slices);
        if (wedge.StabilityFactor < lowest) {
            lowest = wedge.StabilityFactor;
            result.CriticalWedge = static_cast<int>(i) + 1;
        }
    }
    // With no wedge kept the list stays empty and there is nothing to re-slice.
    if (result.CriticalWedge >= 1) {
        WedgeResult& critical = result.Wedges[static_cast<std::size_t>(result.CriticalWedge - 1)];
        LoadWedge(in, critical, result.CriticalSlices);
    }
    return result;
}

} // namespace clv
