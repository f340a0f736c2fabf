#pragma once

// One analysis tab page on its own under the stand-in central refresh, and the
// jobs its tests start from.

#include "page_harness.h"
#include "support/job_builders.h"

#include <memory>

namespace clv::test {

/** A slope 10 m high at 1:2 on a firm base: two soils, ground from (0, 0) to (20, 10). */
inline Job SimpleSlope()
{
    Job job = MakeDefaultJob();
    job.Soils = {SoilWith("Fill", 19.0f, 28.0f, 5.0f, {{-20, 0}, {0, 0}, {20, 10}, {40, 10}}),
                 SoilWith("Clay", 20.0f, 24.0f, 12.0f, {{-20, -4}, {40, -4}})};
    return job;
}

/** The simple slope with a grid of centres typed by hand, not generated. */
inline Job ManualGridJob()
{
    Job job = SimpleSlope();
    job.Slip.AutoGenerate = kFalse, job.Slip.AutoExtendGrid = kFalse, job.Slip.GridXMin = 4.0f;
    job.Slip.GridXMax = 6.0f, job.Slip.GridXInc = 1.0f, job.Slip.GridYMin = 14.0f, job.Slip.GridYMax = 16.0f;
    job.Slip.GridYInc = 1.0f, job.Slip.CommonXMin = -2.0f, job.Slip.CommonXMax = 0.0f, job.Slip.CommonXInc = 1.0f;
    job.Slip.CommonY = kNoLevel;
    return job;
}

/** One analysis page on its own under the stand-in refresh; edits are counted. */
template <typename Page> class AnalysisPageHarness : public ui::test::RefreshStandIn {
public:
    std::unique_ptr<Page> page;
    int edits = 0;

    explicit AnalysisPageHarness(const Job& job)
    {
        session.job = job;
        ctx.BeginEdit = [this] { ++edits; };
        ctx.RefreshAll = [this] { Refresh(); };
        page = std::make_unique<Page>(ctx);
        page->resize(1200, 700);
        Refresh();
    }

    void Refresh() { RefreshPage(*page); }
};

} // namespace clv::test
