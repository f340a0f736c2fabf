#include "ground/section_table.h"

namespace clv {

float LoadStress(const Job& job, const SectionTable& table, float x, float y)
{
    if (job.Loads.empty())
        return 0.0f;

    // The ground level above the point is where the vertical through x meets the
    // ground surface. A point above it is in the air and carries no load; so does
    // a NaN point.
    const float ground = SurfaceLevel(table, 1, x);
    if (!(y <= ground))
        return 0.0f;

    float sigma = 0.0f;
    for (const LoadRecord& load : job.Loads) {
        const bool surcharge = load.LoadType == kSurcharge;
        if (!surcharge && load.LoadType != kLineLoad)
            continue; // lateral loads and anchors press on no horizontal plane
        const float force = surcharge ? (load.XMax - load.XMin) * load.Value : load.Value;
        if (!(force > 0.0f))
            continue;

        const float loadLevel = load.Y == kNoLevel ? ground : load.Y;
        const float depth = loadLevel - y;
        // The point must lie at or below the load. A surcharge acts at its own
        // level with its own intensity; a line load is a point force there and
        // only spreads from below it.
        if (surcharge ? !(depth >= 0.0f) : !(depth > 0.0f))
            continue;

        // The full 2:1 width, even where the slope face cuts the spread short:
        // the lower stress is the safe side for the pull-out resistance it feeds.
        const float from = load.XMin - depth / 2.0f;
        const float to = (surcharge ? load.XMax : load.XMin) + depth / 2.0f;
        const float width = to - from;
        if (width > 0.0f && x >= from && x <= to)
            sigma += force / width;
    }
    return sigma;
}

} // namespace clv
