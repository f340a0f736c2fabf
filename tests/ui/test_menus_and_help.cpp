#include "ui/help_commands.h"
#include "window_fixture.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>

namespace clv::ui::test {
namespace {

/** The captions of a menu's entries, separators as "-". */
std::vector<QString> Captions(const QMenu* menu)
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

TEST_F(WindowTest, MenusHaveTheirCaptionsInOrder)
{
    ClvMain& w = Start();
    std::vector<QString> titles;
    for (const QAction* action : w.menuBar()->actions())
        titles.push_back(action->text());
    EXPECT_EQ(titles, (std::vector<QString>{"&File", "&Edit", "&Help"}));

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

TEST_F(WindowTest, AboutShowsNameAndVersionContentsTheGuideAndDemonstrationsTheExamplesPage)
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

    Trigger(w, "HelpAbout");
    ASSERT_EQ(io.messages.size(), 1u);
    EXPECT_EQ(io.messages[0].title, "About Dalk Clivora");
    EXPECT_TRUE(io.messages[0].text.startsWith("Dalk Clivora")) << io.messages[0].text.toStdString();
    EXPECT_TRUE(io.messages[0].text.contains(CLIVORA_VERSION_TEXT));
}

TEST_F(WindowTest, ManualsComeFromTheHelpFilesSettingOrBesideTheProgram)
{
    ClvMain& w = Start();
    {
        QSettings user(QSettings::NativeFormat, QSettings::UserScope, "Dalk", "Clivora");
        user.remove("Directories/HelpFiles");
    }
    Trigger(w, "HelpManuals");
    ASSERT_EQ(io.opened.size(), 1u);
    EXPECT_TRUE(io.opened[0].toLocalFile().endsWith("Manual/Clivora.pdf")) << io.opened[0].toString().toStdString();

    const QString folder = Q(dir / "Manuals Here");
    {
        QSettings user(QSettings::NativeFormat, QSettings::UserScope, "Dalk", "Clivora");
        user.setValue("Directories/HelpFiles", folder);
    }
    Trigger(w, "HelpManuals");
    ASSERT_EQ(io.opened.size(), 2u);
    EXPECT_EQ(io.opened[1].toLocalFile(), folder + "/Clivora.pdf");
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "Dalk", "Clivora").remove("Directories/HelpFiles");
}

} // namespace
} // namespace clv::ui::test
