#include "ui/recent_files.h"
#include "ui/window_size.h"

#include <gtest/gtest.h>

namespace clv::ui::test {
namespace {

TEST(RecentCaption, ShortensPathsOverThirtyCharactersAndEscapesAmpersands)
{
    const std::string thirty = "/home/eng/jobs/slope-12345.clv";
    ASSERT_EQ(thirty.size(), 30u);
    const std::string thirtyOne = "/home/eng/jobs/slope-123456.clv";
    EXPECT_EQ(RecentCaption(1, thirty), "1.  /home/eng/jobs/slope-12345.clv");
    EXPECT_EQ(RecentCaption(2, thirtyOne), "2.  ...e/eng/jobs/slope-123456.clv");
    EXPECT_EQ(RecentCaption(3, "/jobs/R&D.clv"), "3.  /jobs/R&&D.clv");
    // Shortening counts characters the user sees, not bytes.
    EXPECT_EQ(RecentCaption(4, "/home/ingénieur/études/talus-é.clv"), "4.  ...ngénieur/études/talus-é.clv");
}

TEST(RecentList, OpenMovesAListedFileUpAndSaveAsAlwaysAdds)
{
    RecentList list{"/a.clv", "/b.clv", "/c.clv", "/d.clv"};
    RecentAfterOpen(list, "/c.clv");
    EXPECT_EQ(list, (RecentList{"/c.clv", "/a.clv", "/b.clv", "/d.clv"}));
    RecentAfterOpen(list, "/E.clv");
    EXPECT_EQ(list, (RecentList{"/E.clv", "/c.clv", "/a.clv", "/b.clv"}));
    RecentAfterOpen(list, "/e.clv"); // another file on a case-sensitive system
    EXPECT_EQ(list, (RecentList{"/e.clv", "/E.clv", "/c.clv", "/a.clv"}));
    RecentAfterSaveAs(list, "/c.clv");
    EXPECT_EQ(list, (RecentList{"/c.clv", "/e.clv", "/E.clv", "/c.clv"}));
    RecentAfterChoice(list, 3);
    EXPECT_EQ(list, (RecentList{"/E.clv", "/c.clv", "/e.clv", "/c.clv"}));
    RecentAfterChoice(list, 1);
    EXPECT_EQ(list, (RecentList{"/E.clv", "/c.clv", "/e.clv", "/c.clv"}));
}

TEST(WindowSize, TwipsScaleWithTheLogicalDpi)
{
    EXPECT_EQ(TwipsToPixels(12000, 96.0), 800);
    EXPECT_EQ(TwipsToPixels(10000, 96.0), 667);
    EXPECT_EQ(TwipsToPixels(12000, 144.0), 1200);
    EXPECT_EQ(TwipsToPixels(2500, 120.0), 208);
    EXPECT_EQ(WindowSizeForScreen(QSize(1920, 1080), 96.0), QSize(1753, 913));
    // A small screen still gets the minimum size.
    EXPECT_EQ(WindowSizeForScreen(QSize(800, 600), 96.0), QSize(800, 667));
}

} // namespace
} // namespace clv::ui::test
