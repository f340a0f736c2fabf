#pragma once

// The part of the main window below the tab strip that shows the cross-section:
// the drawing surface "SPic" and, beside it, the view controls. The window asks
// it for two things in every central refresh: set the view controls from the
// job, and redraw the section with the results of the tab that is showing.

#include "ui/main_context.h"

#include <QWidget>

class QLabel;

namespace clv::ui {

class SectionEditor;
class SpicWidget;
class ViewControls;


class DrawingArea : public QWidget {
    Q_OBJECT
public:
    DrawingArea(MainContext& ctx, QWidget* parent = nullptr);

    /** Sets the view check boxes and the grid increment box from the job's view settings. */
    void RefreshViewControls();

    /** Redraws the section with the results of the tab `currentTab`. */
    void Redraw(int currentTab);

    /** The status bar panels the drawing writes: "Current X", "Current Y" and the prompt area. */
    void ConnectStatusPanels(QLabel* currentX, QLabel* currentY, QLabel* prompt);

    /** New or Open replaced the job: no zoom or editing interaction survives it, and the view is fitted to it. */
    void JobReplaced();

    /** A grid increment typed but not yet committed is validated (false: refused, the user was told). */
    bool CommitPendingEdit();

    /** The drawing surface itself. */
    QWidget* Surface() const;
    SpicWidget* Spic() const { return spic_; }
    SectionEditor* Editor() const { return editor_; }
    ViewControls* Controls() const { return controls_; }

private:
    MainContext& ctx_;
    SpicWidget* spic_ = nullptr;
    SectionEditor* editor_ = nullptr;
    ViewControls* controls_ = nullptr;
};

} // namespace clv::ui
