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

    std::string Title() const { return window->windowTitle().toStdString(); }
};

TEST_F(FileCommandTest, SaveOfAnUntitledJobRunsSaveAsAndKeepsTheNameAsGiven)
{
    ClvMain& w = Start();
    Modify();
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

TEST_F(FileCommandTest, CancelledFailedOrInvalidSaveAsLeavesPathCaptionAndRecentFilesUntouched)
{
    const std::pair<std::optional<QString>, std::string> cases[] = {
        {std::nullopt, ""},
        {Q(jobs / "No Such Folder" / "Slope.clv"), kSaveErrorMessage},
        {Q(jobs), "Invalid file name, aborting save routine"}};
    for (const auto& [name, message] : cases) {
        io = ScriptedInteraction{};
        ClvMain& w = Start();
        Modify();
        const RecentList recent = w.AppSettings().RecentFiles;
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
}

TEST_F(FileCommandTest, TheOverwriteQuestionNamesTheFileAfterTheExtensionRule)
{
    ClvMain& w = Start();
    const fs::path existing = CopyExample("cutting.clv", jobs / "Slope1.clv");
    const Bytes before = FileBytes(existing);
    Modify();

    for (Answer answer : {Answer::No, Answer::Yes}) {
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
}

TEST_F(FileCommandTest, SaveAsToAListedFileAddsASecondEntry)
{
    ClvMain& w = Start();
    const fs::path a = jobs / "A.clv";
    for (int i = 0; i < 2; ++i) {
        io.fileNames.push_back(Q(a));
        io.answers.push_back(Answer::Yes); // overwrite the second time
        ASSERT_TRUE(w.Files().SaveAs());
    }
    EXPECT_EQ(w.AppSettings().RecentFiles, (RecentList{a.string(), a.string(), "", ""}));
}

TEST_F(FileCommandTest, OpenKeepsTheExactPathAndMovesAListedFileToTheTop)
{
    ClvMain& w = Start();
    const fs::path upper = CopyExample("layered_slope.clv", jobs / "Layered SLOPE.clv");
    const fs::path lower = CopyExample("cutting.clv", jobs / "layered slope.clv");
    const Bytes upperBytes = FileBytes(upper);
    ASSERT_NE(upperBytes, FileBytes(lower));

    for (const fs::path& p : {upper, lower, upper}) {
        io.fileNames.push_back(Q(p));
        w.Files().Open();
        EXPECT_TRUE(io.messages.empty());
        EXPECT_EQ(Session().JobFilePath, p.string());
        EXPECT_EQ(Session().JobFileTitle, p.filename().string());
    }
    EXPECT_EQ(w.windowTitle(), "Dalk Clivora (layered slope.clv)");
    EXPECT_EQ(w.AppSettings().RecentFiles, (RecentList{upper.string(), lower.string(), "", ""}));
    const std::optional<DecodedJob> expected = DecodeJobFile(upperBytes);
    ASSERT_TRUE(expected);
    EXPECT_EQ(Session().job.SoilCount(), expected->job.SoilCount());
    EXPECT_GT(Session().job.SoilCount(), 0);
    EXPECT_FALSE(Session().JobModified);

    // Saving writes back to the file that was opened, not to its lower-case namesake.
    Modify();
    ASSERT_TRUE(w.Files().Save());
    EXPECT_EQ(FileBytes(upper), BytesOf(Session().job));
    EXPECT_NE(FileBytes(lower), BytesOf(Session().job));
}

TEST_F(FileCommandTest, NewAndOpenSelectSoilOneAndTheFirstTab)
{
    ClvMain& w = Start();
    const fs::path job = CopyExample("layered_slope.clv", jobs / "Job.clv");
    Edit([](Job& j) {
        for (int k = 0; k < 5; ++k)
            j.Soils.push_back(Soil("S", 3));
    });
    Session().CurrentSoil = 5;
    w.SelectTab(kSlipCircleTab);
    io.answers.push_back(Answer::No);
    io.fileNames.push_back(Q(job));
    w.Files().Open();
    EXPECT_EQ(Session().CurrentSoil, 1);
    EXPECT_EQ(w.Tabs()->currentIndex(), kGeometryTab);

    Session().CurrentSoil = 2;
    io.messages.clear();
    w.Files().New(); // an unmodified job is replaced without asking
    EXPECT_TRUE(io.messages.empty());
    EXPECT_EQ(Session().CurrentSoil, 1);
    EXPECT_EQ(Session().JobFilePath, "untitled");
    EXPECT_EQ(w.windowTitle(), "Dalk Clivora (untitled)");
    EXPECT_EQ(Session().job.SoilCount(), 0);
}

TEST_F(FileCommandTest, SavePromptBeforeNewAnsweredEveryWay)
{
    struct Case {
        const char* what;
        std::vector<Answer> answers;
        std::optional<QString> saveAsName;
        bool replaced; // the job was replaced by a new one
        bool saved;
    };
    const std::vector<Case> cases = {
        {"cancel", {Answer::Cancel}, std::nullopt, false, false},
        {"no", {Answer::No}, std::nullopt, true, false},
        {"yes, untitled, Save As cancelled", {Answer::Yes}, std::nullopt, false, false},
        {"yes, untitled, saved", {Answer::Yes}, "Kept", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        io = ScriptedInteraction{};
        ClvMain& w = Start();
        Modify("Unsaved work");
        const Bytes before = BytesOf(Session().job);
        io.answers.assign(c.answers.begin(), c.answers.end());
        if (c.saveAsName)
            io.fileNames.push_back(Q(jobs / c.saveAsName->toStdString()));
        w.Files().New();
        ASSERT_FALSE(io.messages.empty());
        EXPECT_EQ(io.messages[0].text, kSavePrompt);
        EXPECT_EQ(io.messages[0].buttons, Interaction::Buttons::YesNoCancel);
        EXPECT_EQ(io.messages[0].icon, Interaction::Icon::Question);
        EXPECT_EQ(BytesOf(Session().job) != before, c.replaced);
        EXPECT_EQ(fs::exists(jobs / "Kept.clv"), c.saved);
        if (c.saved) {
            EXPECT_EQ(FileBytes(jobs / "Kept.clv"), before);
        }
        EXPECT_FALSE(fs::exists(folders.DocumentsFolder / "untitled.clv"));
        EXPECT_FALSE(fs::exists(folders.DocumentsFolder / "untitled"));
        fs::remove(jobs / "Kept.clv");
    }
}

TEST_F(FileCommandTest, YesOnTheSavePromptOfANamedJobSavesItBeforeOpening)
{
    ClvMain& w = Start();
    const fs::path mine = CopyExample("cutting.clv", jobs / "Mine.clv");
    const fs::path other = CopyExample("layered_slope.clv", jobs / "Other.clv");
    io.fileNames.push_back(Q(mine));
    w.Files().Open();
    Modify("Edited");
    const Bytes edited = BytesOf(Session().job);
    io.answers.push_back(Answer::Yes);
    io.fileNames.push_back(Q(other));
    w.Files().Open();
    EXPECT_EQ(FileBytes(mine), edited);
    EXPECT_EQ(Session().JobFilePath, other.string());
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

TEST_F(FileCommandTest, RecentFileAsksWhenModifiedEvenForAnUntitledJob)
{
    ClvMain& w = Start();
    const fs::path a = CopyExample("cutting.clv", jobs / "Alpha.clv");
    const fs::path b = CopyExample("layered_slope.clv", jobs / "Beta.clv");
    for (const fs::path& p : {a, b}) {
        io.fileNames.push_back(Q(p));
        w.Files().Open();
    }
    w.Files().New();
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
}

TEST_F(FileCommandTest, RecentFilesPersistWithTheirCaseAcrossRestarts)
{
    {
        ClvMain& w = Start();
        const fs::path p = CopyExample("cutting.clv", jobs / "MiXeD Case.clv");
        io.fileNames.push_back(Q(p));
        w.Files().Open();
        ASSERT_TRUE(w.close());
    }
    ClvMain& w = Start();
    EXPECT_EQ(w.AppSettings().RecentFiles[0], (jobs / "MiXeD Case.clv").string());
    EXPECT_EQ(w.RecentFileAction(1)->text(), "1.  ..." + Q(jobs / "MiXeD Case.clv").right(27));
}

TEST_F(FileCommandTest, ClosingWritesTheSettingsEvenWhenCancelled)
{
    ClvMain& w = Start();
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
}

TEST_F(FileCommandTest, ClosingAnUntitledJobWithYesRunsSaveAsAndStaysOpenWhenItIsCancelled)
{
    ClvMain& w = Start();
    Modify();
    io.answers.push_back(Answer::Yes);
    EXPECT_FALSE(w.close()); // Save As dialog cancelled
    EXPECT_EQ(io.dialogCaptions, std::vector<QString>{"Save As"});
    io.answers.push_back(Answer::Yes);
    io.fileNames.push_back(Q(jobs / "Closing"));
    EXPECT_TRUE(w.close());
    EXPECT_TRUE(fs::exists(jobs / "Closing.clv"));
}

TEST_F(FileCommandTest, CommandLineJobInQuotesIsOpened)
{
    const fs::path p = CopyExample("layered_slope.clv", jobs / "From Shell.clv");
    ClvMain& w = Start("\"" + Q(p) + "\"");
    EXPECT_EQ(Session().JobFilePath, p.string());
    EXPECT_EQ(w.windowTitle(), "Dalk Clivora (from shell.clv)");
    EXPECT_FALSE(Session().JobModified);
    EXPECT_GT(Session().job.SoilCount(), 0);
}

} // namespace
} // namespace clv::ui::test
