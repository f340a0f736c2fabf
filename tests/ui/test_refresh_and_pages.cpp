#include "ui/file_commands.h"
#include "ui/tab_page.h"
#include "ui/tabs/tab_pages.h"
#include "window_fixture.h"
#include "support/job_builders.h"

#include <QTabWidget>

namespace clv::ui::test {
namespace {

/** A page that records what the window asks of it, and can refuse its pending value. */
class ProbePage : public TabPage {
public:
    ProbePage(MainContext& ctx, QWidget* parent) : TabPage(ctx, parent) {}

    void RefreshPage() override
    {
        ++refreshes;
        refreshingSeen = ctx_.Refreshing;
        stationsSeen = ctx_.table.StationCount();
        layersSeen = ctx_.layers.size();
        staleSeen = ctx_.session->SlipResultsStale;
        pendingSeen = ctx_.session->JobRefreshPending;
    }
    bool CommitPendingEdit() override
    {
        ++commits;
        return acceptPending;
    }
    void LeavingPage() override { ++leaves; }

    int refreshes = 0, commits = 0, leaves = 0, stationsSeen = -1;
    bool acceptPending = true, refreshingSeen = false, staleSeen = false, pendingSeen = true;
    std::size_t layersSeen = 0;
};

class PageProbeTest : public WindowTest {
protected:
    std::vector<ProbePage*> probes;

    ClvMain& StartWithProbes()
    {
        ClvMainOptions options;
        options.folders = folders;
        options.interaction = &io;
        options.createPages = [this](MainContext& ctx, QWidget* parent) {
            std::vector<TabPage*> pages;
            for (int i = 0; i < kTabCount; ++i) {
                probes.push_back(new ProbePage(ctx, parent));
                pages.push_back(probes.back());
            }
            return pages;
        };
        window = std::make_unique<ClvMain>(options);
        io.messages.clear();
        return *window;
    }
};

TEST_F(PageProbeTest, RefreshRunsTheShowingPageWithFreshDerivedDataWhileRefreshing)
{
    ClvMain& w = StartWithProbes();
    ASSERT_EQ(probes.size(), 8u);
    EXPECT_EQ(probes[0]->refreshes, 1); // the start-up refresh
    EXPECT_EQ(probes[1]->refreshes, 0);
    EXPECT_FALSE(Ctx().Refreshing);

    // A refused tab (no soil yet) calls LeavingPage on the tab left and refreshes it once.
    w.SelectTab(kFactorsTab);
    EXPECT_EQ(probes[0]->leaves, 1);
    EXPECT_EQ(probes[1]->refreshes, 0);
    const int before = probes[kFactorsTab]->refreshes;
    EXPECT_EQ(before, 1);
    w.SelectTab(kSlipCircleTab);
    EXPECT_EQ(io.messages.size(), 1u);
    EXPECT_EQ(probes[kFactorsTab]->leaves, 1);
    EXPECT_EQ(probes[kSlipCircleTab]->refreshes, 0);
    EXPECT_EQ(probes[kFactorsTab]->refreshes, before + 1);
    EXPECT_EQ(w.Tabs()->currentIndex(), kFactorsTab);

    ProbePage& page = *probes[kFactorsTab];
    Edit([](Job& job) {
        job.Soils.push_back(Soil("Clay", 3));
        job.Soils.push_back(Soil("Sand", 2));
        clv::test::AddBlock(job, 0.5f, 1.0f, 0.5f, 5.0f, 40.0f);
    });
    EXPECT_EQ(page.refreshes, before + 2);
    EXPECT_TRUE(page.refreshingSeen);
    EXPECT_TRUE(page.staleSeen);     // the pending edit became stale results
    EXPECT_FALSE(page.pendingSeen);  // and is no longer pending
    EXPECT_GT(page.stationsSeen, 0); // the section table of this job
    EXPECT_EQ(page.layersSeen, 3u);  // layers at 0.5, 1.0 and 1.5 m, built from that table
    EXPECT_FALSE(Ctx().Refreshing);

    // The current soil stays on a soil or the water row of the job.
    for (auto [set, expected] : {std::pair{9, 3}, {3, 3}, {2, 2}, {0, 1}, {-4, 1}}) {
        Session().CurrentSoil = set;
        Ctx().RefreshAll();
        EXPECT_EQ(Session().CurrentSoil, expected) << set;
    }
}

TEST_F(PageProbeTest, EveryFileCommandAndClosingFirstCommitsTheOpenValueAndStopsWhenItIsRefused)
{
    ClvMain& w = StartWithProbes();
    const auto job = CopyExample("cutting.clv", dir / "Jobs" / "Cut.clv");
    io.fileNames.push_back(Q(job));
    w.Files().Open();
    ASSERT_EQ(Session().JobFilePath, job.string());
    Edit([](Job& j) { j.Header.MainTitle = std::string_view("Changed"); });
    const Bytes edited = BytesOf(Session().job);
    w.AppSettings().RecentFiles[1] = CopyExample("layered_slope.clv", dir / "Jobs" / "Layered.clv").string();
    ProbePage& page = *probes[0];
    page.acceptPending = false;

    const std::pair<const char*, std::function<void()>> commands[] = {
        {"New", [&] { w.Files().New(); }},
        {"Open", [&] { w.Files().Open(); }},
        {"Save", [&] { w.Files().Save(); }},
        {"Save As", [&] { w.Files().SaveAs(); }},
        {"Recent", [&] { w.Files().OpenRecent(2); }},
        {"Close", [&] { EXPECT_FALSE(w.close()); }},
    };
    for (const auto& [name, run] : commands) {
        SCOPED_TRACE(name);
        const int commits = page.commits;
        io.fileNames.push_back(Q(dir / "Jobs" / "Other.clv"));
        run();
        io.fileNames.clear();
        EXPECT_EQ(page.commits, commits + 1);
        EXPECT_TRUE(io.messages.empty()); // no save prompt, no dialog: the command stopped
        EXPECT_TRUE(io.dialogCaptions.size() == 1u); // only the Open at the start
        EXPECT_EQ(BytesOf(Session().job), edited);
        EXPECT_EQ(FileBytes(job), FileBytes(clv::test::ExamplesDir() / "cutting.clv"));
    }

    page.acceptPending = true;
    EXPECT_TRUE(w.Files().Save());
    EXPECT_EQ(FileBytes(job), edited);
}

} // namespace
} // namespace clv::ui::test
