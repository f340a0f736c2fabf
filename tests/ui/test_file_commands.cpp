#include "model/settings.h"
#include "ui/file_commands.h"
#include "ui/recent_files.h"
#include "ui/tabs/tab_pages.h"
#include "window_fixture.h"

#include <QAction>
#include <QTabWidget>

namespace clv::ui::test {
namespace {

using Answer = Interaction::Answer;
namespace fs = std::filesystem;

const QString kSavePrompt = "Save current data ?";

class FileCommandTest : public WindowTest {
protected:
    fs::path jobs = dir / "Jobs Folder";

    void SetUp() override { fs::create_directories(jobs); }

    /** A visible change to the job, as an edit on a page makes it. */
    void Modify(const char* title = "Modified")
    {
        Edit([&](Job& job) { job.Header.MainTitle = std::string_view(title); });
        ASSERT_TRUE(Session().JobModified);
    }
};

TEST_F(FileCommandTest, SaveAsCancelledFailedOrInvalidChangesNothingAndSaveOfAnUntitledJobRunsIt)
{
    ClvMain& w = Start();
    Modify();
    const RecentList recent = w.AppSettings().RecentFiles;
    const std::pair<std::optional<QString>, std::string> failures[] = {
        {std::nullopt, ""},
        {Q(jobs / "No Such Folder" / "Slope.clv"), kSaveErrorMessage},
        {Q(jobs), "Invalid file name, aborting save routine"}};
    for (const auto& [name, message] : failures) {
        io.messages.clear();
        io.fileNames.push_back(name);
        EXPECT_FALSE(w.Files().SaveAs());
        ASSERT_EQ(io.messages.size(), message.empty() ? 0u : 1u) << message;
        EXPECT_EQ(message.empty() ? "" : io.messages[0].text.toStdString(), message);
        EXPECT_EQ(Session().JobFilePath, (folders.DocumentsFolder / "untitled").string());
        EXPECT_EQ(Session().JobFileTitle, "untitled");
        EXPECT_EQ(w.windowTitle(), "Dalk Clivora (untitled)");
        EXPECT_EQ(w.AppSettings().RecentFiles, recent);
        EXPECT_TRUE(Session().JobModified);
        EXPECT_TRUE(fs::is_empty(folders.DocumentsFolder));
    }

    // Save of an untitled job asks for a name and adds the extension.
    io.dialogCaptions.clear();
    io.fileNames.push_back(Q(jobs / "Slope1"));
    EXPECT_TRUE(w.Files().Save());
    const fs::path saved = jobs / "Slope1.clv";
    ASSERT_TRUE(fs::exists(saved));
    EXPECT_EQ(io.dialogCaptions, std::vector<QString>{"Save As"});
    EXPECT_EQ(Session().JobFilePath, saved.string());
    EXPECT_EQ(Session().JobFileTitle, "Slope1.clv");
    EXPECT_EQ(w.windowTitle(), "Dalk Clivora (" + Q(saved).toLower() + ")");
    EXPECT_EQ(w.AppSettings().RecentFiles[0], saved.string());
    EXPECT_FALSE(Session().JobModified);
    EXPECT_EQ(FileBytes(saved), BytesOf(Session().job));

    // A second Save writes to the same file without asking anything.
    Modify("Second");
    EXPECT_TRUE(w.Files().Save());
    EXPECT_EQ(io.dialogCaptions.size(), 1u);
    EXPECT_EQ(FileBytes(saved), BytesOf(Session().job));
    EXPECT_EQ(w.windowTitle(), "Dalk Clivora (slope1.clv)");
}

TEST_F(FileCommandTest, TheOverwriteQuestionNamesTheFileAfterTheExtensionRule)
{
    ClvMain& w = Start();
    const fs::path existing = CopyExample("cutting.clv", jobs / "Slope1.clv");
    const Bytes before = FileBytes(existing);
    Modify();

    // Save As to a file already listed adds a second entry for it.
    for (Answer answer : {Answer::No, Answer::Yes, Answer::Yes}) {
        io.messages.clear();
        io.fileNames.push_back(Q(jobs / "Slope1"));
        io.answers.push_back(answer);
        EXPECT_EQ(w.Files().SaveAs(), answer == Answer::Yes);
        ASSERT_EQ(io.messages.size(), 1u);
        EXPECT_EQ(io.messages[0].text, "File " + Q(existing) + " already exists.\rDo you wish to overwrite this file");
        EXPECT_EQ(io.messages[0].buttons, Interaction::Buttons::YesNo);
        EXPECT_EQ(io.messages[0].icon, Interaction::Icon::Question);
        if (answer == Answer::No) {
            EXPECT_EQ(FileBytes(existing), before);
            EXPECT_EQ(Session().JobFileTitle, "untitled");
        } else {
            EXPECT_EQ(FileBytes(existing), BytesOf(Session().job));
            EXPECT_EQ(Session().JobFilePath, existing.string());
        }
    }
    EXPECT_FALSE(fs::exists(jobs / "Slope1"));
    EXPECT_EQ(w.AppSettings().RecentFiles, (RecentList{existing.string(), existing.string(), "", ""}));
}

TEST_F(FileCommandTest, OpenKeepsTheExactPathAndYesOnTheSavePromptSavesToIt)
{
    ClvMain& w = Start();
    const fs::path upper = CopyExample("layered_slope.clv", jobs / "Layered SLOPE.clv");
    const fs::path lower = CopyExample("cutting.clv", jobs / "layered slope.clv");
    const Bytes upperBytes = FileBytes(upper), lowerBytes = FileBytes(lower);
    ASSERT_NE(upperBytes, lowerBytes);

    for (const fs::path& p : {upper, lower, upper}) {
        io.fileNames.push_back(Q(p));
        w.Files().Open();
        EXPECT_TRUE(io.messages.empty());
        EXPECT_EQ(Session().JobFilePath, p.string());
        EXPECT_EQ(Session().JobFileTitle, p.filename().string());
    }
    // The file opened again moves to the top of the list instead of being listed twice.
    EXPECT_EQ(w.windowTitle(), "Dalk Clivora (layered slope.clv)");
    EXPECT_EQ(w.AppSettings().RecentFiles, (RecentList{upper.string(), lower.string(), "", ""}));
    const std::optional<DecodedJob> expected = DecodeJobFile(upperBytes);
    ASSERT_TRUE(expected);
    EXPECT_EQ(Session().job.SoilCount(), expected->job.SoilCount());
    EXPECT_GT(Session().job.SoilCount(), 0);
    EXPECT_FALSE(Session().JobModified);

    // Yes on the save prompt writes back to the file that was opened, not to its lower-case namesake.
    Modify("Edited");
    const Bytes edited = BytesOf(Session().job);
    io.answers.push_back(Answer::Yes);
    io.fileNames.push_back(Q(lower));
    w.Files().Open();
    EXPECT_EQ(FileBytes(upper), edited);
    EXPECT_EQ(FileBytes(lower), lowerBytes);
    EXPECT_EQ(Session().JobFilePath, lower.string());
}

TEST_F(FileCommandTest, SavePromptBeforeNewAnsweredEveryWay)
{
    struct Case {
        const char* what;
        Answer answer;
        std::optional<QString> saveAsName; // given to the Save As dialog; none: it is cancelled
        bool replaced;                     // the job was replaced by a new one
    };
    const Case cases[] = {
        {"cancel", Answer::Cancel, std::nullopt, false},
        {"no", Answer::No, std::nullopt, true},
        {"yes, untitled, Save As cancelled", Answer::Yes, std::nullopt, false},
        {"yes, untitled, saved", Answer::Yes, "Kept", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        io = ScriptedInteraction{};
        ClvMain& w = Start();
        Modify("Unsaved work");
        const Bytes before = BytesOf(Session().job);
        io.answers.push_back(c.answer);
        if (c.saveAsName)
            io.fileNames.push_back(Q(jobs / c.saveAsName->toStdString()));
        w.Files().New();
        ASSERT_FALSE(io.messages.empty());
        EXPECT_EQ(io.messages[0].text, kSavePrompt);
        EXPECT_EQ(io.messages[0].buttons, Interaction::Buttons::YesNoCancel);
        EXPECT_EQ(io.messages[0].icon, Interaction::Icon::Question);
        EXPECT_EQ(BytesOf(Session().job) != before, c.replaced);
        EXPECT_EQ(FileBytes(jobs / "Kept.clv"), c.saveAsName ? before : Bytes{});
        EXPECT_FALSE(fs::exists(folders.DocumentsFolder / "untitled.clv"));
        EXPECT_FALSE(fs::exists(folders.DocumentsFolder / "untitled"));
        fs::remove(jobs / "Kept.clv");
    }
}

TEST_F(FileCommandTest, ACancelledOpenOrAnUnreadableFileKeepsTheJob)
{
    const fs::path bad = jobs / "Broken.clv";
    std::ofstream(bad, std::ios::binary) << "not a job";
    for (const bool cancelled : {true, false}) {
        ClvMain& w = Start();
        Modify();
        const Bytes before = BytesOf(Session().job);
        io.answers.push_back(Answer::No);
        if (!cancelled) // with no file name queued the dialog is cancelled
            io.fileNames.push_back(Q(bad));
        w.Files().Open();
        ASSERT_EQ(io.messages.size(), cancelled ? 1u : 2u);
        EXPECT_EQ(io.messages.back().text.toStdString(), cancelled ? "Save current data ?" : kReadErrorMessage);
        EXPECT_EQ(BytesOf(Session().job), before);
        EXPECT_TRUE(Session().JobModified);
        EXPECT_EQ(w.AppSettings().RecentFiles[0], "");
    }
}

TEST_F(FileCommandTest, OpenAndNewSelectSoilOneRecentFilesAskAndClosingKeepsTheSettings)
{
    ClvMain& w = Start();
    const fs::path a = CopyExample("cutting.clv", jobs / "Alpha.clv");
    const fs::path b = CopyExample("layered_slope.clv", jobs / "Beta.clv");
    for (const fs::path& p : {a, b}) {
        Session().CurrentSoil = 2;
        w.SelectTab(kLoadsTab);
        io.fileNames.push_back(Q(p));
        w.Files().Open();
        EXPECT_EQ(Session().CurrentSoil, 1);
        EXPECT_EQ(w.Tabs()->currentIndex(), kGeometryTab);
    }
    Session().CurrentSoil = 2;
    w.Files().New(); // an unmodified job is replaced without asking
    EXPECT_TRUE(io.messages.empty());
    EXPECT_EQ(Session().CurrentSoil, 1);
    EXPECT_EQ(Session().JobFilePath, "untitled");
    EXPECT_EQ(w.windowTitle(), "Dalk Clivora (untitled)");
    EXPECT_EQ(Session().job.SoilCount(), 0);

    // A recent file asks when the job is modified, even an untitled one.
    Modify("An hour of work");
    const Bytes work = BytesOf(Session().job);
    io.answers.push_back(Answer::Cancel);
    w.Files().OpenRecent(2);
    ASSERT_EQ(io.messages.size(), 1u);
    EXPECT_EQ(io.messages[0].text, kSavePrompt);
    EXPECT_EQ(BytesOf(Session().job), work);

    io.messages.clear();
    io.answers.push_back(Answer::No);
    w.Files().OpenRecent(2);
    EXPECT_EQ(Session().JobFilePath, a.string());
    EXPECT_EQ(w.AppSettings().RecentFiles, (RecentList{a.string(), b.string(), "", ""}));
    EXPECT_EQ(w.RecentFileAction(1)->text(), "1.  ..." + Q(a).right(27));

    // A listed file that is gone is reported and the job stays.
    fs::remove(b);
    io.messages.clear();
    w.Files().OpenRecent(2);
    ASSERT_EQ(io.messages.size(), 1u);
    EXPECT_EQ(io.messages[0].text, "File no longer exists");
    EXPECT_EQ(Session().JobFilePath, a.string());

    // Closing writes the settings even when it is cancelled, and takes the page pictures with it.
    const fs::path ini = folders.SettingsFolder / "Clivora.ini";
    fs::remove(ini);
    std::ofstream(folders.SettingsFolder / "image1.bmp") << "page";
    std::ofstream(folders.SettingsFolder / "notes.bmp") << "other";
    Modify();
    io.answers.push_back(Answer::Cancel);
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(fs::exists(ini));
    EXPECT_TRUE(fs::exists(folders.SettingsFolder / "image1.bmp"));
    fs::remove(ini);
    io.answers.push_back(Answer::No);
    EXPECT_TRUE(w.close());
    EXPECT_TRUE(fs::exists(ini));
    EXPECT_FALSE(fs::exists(folders.SettingsFolder / "image1.bmp"));
    EXPECT_TRUE(fs::exists(folders.SettingsFolder / "notes.bmp"));

    // The list, with the case of its names, is there again after a restart.
    ClvMain& again = Start();
    EXPECT_EQ(again.AppSettings().RecentFiles, (RecentList{a.string(), b.string(), "", ""}));
    EXPECT_EQ(again.RecentFileAction(2)->text(), "2.  ..." + Q(b).right(27));
}

} // namespace
} // namespace clv::ui::test
