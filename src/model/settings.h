#pragma once

// The per-installation settings file "Clivora.ini": recent job files, the two
// user lines printed on every page, and the report font and margins.

#include <array>
#include <filesystem>
#include <optional>
#include <string>

namespace clv {

struct Settings {
    std::array<std::string, 4> RecentFiles; // most recent first, exactly as the file dialog gave them
    std::string UserNameLine1;
    std::string UserNameLine2;
    std::string PrinterFont = "Arial";
    bool LabelBoldFlag = true;
    float LeftMargin = 15.0f;
    float TopMargin = 3.0f;
    float RightMargin = 3.0f;
    float BottomMargin = 3.0f;
};

/** Where the program keeps its files; the front end fixes them at start-up, tests point them at a temp folder. */
struct AppFolders {
    std::filesystem::path SettingsFolder;  // holds Clivora.ini and the page images
    std::filesystem::path DocumentsFolder; // default folder of the file dialogs
};

/**
 * The Linux folders: $XDG_CONFIG_HOME/Dalk/Clivora/ (default ~/.config/Dalk/Clivora/)
 * and the XDG documents folder + Dalk/Clivora/. Both are created when missing.
 */
AppFolders StandardAppFolders();

extern const char* const kSettingsFileName;       // "Clivora.ini"
extern const char* const kSettingsFirstUseMessage;
extern const char* const kSettingsWriteErrorMessage;

struct SettingsReadResult {
    Settings settings;
    std::optional<std::string> message; // the first-use message, when it must be shown
    std::optional<std::string> writeError; // set when the rewrite after the first-use message failed
};

/**
 * Reads Clivora.ini from the settings folder. When the file is missing or a
 * record cannot be read, the message is returned and the file is written anew.
 * Font, bold flag and margins always come back as their defaults.
 */
SettingsReadResult ReadSettings(const AppFolders& folders);

/**
 * The settings of Clivora.ini as ReadSettings gives them, for a program that
 * only reads them (the command line): nothing is written or created, and a
 * missing or damaged file gives what is readable of it over the defaults.
 */
Settings ReadSettingsQuietly(const std::filesystem::path& settingsFolder);

/** The settings folder of StandardAppFolders(), without creating it. */
std::filesystem::path StandardSettingsFolder();

/** Writes Clivora.ini; returns the write error message on failure. */
std::optional<std::string> WriteSettings(const AppFolders& folders, const Settings& settings);

} // namespace clv
