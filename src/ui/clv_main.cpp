#include "ui/clv_main.h"

#include "analysis/reinforcement.h"
#include "ground/section_table.h"
#include "model/job_file.h"
#include "ui/app_icon.h"
#include "ui/drawing_area.h"
#include "ui/editing/section_editor.h"
#include "ui/file_commands.h"
#include "ui/help_commands.h"
#include "ui/page_image_folder.h"
#include "ui/qt_interaction.h"
#include "ui/recent_files.h"
#include "ui/tab_guard.h"
#include "ui/tabs/tab_pages.h"
#include "ui/undo_history.h"
#include "ui/window_size.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <filesystem>

namespace clv::ui {

ClvMain::ClvMain(ClvMainOptions options, QWidget* parent)
    : QMainWindow(parent), folders_(std::move(options.folders)), history_(std::make_unique<UndoHistory>())
{
    setObjectName("ClvMain");
    setWindowIcon(AppIcon());
    if (!options.interaction) {
        ownInteraction_ = std::make_unique<QtInteraction>(this);
        options.interaction = ownInteraction_.get();
    }
    ctx_.session = &session_;
    ctx_.settings = &settings_;
    ctx_.interaction = options.interaction;
    pageImages_ = std::make_unique<PageImageFolder>(folders_.SettingsFolder);
    ctx_.pageImages = pageImages_.get();
    ctx_.folders = &folders_;
    ctx_.BeginEdit = [this] { BeginEdit(); };
    ctx_.EndEdit = [this] { EndEdit(); };
    ctx_.RefreshAll = [this] { RefreshAll(); };
    ctx_.StartEditMode = [this](int mode, int promptMode) { drawing_->Editor()->StartMode(mode, promptMode); };

    FileCommands::Hooks hooks;
    hooks.commitPendingEdit = [this] {
        TabPage* page = Page(currentTab_);
        return (!page || page->CommitPendingEdit()) && drawing_->CommitPendingEdit();
    };
    hooks.setCaptionName = [this](const QString& name) { SetCaptionName(name); };
    hooks.recentFilesChanged = [this] { UpdateRecentFilesMenu(); };
    hooks.jobReplaced = [this] { JobReplaced(); };
    hooks.jobSaved = [this] {
        history_->MarkSaved(session_.job);
        UpdateUndoActions();
    };
    files_ = std::make_unique<FileCommands>(session_, settings_, *ctx_.interaction, folders_, std::move(hooks));

    BuildMenus();
    BuildCentralArea(options.createPages);
    BuildStatusBar();
    StartUp(options.commandLineJob);
}

ClvMain::~ClvMain() = default;

TabPage* ClvMain::Page(int index) const
{
    return index >= 0 && index < static_cast<int>(pages_.size()) ? pages_[static_cast<std::size_t>(index)] : nullptr;
}

QLabel* ClvMain::StatusPanel(int index) const
{
    return index >= 0 && index < static_cast<int>(statusPanels_.size())
               ? statusPanels_[static_cast<std::size_t>(index)]
               : nullptr;
}

QAction* ClvMain::RecentFileAction(int k) const
{
    return k >= 1 && k <= static_cast<int>(recentActions_.size()) ? recentActions_[static_cast<std::size_t>(k - 1)]
                                                                   : nullptr;
}

void ClvMain::BuildMenus()
{
    auto addAction = [this](QMenu* menu, const char* caption, const char* name, QKeySequence key,
                            auto handler) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        if (!key.isEmpty())
            action->setShortcut(key);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };

    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("FileMenu");
    addAction(file, "&New", "FileNew", QKeySequence::New, [this] { files_->New(); });
    addAction(file, "&Open...", "FileOpen", QKeySequence::Open, [this] { files_->Open(); });
    addAction(file, "&Save", "FileFileSave", QKeySequence::Save, [this] { files_->Save(); });
    addAction(file, "Save &As...", "FileFileSaveAs", QKeySequence::SaveAs, [this] { files_->SaveAs(); });
    file->addSeparator();
    for (int k = 1; k <= 4; ++k) {
        QAction* action = file->addAction(QString());
        action->setObjectName(QString("LastFiles%1").arg(k));
        connect(action, &QAction::triggered, this, [this, k] { files_->OpenRecent(k); });
        recentActions_.push_back(action);
    }
    recentSeparator_ = file->addSeparator();
    recentSeparator_->setObjectName("FileSep4");
    addAction(file, "E&xit", "FileExit", QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { close(); });

    QMenu* edit = menuBar()->addMenu("&Edit");
    edit->setObjectName("EditMenu");
    undoAction_ = addAction(edit, "&Undo", "EditUndo", QKeySequence(), [this] { Undo(); });
    undoAction_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
    redoAction_ = addAction(edit, "&Redo", "EditRedo", QKeySequence(), [this] { Redo(); });
    redoAction_->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});

    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("HelpMenu");
    auto& io = *ctx_.interaction;
    addAction(help, "&Contents", "HelpContents", QKeySequence::HelpContents, [&io] { ShowHelpContents(io); });
    addAction(help, "&Search for help on...", "HelpSearch", QKeySequence(), [] {});
    help->addSeparator();
    addAction(help, "&Manuals", "HelpManuals", QKeySequence(), [&io] { OpenManual(io); });
    addAction(help, "&Demonstrations", "HelpDemonstrations", QKeySequence(), [&io] { OpenDemonstrations(io); });
    help->addSeparator();
    addAction(help, "&About Dalk Clivora...", "HelpAbout", QKeySequence(), [&io] { ShowAbout(io); });
}

void ClvMain::BuildCentralArea(const std::function<std::vector<TabPage*>(MainContext&, QWidget*)>& createPages)
{
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 4); // 60 twips

    tabs_ = new QTabWidget(central);
    tabs_->setObjectName("MainTabs");
    tabs_->setAccessibleName("Main tabs");
    pages_ = createPages ? createPages(ctx_, tabs_) : CreateTabPages(ctx_, tabs_);
    for (int i = 0; i < static_cast<int>(pages_.size()); ++i)
        tabs_->addTab(pages_[static_cast<std::size_t>(i)], TabCaption(i));
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) { OnTabChanged(index); });
    layout->addWidget(tabs_, 2);

    // The cross-section below the tabs; the printing tab hides it for its page preview.
    drawing_ = new DrawingArea(ctx_, central);
    drawingFrame_ = drawing_;
    layout->addWidget(drawing_, 3);

    setCentralWidget(central);
}

void ClvMain::BuildStatusBar()
{
    for (const char* text : {"Current X", "Current Y", "Prompt area"}) {
        auto* panel = new QLabel(text, this);
        panel->setAccessibleName(text);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setMinimumWidth(120);
        statusBar()->addWidget(panel, text == std::string("Prompt area") ? 1 : 0);
        statusPanels_.push_back(panel);
    }
    drawing_->ConnectStatusPanels(statusPanels_[0], statusPanels_[1], statusPanels_[2]);
}

void ClvMain::SetCaptionName(const QString& name)
{
    setWindowTitle("Dalk Clivora (" + name.toLower() + ")");
}

void ClvMain::UpdateRecentFilesMenu()
{
    bool any = false;
    for (int k = 1; k <= 4; ++k) {
        QAction* action = recentActions_[static_cast<std::size_t>(k - 1)];
        const std::string& path = settings_.RecentFiles[static_cast<std::size_t>(k - 1)];
        action->setVisible(!path.empty());
        if (!path.empty()) {
            action->setText(RecentCaption(k, path));
            any = true;
        }
    }
    recentSeparator_->setVisible(any);
}

void ClvMain::SizeAndCentre()
{
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    setMinimumSize(TwipsToPixels(kMinimumWidthTwips, dpi), TwipsToPixels(kMinimumHeightTwips, dpi));
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize size = WindowSizeForScreen(area.size(), dpi);
    resize(size.expandedTo(minimumSize()));
    move(area.center() - QPoint(width() / 2, height() / 2));
}

void ClvMain::StartUp(const std::optional<QString>& commandLineJob)
{
    Interaction& io = *ctx_.interaction;
    std::error_code ec;
    std::filesystem::create_directories(folders_.SettingsFolder, ec);
    std::filesystem::create_directories(folders_.DocumentsFolder, ec);

    SettingsReadResult read = ReadSettings(folders_);
    settings_ = read.settings;
    if (read.message)
        io.Message(kProgramTitle, QString::fromStdString(*read.message), Interaction::Icon::None,
                   Interaction::Buttons::Ok);
    if (read.writeError)
        io.Message(kProgramTitle, QString::fromStdString(*read.writeError), Interaction::Icon::None,
                   Interaction::Buttons::Ok);

    QApplication::setOverrideCursor(Qt::WaitCursor);
    ctx_.Refreshing = true;
    UpdateRecentFilesMenu();

    NewJob(session_);
    session_.JobFilePath = (folders_.DocumentsFolder / "untitled").string();
    session_.JobFileTitle = "untitled";
    SetCaptionName("untitled");
    SizeAndCentre();

    if (commandLineJob && !commandLineJob->trimmed().isEmpty()) {
        // A path handed over by a shell or a file manager may come in double quotes.
        QString path = commandLineJob->trimmed();
        path.remove('"');
        if (std::optional<std::string> error = OpenJob(session_, path.toStdString()))
            io.Message(kProgramTitle, QString::fromStdString(*error), Interaction::Icon::None,
                       Interaction::Buttons::Ok);
        else
            SetCaptionName(QString::fromStdString(session_.JobFileTitle));
    }

    session_.JobModified = false;
    history_->Reset(session_.job, true);
    UpdateUndoActions();
    QApplication::restoreOverrideCursor();
    ctx_.Refreshing = false;
    RefreshAll();
}

void ClvMain::RefreshAll()
{
    if (inRefresh_)
        return; // a page's refresh asking for another one: the running refresh covers it
    inRefresh_ = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ctx_.Refreshing = true;

    if (session_.JobRefreshPending) {
        session_.SlipResultsStale = session_.DefinedResultsStale = session_.WedgeResultsStale = true;
        session_.JobRefreshPending = false;
    }
    // The selected row of the soils table must name a soil or the water surface of this job.
    session_.CurrentSoil = std::clamp(session_.CurrentSoil, 1, session_.job.SoilCount() + 1);

    drawing_->RefreshViewControls();
    const bool printing = currentTab_ == kPrintingTab;
    drawingFrame_->setVisible(!printing);
    statusBar()->setVisible(!printing);

    // The reinforcement layers are laid against the ground surface, so the section table comes first.
    ctx_.table = BuildSectionTable(session_.job);
    ctx_.layers = BuildReinforcementLayers(session_.job, ctx_.table);

    if (TabPage* page = Page(currentTab_))
        page->RefreshPage();
    drawing_->Redraw(currentTab_);

    ctx_.Refreshing = false;
    QApplication::restoreOverrideCursor();
    inRefresh_ = false;
}

void ClvMain::SelectTab(int index)
{
    tabs_->setCurrentIndex(index);
}

void ClvMain::OnTabChanged(int index)
{
    if (switchingBack_ || ctx_.Refreshing) {
        currentTab_ = index;
        return;
    }
    const int left = currentTab_;
    if (TabPage* page = Page(left); page && left != index)
        page->LeavingPage();

    const LayerList layers = BuildReinforcementLayers(session_.job, BuildSectionTable(session_.job));
    if (std::optional<TabRefusal> refusal = TabEntryRefusal(session_.job, layers, index)) {
        ctx_.interaction->Message(refusal->title, refusal->text,
                                  refusal->exclamation ? Interaction::Icon::Exclamation : Interaction::Icon::None,
                                  Interaction::Buttons::Ok);
        // Back to the tab that was left, without checking it again; if an edit since has made that tab
        // fail too, to the first tab, which always passes. Two tabs never refuse each other in turn.
        const int back = TabEntryRefusal(session_.job, layers, left) ? kGeometryTab : left;
        switchingBack_ = true;
        tabs_->setCurrentIndex(back);
        switchingBack_ = false;
        currentTab_ = back;
    } else {
        currentTab_ = index;
    }
    RefreshAll();
}

void ClvMain::BeginEdit()
{
    history_->Snapshot(session_.job);
}

void ClvMain::EndEdit()
{
    history_->DropIfUnchanged(session_.job);
    session_.JobModified = !history_->IsSavedState(session_.job);
    session_.JobRefreshPending = true;
    UpdateUndoActions();
    RefreshAll();
}

void ClvMain::UpdateUndoActions()
{
    undoAction_->setEnabled(history_->CanUndo());
    redoAction_->setEnabled(history_->CanRedo());
}

void ClvMain::Undo()
{
    if (ctx_.Refreshing)
        return;
    if (TabPage* page = Page(currentTab_))
        page->LeavingPage(); // a value still open in an editor is dropped, not stored
    if (!history_->Undo(session_.job))
        return;
    session_.JobModified = !history_->IsSavedState(session_.job);
    session_.JobRefreshPending = true;
    UpdateUndoActions();
    RefreshAll();
}

void ClvMain::Redo()
{
    if (ctx_.Refreshing)
        return;
    if (TabPage* page = Page(currentTab_))
        page->LeavingPage();
    if (!history_->Redo(session_.job))
        return;
    session_.JobModified = !history_->IsSavedState(session_.job);
    session_.JobRefreshPending = true;
    UpdateUndoActions();
    RefreshAll();
}

void ClvMain::JobReplaced()
{
    drawing_->JobReplaced();
    history_->Reset(session_.job, !session_.JobModified);
    UpdateUndoActions();
    if (TabPage* page = Page(currentTab_); page && currentTab_ != kGeometryTab)
        page->LeavingPage();
    switchingBack_ = true;
    tabs_->setCurrentIndex(kGeometryTab);
    switchingBack_ = false;
    currentTab_ = kGeometryTab;
    session_.JobRefreshPending = true;
    RefreshAll();
}

void ClvMain::closeEvent(QCloseEvent* event)
{
    if (!files_->ConfirmClose()) {
        event->ignore();
        return;
    }
    DeletePageImages();
    event->accept();
}

void ClvMain::DeletePageImages()
{
    // The page pictures of the print previews live only as long as the program runs.
    pageImages_->Remove();
    // Page pictures written straight into the settings folder (by older versions) go too; another
    // running program keeps its pages in its own folder and loses none of them here.
    namespace fs = std::filesystem;
    std::error_code ec;
    for (fs::directory_iterator it(folders_.SettingsFolder, ec), end; !ec && it != end; it.increment(ec)) {
        const QString name = QString::fromStdString(it->path().filename().string());
        if (name.startsWith("image", Qt::CaseInsensitive) && name.endsWith(".bmp", Qt::CaseInsensitive)) {
            std::error_code ignored;
            fs::remove(it->path(), ignored);
        }
    }
}

} // namespace clv::ui
