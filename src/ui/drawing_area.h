#pragma once

// The part of the main window below the tab strip that shows the cross-section:
// the drawing surface "SPic" and, beside it, the view controls. The window asks
// it for two things in every central refresh: set the view controls from the
// job, and redraw the section with the results of the tab that is showing.

#include "ui/main_context.h"

#include <QWidget>

namespace clv::ui {

class DrawingArea : public QWidget {
    Q_OBJECT
public:
    DrawingArea(MainContext& ctx, QWidget* parent = nullptr);

    /** Sets the view check boxes and the grid increment box from the job's view settings. */
    void RefreshViewControls();

    /** Redraws the section with the results of the tab `currentTab`. */
    void Redraw(int currentTab);

    /** The drawing surface itself. */
    QWidget* Surface() const { return surface_; }

private:
    MainContext& ctx_;
    QWidget* surface_ = nullptr;
};

} // namespace clv::ui
