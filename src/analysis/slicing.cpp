#include "analysis/slicing.h"

#include "analysis/methods.h"
#include "analysis/reinforcement.h"
#include "ground/base_column.h"
#include "ground/geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace clv {

namespace {

constexpr float kThreeHalfPi = 9.424778f / 2.0f;
constexpr float kTwoPi = 6.283185f;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

/** Segment j (station j to j + 1) of table row `row`, every level lowered by `drop`. */
Segment RowSegment(const SectionTable& table, int row, int j, float drop = 0.0f)
{
    Segment s;
    s.X1 = table.X(j);
    s.Y1 = table.Level(row, j) - drop;
    s.X2 = table.X(j + 1);
    s.Y2 = table.Level(row, j + 1) - drop;
    LineCoefficients(s);
    return s;
}

/**
 * A crossing of the circle can only lie within the circle's x-extent, give or
 * take the 0.001 tolerance of the crossing test; segments wholly outside it are
 * skipped without asking, which changes no result.
 */
bool SegmentMayCross(const SectionTable& table, int j, float xLow, float xHigh)
{
    return table.X(j + 1) >= xLow && table.X(j) <= xHigh;
}

/** Ends of the slip on the ground surface; false when either is missing. */
bool FindSlipEnds(const AnalysisInput& in, SlipResult& slip)
{
    const SectionTable& table = in.table;
    const float xc = slip.CentreX, yc = slip.CentreY, r = slip.Radius;
    const float crack = in.job.Slip.TensionCrackDepth;
    // Widened by a centimetre: more than the crossing tolerance, so no possible crossing is skipped.
    const float xLow = xc - r - 0.01f, xHigh = xc + r + 0.01f;
    float x1, y1, x2, y2;

    // Exit: walk the ground, lowered to the bottom of the tension crack, from the right.
    int exitSegment = -1;
    for (int j = table.StationCount(); j >= 0; --j) {
        if (!SegmentMayCross(table, j, xLow, xHigh))
            continue;
        const int count = CircleSegmentIntersections(RowSegment(table, 1, j, crack), xc, yc, r, x1, y1, x2, y2);
        if (count == 2) {
            x1 = x2;
            y1 = y2;
        }
        if (count >= 1 && x1 > xc - 0.001f) {
            slip.ExitX = x1;
            slip.ExitY = y1;
            exitSegment = j;
            break;
        }
    }
    if (exitSegment < 0)
        return false;

    // Entry: on the ground itself, from the exit's segment leftwards.
    for (int j = exitSegment; j >= 0; --j) {
        if (!SegmentMayCross(table, j, xLow, xHigh))
            continue;
        const int count = CircleSegmentIntersections(RowSegment(table, 1, j), xc, yc, r, x1, y1, x2, y2);
        if (count == 2 && x2 + 0.05f < slip.ExitX) {
            slip.EntryX = x2;
            slip.EntryY = y2;
            return true;
        }
        if (count >= 1 && x1 + 0.05f < slip.ExitX) {
            slip.EntryX = x1;
            slip.EntryY = y1;
            return true;
        }
    }
    return false;
}

/** Level of the circle at x; a radicand within 0.001 of zero (or below it, by rounding at the ends) is zero. */
float BaseLevel(const SlipResult& slip, float x)
{
    const float dx = slip.CentreX - x;
    float radicand = slip.Radius * slip.Radius - dx * dx;
    // Every slice side lies between the two ends of the slip, so a negative radicand
    // can only be the rounding of an end point that lies on the circle.
    if (radicand < 0.001f) // |radicand| < 0.001, or below zero
        radicand = 0.0f;
    return slip.CentreY - std::sqrt(radicand);
}

/**
 * Sorted x of the slice sides: ends, stations, stratum crossings, then the cuts
 * to the maximum width. Every list is built in one pass from the left, so the
 * work grows with the number of sides however many a job asks for.
 */
void BuildBoundaries(const AnalysisInput& in, const SlipResult& slip, SlicingScratch& scratch)
{
    const SectionTable& table = in.table;
    const float entry = slip.EntryX, exit = slip.ExitX;

    std::vector<float>& crossings = scratch.Crossings;
    crossings.clear();
    const float xLow = entry - 0.01f, xHigh = exit + 0.01f;
    float x1, y1, x2, y2;
    for (int k = 2; k <= table.SoilCount(); ++k) {
        for (int j = 0; j <= table.StationCount(); ++j) {
            if (!SegmentMayCross(table, j, xLow, xHigh))
                continue;
            const int count = CircleSegmentIntersections(RowSegment(table, k, j), slip.CentreX, slip.CentreY,
                                                         slip.Radius, x1, y1, x2, y2);
            if (count >= 1 && x1 > entry && x1 < exit)
                crossings.push_back(x1);
            if (count == 2 && x2 > entry && x2 < exit)
                crossings.push_back(x2);
        }
    }
    std::sort(crossings.begin(), crossings.end());

    // Ends and stations, with the crossings merged in; a crossing at the x of a station follows it.
    std::vector<float>& cuts = scratch.Cuts;
    cuts.clear();
    cuts.push_back(entry);
    auto crossing = crossings.cbegin();
    for (int col = 0; col <= table.StationCount() + 1; ++col) {
        const float x = table.X(col);
        if (!(x > entry && x < exit))
            continue;
        for (; crossing != crossings.cend() && *crossing < x; ++crossing)
            cuts.push_back(*crossing);
        cuts.push_back(x);
    }
    cuts.insert(cuts.end(), crossing, crossings.cend());
    cuts.push_back(exit);

    // Each interval wider than the widest slice allowed is cut into equal parts.
    // A job file can carry any count; fewer than one slice makes no sense, so at least one.
    const int minSlices = std::max<int>(in.job.Slip.MinSlices, 1);
    const float maxWidth = (exit - entry) / static_cast<float>(minSlices);
    std::vector<float>& b = scratch.Boundaries;
    b.clear();
    b.push_back(cuts.front());
    for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
        const float left = cuts[i];
        const float d = cuts[i + 1] - left;
        if (d > maxWidth) {
            // d never exceeds the whole slip, so the count is at most minSlices.
            const int n = std::min(static_cast<int>(std::floor(d / maxWidth)), minSlices);
            const float step = d / static_cast<float>(n + 1);
            for (int m = 1; m <= n; ++m)
                b.push_back(left + static_cast<float>(m) * step);
        }
        b.push_back(cuts[i + 1]);
    }
    scratch.Work.SidesPlaced += b.size();
}

bool ReachesMinimumDepth(const Job& job, const SliceList& slices)
{
    const float minDepth = job.Slip.MinSlipDepth;
    if (minDepth == 0.0f)
        return true;
    for (const Slice& s : slices) {
        if ((s.GroundLeft + s.GroundRight) / 2.0f - (s.BaseLeft + s.BaseRight) / 2.0f > minDepth)
            return true;
    }
    return false;
}

/**
 * Whether (x, y) lies beyond the slip surface: outside the slip's x range, or
 * below the polyline of the slice bases at x. The bases are straight chords from
 * side to side, so the level at x is read off the chord of the slice holding x.
 */
bool BeyondSlip(const SliceList& slices, float x, float y)
{
    if (x < slices.front().XLeft || x > slices.back().XRight)
        return true;
    for (const Slice& s : slices) {
        if (x >= s.XLeft && x <= s.XRight) {
            const float width = s.XRight - s.XLeft;
            const float base = width > 0.0f ? s.BaseLeft + (s.BaseRight - s.BaseLeft) * (x - s.XLeft) / width
                                            : std::min(s.BaseLeft, s.BaseRight);
            return y < base;
        }
    }
    return false; // not a number
}

/**
 * An anchor holds the sliding mass only when its whole fixed length is grouted
 * in ground that stays put: both ends of the fixed length, which runs from the
 * head into the slope (+x) at the anchor's angle below horizontal between
 * FreeLength and FreeLength + FixedLength along the tendon, must lie beyond the
 * slip. An anchor that the slip passes behind, or that is bonded across the slip
 * surface, moves with the mass and is only an internal force.
 */
bool AnchorFixedBeyondSlip(const SliceList& slices, const LoadRecord& anchor, float headX, float cosA, float sinA)
{
    if (slices.empty())
        return false;
    const float nearEnd = anchor.FreeLength;
    const float farEnd = anchor.FreeLength + anchor.FixedLength;
    return BeyondSlip(slices, headX + nearEnd * cosA, anchor.Y - nearEnd * sinA)
        && BeyondSlip(slices, headX + farEnd * cosA, anchor.Y - farEnd * sinA);
}

bool MarkInvalid(SlipResult& slip, SliceList& slices)
{
    slip.StabilityFactor = kInvalidFactor;
    slices.clear();
    return false;
}

} // namespace

bool SliceSlip(const AnalysisInput& in, SlipResult& slip, SliceList& slices)
{
    SlicingScratch scratch;
    return SliceSlip(in, slip, slices, scratch);
}

bool SliceSlip(const AnalysisInput& in, SlipResult& slip, SliceList& slices, SlicingScratch& scratch)
{
    if (!(slip.Radius > 0.0f) || !FindSlipEnds(in, slip) || !(slip.ExitY - 0.05f > slip.EntryY))
        return MarkInvalid(slip, slices);

    const float xc = slip.CentreX, yc = slip.CentreY;
    slip.EntryAngle = slip.EntryY == yc ? kThreeHalfPi
                                        : kThreeHalfPi + std::atan((slip.EntryX - xc) / (yc - slip.EntryY));
    slip.ExitAngle = slip.ExitX == xc ? kTwoPi : kTwoPi + std::atan((slip.ExitY - yc) / (slip.ExitX - xc));
    if (slip.ExitAngle > kTwoPi) {
        // The exit lies above the level of the centre.
        slip.ExitAngle -= kTwoPi;
        return MarkInvalid(slip, slices);
    }

    BuildBoundaries(in, slip, scratch);
    const std::vector<float>& b = scratch.Boundaries;

    const std::size_t count = b.size() - 1;
    slices.clear();
    slices.resize(count); // every field starts at zero
    StationWalk walk(in.table);
    float groundLeft = LevelAt(in.table, walk.Find(b[0]), 1);
    float baseLeft = BaseLevel(slip, b[0]);
    for (std::size_t i = 0; i < count; ++i) {
        Slice& s = slices[i];
        s.XLeft = b[i];
        s.XRight = b[i + 1];
        s.GroundLeft = groundLeft;
        s.BaseLeft = baseLeft;
        s.GroundRight = groundLeft = LevelAt(in.table, walk.Find(s.XRight), 1);
        s.BaseRight = baseLeft = BaseLevel(slip, s.XRight);
    }
    MergeNarrowSlices(slices);
    ComputeSliceGeometry(slices);
    scratch.Work.SlicesKept += slices.size();

    if (!ReachesMinimumDepth(in.job, slices))
        return MarkInvalid(slip, slices);
    return true;
}

Slice SliceUnderGround(const SectionTable& table, float xLeft, float baseLeft, float xRight, float baseRight)
{
    Slice s;
    s.XLeft = xLeft;
    s.XRight = xRight;
    s.BaseLeft = baseLeft;
    s.BaseRight = baseRight;
    s.GroundLeft = SurfaceLevel(table, 1, xLeft);
    s.GroundRight = SurfaceLevel(table, 1, xRight);
    return s;
}

void MergeNarrowSlices(SliceList& slices)
{
    if (slices.empty())
        return;
    // slices[kept] is the slice being built; each later slice is absorbed into it
    // while it is narrow, or else becomes the next one kept.
    std::size_t kept = 0;
    for (std::size_t next = 1; next < slices.size(); ++next) {
        Slice& s = slices[kept];
        if (s.XRight - s.XLeft < 0.01f) {
            const Slice& absorbed = slices[next];
            s.GroundLeft = s.GroundRight;
            s.XRight = absorbed.XRight;
            s.BaseRight = absorbed.BaseRight;
            s.GroundRight = absorbed.GroundRight;
        } else if (++kept != next) {
            slices[kept] = slices[next];
        }
    }
    slices.resize(kept + 1);
}

void ComputeSliceGeometry(SliceList& slices)
{
    for (Slice& s : slices) {
        s.Width = s.XRight - s.XLeft;
        const float rise = s.BaseRight - s.BaseLeft;
        s.BaseAngle = std::atan(rise / s.Width);
        s.BaseLength = std::sqrt(rise * rise + s.Width * s.Width);
    }
}

void ComputeSliceBaseData(const AnalysisInput& in, SliceList& slices, const SlipResult* circle)
{
    const Job& job = in.job;
    const PartialFactors& f = job.Factors;
    // The design strength of the last soil met: slices run through few soils, and
    // the tangent need not be formed again for each.
    Integer strengthSoil = 0;
    float designCohesion = 0.0f, designTanPhi = 0.0f;
    // The slices run left to right, so their middles are placed by one walk along the stations.
    StationWalk walk(in.table);
    for (Slice& s : slices) {
        const float xm = (s.XLeft + s.XRight) / 2.0f;
        const float yg = (s.GroundLeft + s.GroundRight) / 2.0f;
        const float yb = (s.BaseLeft + s.BaseRight) / 2.0f;
        const auto soilLevel = [&] { return circle != nullptr ? BaseLevel(*circle, xm) : yb; };
        const BaseColumn ground = QueryBaseColumnWith(job, in.table, walk.Find(xm), xm, yb, soilLevel);
        const Integer soil = ground.Soil;
        s.BaseSoil = soil;
        s.Weight = f.SoilSelfWeight * ground.Overburden * s.Width;
        if (soil < 1 || soil > job.SoilCount()) {
            // No soil at the base: nothing to compute with. The NaNs make the slip invalid.
            s.DesignCohesion = s.DesignTanPhi = s.BasePorePressure = kNaN;
            continue;
        }
        if (soil != strengthSoil) {
            const SoilRecord& rec = job.Soil(soil);
            designCohesion = rec.Cohesion / (f.RamificationsOfFailure * f.Cohesion);
            designTanPhi = std::tan(Radians(rec.Phi)) / (f.TanPhi * f.RamificationsOfFailure);
            strengthSoil = soil;
        }
        s.DesignCohesion = designCohesion;
        s.DesignTanPhi = designTanPhi;
        s.BasePorePressure = ground.PorePressure;
        const float water = ground.WaterLevel;
        s.SurfaceWaterPressure = water > yg ? job.Header.WaterUnitWeight * (water - yg) : 0.0f;
    }
}

void ComputeSliceForces(const AnalysisInput& in, SlipKind kind, SlipResult& slip, SliceList& slices)
{
    const Job& job = in.job;
    const bool circular = kind == SlipKind::Circular;
    const float xc = slip.CentreX, yc = slip.CentreY;
    const float fq = job.Factors.ImposedLoads;
    const float ffs = job.Factors.SoilSelfWeight;

    for (Slice& s : slices) {
        s.VerticalLoad = 0.0f;
        s.HorizontalLoad = 0.0f;
        s.LoadMoment = 0.0f;
    }

    // Loads. Each load adds its force to the slice it acts on and, for a circle, that
    // force times its own lever arm about the centre to the slice's moment, once.
    // Walking the loads outside and the slices inside adds them to each slice in the
    // same order as the other way round, and finds a point load's position once.
    for (const LoadRecord& load : job.Loads) {
        const bool levelSet = load.Y != kNoLevel;
        float pointX = load.XMin; // where a line load, lateral load or anchor acts
        float pointY = load.Y;    // level of a lateral load
        float cosA = 0.0f, sinA = 0.0f;
        switch (load.LoadType) {
        case kSurcharge:
        case kLineLoad:
            break;
        case kLateralLoad:
            if (!levelSet)
                pointY = SurfaceLevel(in.table, 1, load.XMin);
            break;
        case kAnchor:
            pointX = GroundXAtLevel(job, in.table, load.Y);
            cosA = std::cos(Radians(load.Angle));
            sinA = std::sin(Radians(load.Angle));
            if (!AnchorFixedBeyondSlip(slices, load, pointX, cosA, sinA))
                continue; // the anchor moves with the sliding mass and holds nothing
            break;
        default:
            continue; // types above 3 are not loads on the slip
        }
        for (Slice& s : slices) {
            if (levelSet && (s.BaseLeft + s.BaseRight) / 2.0f > load.Y)
                continue; // the load acts below this slice's base
            switch (load.LoadType) {
            case kSurcharge: {
                const float a = std::max(s.XLeft, load.XMin);
                const float b = std::min(s.XRight, load.XMax);
                if (a < b) {
                    const float force = fq * load.Value * (b - a);
                    s.VerticalLoad += force;
                    if (circular)
                        s.LoadMoment += force * ((a + b) / 2.0f - xc);
                }
                break;
            }
            case kLineLoad:
                if (s.XLeft <= pointX && pointX < s.XRight) {
                    const float force = fq * load.Value;
                    s.VerticalLoad += force;
                    if (circular)
                        s.LoadMoment += force * (pointX - xc);
                }
                break;
            case kLateralLoad:
                if (s.XLeft <= pointX && pointX < s.XRight) {
                    const float force = fq * load.Value;
                    s.HorizontalLoad += force;
                    if (circular)
                        s.LoadMoment += force * (yc - pointY);
                }
                break;
            case kAnchor:
                if (s.XLeft <= pointX && pointX < s.XRight) {
                    // The anchor pulls into the slope (against the slip) at its own inclination, unfactored.
                    const float horizontal = -load.Value * cosA;
                    const float vertical = load.Value * sinA;
                    s.HorizontalLoad += horizontal;
                    s.VerticalLoad += vertical;
                    if (circular)
                        s.LoadMoment += horizontal * (yc - load.Y) + vertical * (pointX - xc);
                }
                break;
            default:
                break;
            }
        }
    }

    const float kv = job.Header.VerticalAccelerationFactor;
    const float kh = job.Header.LateralAccelerationFactor;
    // The sums run in slice order; all slices but the last (which may still take the
    // crack water) are added as their forces are formed, so that the chain of
    // additions overlaps the arithmetic of the slices.
    float moment = 0.0f, horizontal = 0.0f;
    for (std::size_t i = 0; i < slices.size(); ++i) {
        Slice& s = slices[i];
        const float w = s.Weight;
        const float p = s.SurfaceWaterPressure;
        s.VerticalForce = (1.0f + kv) * w + s.VerticalLoad + ffs * p * s.Width;
        s.HorizontalForce = (s.GroundLeft - s.GroundRight) * ffs * p + kh * w + s.HorizontalLoad;
        if (circular) {
            const float xm = (s.XLeft + s.XRight) / 2.0f;
            const float yg = (s.GroundLeft + s.GroundRight) / 2.0f;
            const float yc4 = (s.GroundLeft + s.GroundRight + s.BaseLeft + s.BaseRight) / 4.0f;
            s.LoadMoment += (xm - xc) * (1.0f + kv) * w + (xm - xc) * ffs * p * s.Width + (yc - yc4) * kh * w
                - (yc - yg) * (s.GroundRight - s.GroundLeft) * ffs * p;
        }
        if (i + 1 < slices.size()) {
            moment += s.LoadMoment;
            horizontal += s.HorizontalForce;
        }
    }

    const float crack = job.Slip.TensionCrackDepth;
    if (circular && crack != 0.0f && !slices.empty()) {
        // Water filling the crack pushes on the crest-side slice, at a third of its depth above the exit.
        Slice& last = slices.back();
        const float thrust = job.Header.WaterUnitWeight * crack * crack / 2.0f;
        last.HorizontalForce += thrust;
        last.LoadMoment += thrust * (yc - (last.BaseRight + crack / 3.0f));
    }

    if (kind == SlipKind::Wedge)
        return;
    if (!slices.empty()) {
        moment += slices.back().LoadMoment;
        horizontal += slices.back().HorizontalForce;
    }
    slip.DisturbingMoment = circular ? moment : 0.0f;
    slip.HorizontalLoadForce = horizontal;
}

bool SlipIsFinite(const SlipResult& slip, const SliceList& slices)
{
    const float sums = slip.CentreX + slip.CentreY + slip.Radius + slip.DisturbingMoment + slip.SoilMoment
        + slip.ReinforcementMoment + slip.HorizontalLoadForce + slip.DisturbingForce + slip.SoilForce
        + slip.ReinforcementForce + slip.Lambda + slip.StabilityFactor + slip.EntryX + slip.EntryY + slip.ExitX
        + slip.ExitY;
    // A sum of finite numbers can still overflow, so test each when the sum is not finite.
    if (!std::isfinite(sums)) {
        for (float v : {slip.CentreX, slip.CentreY, slip.Radius, slip.DisturbingMoment, slip.SoilMoment,
                        slip.ReinforcementMoment, slip.HorizontalLoadForce, slip.DisturbingForce, slip.SoilForce,
                        slip.ReinforcementForce, slip.Lambda, slip.StabilityFactor, slip.EntryX, slip.EntryY,
                        slip.ExitX, slip.ExitY})
            if (!std::isfinite(v))
                return false;
    }
    // v - v is 0 for a finite v and NaN for an infinity or a NaN, and a NaN carries
    // through the sum: one test per slice instead of one per number.
    bool finite = true;
    for (const Slice& s : slices) {
        const float angles = (s.BaseAngle - s.BaseAngle) + (s.BaseLength - s.BaseLength);
        const float strength = (s.DesignCohesion - s.DesignCohesion) + (s.DesignTanPhi - s.DesignTanPhi);
        const float weight = (s.Weight - s.Weight) + (s.BasePorePressure - s.BasePorePressure);
        const float forces = (s.VerticalForce - s.VerticalForce) + (s.HorizontalForce - s.HorizontalForce);
        const float normal = (s.LoadMoment - s.LoadMoment) + (s.NormalForce - s.NormalForce);
        finite &= ((angles + strength) + (weight + forces)) + normal == 0.0f;
    }
    return finite;
}

void AnalyseCircle(const AnalysisInput& in, SlipResult& slip, SliceList& slices)
{
    SlicingScratch scratch;
    AnalyseCircle(in, slip, slices, scratch);
}

void AnalyseCircle(const AnalysisInput& in, SlipResult& slip, SliceList& slices, SlicingScratch& scratch)
{
    if (!SliceSlip(in, slip, slices, scratch))
        return;
    ComputeSliceBaseData(in, slices, &slip);
    ComputeSliceForces(in, SlipKind::Circular, slip, slices);
    if (in.layers.empty()) {
        slip.ReinforcementForce = 0.0f;
        slip.ReinforcementMoment = 0.0f;
    } else {
        const ReinforcementTotals totals = ComputeReinforcementForce(in, SlipKind::Circular, slices, slip.CentreY);
        slip.ReinforcementForce = totals.Force;
        slip.ReinforcementMoment = totals.Moment;
    }
    RunMethod(in, slip, slices);
    // A floating-point fault anywhere in the slip, or a factor that is not a positive
    // number, leaves no usable result: the slip is invalid and the search goes on.
    if (!SlipIsFinite(slip, slices) || !(slip.StabilityFactor > 0.0f))
        slip.StabilityFactor = kInvalidFactor;
}

} // namespace clv
