#include "ground/section_table.h"

#include "ground/geometry.h"

#include <algorithm>
#include <cmath>

namespace clv {

// ---------------------------------------------------------------------------
// The table itself

void SectionTable::Reset(int soilCount, int stationCount)
{
    soilCount_ = std::max(soilCount, 0);
    stationCount_ = std::max(stationCount, 0);
    rows_ = static_cast<std::size_t>(soilCount_) + 2;
    const std::size_t columns = static_cast<std::size_t>(stationCount_) + 2;
    cells_.assign(rows_ * columns, kNoLevel);
    for (std::size_t col = 0; col < columns; ++col)
        cells_[col * rows_] = 0.0f;
    cells_[0] = kFarLeftX;
    cells_[(columns - 1) * rows_] = kFarRightX;
}

void SectionTable::InsertColumn(int col, float x)
{
    const auto at = cells_.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(col) * rows_);
    const auto inserted = cells_.insert(at, rows_, kNoLevel);
    *inserted = x;
    ++stationCount_;
}

// ---------------------------------------------------------------------------
// Level queries

StationSpan FindStationSpan(const SectionTable& table, float x)
{
    const int last = table.StationCount();
    StationSpan span;
    if (x <= table.X(1)) {
        span.col = 1;
    } else if (x >= table.X(last)) {
        span.col = last;
    } else if (!std::isnan(x)) { // NaN fails every test and has no level
        // x(1) < x < x(last): the first column c in 2..last with x <= x(c) exists.
        int lo = 2, hi = last;
        while (lo < hi) {
            const int mid = (lo + hi) / 2;
            if (x <= table.X(mid))
                hi = mid;
            else
                lo = mid + 1;
        }
        span.col = lo - 1;
        span.dx = x - table.X(span.col);
        span.width = table.X(lo) - table.X(span.col);
    }
    return span;
}

float SurfaceLevel(const SectionTable& table, int row, float x)
{
    return LevelAt(table, FindStationSpan(table, x), row);
}

float FaceXAtLevel(const SectionTable& table, float y)
{
    const int rows = table.SoilCount();
    if (rows < 1)
        return kNoLevel;
    Segment level{-10000.0f, y, 10000.0f, y};
    LineCoefficients(level);
    for (int k = 1; k < table.StationCount(); ++k) {
        const float low = table.Level(1, k);
        const float high = table.Level(1, k + 1);
        if (!(high > low))
            continue; // level or falling ground is not the face
        Segment ground{table.X(k), low, table.X(k + 1), high};
        LineCoefficients(ground);
        Segment probe = level;
        if (IntersectLineSegment(probe, ground))
            return probe.X1;
    }
    return kNoLevel;
}

float GroundXAtLevel(const Job& job, const SectionTable& table, float y)
{
    if (job.SoilCount() < 1)
        return kNoLevel;
    return FaceXAtLevel(table, y);
}

// ---------------------------------------------------------------------------
// Building

namespace {

constexpr int kMaxStations = 32000; // StationCount is a 16-bit integer

// A crossing closer than this to a station adds nothing to the section, and
// the rounding of the levels interpolated at a new station could otherwise find
// the same crossing again a hair further on, station after station.
constexpr float kMinStationGap = 0.0001f;

bool RowHasLevel(const SectionTable& table, int row, int col)
{
    // The far stations always carry a level (a row's end level or kNoPoints).
    return col == 0 || col == table.StationCount() + 1 || table.Level(row, col) != kNoLevel;
}

float Interpolate(float levelLeft, float levelRight, float xLeft, float xRight, float x)
{
    return levelLeft + (levelRight - levelLeft) * (x - xLeft) / (xRight - xLeft);
}

/** First column whose x is not below `x` (columns 0..StationCount + 1). */
int FirstColumnNotBelow(const SectionTable& table, float x)
{
    int lo = 0, hi = table.StationCount() + 1;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (table.X(mid) < x)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

// Points beyond the far stations (only a damaged file has them) would break the
// order of the stations and are left out; NaN fails the test too.
bool InsideFarStations(float x)
{
    return x >= kFarLeftX && x <= kFarRightX;
}

struct Polyline {
    int row;
    int pointCount;
    const float* xs; // point p at index p, 1..pointCount
    const float* ys;
};

/**
 * Lays out the real stations: one at every distinct x of the points, in
 * increasing x. Taking the points one by one, a point at the x of an existing
 * station only gives it a level and any other point adds a station, which is
 * this same set; gathering it first spares moving the table at every point.
 */
void LayOutStations(SectionTable& table, int soilCount, const std::vector<Polyline>& lines)
{
    std::vector<float> xs;
    for (const Polyline& line : lines)
        for (int p = 1; p <= line.pointCount; ++p)
            if (InsideFarStations(line.xs[p]) && line.xs[p] != kFarLeftX && line.xs[p] != kFarRightX)
                xs.push_back(line.xs[p]);
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    if (xs.size() > static_cast<std::size_t>(kMaxStations))
        xs.resize(static_cast<std::size_t>(kMaxStations));

    table.Reset(soilCount, static_cast<int>(xs.size()));
    for (std::size_t i = 0; i < xs.size(); ++i)
        table.Cell(0, static_cast<int>(i) + 1) = xs[i];
}

/** Gives each station its level from the points, in point order (a later point at the same x wins). */
void SetPointLevels(SectionTable& table, const Polyline& line)
{
    for (int p = 1; p <= line.pointCount; ++p) {
        const float x = line.xs[p];
        if (!InsideFarStations(x))
            continue;
        const int col = FirstColumnNotBelow(table, x);
        if (col <= table.StationCount() + 1 && table.X(col) == x)
            table.Cell(line.row, col) = line.ys[p];
    }
}

void FillMissingLevels(SectionTable& table, int row)
{
    const int last = table.StationCount() + 1;
    int left = 0;
    for (int col = 1; col <= last; ++col) {
        if (!RowHasLevel(table, row, col))
            continue;
        for (int gap = left + 1; gap < col; ++gap)
            table.Cell(row, gap) = Interpolate(table.Level(row, left), table.Level(row, col),
                                               table.X(left), table.X(col), table.X(gap));
        left = col;
    }
}

Segment RowSegment(const SectionTable& table, int row, int col)
{
    Segment s;
    s.X1 = table.X(col);
    s.Y1 = table.Level(row, col);
    s.X2 = table.X(col + 1);
    s.Y2 = table.Level(row, col + 1);
    LineCoefficients(s);
    return s;
}

/** Inserts a station at x inside segment `col`, every row interpolated there. */
void InsertCrossingStation(SectionTable& table, int col, float x)
{
    table.InsertColumn(col + 1, x);
    const int rows = table.SoilCount() + 1;
    for (int row = 1; row <= rows; ++row)
        table.Cell(row, col + 1) = Interpolate(table.Level(row, col), table.Level(row, col + 2),
                                               table.X(col), table.X(col + 2), x);
}

/**
 * Tests segment `col` of `upperRow` against the segments of `lowerRow`; at the
 * first crossing inserts a station there and returns true. Only the segments
 * whose x-range, widened by the crossing tolerance, overlaps segment `col` can
 * cross it; the others are not tried.
 */
bool InsertFirstCrossing(SectionTable& table, int upperRow, int col, int lowerRow)
{
    const Segment a = RowSegment(table, upperRow, col);
    int first = col;
    while (first > 0 && table.X(first) + 0.001f > a.X1)
        --first;
    const int last = table.StationCount();
    for (int other = first; other <= last; ++other) {
        if (table.X(other) - 0.001f >= a.X2)
            break;
        const Segment b = RowSegment(table, lowerRow, other);
        Segment probe = a; // a crossing is written into the probe
        if (!IntersectLineSegment(probe, b))
            continue;
        const float x = probe.X1;
        if (x - a.X1 < kMinStationGap || a.X2 - x < kMinStationGap)
            continue;
        InsertCrossingStation(table, col, x);
        return true;
    }
    return false;
}

/**
 * Puts a station at every crossing of segments of `upperRow` with `lowerRows`.
 * After a crossing the shortened segment is tried again, so that it can meet
 * another row; the rest of it is the next segment.
 */
void InsertCrossings(SectionTable& table, int upperRow, int lowerFirst, int lowerLast)
{
    for (int col = 0; col <= table.StationCount(); ++col) {
        bool inserted = true;
        while (inserted && table.StationCount() < kMaxStations) {
            inserted = false;
            for (int row = lowerFirst; row <= lowerLast && !inserted; ++row)
                inserted = InsertFirstCrossing(table, upperRow, col, row);
        }
    }
}

} // namespace

SectionTable BuildSectionTable(const Job& job)
{
    const int soils = job.SoilCount();
    const int water = soils + 1;

    std::vector<Polyline> lines;
    lines.reserve(static_cast<std::size_t>(water));
    for (int k = 1; k <= soils; ++k) {
        const SoilRecord& soil = job.Soil(k);
        lines.push_back({k, std::clamp<int>(soil.PointCount, 0, SoilRecord::kMaxPoints), soil.X.data(),
                         soil.Y.data()});
    }
    lines.push_back({water, std::clamp<int>(job.Water.PointCount, 0, WaterSurface::kMaxPoints),
                     job.Water.X.data(), job.Water.Y.data()});

    SectionTable table;
    LayOutStations(table, soils, lines);
    const int farRight = table.StationCount() + 1;
    for (const Polyline& line : lines) {
        // Far stations carry each row's end levels, so every surface runs on level beyond its ends.
        const bool hasPoints = line.pointCount >= 1;
        table.Cell(line.row, 0) = hasPoints ? line.ys[1] : kNoPoints;
        table.Cell(line.row, farRight) = hasPoints ? line.ys[line.pointCount] : kNoPoints;
    }
    for (const Polyline& line : lines)
        SetPointLevels(table, line);

    for (int row = 1; row <= water; ++row)
        FillMissingLevels(table, row);

    // Stations where the ground crosses any other surface (water included), then
    // where each stratum surface crosses the one directly below it.
    if (soils >= 1)
        InsertCrossings(table, 1, 2, water);
    for (int k = 3; k <= soils; ++k)
        InsertCrossings(table, k - 1, k, k);

    // A stratum surface never rises above the one over it: where a lower surface
    // was drawn higher, the soil above has zero thickness. The far-right station
    // is ordered too, since circles still cut the strata beyond the last point.
    for (int k = 2; k <= soils; ++k)
        for (int col = 0; col <= table.StationCount() + 1; ++col)
            if (table.Level(k, col) > table.Level(k - 1, col))
                table.Cell(k, col) = table.Level(k - 1, col);

    return table;
}

} // namespace clv
