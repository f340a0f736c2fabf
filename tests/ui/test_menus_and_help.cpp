#include "ui/help_commands.h"
#include "ui/tabs/tab_pages.h"
#include "window_fixture.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTabWidget>

namespace clv::ui::test {
namespace {

/** The captions of a menu's or the menu bar's entries, separators as "-". */
std::vector<QString> Captions(const QWidget* menu)
{
    std::vector<QString> captions;
    for (const QAction* action : menu->actions())
        captions.push_back(action->isSeparator() ? "-" : action->text());
    return captions;
}

void Trigger(ClvMain& w, const char* name)
{
    QAction* action = w.findChild<QAction*>(name);
    ASSERT_NE(action, nullptr) << name;
    action->trigger();
}

TEST_F(WindowTest, StartsUntitledWithAnEmptyJobItsTabsStatusPanelsAndMenus)
{
    ClvMain& w = Start();
    EXPECT_EQ(w.windowTitle(), "Dalk Clivora (untitled)");
    EXPECT_EQ(w.Tabs()->currentIndex(), 0);
    EXPECT_EQ(Session().job.SoilCount(), 0);
    EXPECT_FALSE(Session().JobModified);
    EXPECT_EQ(Session().JobFileTitle, "untitled");
    EXPECT_EQ(Session().JobFilePath, (folders.DocumentsFolder / "untitled").string());

    std::vector<QString> tabs;
    for (int i = 0; i < w.Tabs()->count(); ++i)
        tabs.push_back(w.Tabs()->tabText(i));
    EXPECT_EQ(tabs, (std::vector<QString>{"Geometry, soils and water", "Loads and anchors", "Reinforcement",
                                          "Partial factors", "Slip circle analysis", "Defined surface",
                                          "Wedge analysis", "Printing"}));
    ASSERT_NE(w.StatusPanel(2), nullptr);
    EXPECT_EQ(w.StatusPanel(0)->text() + "|" + w.StatusPanel(1)->text() + "|" + w.StatusPanel(2)->text(),
              "Current X|Current Y|Prompt area");

    EXPECT_EQ(Captions(w.menuBar()), (std::vector<QString>{"&File", "&Edit", "&Help"}));
    const auto* file = w.findChild<QMenu*>("FileMenu");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(Captions(file), (std::vector<QString>{"&New", "&Open...", "&Save", "Save &As...", "-", "", "", "", "",
                                                    "-", "E&xit"}));
    const auto* help = w.findChild<QMenu*>("HelpMenu");
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(Captions(help), (std::vector<QString>{"&Contents", "&Search for help on...", "-", "&Manuals",
                                                    "&Demonstrations", "-", "&About Dalk Clivora..."}));
    // With no recent file the four entries and their separator are hidden.
    for (int k = 1; k <= 4; ++k)
        EXPECT_FALSE(w.RecentFileAction(k)->isVisible()) << k;
    EXPECT_FALSE(w.findChild<QAction*>("FileSep4")->isVisible());
}

TEST_F(WindowTest, HelpEntriesOpenTheGuideTheExamplesPageTheManualsAndTheAboutBox)
{
    ClvMain& w = Start();
    Trigger(w, "HelpContents");
    ASSERT_EQ(io.helpPages.size(), 1u);
    EXPECT_TRUE(io.helpPages[0].toLocalFile().endsWith("guide/index.html"));
    EXPECT_TRUE(QFileInfo(io.helpPages[0].toLocalFile()).isFile());

    Trigger(w, "HelpDemonstrations");
    ASSERT_EQ(io.opened.size(), 1u);
    EXPECT_TRUE(io.opened[0].toLocalFile().endsWith("guide/demonstrations.html"));
    EXPECT_TRUE(QFileInfo(io.opened[0].toLocalFile()).isFile());

    Trigger(w, "HelpSearch"); // no action
    EXPECT_EQ(io.opened.size(), 1u);
    EXPECT_EQ(io.helpPages.size(), 1u);
    EXPECT_TRUE(io.messages.empty());

    // The manual is looked for beside the program unless the HelpFiles setting names a folder.
    QSettings user(QSettings::NativeFormat, QSettings::UserScope, "Dalk", "Clivora");
    user.remove("Directories/HelpFiles");
    Trigger(w, "HelpManuals");
    ASSERT_EQ(io.opened.size(), 2u);
    EXPECT_TRUE(io.opened[1].toLocalFile().endsWith("Manual/Clivora.pdf")) << io.opened[1].toString().toStdString();
    const QString folder = Q(dir / "Manuals Here");
    user.setValue("Directories/HelpFiles", folder);
    Trigger(w, "HelpManuals");
    user.remove("Directories/HelpFiles");
    ASSERT_EQ(io.opened.size(), 3u);
    EXPECT_EQ(io.opened[2].toLocalFile(), folder + "/Clivora.pdf");

    Trigger(w, "HelpAbout");
    ASSERT_EQ(io.messages.size(), 1u);
    EXPECT_EQ(io.messages[0].title, "About Dalk Clivora");
    EXPECT_TRUE(io.messages[0].text.startsWith("Dalk Clivora")) << io.messages[0].text.toStdString();
    EXPECT_TRUE(io.messages[0].text.contains(CLIVORA_VERSION_TEXT));
}

} // namespace
} // namespace clv::ui::test
