#include "ui/tab_guard.h"
#include "ui/tabs/tab_pages.h"
#include "window_fixture.h"
#include "support/job_builders.h"

#include <QStatusBar>
#include <QTabWidget>

namespace clv::ui::test {
namespace {

const QString kSoilMessage = "You cannot proceed to one of the analysis tabs unless a soil has been defined.";
const QString kSlopeMessage =
    "You cannot proceed to one of the analysis tabs unless a slope (2 points) has been defined.";
const QString kWedgeMessage = "Wedge analysis is only applicable to reinforced slopes\r"
                              "Please define some reinforcement before trying this type of analysis";

struct GuardCase {
    const char* what;
    int soils;     // number of soils
    int points;    // points of soil 1
    bool reinforced;
    int tab;
    QString message; // empty: the tab is entered
    QString title;
    Interaction::Icon icon;
};

TEST_F(WindowTest, TabEntryChecksRefuseWithTheirMessagesAndReturnToThePreviousTab)
{
    const std::vector<GuardCase> cases = {
        {"no soil, slip circles", 0, 0, false, kSlipCircleTab, kSoilMessage, "Dalk Clivora", Interaction::Icon::None},
        {"no soil, defined surface", 0, 0, false, kDefinedSurfaceTab, kSoilMessage, "Dalk Clivora",
         Interaction::Icon::None},
        {"no soil, printing", 0, 0, false, kPrintingTab, kSoilMessage, "Dalk Clivora", Interaction::Icon::None},
        {"one point, slip circles", 1, 1, false, kSlipCircleTab, kSlopeMessage, "Dalk Clivora",
         Interaction::Icon::None},
        {"one point, printing", 1, 1, false, kPrintingTab, kSlopeMessage, "Dalk Clivora", Interaction::Icon::None},
        {"slope, no reinforcement, wedges", 1, 3, false, kWedgeTab, kWedgeMessage, "Abort analysis",
         Interaction::Icon::Exclamation},
        {"no soil, wedges: the wedge check comes first", 0, 0, true, kWedgeTab, kWedgeMessage, "Abort analysis",
         Interaction::Icon::Exclamation},
        {"slope, slip circles", 1, 2, false, kSlipCircleTab, "", "", Interaction::Icon::None},
        {"slope, printing", 2, 3, false, kPrintingTab, "", "", Interaction::Icon::None},
        {"reinforced slope, wedges", 1, 3, true, kWedgeTab, "", "", Interaction::Icon::None},
        {"no soil, loads tab", 0, 0, false, kLoadsTab, "", "", Interaction::Icon::None},
        {"no soil, partial factors", 0, 0, false, kFactorsTab, "", "", Interaction::Icon::None},
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
        ASSERT_EQ(io.messages.size(), 1u);
        EXPECT_EQ(io.messages[0].text, c.message);
        EXPECT_EQ(io.messages[0].title, c.title);
        EXPECT_EQ(io.messages[0].icon, c.icon);
        EXPECT_EQ(io.messages[0].buttons, Interaction::Buttons::Ok);
        EXPECT_EQ(w.Tabs()->currentIndex(), kReinforcementTab);
    }
}

TEST_F(WindowTest, ARefusedTabReturnsToAnAnalysisTabThatStillPassesAndNeverBounces)
{
    ClvMain& w = Start();
    Edit([](Job& job) { job.Soils.push_back(Soil("Clay", 3)); });
    w.SelectTab(kSlipCircleTab);
    io.messages.clear();
    w.SelectTab(kWedgeTab);
    ASSERT_EQ(io.messages.size(), 1u);
    EXPECT_EQ(io.messages[0].title, "Abort analysis");
    ASSERT_EQ(w.Tabs()->currentIndex(), kSlipCircleTab);

    // An edit on the analysis tab takes the slope away: the tab that was left would now fail too.
    Edit([](Job& job) { job.Soils.front().PointCount = 1; });
    io.messages.clear();
    w.SelectTab(kDefinedSurfaceTab);
    ASSERT_EQ(io.messages.size(), 1u);
    EXPECT_EQ(io.messages[0].text, kSlopeMessage);
    EXPECT_EQ(w.Tabs()->currentIndex(), kGeometryTab);
}

TEST_F(WindowTest, PrintingTabHidesTheDrawingAndTheStatusBar)
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
    w.SelectTab(kGeometryTab);
    EXPECT_TRUE(drawing->isVisible());
    EXPECT_TRUE(w.statusBar()->isVisible());
}

} // namespace
} // namespace clv::ui::test
