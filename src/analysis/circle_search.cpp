#include "analysis/circle_search.h"

#include "analysis/slicing.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <string>
#include <system_error>
#include <thread>

namespace clv {

const char* const kSlipLimitNotice = "Maximum number of slips (500) has been exceeded\rCheck data and edit if required";

namespace {

constexpr int kMaxCount = 32767; // slip numbers and counts are 16-bit
constexpr float kNoMinimum = 1000000.0f;

const char* const kTooManySlipsNotice =
    "The grid of centres and the common points give more than 32767 slips\rCheck data and edit if required";
const char* const kBadGridNotice =
    "The grid of centres and the common points need numbers, with increments greater than zero\r"
    "Check data and edit if required";

/** Rounds to two decimals, halves to even as the program's Round does. */
float RoundTo2(float v)
{
    return static_cast<float>(std::nearbyint(static_cast<double>(v) * 100.0) / 100.0);
}

/**
 * Derives the grid of centres and the common points from the ground profile: a
 * four by four grid above the crest and four points on the ground around the toe.
 */
void GenerateDefaultGeometry(Job& job)
{
    const SoilRecord& ground = job.Soil(1);
    const int points = std::min<int>(ground.PointCount, SoilRecord::kMaxPoints);
    // The crest is the first highest point; the toe the last point at the lowest
    // level up to the crest, the foot of the rising ground. (The first lowest point
    // would put the toe at the far end of a level foreground, tens of metres out.)
    float toeX = 0.0f, toeY = 10000.0f, crestX = 0.0f, crestY = -10000.0f;
    int crest = points;
    for (int k = 1; k <= points; ++k) {
        if (ground.Y[k] > crestY) {
            crestX = ground.X[k];
            crestY = ground.Y[k];
            crest = k;
        }
    }
    for (int k = 1; k <= crest; ++k) {
        if (ground.Y[k] <= toeY) {
            toeX = ground.X[k];
            toeY = ground.Y[k];
        }
    }
    SlipSettings& slip = job.Slip;
    const float d = crestX - toeX;
    if (d > 0.5f) {
        slip.CommonXInc = RoundTo2(d / 5.0f);
        slip.CommonXMin = RoundTo2(toeX) - slip.CommonXInc;
        slip.CommonXMax = slip.CommonXMin + 3.0f * slip.CommonXInc;
        slip.CommonY = kNoLevel;
    } else {
        slip.CommonXInc = 1.0f;
        slip.CommonXMin = slip.CommonXMax = toeX;
        slip.CommonY = toeY;
    }
    const float step = d <= 30.0f ? 1.0f : 2.0f;
    slip.GridXMin = std::floor(toeX) + step;
    slip.GridXMax = slip.GridXMin + 3.0f * step;
    slip.GridXInc = step;
    slip.GridYMin = std::floor(crestY) + step;
    slip.GridYMax = slip.GridYMin + 3.0f * step;
    slip.GridYInc = step;
    slip.AutoExtendGrid = kTrue;
}

/**
 * Number of points min, min + inc, ... that do not pass max. A last point within
 * a ten-thousandth of an increment of max counts: it is max itself, short only by
 * the rounding of the single-precision inputs. A maximum below the minimum gives
 * the single point at the minimum. -1 when the numbers cannot make a line of
 * points (an increment that is not positive, a value that is not a number).
 */
long long PointCount(float min, float max, float inc)
{
    if (!std::isfinite(min) || !std::isfinite(max) || !std::isfinite(inc) || !(inc > 0.0f))
        return -1;
    const double steps = std::floor((static_cast<double>(max) - min) / inc + 1e-4);
    if (steps < 0)
        return 1;
    return static_cast<long long>(std::min(steps, 1e9)) + 1;
}

/** Index in the slip list of grid column i, grid row j and line point p (all 1-based). */
std::size_t SlipIndex(int centresX, int centresY, int i, int j, int p)
{
    return static_cast<std::size_t>((p - 1) * centresX * centresY + (j - 1) * centresX + i - 1);
}

void SetCentreMinima(CircleSearchResult& r)
{
    for (int c = 1; c <= r.CentreCount; ++c) {
        float lowest = r.Slips[static_cast<std::size_t>(c) - 1].StabilityFactor;
        for (int n = c + r.CentreCount; n <= static_cast<int>(r.Slips.size()); n += r.CentreCount)
            lowest = std::min(lowest, r.Slips[static_cast<std::size_t>(n) - 1].StabilityFactor);
        r.Slips[static_cast<std::size_t>(c) - 1].CentreMinimum = lowest;
    }
}

// Below this many circles a pass is not worth the threads: a circle takes a few
// microseconds, starting a thread some tens.
constexpr std::size_t kParallelMinimum = 64;
// Circles are handed out in runs of this many, so that threads finishing early
// take more without contending for every circle.
constexpr std::size_t kRunLength = 8;

struct HeldNotice {
    std::size_t slip; // index in the slip list
    std::string text;
};

/** One thread's share of a pass: its own working storage and the notices it holds back. */
struct SearchWorker {
    SliceList slices;
    SlicingScratch scratch;
    std::vector<HeldNotice> notices;
    std::exception_ptr failure;
};

/**
 * The slips of `pending` analysed by `threads` threads. A notice cannot go to the
 * caller from another thread (the program shows it in a message box), so each is
 * held with its slip's index and passed on afterwards in slip order: the caller
 * sees the notices a single thread would have given, in the same order.
 */
void AnalyseShared(const AnalysisInput& in, CircleSearchResult& r, const std::vector<std::size_t>& pending,
                   unsigned threads, SlicingScratch& scratch)
{
    std::vector<SearchWorker> crew(threads);
    std::atomic<std::size_t> nextRun{0};
    const auto work = [&](SearchWorker& w) {
        try {
            std::size_t current = 0;
            NoticeFn hold;
            if (in.notice)
                hold = [&w, &current](const std::string& text) { w.notices.push_back({current, text}); };
            const AnalysisInput own{in.job, in.table, in.layers, hold};
            for (;;) {
                const std::size_t first = nextRun.fetch_add(kRunLength);
                if (first >= pending.size())
                    break;
                const std::size_t last = std::min(first + kRunLength, pending.size());
                for (std::size_t k = first; k < last; ++k) {
                    current = pending[k];
                    AnalyseCircle(own, r.Slips[current], w.slices, w.scratch);
                }
            }
        } catch (...) {
            w.failure = std::current_exception();
        }
    };
    std::vector<std::thread> helpers;
    helpers.reserve(threads - 1);
    for (unsigned t = 1; t < threads; ++t) {
        try {
            helpers.emplace_back(work, std::ref(crew[t]));
        } catch (const std::system_error&) {
            break; // no more threads to be had: those running share all the circles
        }
    }
    work(crew[0]);
    for (std::thread& t : helpers)
        t.join();

    std::vector<HeldNotice> notices;
    for (SearchWorker& w : crew) {
        if (w.failure)
            std::rethrow_exception(w.failure);
        scratch.Work += w.scratch.Work;
        for (HeldNotice& n : w.notices)
            notices.push_back(std::move(n));
    }
    // One slip is analysed by one thread, which keeps its notices in order: a
    // stable sort by slip restores the order of a single thread.
    std::stable_sort(notices.begin(), notices.end(),
                     [](const HeldNotice& a, const HeldNotice& b) { return a.slip < b.slip; });
    for (const HeldNotice& n : notices)
        Notify(in.notice, n.text);
}

} // namespace

int FindCriticalSlip(const std::vector<SlipResult>& slips)
{
    float lowest = kNoMinimum;
    int critical = 1;
    for (std::size_t n = 0; n < slips.size(); ++n) {
        // Strictly lower: of two equal factors the lower slip number stays critical.
        if (slips[n].StabilityFactor < lowest) {
            lowest = slips[n].StabilityFactor;
            critical = static_cast<int>(n) + 1;
        }
    }
    return critical;
}

void AssignCircles(const Job& job, const SectionTable& table, CircleSearchResult& r)
{
    const SlipSettings& s = job.Slip;
    std::size_t n = 0;
    for (int p = 1; p <= r.CommonPoints; ++p) {
        const float xp = static_cast<float>(p - 1) * s.CommonXInc + s.CommonXMin;
        const float yp = s.CommonY == kNoLevel ? SurfaceLevel(table, 1, xp) : s.CommonY;
        for (int j = 1; j <= r.CentresY; ++j) {
            const float centreY = static_cast<float>(j - 1) * s.GridYInc + r.CurrentMinY;
            for (int i = 1; i <= r.CentresX; ++i, ++n) {
                SlipResult& slip = r.Slips[n];
                slip.CentreX = static_cast<float>(i - 1) * s.GridXInc + r.CurrentMinX;
                slip.CentreY = centreY;
                const float dx = slip.CentreX - xp, dy = slip.CentreY - yp;
                slip.Radius = std::sqrt(dx * dx + dy * dy);
            }
        }
    }
}

unsigned SearchThreads()
{
    const unsigned cores = std::thread::hardware_concurrency();
    return std::clamp(cores, 1u, 16u);
}

void AnalysePendingSlips(const AnalysisInput& in, CircleSearchResult& r, SliceList& slices, SlicingScratch& scratch,
                         unsigned threads)
{
    AssignCircles(in.job, in.table, r);
    std::vector<std::size_t> pending;
    for (std::size_t n = 0; n < r.Slips.size(); ++n) {
        if (r.Slips[n].StabilityFactor == 0.0f)
            pending.push_back(n);
    }
    const unsigned useful = static_cast<unsigned>(std::min<std::size_t>(threads, pending.size() / kRunLength));
    if (useful >= 2 && pending.size() >= kParallelMinimum) {
        AnalyseShared(in, r, pending, useful, scratch);
        return;
    }
    for (const std::size_t n : pending)
        AnalyseCircle(in, r.Slips[n], slices, scratch);
}

bool ExtendGrid(const Job& job, CircleSearchResult& r, const NoticeFn& notice)
{
    const SlipSettings& s = job.Slip;
    if (!IsSet(s.AutoExtendGrid) && !IsSet(s.AutoGenerate))
        return false;
    if (static_cast<int>(r.Slips.size()) > kSlipLimit) {
        Notify(notice, kSlipLimitNotice);
        return false;
    }
    // Guard of every extension: the critical slip must have a valid factor. The critical
    // slip is the lowest of all, so an invalid one means no slip of the grid is valid,
    // and there is no minimum to move towards; growing the grid then only fills the
    // slip list with more invalid circles.
    if (r.Critical() == nullptr || r.Critical()->StabilityFactor == kInvalidFactor)
        return false;

    int col = r.CriticalCentre % r.CentresX;
    if (col == 0)
        col = r.CentresX;
    const int row = (r.CriticalCentre - 1) / r.CentresX + 1;

    int shiftX = 0, shiftY = 0; // where the old centres move to in the grown grid
    if (col == 1) {
        r.CurrentMinX -= s.GridXInc;
        shiftX = 1;
    } else if (col == r.CentresX) {
        r.CurrentMaxX += s.GridXInc;
    } else if (row == 1) {
        r.CurrentMinY -= s.GridYInc;
        shiftY = 1;
    } else if (row == r.CentresY) {
        r.CurrentMaxY += s.GridYInc;
    } else {
        return false; // the critical centre lies inside the grid
    }
    const bool newColumn = col == 1 || col == r.CentresX;

    const int oldX = r.CentresX, oldY = r.CentresY;
    r.CentresX += newColumn ? 1 : 0;
    r.CentresY += newColumn ? 0 : 1;
    r.CentreCount = r.CentresX * r.CentresY;
    // Every analysed slip keeps its centre and line point under its new number; the
    // slips of the new column or row stay empty and are analysed in the next pass.
    std::vector<SlipResult> grown(static_cast<std::size_t>(r.CentreCount) * static_cast<std::size_t>(r.CommonPoints));
    for (int p = 1; p <= r.CommonPoints; ++p)
        for (int j = 1; j <= oldY; ++j)
            for (int i = 1; i <= oldX; ++i)
                grown[SlipIndex(r.CentresX, r.CentresY, i + shiftX, j + shiftY, p)]
                    = r.Slips[SlipIndex(oldX, oldY, i, j, p)];
    r.Slips.swap(grown);
    return true;
}

CircleSearchResult RunCircleSearch(Job& job, const SectionTable& table, const LayerList& layers,
                                   const NoticeFn& notice, unsigned threads)
{
    if (threads == 0)
        threads = SearchThreads();
    CircleSearchResult r;
    // Without a ground surface of two points there is nothing to cut circles from.
    if (job.SoilCount() < 1 || job.Soil(1).PointCount < 2)
        return r;
    if (IsSet(job.Slip.AutoGenerate))
        GenerateDefaultGeometry(job);

    const SlipSettings& s = job.Slip;
    const long long columns = PointCount(s.GridXMin, s.GridXMax, s.GridXInc);
    const long long rows = PointCount(s.GridYMin, s.GridYMax, s.GridYInc);
    const long long points = PointCount(s.CommonXMin, s.CommonXMax, s.CommonXInc);
    if (columns < 0 || rows < 0 || points < 0 || !std::isfinite(s.CommonY)) {
        Notify(notice, kBadGridNotice);
        return r;
    }
    // The counts are 16-bit: a grid past that range is refused before anything is allocated.
    const double slipCount = static_cast<double>(columns) * static_cast<double>(rows) * static_cast<double>(points);
    if (slipCount > kMaxCount) {
        Notify(notice, kTooManySlipsNotice);
        return r;
    }

    r.CentresX = static_cast<int>(columns);
    r.CentresY = static_cast<int>(rows);
    r.CommonPoints = static_cast<int>(points);
    r.CentreCount = r.CentresX * r.CentresY;
    r.CurrentMinX = s.GridXMin;
    r.CurrentMaxX = s.GridXMin + static_cast<float>(r.CentresX - 1) * s.GridXInc;
    r.CurrentMinY = s.GridYMin;
    r.CurrentMaxY = s.GridYMin + static_cast<float>(r.CentresY - 1) * s.GridYInc;
    r.Slips.resize(static_cast<std::size_t>(r.CentreCount) * static_cast<std::size_t>(r.CommonPoints));

    const AnalysisInput in{job, table, layers, notice};
    SliceList slices;
    SlicingScratch scratch;
    bool continueSearch = true;
    while (continueSearch) {
        AnalysePendingSlips(in, r, slices, scratch, threads);
        r.CriticalSlip = FindCriticalSlip(r.Slips);
        r.CriticalCentre = (r.CriticalSlip - 1) % r.CentreCount + 1;
        continueSearch = ExtendGrid(job, r, notice);
    }
    SetCentreMinima(r);

    // The critical circle again, so that its slices and sums are the current ones. Any
    // message about it was shown when it was first analysed, so this pass is silent.
    const AnalysisInput quiet{job, table, layers, {}};
    AnalyseCircle(quiet, r.Slips[static_cast<std::size_t>(r.CriticalSlip) - 1], r.CriticalSlices, scratch);
    r.Work = scratch.Work;
    return r;
}

} // namespace clv
