#pragma once

// SPic: the drawing surface of the main window. It paints the section through
// the section painter, owns the view (origin, scale, the ten-view history) and
// the zoom interactions (window, pan), shows the cursor position, the snap
// marker and the zoom rubber band as overlays, and offers the pop-up menu's
// view entries. Clicks of the editing modes are passed on through
// EditClick; the editing itself lives elsewhere.

#include "drawing/section_painter.h"
#include "drawing/view.h"
#include "ui/main_context.h"

#include <QPointF>
#include <QWidget>

#include <optional>

class QMenu;
class QAction;

namespace clv::ui {

class SpicWidget : public QWidget {
    Q_OBJECT
public:
    // ZoomMode values.
    static constexpr int kZoomNone = 0;
    static constexpr int kZoomFirstCorner = 1;
    static constexpr int kZoomSecondCorner = 2;
    static constexpr int kZoomPan = 3;

    explicit SpicWidget(MainContext& ctx, QWidget* parent = nullptr);

    /**
     * What the drawing shows besides the job: the tab that is showing and its
     * latest results (null when none). The window sets them in its refresh,
     * before Redraw(); the pointers must stay valid until the next call.
     */
    void SetResults(int tab, const CircleSearchResult* circles, const DefinedSurfaceResult* defined,
                    const WedgeSearchResult* wedges, bool showFactors);

    /** The final step of the central refresh: fit the view when none is set, then repaint. */
    void Redraw();

    // The zoom commands. Each that changes the view ends with the central refresh.
    void ZoomLimits();
    void StartZoomWindow();
    void ZoomPrevious();
    void StartPan();
    void ZoomIn();
    void ZoomOut();
    /** Right click, Escape or F4: ends any zoom or editing interaction, clears the prompt, redraws. */
    void CancelInteraction();
    /** New and Open: no interaction survives the job it was started on; the view is fitted to the new job. */
    void ResetForNewJob();

    int ZoomMode() const { return zoomMode_; }
    /** The editing mode (0 none, 1..6), set by the editing code; modes 1, 2, 5 and 6 place points and snap. */
    int EditMode() const { return editMode_; }
    /**
     * Sets the editing mode and its prompt (empty clears it). A mode that waits
     * for clicks ends a zoom interaction, shows the cross-hair and takes the focus.
     */
    void SetEditMode(int mode, const QString& prompt = QString());

    bool ZoomInEnabled() const { return drawing::ZoomInEnabled(view_); }
    bool PreviousEnabled() const { return history_.PreviousEnabled(); }

    drawing::View& View() { return view_; }
    const drawing::View& View() const { return view_; }
    drawing::ViewHistory& History() { return history_; }
    drawing::SurfaceSize Surface() const;

    /** World point under a surface point, snapped to the grid when snapping applies. */
    QPointF WorldAt(QPointF surface) const;
    /** Whether placed points snap: "Snap to grid" ticked and a point-placing editing mode active. */
    bool SnapApplies() const;

    /** The pop-up menu: the editing entries go first (added by the editing code), then the view entries. */
    QMenu* PopUp() const { return popUp_; }

signals:
    /** The "Current X" and "Current Y" read-outs. */
    void CursorMoved(const QString& x, const QString& y);
    /** The prompt panel of the status bar; empty clears it. */
    void PromptChanged(const QString& prompt);
    /** The enabled state of "In" or "Previous" may have changed. */
    void ViewStateChanged();
    /** A left click in an editing mode, at the (snapped) world point. */
    void EditClick(QPointF world);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FitToJob();
    void EndZoomMode();
    void SetPrompt(const QString& prompt);
    void ViewChangedRefresh();
    void UpdateCursorShape();
    void DrawOverlays(QPainter& painter) const;
    QAction* AddViewAction(const QString& text, void (SpicWidget::*slot)());

    MainContext& ctx_;
    drawing::View view_;
    drawing::ViewHistory history_;
    drawing::SectionScene results_; // tab, results and factors flag; the job part is filled at paint time
    int zoomMode_ = kZoomNone;
    int editMode_ = 0;
    bool promptShown_ = false;
    QPointF firstCorner_;
    std::optional<QPointF> bandCorner_;
    std::optional<QPointF> snapMarker_; // world
    QMenu* popUp_ = nullptr;
    QAction* showGridAction_ = nullptr;
    QAction* snapAction_ = nullptr;
};

} // namespace clv::ui
