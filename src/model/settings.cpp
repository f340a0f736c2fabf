#include "model/settings.h"

#include <array>
#include <charconv>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string_view>
#include <system_error>

#include <pwd.h>
#include <unistd.h>

namespace clv {

const char* const kSettingsFileName = "Clivora.ini";
const char* const kSettingsFirstUseMessage =
    "Clivora.ini file not available.\rDalk Clivora will set default data.\r"
    "This is normal for the first use of the software.";
const char* const kSettingsWriteErrorMessage = "An unexpected error occured while writing Clivora.ini file";

namespace {

namespace fs = std::filesystem;

constexpr const char* kSectionLine = "[DALK CLIVORA]";
constexpr const char* kLineEnd = "\r\n";
constexpr std::size_t kRecordCount = 12;

// The keys in file order. The reader never compares them: it takes the records by position.
constexpr std::array<const char*, kRecordCount> kKeys = {
    "[LastUsedFile1.]", "[LastUsedFile2.]", "[LastUsedFile3.]", "[LastUsedFile4.]",
    "[UserNameLine1.]", "[UserNameLine2.]", "[PrinterFont...]", "[LableBoldFlag.]",
    "[LeftMargin....]", "[TopMargin.....]", "[RightMargin...]", "[BottomMargin..]",
};

// Escaping of a value: every field is written between double quotes and a double
// quote inside it is doubled, as in CSV. Commas, blanks and even line breaks then
// need nothing more: the reader takes everything up to the closing quote, so any
// text reads back exactly as it was written.
std::string Quoted(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
    return out;
}

// Margins in general number format: the shortest text that reads back as the same value ("15", "2.5").
std::string GeneralNumber(float value)
{
    std::array<char, 32> buffer{};
    auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

/** Reads the records of the settings file: comma-separated pairs of optionally quoted fields. */
class RecordReader {
public:
    explicit RecordReader(std::string text) : text_(std::move(text)) {}

    /** Skips the section line; false when the file is empty. */
    bool SkipLine()
    {
        if (pos_ >= text_.size())
            return false;
        auto end = text_.find('\n', pos_);
        pos_ = end == std::string::npos ? text_.size() : end + 1;
        return true;
    }

    /** One record: two fields separated by a comma, then the end of the line. */
    bool ReadPair(std::string& key, std::string& value)
    {
        if (pos_ >= text_.size())
            return false;
        if (!ReadField(key) || !Take(','))
            return false;
        if (!ReadField(value))
            return false;
        SkipBlanks();
        if (pos_ >= text_.size())
            return true;
        if (text_[pos_] == '\r')
            ++pos_;
        return Take('\n') || pos_ >= text_.size();
    }

private:
    bool Take(char c)
    {
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    void SkipBlanks()
    {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t'))
            ++pos_;
    }

    bool ReadField(std::string& out)
    {
        out.clear();
        SkipBlanks();
        if (Take('"')) {
            for (;;) {
                if (pos_ >= text_.size())
                    return false; // no closing quote
                char c = text_[pos_++];
                if (c == '"') {
                    if (!Take('"'))
                        break;
                }
                out += c;
            }
            SkipBlanks();
            return true;
        }
        // An unquoted field runs to the comma or the end of the line, blanks trimmed.
        while (pos_ < text_.size() && text_[pos_] != ',' && text_[pos_] != '\r' && text_[pos_] != '\n')
            out += text_[pos_++];
        while (!out.empty() && (out.back() == ' ' || out.back() == '\t'))
            out.pop_back();
        return true;
    }

    std::string text_;
    std::size_t pos_ = 0;
};

void ApplyFixedReportSettings(Settings& settings)
{
    // The font, bold flag and margins in the file are never used: these are always in force.
    Settings defaults;
    settings.PrinterFont = defaults.PrinterFont;
    settings.LabelBoldFlag = defaults.LabelBoldFlag;
    settings.LeftMargin = defaults.LeftMargin;
    settings.TopMargin = defaults.TopMargin;
    settings.RightMargin = defaults.RightMargin;
    settings.BottomMargin = defaults.BottomMargin;
}

fs::path HomeFolder()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return fs::temp_directory_path();
}

fs::path ConfigHome()
{
    // An XDG_CONFIG_HOME that is not absolute is invalid and ignored.
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config == '/')
        return config;
    return HomeFolder() / ".config";
}

/** XDG_DOCUMENTS_DIR from user-dirs.dirs ("$HOME/..." or an absolute path); empty when not set there. */
fs::path DocumentsFromUserDirs(const fs::path& configHome, const fs::path& home)
{
    std::ifstream in(configHome / "user-dirs.dirs");
    std::string line;
    const std::string key = "XDG_DOCUMENTS_DIR=";
    while (std::getline(in, line)) {
        auto start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line.compare(start, key.size(), key) != 0)
            continue;
        std::string value = line.substr(start + key.size());
        while (!value.empty() && (value.back() == '\r' || value.back() == ' '))
            value.pop_back();
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (value.rfind("$HOME", 0) == 0)
            return home.string() + value.substr(5);
        if (!value.empty() && value.front() == '/')
            return value;
    }
    return {};
}

} // namespace

AppFolders StandardAppFolders()
{
    const fs::path home = HomeFolder();
    const fs::path configHome = ConfigHome();
    fs::path documents = DocumentsFromUserDirs(configHome, home);
    if (documents.empty())
        documents = home / "Documents";

    AppFolders folders;
    folders.SettingsFolder = StandardSettingsFolder();
    folders.DocumentsFolder = documents / "Dalk" / "Clivora" / "";
    // A folder that cannot be made shows up later as a read or write error of the file in it.
    std::error_code ignored;
    fs::create_directories(folders.SettingsFolder, ignored);
    fs::create_directories(folders.DocumentsFolder, ignored);
    return folders;
}

std::optional<std::string> WriteSettings(const AppFolders& folders, const Settings& settings)
{
    const std::array<std::string, kRecordCount> values = {
        settings.RecentFiles[0], settings.RecentFiles[1], settings.RecentFiles[2], settings.RecentFiles[3],
        settings.UserNameLine1, settings.UserNameLine2, settings.PrinterFont,
        settings.LabelBoldFlag ? "-1" : "0",
        GeneralNumber(settings.LeftMargin), GeneralNumber(settings.TopMargin),
        GeneralNumber(settings.RightMargin), GeneralNumber(settings.BottomMargin),
    };
    std::string text = std::string(kSectionLine) + kLineEnd;
    for (std::size_t i = 0; i < kRecordCount; ++i)
        text += Quoted(kKeys[i]) + "," + Quoted(values[i]) + kLineEnd;

    // Written beside the target and renamed over it, so a failed write leaves the old file whole.
    const fs::path target = folders.SettingsFolder / kSettingsFileName;
    const fs::path temporary = folders.SettingsFolder / (std::string(kSettingsFileName) + ".tmp");
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.flush();
        if (!out) {
            std::error_code ignored;
            fs::remove(temporary, ignored);
            return std::string(kSettingsWriteErrorMessage);
        }
    }
    std::error_code error;
    fs::rename(temporary, target, error);
    if (error) {
        fs::remove(temporary, error);
        return std::string(kSettingsWriteErrorMessage);
    }
    return std::nullopt;
}

namespace {

/** The settings of the file as the program uses them; `complete` says whether every record was read. */
Settings ParseSettingsFile(const fs::path& settingsFolder, bool& complete)
{
    Settings settings;
    std::array<std::string*, 7> textTargets = {
        &settings.RecentFiles[0], &settings.RecentFiles[1], &settings.RecentFiles[2], &settings.RecentFiles[3],
        &settings.UserNameLine1, &settings.UserNameLine2, &settings.PrinterFont,
    };

    complete = false;
    std::ifstream in(settingsFolder / kSettingsFileName, std::ios::binary);
    if (in) {
        std::ostringstream content;
        content << in.rdbuf();
        RecordReader reader(content.str());
        if (reader.SkipLine()) {
            std::size_t read = 0;
            std::string key, value;
            for (; read < kRecordCount && reader.ReadPair(key, value); ++read) {
                // The bold flag and the margins are read into scratch values and never used.
                if (read < textTargets.size())
                    *textTargets[read] = value;
            }
            complete = read == kRecordCount;
        }
    }

    // Recent files keep their letter case: on a case-sensitive file system it is part of the name.
    ApplyFixedReportSettings(settings);
    return settings;
}

} // namespace

Settings ReadSettingsQuietly(const fs::path& settingsFolder)
{
    bool complete = false;
    return ParseSettingsFile(settingsFolder, complete);
}

fs::path StandardSettingsFolder()
{
    return ConfigHome() / "Dalk" / "Clivora" / "";
}

SettingsReadResult ReadSettings(const AppFolders& folders)
{
    SettingsReadResult result;
    bool complete = false;
    result.settings = ParseSettingsFile(folders.SettingsFolder, complete);
    if (!complete) {
        result.message = kSettingsFirstUseMessage;
        result.writeError = WriteSettings(folders, result.settings);
    }
    return result;
}

} // namespace clv
