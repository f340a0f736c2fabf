#include "ui/file_commands.h"

#include "model/job_file.h"
#include "ui/interaction.h"
#include "ui/recent_files.h"

#include <QFileInfo>

#include <filesystem>

namespace clv::ui {

const char* const kProgramTitle = "Dalk Clivora";
const char* const kSavePromptText = "Save current data ?";
const char* const kInvalidFileNameText = "Invalid file name, aborting save routine";
const char* const kFileNoLongerExistsText = "File no longer exists";
const char* const kOpenFilter = "Dalk Clivora (*.clv);; All files (*.*)";
const char* const kSaveFilter = "Dalk Clivora (*.clv);; All files (*.*)";

QString OverwriteQuestion(const QString& path)
{
    return "File " + path + " already exists.\rDo you wish to overwrite this file";
}

namespace {

namespace fs = std::filesystem;

QString FromStd(const std::string& text)
{
    return QString::fromStdString(text);
}

bool Exists(const std::string& path)
{
    std::error_code ec;
    return fs::exists(fs::path(path), ec);
}

} // namespace

FileCommands::FileCommands(JobSession& session, Settings& settings, Interaction& interaction,
                           const AppFolders& folders, Hooks hooks)
    : session_(session), settings_(settings), interaction_(interaction), folders_(folders), hooks_(std::move(hooks))
{
}

bool FileCommands::Commit()
{
    return !hooks_.commitPendingEdit || hooks_.commitPendingEdit();
}

void FileCommands::Tell(const QString& text)
{
    interaction_.Message(kProgramTitle, text, Interaction::Icon::None, Interaction::Buttons::Ok);
}

bool FileCommands::IsUntitled() const
{
    return QString::fromStdString(session_.JobFileTitle).compare("untitled", Qt::CaseInsensitive) == 0;
}

QString FileCommands::DialogStartPath() const
{
    // A new job's path is the bare word "untitled": the dialog starts in the documents folder.
    const fs::path path(session_.JobFilePath);
    if (path.is_absolute())
        return FromStd(session_.JobFilePath);
    return FromStd((folders_.DocumentsFolder / path).string());
}

bool FileCommands::ConfirmDiscard()
{
    if (!session_.JobModified)
        return true;
    switch (interaction_.Message(kProgramTitle, kSavePromptText, Interaction::Icon::Question,
                                 Interaction::Buttons::YesNoCancel)) {
    case Interaction::Answer::No: return true;
    case Interaction::Answer::Yes:
        // A job that has no file yet gets one through Save As; a cancelled or failed save stops the action.
        return IsUntitled() ? SaveUnderNewName() : SaveUnderCurrentName();
    default: return false;
    }
}

void FileCommands::New()
{
    if (!Commit() || !ConfirmDiscard())
        return;
    NewJob(session_); // names the job "untitled" and selects soil 1
    session_.JobFilePath = "untitled";
    session_.JobFileTitle = "untitled";
    session_.CurrentSoil = 1;
    hooks_.setCaptionName("untitled");
    hooks_.jobReplaced();
}

void FileCommands::Adopted()
{
    session_.CurrentSoil = 1;
    hooks_.setCaptionName(FromStd(session_.JobFileTitle));
    hooks_.recentFilesChanged();
    hooks_.jobReplaced();
}

void FileCommands::Open()
{
    if (!Commit() || !ConfirmDiscard())
        return;
    const std::optional<QString> name = interaction_.OpenFileName("Open", DialogStartPath(), kOpenFilter);
    if (!name)
        return;
    const std::string path = name->toStdString(); // exactly as the dialog gave it
    if (std::optional<std::string> error = OpenJob(session_, path)) {
        Tell(FromStd(*error));
        return;
    }
    RecentAfterOpen(settings_.RecentFiles, path);
    Adopted();
}

void FileCommands::OpenRecent(int k)
{
    if (k < 1 || k > 4)
        return;
    const std::string entry = settings_.RecentFiles[static_cast<std::size_t>(k - 1)];
    if (entry.empty())
        return;
    if (k == 1 && entry == session_.JobFilePath)
        return;
    if (!Exists(entry)) {
        Tell(kFileNoLongerExistsText);
        return;
    }
    if (!Commit() || !ConfirmDiscard())
        return;
    if (std::optional<std::string> error = OpenJob(session_, entry)) {
        Tell(FromStd(*error));
        return;
    }
    RecentAfterChoice(settings_.RecentFiles, k);
    Adopted();
}

bool FileCommands::Save()
{
    if (!Commit())
        return false;
    return IsUntitled() ? SaveUnderNewName() : SaveUnderCurrentName();
}

bool FileCommands::SaveAs()
{
    if (!Commit())
        return false;
    return SaveUnderNewName();
}

bool FileCommands::SaveUnderCurrentName()
{
    if (std::optional<std::string> error = SaveJob(session_)) {
        Tell(FromStd(*error));
        return false;
    }
    hooks_.setCaptionName(FromStd(session_.JobFileTitle));
    hooks_.jobSaved();
    return true;
}

bool FileCommands::SaveUnderNewName()
{
    const std::optional<QString> name = interaction_.SaveFileName("Save As", DialogStartPath(), kSaveFilter);
    if (!name)
        return false;
    std::string path = name->toStdString();
    const std::string title = FileTitleOf(path);
    std::error_code ec;
    if (title.empty() || fs::is_directory(fs::path(path), ec)) {
        Tell(kInvalidFileNameText);
        return false;
    }
    // The extension rule comes first, so the question names the file that would really be replaced.
    if (title.find('.') == std::string::npos)
        path += ".clv";
    if (Exists(path) && interaction_.Message(kProgramTitle, OverwriteQuestion(FromStd(path)),
                                             Interaction::Icon::Question,
                                             Interaction::Buttons::YesNo) != Interaction::Answer::Yes)
        return false;

    // The session names the new file only once the file has really been written.
    const std::string oldPath = session_.JobFilePath;
    const std::string oldTitle = session_.JobFileTitle;
    session_.JobFilePath = path;
    session_.JobFileTitle = FileTitleOf(path);
    if (std::optional<std::string> error = SaveJob(session_)) {
        session_.JobFilePath = oldPath;
        session_.JobFileTitle = oldTitle;
        Tell(FromStd(*error));
        return false;
    }
    hooks_.setCaptionName(FromStd(session_.JobFilePath));
    RecentAfterSaveAs(settings_.RecentFiles, session_.JobFilePath);
    hooks_.recentFilesChanged();
    hooks_.jobSaved();
    return true;
}

bool FileCommands::ConfirmClose()
{
    const bool mayClose = Commit() && ConfirmDiscard();
    // The settings are written whatever the answer, Cancel included.
    if (std::optional<std::string> error = WriteSettings(folders_, settings_))
        Tell(FromStd(*error));
    return mayClose;
}

} // namespace clv::ui
