#include "ui/tab_guard.h"
#include "ui/tables/wedge_grid.h"
#include "ui/tabs/circle_page.h"
#include "ui/tabs/tab_pages.h"
#include "ui/tabs/wedge_page.h"
#include "window_fixture.h"
#include "support/job_builders.h"

#include "analysis/circle_search.h"
#include "analysis/wedges.h"
#include "model/format.h"

#include <QLabel>
#include <QStatusBar>
#include <QTabWidget>

namespace clv::ui::test {
namespace {

const QString kSoilMessage = "You cannot proceed to one of the analysis tabs unless a soil has been defined.";
const QString kSlopeMessage =
    "You cannot proceed to one of the analysis tabs unless a slope (2 points) has been defined.";
const QString kWedgeMessage = "Wedge analysis is only applicable to reinforced slopes\r"
                              "Please define some reinforcement before trying this type of analysis";

TEST_F(WindowTest, TabEntryChecksRefuseWithTheirMessagesAndReturnToThePreviousTab)
{
    struct GuardCase {
        const char* what;
        int soils;  // number of soils
        int points; // points of soil 1
        bool reinforced;
        int tab;
        QString message; // empty: the tab is entered
    };
    const std::vector<GuardCase> cases = {
        {"no soil, slip circles", 0, 0, false, kSlipCircleTab, kSoilMessage},
        {"no soil, defined surface", 0, 0, false, kDefinedSurfaceTab, kSoilMessage},
        {"no soil, printing", 0, 0, false, kPrintingTab, kSoilMessage},
        {"one point, slip circles", 1, 1, false, kSlipCircleTab, kSlopeMessage},
        {"one point, printing", 1, 1, false, kPrintingTab, kSlopeMessage},
        {"slope, no reinforcement, wedges", 1, 3, false, kWedgeTab, kWedgeMessage},
        {"no soil, wedges: the wedge check comes first", 0, 0, true, kWedgeTab, kWedgeMessage},
        {"slope, slip circles", 1, 2, false, kSlipCircleTab, ""},
        {"slope, printing", 2, 3, false, kPrintingTab, ""},
        {"reinforced slope, wedges", 1, 3, true, kWedgeTab, ""},
        {"no soil, loads tab", 0, 0, false, kLoadsTab, ""},
        {"no soil, partial factors", 0, 0, false, kFactorsTab, ""},
    };
    for (const GuardCase& c : cases) {
        SCOPED_TRACE(c.what);
        ClvMain& w = Start();
        Edit([&](Job& job) {
            for (int k = 0; k < c.soils; ++k)
                job.Soils.push_back(Soil(k == 0 ? "Top" : "Lower", k == 0 ? c.points : 2));
            if (c.soils > 1)
                job.Soils[1].Y[1] = job.Soils[1].Y[2] = -3.0f;
            if (c.reinforced)
                clv::test::AddBlock(job, 0.5f, 2.0f, 0.5f, 6.0f, 40.0f);
        });
        if (c.reinforced && c.soils > 0) {
            ASSERT_FALSE(Ctx().layers.empty());
        }
        w.SelectTab(kReinforcementTab);
        io.messages.clear();
        w.SelectTab(c.tab);
        if (c.message.isEmpty()) {
            EXPECT_TRUE(io.messages.empty());
            EXPECT_EQ(w.Tabs()->currentIndex(), c.tab);
            continue;
        }
        // Only the wedge refusal has a title and an icon of its own.
        const bool wedge = c.message == kWedgeMessage;
        ASSERT_EQ(io.messages.size(), 1u);
        EXPECT_EQ(io.messages[0].text, c.message);
        EXPECT_EQ(io.messages[0].title, wedge ? "Abort analysis" : "Dalk Clivora");
        EXPECT_EQ(io.messages[0].icon, wedge ? Interaction::Icon::Exclamation : Interaction::Icon::None);
        EXPECT_EQ(io.messages[0].buttons, Interaction::Buttons::Ok);
        EXPECT_EQ(w.Tabs()->currentIndex(), kReinforcementTab);
    }
}

TEST_F(WindowTest, PrintingHidesTheDrawingAndARefusedTabReturnsToATabThatStillPasses)
{
    ClvMain& w = Start();
    w.show();
    Edit([](Job& job) { job.Soils.push_back(Soil("Clay", 3)); });
    QWidget* drawing = w.findChild<QWidget*>("DrawingArea");
    ASSERT_NE(drawing, nullptr);
    EXPECT_TRUE(drawing->isVisible());
    w.SelectTab(kPrintingTab);
    EXPECT_FALSE(drawing->isVisible());
    EXPECT_FALSE(w.statusBar()->isVisible());
    w.SelectTab(kSlipCircleTab);
    EXPECT_TRUE(drawing->isVisible());
    EXPECT_TRUE(w.statusBar()->isVisible());

    io.messages.clear();
    w.SelectTab(kWedgeTab);
    ASSERT_EQ(io.messages.size(), 1u);
    EXPECT_EQ(io.messages[0].title, "Abort analysis");
    ASSERT_EQ(w.Tabs()->currentIndex(), kSlipCircleTab);

    // An edit on the analysis tab takes the slope away: the tab that was left would now fail too,
    // so the window goes back to the first tab instead of bouncing between two refusals.
    Edit([](Job& job) { job.Soils.front().PointCount = 1; });
    io.messages.clear();
    w.SelectTab(kDefinedSurfaceTab);
    ASSERT_EQ(io.messages.size(), 1u);
    EXPECT_EQ(io.messages[0].text, kSlopeMessage);
    EXPECT_EQ(w.Tabs()->currentIndex(), kGeometryTab);
}

// A job handed over on the command line (in a shell's quotes) is opened, and
// selecting an analysis tab runs its analysis through the central refresh; an
// edit re-runs it and undo brings back the kept result without another search.
TEST_F(WindowTest, SelectingTheTabsRunsTheAnalysesOfTheJobFromTheCommandLine)
{
    const auto path = CopyExample("reinforced_embankment.clv", dir / "Jobs" / "From Shell.clv");
    ClvMain& w = Start("\"" + Q(path) + "\"");
    EXPECT_EQ(Session().JobFilePath, path.string());
    EXPECT_EQ(w.windowTitle(), "Dalk Clivora (from shell.clv)");
    EXPECT_FALSE(Session().JobModified);
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
