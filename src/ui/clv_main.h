#pragma once

// The program's main window: menus, the eight-tab strip, the drawing area and
// the status bar around the one job of the session. It owns the job session,
// the settings and the context the pages share, and it runs the central
// refresh that every edit ends with.

#include "model/job.h"
#include "model/settings.h"
#include "ui/main_context.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QLabel;
class QTabWidget;

namespace clv::ui {

class DrawingArea;
class FileCommands;
class Interaction;
class TabPage;
class PageImageFolder;
class UndoHistory;

struct ClvMainOptions {
    AppFolders folders;                     // settings and documents folders, fixed by the caller
    Interaction* interaction = nullptr;     // nullptr: the window uses real message boxes and dialogs
    std::optional<QString> commandLineJob;  // the job named on the command line
    // Makes the eight tab pages; empty: the program's own pages (CreateTabPages). Tests put probes here.
    std::function<std::vector<TabPage*>(MainContext&, QWidget*)> createPages;
};

class ClvMain : public QMainWindow {
    Q_OBJECT
public:
    explicit ClvMain(ClvMainOptions options, QWidget* parent = nullptr);
    ~ClvMain() override;

    /** The central refresh: derived data, the current page, then the drawing. */
    void RefreshAll();

    MainContext& Context() { return ctx_; }
    JobSession& Session() { return session_; }
    Settings& AppSettings() { return settings_; }
    const AppFolders& Folders() const { return folders_; }
    QTabWidget* Tabs() const { return tabs_; }
    TabPage* Page(int index) const;
    DrawingArea* Drawing() const { return drawing_; }
    /** Status bar panels: 0 "Current X", 1 "Current Y", 2 "Prompt area". */
    QLabel* StatusPanel(int index) const;
    UndoHistory& History() { return *history_; }
    FileCommands& Files() { return *files_; }

    /** Selects a tab as the user does, with the entry checks. */
    void SelectTab(int index);

    /** The caption "Dalk Clivora (name)", the name in lower case. */
    void SetCaptionName(const QString& name);

    /** Rebuilds the four recent-file entries of the File menu from the settings. */
    void UpdateRecentFilesMenu();
    QAction* RecentFileAction(int k) const; // k = 1..4

    void Undo();
    void Redo();

    /** After New or Open replaced the job: first tab, no history, refresh. */
    void JobReplaced();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void BuildStatusBar();
    void BuildCentralArea(const std::function<std::vector<TabPage*>(MainContext&, QWidget*)>& createPages);
    void SizeAndCentre();
    void StartUp(const std::optional<QString>& commandLineJob);
    void OnTabChanged(int index);
    void BeginEdit();
    void EndEdit();
    void UpdateUndoActions();
    void DeletePageImages();

    AppFolders folders_;
    JobSession session_;
    Settings settings_;
    MainContext ctx_;
    std::unique_ptr<Interaction> ownInteraction_;
    std::unique_ptr<UndoHistory> history_;
    std::unique_ptr<FileCommands> files_;
    std::unique_ptr<PageImageFolder> pageImages_;

    QTabWidget* tabs_ = nullptr;
    std::vector<TabPage*> pages_;
    DrawingArea* drawing_ = nullptr;
    QWidget* drawingFrame_ = nullptr;
    std::vector<QLabel*> statusPanels_;
    std::vector<QAction*> recentActions_;
    QAction* recentSeparator_ = nullptr;
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
    int currentTab_ = 0;
    bool switchingBack_ = false;
    bool inRefresh_ = false;
};

} // namespace clv::ui
