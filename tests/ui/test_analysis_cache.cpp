// The analysis cache: an unchanged job is not analysed again and its notices
// are not shown again; every input the analyses read invalidates it; a kept
// result is the one a fresh analysis gives.

#include "ui/analysis_page_harness.h"

#include "ui/tabs/circle_page.h"
#include "ui/tabs/wedge_page.h"

#include <QCheckBox>
#include <QLabel>

#include <functional>

namespace clv::test {
namespace {

using ui::AnalysisCache;
using ui::AnalysisKind;
using ui::CirclePage;

/** The circle search of `job` through the cache, with its section table and layers built afresh. */
const CircleSearchResult& CachedSearch(AnalysisCache& cache, Job& job)
{
    const SectionTable table = BuildSectionTable(job);
    return cache.Circles(job, table, BuildReinforcementLayers(job, table), {});
}

TEST(AnalysisCache, UnchangedJobIsNotAnalysedAgainAndItsNoticeShownOnce)
{
    // An increment of zero: the search refuses its grid with a notice at every run.
    Job job = ManualGridJob();
    job.Slip.GridXMin = 5.0f, job.Slip.GridXMax = 8.0f, job.Slip.GridXInc = 0.0f, job.Slip.CommonXMin = 0.0f;
    AnalysisPageHarness<CirclePage> h(job);
    ASSERT_EQ(h.interaction.messages.size(), 1u);
    EXPECT_EQ(h.interaction.messages[0].title, "Dalk Clivora");
    EXPECT_TRUE(h.interaction.messages[0].text.startsWith("The grid of centres"));
    EXPECT_EQ(h.interaction.messages[0].buttons, ui::Interaction::Buttons::Ok);
    // A modified job keeps its stale flags: every refresh asks for the search again.
    h.session.JobRefreshPending = true;
    h.Refresh();
    h.page->ShowFOSCheck()->click(); // a refresh with no change to the job
    h.session.job.View.ShowGrid = kFalse; // the view is not read by any analysis
    h.Refresh();
    EXPECT_EQ(h.ctx.analyses.RunCount(AnalysisKind::Circles), 1);
    EXPECT_EQ(h.interaction.messages.size(), 1u);
    EXPECT_TRUE(h.ctx.ShowFactorsOnGrid);

    // A change of data runs it again, and the notice belongs to the new data.
    h.session.job.Slip.MinSlices = 12;
    h.Refresh();
    EXPECT_EQ(h.ctx.analyses.RunCount(AnalysisKind::Circles), 2);
    EXPECT_EQ(h.interaction.messages.size(), 2u);
}

TEST(AnalysisCache, EveryInputTheAnalysisReadsInvalidatesIt)
{
    const std::pair<const char*, std::function<void(Job&)>> edits[] = {
        {"soil density", [](Job& j) { j.Soils[0].Density += 1.0f; }},
        {"soil phi", [](Job& j) { j.Soils[0].Phi -= 2.0f; }},
        {"partial factor", [](Job& j) { j.Factors.TanPhi = 1.25f; }},
        {"method", [](Job& j) { j.Slip.Method = kJanbu; }},
        {"minimum slices", [](Job& j) { j.Slip.MinSlices = 25; }},
        {"water", [](Job& j) { j.Water.PointCount = 2; j.Water.X[1] = -20; j.Water.Y[1] = 2; j.Water.X[2] = 40; j.Water.Y[2] = 6; }},
        {"tension crack", [](Job& j) { j.Slip.TensionCrackDepth = 1.5f; }},
    };
    for (const auto& [name, edit] : edits) {
        SCOPED_TRACE(name);
        Job job = SimpleSlope();
        AnalysisCache cache;
        const float before = CachedSearch(cache, job).Critical()->StabilityFactor;
        CachedSearch(cache, job);
        ASSERT_EQ(cache.RunCount(AnalysisKind::Circles), 1);

        edit(job);
        const CircleSearchResult& kept = CachedSearch(cache, job);
        EXPECT_EQ(cache.RunCount(AnalysisKind::Circles), 2);
        // What the cache gives is what a fresh search of the edited job gives.
        Job fresh = job;
        const SectionTable table = BuildSectionTable(job);
        const CircleSearchResult direct = RunCircleSearch(fresh, table, BuildReinforcementLayers(job, table));
        ASSERT_NE(kept.Critical(), nullptr);
        ASSERT_NE(direct.Critical(), nullptr);
        EXPECT_EQ(kept.CriticalSlip, direct.CriticalSlip);
        EXPECT_EQ(kept.Critical()->StabilityFactor, direct.Critical()->StabilityFactor);
        EXPECT_EQ(kept.Slips.size(), direct.Slips.size());
        EXPECT_NE(kept.Critical()->StabilityFactor, before);
    }
}

TEST(AnalysisCache, DefinedAndWedgeResultsFollowTheirInputs)
{
    Job job = LoadExample("reinforced_embankment.clv");
    job.UserPoints = {{-1.0f, 0.5f}, {6.0f, -1.0f}, {14.0f, 2.0f}, {20.0f, 8.0f}};
    AnalysisCache cache;
    const SectionTable table = BuildSectionTable(job);
    LayerList layers = BuildReinforcementLayers(job, table);
    for (int run = 0; run < 2; ++run) {
        cache.Defined(job, table, layers, {});
        cache.Wedges(job, table, layers, {});
    }
    EXPECT_EQ(cache.RunCount(AnalysisKind::Defined), 1);
    EXPECT_EQ(cache.RunCount(AnalysisKind::Wedges), 1);
    // One kind's result does not stand in for another's, and the wedge defaults
    // written into the job do not make the defined surface look out of date.
    EXPECT_EQ(cache.RunCount(AnalysisKind::Circles), 0);

    job.UserPoints[1].Y = -1.5f;
    cache.Defined(job, table, layers, {});
    EXPECT_EQ(cache.RunCount(AnalysisKind::Defined), 2);
    job.Factors.SlidingOnReinforcement = 1.3f;
    const float kept = cache.Wedges(job, table, layers, {}).Critical()->StabilityFactor;
    EXPECT_EQ(cache.RunCount(AnalysisKind::Wedges), 2);
    Job fresh = job;
    EXPECT_EQ(kept, AnalyseWedges(fresh, table, layers).Critical()->StabilityFactor);
}

TEST(AnalysisCache, AJobBackAtItsStateBeforeTheSearchGetsTheGeneratedGridAgain)
{
    // With automatic geometry the search writes its grid into the job. Undoing to
    // the job as it was before must not leave the old boxes with the kept result.
    Job original = SimpleSlope();
    ASSERT_TRUE(IsSet(original.Slip.AutoGenerate));
    original.Slip.GridXMin = original.Slip.GridXMax = 0.0f;
    AnalysisCache cache;
    Job job = original;
    CachedSearch(cache, job);
    const SlipSettings generated = job.Slip;
    ASSERT_NE(generated.GridXMin, 0.0f);

    job = original;
    CachedSearch(cache, job);
    EXPECT_EQ(cache.RunCount(AnalysisKind::Circles), 1);
    EXPECT_EQ(job.Slip.GridXMin, generated.GridXMin);
    EXPECT_EQ(job.Slip.GridYMax, generated.GridYMax);
    EXPECT_EQ(job.Slip.CommonXInc, generated.CommonXInc);
    // And the job as the search left it is the same data too.
    CachedSearch(cache, job);
    EXPECT_EQ(cache.RunCount(AnalysisKind::Circles), 1);

    cache.Clear();
    CachedSearch(cache, job);
    EXPECT_EQ(cache.RunCount(AnalysisKind::Circles), 2);
}

} // namespace
} // namespace clv::test
