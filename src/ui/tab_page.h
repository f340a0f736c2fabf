#pragma once

// One page of the main window's tab strip. The main window calls RefreshPage()
// as the "refresh of the current tab" step of RefreshAll(), with
// ctx.Refreshing set, so filling the controls triggers no edits.

#include "ui/main_context.h"

#include <QWidget>

namespace clv::ui {

class TabPage : public QWidget {
    Q_OBJECT
public:
    TabPage(MainContext& ctx, QWidget* parent = nullptr) : QWidget(parent), ctx_(ctx) {}

    /** Fills the page's controls from the job (and for an analysis tab runs the analysis when stale). */
    virtual void RefreshPage() = 0;

    /**
     * Before a File command or closing: commit an open cell editor, or validate
     * the focused text box when TextEdited is set. false: the value was refused
     * (the user was told), and the command is abandoned.
     */
    virtual bool CommitPendingEdit() { return true; }

    /** The tab strip is leaving this page: hide a floating cell editor without storing it. */
    virtual void LeavingPage() {}

protected:
    MainContext& ctx_;
};

} // namespace clv::ui
