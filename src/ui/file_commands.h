#pragma once

// The File menu's work on the session: New, Open, Save, Save As, the recent
// files, and the question "Save current data ?" before the job is replaced or
// the window closes. Every command first commits the value still open in an
// editor; a refused value abandons the command. A destructive command goes on
// only when the user said No, or said Yes and the save really happened.

#include "model/job.h"
#include "model/settings.h"

#include <QString>

#include <functional>

namespace clv::ui {

class Interaction;

extern const char* const kProgramTitle;        // "Dalk Clivora": title of the program's message boxes
extern const char* const kSavePromptText;      // "Save current data ?"
extern const char* const kInvalidFileNameText; // "Invalid file name, aborting save routine"
extern const char* const kFileNoLongerExistsText;
extern const char* const kOpenFilter;
extern const char* const kSaveFilter;

/** "File <path> already exists." + CR + "Do you wish to overwrite this file" */
QString OverwriteQuestion(const QString& path);

class FileCommands {
public:
    struct Hooks {
        std::function<bool()> commitPendingEdit; // false: a value was refused, abandon
        std::function<void(const QString&)> setCaptionName;
        std::function<void()> recentFilesChanged;
        std::function<void()> jobReplaced;       // New or Open put a different job in the session
        std::function<void()> jobSaved;          // the file now holds the job
    };

    FileCommands(JobSession& session, Settings& settings, Interaction& interaction, const AppFolders& folders,
                 Hooks hooks);

    void New();
    void Open();
    bool Save();
    bool SaveAs();
    /** Recent-file entry k (1..4) chosen from the menu. */
    void OpenRecent(int k);
    /** The closing sequence before the window goes: true when it may close. The settings are written either way. */
    bool ConfirmClose();

    /** "Save current data ?" when the job is modified: true when the action may go on. */
    bool ConfirmDiscard();

private:
    bool Commit();
    bool SaveUnderCurrentName();
    bool SaveUnderNewName();
    bool IsUntitled() const;
    QString DialogStartPath() const;
    void Tell(const QString& text);
    void Adopted(); // after a successful open: caption and fresh state

    JobSession& session_;
    Settings& settings_;
    Interaction& interaction_;
    const AppFolders& folders_;
    Hooks hooks_;
};

} // namespace clv::ui
