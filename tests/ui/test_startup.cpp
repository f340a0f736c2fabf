#include "ui/tabs/tab_pages.h"
#include "window_fixture.h"

#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>

namespace clv::ui::test {
namespace {

TEST_F(WindowTest, StartsUntitledOnTheFirstTabWithAnEmptyJobTheEightTabsAndThreeStatusPanels)
{
    ClvMain& w = Start();
    EXPECT_EQ(w.windowTitle(), "Dalk Clivora (untitled)");
    EXPECT_EQ(w.Tabs()->currentIndex(), 0);
    EXPECT_EQ(Session().job.SoilCount(), 0);
    EXPECT_FALSE(Session().JobModified);
    EXPECT_EQ(Session().JobFileTitle, "untitled");
    EXPECT_EQ(Session().JobFilePath, (folders.DocumentsFolder / "untitled").string());

    const std::vector<QString> expected = {"Geometry, soils and water", "Loads and anchors", "Reinforcement",
                                           "Partial factors", "Slip circle analysis", "Defined surface",
                                           "Wedge analysis", "Printing"};
    ASSERT_EQ(w.Tabs()->count(), 8);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(w.Tabs()->tabText(i), expected[static_cast<std::size_t>(i)]) << i;
    ASSERT_NE(w.StatusPanel(2), nullptr);
    EXPECT_EQ(w.StatusPanel(0)->text() + "|" + w.StatusPanel(1)->text() + "|" + w.StatusPanel(2)->text(),
              "Current X|Current Y|Prompt area");
}

} // namespace
} // namespace clv::ui::test
