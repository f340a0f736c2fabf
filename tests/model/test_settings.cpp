#include "model/settings.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <fstream>

namespace clv {
namespace {

// The file the program writes for empty settings, byte for byte.
const std::string kDefaultFile =
    "[DALK CLIVORA]\r\n\"[LastUsedFile1.]\",\"\"\r\n\"[LastUsedFile2.]\",\"\"\r\n\"[LastUsedFile3.]\",\"\"\r\n"
    "\"[LastUsedFile4.]\",\"\"\r\n\"[UserNameLine1.]\",\"\"\r\n\"[UserNameLine2.]\",\"\"\r\n"
    "\"[PrinterFont...]\",\"Arial\"\r\n\"[LableBoldFlag.]\",\"-1\"\r\n\"[LeftMargin....]\",\"15\"\r\n"
    "\"[TopMargin.....]\",\"3\"\r\n\"[RightMargin...]\",\"3\"\r\n\"[BottomMargin..]\",\"3\"\r\n";

class SettingsFile : public ::testing::Test {
protected:
    std::filesystem::path dir = test::FreshTempDir("settings");
    AppFolders folders{dir, dir};

    std::string Text() const
    {
        return {std::istreambuf_iterator<char>(std::ifstream(dir / "Clivora.ini", std::ios::binary).rdbuf()), {}};
    }
    void Write(const std::string& text) const { std::ofstream(dir / "Clivora.ini", std::ios::binary) << text; }
};

TEST_F(SettingsFile, ValuesReadBackExactlyWithRecentFilesInTheirOwnCaseEveryLetterAsWritten)
{
    Settings settings;
    settings.RecentFiles = {"C:\\Jobs\\A14 Cutting.CLV", "/home/Eng/ÉTUDE.clv", "", "/jobs/odd\"name,1\r\nline.clv"};
    settings.UserNameLine1 = "Smith, Jones & \"Partners\", Ltd";
    settings.UserNameLine2 = "  \"\" , ,\"  leading and trailing blanks  ";
    ASSERT_FALSE(WriteSettings(folders, settings));
    const SettingsReadResult read = ReadSettings(folders);
    EXPECT_EQ(read.settings.RecentFiles, settings.RecentFiles);
    EXPECT_EQ(std::pair(read.settings.UserNameLine1, read.settings.UserNameLine2),
              std::pair(settings.UserNameLine1, settings.UserNameLine2));

    // On a case-sensitive file system "Slope.clv" and "slope.clv" are two files: no letter is folded,
    // neither the ASCII capitals nor the Latin-1 ones (A grave, thorn, times, sharp s, y diaeresis).
    for (const std::string name : {"AZ", "az", "@[`{", "\xC3\x80\xC3\x9E", "\xC3\x97\xC3\x9F\xC3\xBF"}) {
        settings.RecentFiles[0] = "/Jobs/" + name + ".clv";
        ASSERT_FALSE(WriteSettings(folders, settings));
        EXPECT_EQ(ReadSettings(folders).settings.RecentFiles[0], "/Jobs/" + name + ".clv") << name;
    }
}

TEST_F(SettingsFile, MarginsAndFontInTheFileHaveNoEffect)
{
    std::string edited = kDefaultFile;
    for (auto [from, to] : {std::pair{"Arial", "Courier New"}, {"\"-1", "\"0"}, {"15", "25.5"}, {"3\"", "10\""}})
        edited.replace(edited.rfind(from), std::string(from).size(), to);
    Write(edited);
    const Settings s = ReadSettings(folders).settings;
    EXPECT_EQ(std::pair(s.PrinterFont, s.LabelBoldFlag), std::pair(std::string("Arial"), true));
    EXPECT_EQ((std::array{s.LeftMargin, s.TopMargin, s.RightMargin, s.BottomMargin}),
              (std::array{15.0f, 3.0f, 3.0f, 3.0f}));
    ASSERT_FALSE(WriteSettings(folders, s));
    EXPECT_EQ(Text(), kDefaultFile);
}

TEST_F(SettingsFile, MissingOrIncompleteFilesShowTheFirstUseMessageAndAreWrittenAnew)
{
    const std::string message = "Clivora.ini file not available.\rDalk Clivora will set default data.\r"
                                "This is normal for the first use of the software.";
    const SettingsReadResult first = ReadSettings(folders); // no file at all
    EXPECT_EQ(first.message, message);
    EXPECT_FALSE(first.writeError);
    EXPECT_EQ(Text(), kDefaultFile);
    Settings kept;
    kept.RecentFiles[0] = "/jobs/a.clv";
    ASSERT_FALSE(WriteSettings(folders, kept));
    const std::string whole = Text();
    const std::pair<std::string, std::string> cases[] = {
        {whole.substr(0, whole.find("\"[BottomMargin..]")), whole}, // what was read before the lost record stays
        {"", kDefaultFile}, {"[DALK CLIVORA]\r\n", kDefaultFile}, {"[DALK CLIVORA]\r\n\"one field\"\r\n", kDefaultFile},
        {"[DALK CLIVORA]\r\n\"[LastUsedFile1.]\",\"no closing quote\r\n", kDefaultFile}};
    for (const auto& [broken, rewritten] : cases) {
        Write(broken);
        const SettingsReadResult read = ReadSettings(folders);
        EXPECT_EQ(read.message, message) << broken;
        EXPECT_FALSE(read.writeError);
        EXPECT_EQ(Text(), rewritten);
        EXPECT_FALSE(ReadSettings(folders).message); // the file written is whole
    }
}

TEST_F(SettingsFile, WriteErrorsAreReportedAndLeaveThePreviousFileWhole)
{
    std::ofstream(dir / "not-a-folder") << "x";
    const AppFolders broken{dir / "not-a-folder", dir};
    EXPECT_EQ(WriteSettings(broken, Settings{}), "An unexpected error occured while writing Clivora.ini file");
    EXPECT_EQ(ReadSettings(broken).writeError, kSettingsWriteErrorMessage); // after the first-use message

    ASSERT_FALSE(WriteSettings(folders, Settings{}));
    std::filesystem::create_directory(dir / "Clivora.ini.tmp"); // the temporary file cannot be created
    EXPECT_TRUE(WriteSettings(folders, Settings{}));
    EXPECT_EQ(Text(), kDefaultFile);
}

} // namespace
} // namespace clv
