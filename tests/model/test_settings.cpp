#include "model/settings.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>

namespace clv {
namespace {

namespace fs = std::filesystem;

AppFolders FoldersIn(const fs::path& dir)
{
    return AppFolders{dir, dir};
}

std::string ReadText(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteText(const fs::path& file, const std::string& text)
{
    std::ofstream out(file, std::ios::binary);
    out << text;
}

// The file the program writes for empty settings, byte for byte.
const std::string kDefaultFile =
    "[DALK CLIVORA]\r\n"
    "\"[LastUsedFile1.]\",\"\"\r\n"
    "\"[LastUsedFile2.]\",\"\"\r\n"
    "\"[LastUsedFile3.]\",\"\"\r\n"
    "\"[LastUsedFile4.]\",\"\"\r\n"
    "\"[UserNameLine1.]\",\"\"\r\n"
    "\"[UserNameLine2.]\",\"\"\r\n"
    "\"[PrinterFont...]\",\"Arial\"\r\n"
    "\"[LableBoldFlag.]\",\"-1\"\r\n"
    "\"[LeftMargin....]\",\"15\"\r\n"
    "\"[TopMargin.....]\",\"3\"\r\n"
    "\"[RightMargin...]\",\"3\"\r\n"
    "\"[BottomMargin..]\",\"3\"\r\n";

TEST(Settings, FirstUseWritesTheFileAndShowsTheMessageOnce)
{
    auto dir = test::FreshTempDir("settings");
    auto first = ReadSettings(FoldersIn(dir));
    ASSERT_TRUE(first.message);
    EXPECT_EQ(*first.message,
              "Clivora.ini file not available.\rDalk Clivora will set default data.\r"
              "This is normal for the first use of the software.");
    EXPECT_FALSE(first.writeError);
    EXPECT_EQ(ReadText(dir / "Clivora.ini"), kDefaultFile);

    auto second = ReadSettings(FoldersIn(dir));
    EXPECT_FALSE(second.message);
    EXPECT_EQ(second.settings.RecentFiles[0], "");
    EXPECT_EQ(second.settings.UserNameLine1, "");
}

TEST(Settings, RecentFilesComeBackLowerCaseAndUserLinesAsWritten)
{
    auto dir = test::FreshTempDir("settings");
    Settings settings;
    settings.RecentFiles = {"C:\\Jobs\\A14 Cutting.CLV", "/home/Eng/ÉTUDE.clv", "", "d:\\x.clv"};
    settings.UserNameLine1 = "Dalk Geotechnics Ltd";
    settings.UserNameLine2 = "Tel 01234 567890";
    ASSERT_FALSE(WriteSettings(FoldersIn(dir), settings));

    auto read = ReadSettings(FoldersIn(dir));
    EXPECT_FALSE(read.message);
    EXPECT_EQ(read.settings.RecentFiles[0], "c:\\jobs\\a14 cutting.clv");
    EXPECT_EQ(read.settings.RecentFiles[1], "/home/eng/étude.clv");
    EXPECT_EQ(read.settings.RecentFiles[2], "");
    EXPECT_EQ(read.settings.RecentFiles[3], "d:\\x.clv");
    EXPECT_EQ(read.settings.UserNameLine1, "Dalk Geotechnics Ltd");
    EXPECT_EQ(read.settings.UserNameLine2, "Tel 01234 567890");
}

TEST(Settings, QuotesCommasAndLineBreaksInValuesRoundTrip)
{
    auto dir = test::FreshTempDir("settings");
    Settings settings;
    settings.UserNameLine1 = "Smith, Jones & \"Partners\", Ltd";
    settings.UserNameLine2 = "  \"\" , ,\"  leading and trailing blanks  ";
    settings.RecentFiles[0] = "/jobs/odd\"name,1\r\nline.clv";
    ASSERT_FALSE(WriteSettings(FoldersIn(dir), settings));
    EXPECT_NE(ReadText(dir / "Clivora.ini").find("\"Smith, Jones & \"\"Partners\"\", Ltd\""), std::string::npos);

    auto read = ReadSettings(FoldersIn(dir));
    EXPECT_FALSE(read.message);
    EXPECT_EQ(read.settings.UserNameLine1, settings.UserNameLine1);
    EXPECT_EQ(read.settings.UserNameLine2, settings.UserNameLine2);
    EXPECT_EQ(read.settings.RecentFiles[0], settings.RecentFiles[0]);
}

TEST(Settings, MarginsAndFontInTheFileHaveNoEffect)
{
    auto dir = test::FreshTempDir("settings");
    std::string edited = kDefaultFile;
    auto replace = [&](const std::string& from, const std::string& to) {
        edited.replace(edited.find(from), from.size(), to);
    };
    replace("\"Arial\"", "\"Courier New\"");
    replace("\"-1\"", "\"0\"");
    replace("\"15\"", "\"25.5\"");
    replace("\"[BottomMargin..]\",\"3\"", "\"[BottomMargin..]\",\"10\"");
    WriteText(dir / "Clivora.ini", edited);

    auto read = ReadSettings(FoldersIn(dir));
    EXPECT_FALSE(read.message);
    EXPECT_EQ(read.settings.PrinterFont, "Arial");
    EXPECT_TRUE(read.settings.LabelBoldFlag);
    EXPECT_EQ(read.settings.LeftMargin, 15.0f);
    EXPECT_EQ(read.settings.TopMargin, 3.0f);
    EXPECT_EQ(read.settings.RightMargin, 3.0f);
    EXPECT_EQ(read.settings.BottomMargin, 3.0f);

    ASSERT_FALSE(WriteSettings(FoldersIn(dir), read.settings));
    EXPECT_EQ(ReadText(dir / "Clivora.ini"), kDefaultFile);
}

TEST(Settings, UnquotedFieldsAndLinuxLineEndsAreRead)
{
    auto dir = test::FreshTempDir("settings");
    std::string text = "[DALK CLIVORA]\n[LastUsedFile1.], /Jobs/A.clv \n";
    for (int i = 0; i < 11; ++i)
        text += "key,\"v\"\n";
    WriteText(dir / "Clivora.ini", text);
    auto read = ReadSettings(FoldersIn(dir));
    EXPECT_FALSE(read.message);
    EXPECT_EQ(read.settings.RecentFiles[0], "/jobs/a.clv");
    EXPECT_EQ(read.settings.UserNameLine1, "v");
}

TEST(Settings, AFileMissingItsLastRecordKeepsWhatWasReadAndIsRewritten)
{
    auto dir = test::FreshTempDir("settings");
    Settings settings;
    settings.RecentFiles[0] = "/jobs/a.clv";
    settings.UserNameLine2 = "Line two";
    ASSERT_FALSE(WriteSettings(FoldersIn(dir), settings));
    std::string text = ReadText(dir / "Clivora.ini");
    text.erase(text.find("\"[BottomMargin..]\""));
    WriteText(dir / "Clivora.ini", text);

    auto read = ReadSettings(FoldersIn(dir));
    ASSERT_TRUE(read.message);
    EXPECT_EQ(*read.message, kSettingsFirstUseMessage);
    EXPECT_FALSE(read.writeError);
    EXPECT_EQ(read.settings.RecentFiles[0], "/jobs/a.clv");
    EXPECT_EQ(read.settings.UserNameLine2, "Line two");

    auto again = ReadSettings(FoldersIn(dir));
    EXPECT_FALSE(again.message);
    EXPECT_EQ(again.settings.UserNameLine2, "Line two");
}

TEST(Settings, BrokenRecordsShowTheFirstUseMessage)
{
    for (std::string broken : {"", "[DALK CLIVORA]\r\n", "[DALK CLIVORA]\r\n\"only one field\"\r\n",
                               "[DALK CLIVORA]\r\n\"[LastUsedFile1.]\",\"no closing quote\r\n"}) {
        auto dir = test::FreshTempDir("settings");
        WriteText(dir / "Clivora.ini", broken);
        auto read = ReadSettings(FoldersIn(dir));
        EXPECT_TRUE(read.message) << broken;
        EXPECT_EQ(ReadText(dir / "Clivora.ini"), kDefaultFile) << broken;
    }
}

TEST(Settings, AFolderThatIsAFileGivesTheWriteError)
{
    auto dir = test::FreshTempDir("settings");
    WriteText(dir / "not-a-folder", "x");
    AppFolders folders = FoldersIn(dir / "not-a-folder");

    auto written = WriteSettings(folders, Settings{});
    ASSERT_TRUE(written);
    EXPECT_EQ(*written, "An unexpected error occured while writing Clivora.ini file");

    auto read = ReadSettings(folders);
    EXPECT_TRUE(read.message);
    ASSERT_TRUE(read.writeError);
    EXPECT_EQ(*read.writeError, kSettingsWriteErrorMessage);
    EXPECT_EQ(read.settings.PrinterFont, "Arial");
}

TEST(Settings, AFailedWriteLeavesThePreviousFileWhole)
{
    auto dir = test::FreshTempDir("settings");
    Settings settings;
    settings.UserNameLine1 = "Kept";
    ASSERT_FALSE(WriteSettings(FoldersIn(dir), settings));
    const std::string before = ReadText(dir / "Clivora.ini");
    fs::create_directory(dir / "Clivora.ini.tmp"); // the temporary file cannot be created
    settings.UserNameLine1 = "Lost";
    EXPECT_TRUE(WriteSettings(FoldersIn(dir), settings));
    EXPECT_EQ(ReadText(dir / "Clivora.ini"), before);
}

/** Sets an environment variable for the life of the object. */
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv()
    {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(Settings, StandardFoldersFollowXdgAndAreCreated)
{
    auto home = test::FreshTempDir("home");
    ScopedEnv homeEnv("HOME", home.string());
    {
        ScopedEnv config("XDG_CONFIG_HOME", (home / "cfg").string());
        fs::create_directories(home / "cfg");
        WriteText(home / "cfg" / "user-dirs.dirs",
                  "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                  "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
        AppFolders folders = StandardAppFolders();
        EXPECT_EQ(fs::path(folders.SettingsFolder).lexically_normal(), (home / "cfg/Dalk/Clivora/").lexically_normal());
        EXPECT_EQ(fs::path(folders.DocumentsFolder).lexically_normal(),
                  (home / "Dokumente/Dalk/Clivora/").lexically_normal());
        EXPECT_TRUE(fs::is_directory(folders.SettingsFolder));
        EXPECT_TRUE(fs::is_directory(folders.DocumentsFolder));
    }
    {
        ScopedEnv config("XDG_CONFIG_HOME", "");
        AppFolders folders = StandardAppFolders();
        EXPECT_EQ(fs::path(folders.SettingsFolder).lexically_normal(),
                  (home / ".config/Dalk/Clivora/").lexically_normal());
        EXPECT_EQ(fs::path(folders.DocumentsFolder).lexically_normal(),
                  (home / "Documents/Dalk/Clivora/").lexically_normal());
        EXPECT_TRUE(fs::is_directory(folders.DocumentsFolder));
    }
}

} // namespace
} // namespace clv
