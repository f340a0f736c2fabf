// A search shared among threads must give what one thread gives: every slip's
// numbers to the last bit, the same critical slip and work, and the same notices
// in the same order, however the threads happen to finish their circles.

#include "support/expect_floats.h"
#include "test_jobs.h"

#include <gtest/gtest.h>

namespace clv::test {
namespace {

struct Searched {
    Analysed a;
    CircleSearchResult r;
    Searched(const Job& job, unsigned threads) : a(job)
    {
        r = RunCircleSearch(a.job, a.table, a.layers, a.Collector(), threads);
    }
};

void ExpectSameSearch(const Job& job)
{
    const Searched one(job, 1), shared(job, 3);
    ASSERT_GE(one.r.Slips.size(), 64u); // enough circles for the search to share them
    ASSERT_EQ(one.r.Slips.size(), shared.r.Slips.size());
    for (std::size_t n = 0; n < one.r.Slips.size(); ++n) {
        const SlipResult &p = one.r.Slips[n], &q = shared.r.Slips[n];
        EXPECT_TRUE(SameBits(p.StabilityFactor, q.StabilityFactor)) << "slip " << n + 1;
        EXPECT_TRUE(SameBits(p.SoilMoment, q.SoilMoment)) << "slip " << n + 1;
        EXPECT_TRUE(SameBits(p.Lambda, q.Lambda)) << "slip " << n + 1;
    }
    EXPECT_EQ(one.r.CriticalSlip, shared.r.CriticalSlip);
    EXPECT_EQ(one.r.Work.SidesPlaced, shared.r.Work.SidesPlaced);
    EXPECT_EQ(one.r.Work.SlicesKept, shared.r.Work.SlicesKept);
    EXPECT_EQ(one.a.notices, shared.a.notices);
}

Job GridOf81(Integer method, float ru)
{
    Job job = Fk77Job(ru);
    job.Slip.Method = method;
    SlipSettings& s = job.Slip;
    s.AutoGenerate = kFalse, s.AutoExtendGrid = kTrue;
    s.GridXMin = 14.0f, s.GridXMax = 30.0f, s.GridXInc = 2.0f;
    s.GridYMin = 26.0f, s.GridYMax = 42.0f, s.GridYInc = 2.0f;
    s.CommonXMin = s.CommonXMax = 12.192f, s.CommonXInc = 1.0f, s.CommonY = kNoLevel;
    return job;
}

TEST(SearchThreads, SharedSearchGivesWhatOneThreadGives)
{
    ExpectSameSearch(GridOf81(kBishop, 0.25f));

    // With f(x) = 0 no lambda can be predicted: every circle sends its own notice,
    // naming its centre, so their order shows whether it is the slips' order.
    Job failing = GridOf81(kRigorous, 0.0f);
    failing.Slip.Fx.fill(0.0f);
    const Searched one(failing, 1);
    ASSERT_EQ(one.a.notices.size(), one.r.Slips.size());
    ExpectSameSearch(failing);
}

} // namespace
} // namespace clv::test
