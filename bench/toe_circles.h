#pragma once

// A plain reference job for speed figures that can be set beside other programs:
// a 1:2 slope 10 m high between level ground, one soil (c' 3 kPa, phi' 19.6 deg,
// gamma 20 kN/m3), no water, and 441 trial circles whose centres form a 21 x 21
// grid at 1 m spacing (x 20..40, y 15..35), every circle through the toe (20, 0).

#include "model/job.h"

namespace clv::bench {

inline Job ToeCirclesJob(Integer method, Integer minSlices)
{
    Job job = MakeDefaultJob();
    job.Soils.push_back({.Description = {}, .Density = 20.0f, .Phi = 19.6f, .Cohesion = 3.0f});
    SoilRecord& ground = job.Soils[0];
    const float xs[] = {-20.0f, 20.0f, 40.0f, 100.0f};
    const float ys[] = {0.0f, 0.0f, 10.0f, 10.0f};
    ground.PointCount = 4;
    for (int k = 0; k < 4; ++k) {
        ground.X[k + 1] = xs[k];
        ground.Y[k + 1] = ys[k];
    }

    SlipSettings& s = job.Slip;
    s.Method = method;
    s.MinSlices = minSlices;
    s.AutoGenerate = kFalse;
    s.AutoExtendGrid = kFalse;
    s.GridXMin = 20.0f;
    s.GridXMax = 40.0f;
    s.GridXInc = 1.0f;
    s.GridYMin = 15.0f;
    s.GridYMax = 35.0f;
    s.GridYInc = 1.0f;
    s.CommonXMin = 20.0f;
    s.CommonXMax = 20.0f;
    s.CommonXInc = 1.0f;
    s.CommonY = 0.0f;
    return job;
}

} // namespace clv::bench
