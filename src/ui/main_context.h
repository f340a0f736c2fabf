#pragma once

// What the main window shares with its tab pages, tables and dialogs: the one
// job of the session, the settings, the derived ground model, the dialogs
// interface, and the central refresh. Pages never own job data; they read it in
// RefreshPage() and write it through an edit bracket:
//
//     ctx.BeginEdit();            // undo snapshot of the job as it is now
//     ctx.session->job.X = v;     // write the job
//     ctx.EndEdit();              // JobModified, JobRefreshPending, RefreshAll()
//
// While ctx.Refreshing is set, the controls' own change events must do nothing.

#include "analysis/reinforcement.h"
#include "ui/analysis_cache.h"
#include "ground/section_table.h"
#include "model/job.h"
#include "model/settings.h"

#include <functional>

namespace clv::ui {

class Interaction;
class PageImageFolder;

struct MainContext {
    JobSession* session = nullptr;   // the one job of the session (owned by ClvMain)
    Settings* settings = nullptr;    // Clivora.ini (owned by ClvMain)
    Interaction* interaction = nullptr;
    PageImageFolder* pageImages = nullptr; // the print previews' page pictures (owned by ClvMain)
    const AppFolders* folders = nullptr;   // where Clivora.ini is written (owned by ClvMain)

    // Derived from the job at the start of every RefreshAll(), never saved.
    SectionTable table;
    LayerList layers;

    bool Refreshing = false;
    bool TextEdited = false; // a text box holds a typed value not yet validated

    // The analyses of the session and their latest results (the analysis tabs run
    // them; the drawing and the reports read analyses.Results()).
    AnalysisCache analyses;
    // "Show stability factors on grid" of the slip circle tab: the drawing writes
    // the lowest factor of each centre when it is set.
    bool ShowFactorsOnGrid = false;

    std::function<void()> BeginEdit;  // snapshot for undo; call before writing the job
    std::function<void()> EndEdit;    // after writing: marks the job modified and refreshes everything
    std::function<void()> RefreshAll; // the central refresh (no change to the job)
    // Starts an editing mode of the drawing (1..6; 0 ends any) with the prompt of
    // `promptMode` (0: the mode's own). Empty when no drawing is shown.
    std::function<void(int mode, int promptMode)> StartEditMode;
};

} // namespace clv::ui
