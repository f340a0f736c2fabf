// The analysis tabs inside the real window: selecting a tab runs its analysis
// through the central refresh, an edit re-runs it, and undo brings back the
// kept result without another search.

#include "window_fixture.h"

#include "ui/tables/slip_grid.h"
#include "ui/tables/wedge_grid.h"
#include "ui/tabs/circle_page.h"
#include "ui/tabs/tab_pages.h"
#include "ui/tabs/wedge_page.h"

#include "analysis/circle_search.h"
#include "analysis/wedges.h"
#include "model/format.h"

#include <QLabel>
#include <QTabWidget>

namespace clv::ui::test {
namespace {

class AnalysisWindowTest : public WindowTest {};

TEST_F(AnalysisWindowTest, SelectingTheTabsRunsTheAnalysesOfTheOpenJob)
{
    ClvMain& w = Start(Q(CopyExample("reinforced_embankment.clv", dir / "Jobs" / "Embankment.clv")));
    w.SelectTab(kSlipCircleTab);
    ASSERT_EQ(w.Tabs()->currentIndex(), kSlipCircleTab);
    auto* circles = dynamic_cast<CirclePage*>(w.Page(kSlipCircleTab));
    ASSERT_NE(circles, nullptr);

    Job job = Session().job;
    SectionTable table = BuildSectionTable(job);
    const CircleSearchResult direct = RunCircleSearch(job, table, BuildReinforcementLayers(job, table));
    ASSERT_NE(direct.Critical(), nullptr);
    EXPECT_EQ(circles->CritFOS()->text().toStdString(), Format(direct.Critical()->StabilityFactor, "####0.00"));
    EXPECT_EQ(Ctx().analyses.RunCount(AnalysisKind::Circles), 1);

    // An edit runs the search again; undo returns to data already analysed.
    const QString before = circles->CritFOS()->text();
    Edit([](Job& j) { j.Soils[0].Cohesion += 10.0f; });
    EXPECT_EQ(Ctx().analyses.RunCount(AnalysisKind::Circles), 2);
    EXPECT_NE(circles->CritFOS()->text(), before);
    w.Undo();
    EXPECT_EQ(circles->CritFOS()->text(), before);

    w.SelectTab(kWedgeTab);
    ASSERT_EQ(w.Tabs()->currentIndex(), kWedgeTab);
    auto* wedges = dynamic_cast<WedgePage*>(w.Page(kWedgeTab));
    ASSERT_NE(wedges, nullptr);
    Job wjob = Session().job;
    table = BuildSectionTable(wjob);
    const WedgeSearchResult wdirect = AnalyseWedges(wjob, table, BuildReinforcementLayers(wjob, table));
    ASSERT_FALSE(wdirect.Wedges.empty());
    EXPECT_EQ(wedges->Grid()->rowCount(), static_cast<int>(wdirect.Wedges.size()));
    EXPECT_EQ(wedges->Grid()->currentRow(), wdirect.CriticalWedge - 1);
}

} // namespace
} // namespace clv::ui::test
