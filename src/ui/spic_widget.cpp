#include "ui/spic_widget.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

namespace clv::ui {

namespace {

const char* const kFirstCornerPrompt = "Click on first corner of zoom window. (Escape or right click to cancel)";
const char* const kSecondCornerPrompt = "Click on second corner of zoom window. (Escape or right click to cancel)";
const char* const kPanPrompt = "Click on new centre of view. (Escape or right click to cancel)";

bool PlacesPoints(int editMode)
{
    return editMode == 1 || editMode == 2 || editMode == 5 || editMode == 6;
}

} // namespace

SpicWidget::SpicWidget(MainContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx)
{
    setObjectName("SPic");
    setAccessibleName("Cross-section drawing");
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 150);

    popUp_ = new QMenu(this);
    popUp_->setObjectName("PopUp");
    QAction* limits = AddViewAction("Zoom limits", &SpicWidget::ZoomLimits);
    limits->setObjectName("PopUpZoomLimits");
    QAction* window = AddViewAction("Zoom window", &SpicWidget::StartZoomWindow);
    window->setObjectName("PopUpZoomWindow");
    popUp_->addSeparator();
    showGridAction_ = popUp_->addAction("Show grid");
    showGridAction_->setObjectName("PopUpShowGrid");
    showGridAction_->setCheckable(true);
    showGridAction_->setChecked(true);
    connect(showGridAction_, &QAction::triggered, this, [this](bool on) {
        if (ctx_.session == nullptr)
            return;
        ctx_.session->job.View.ShowGrid = ToFlag(on);
        ctx_.RefreshAll ? ctx_.RefreshAll() : Redraw();
    });
    snapAction_ = popUp_->addAction("Snap to grid");
    snapAction_->setObjectName("PopUpSnapToGrid");
    snapAction_->setCheckable(true);
    snapAction_->setChecked(true);
    connect(snapAction_, &QAction::triggered, this, [this](bool on) {
        if (ctx_.session == nullptr)
            return;
        ctx_.session->job.View.SnapToGrid = ToFlag(on);
        ctx_.RefreshAll ? ctx_.RefreshAll() : Redraw();
    });
    connect(popUp_, &QMenu::aboutToShow, this, [this] {
        if (ctx_.session == nullptr)
            return;
        showGridAction_->setChecked(IsSet(ctx_.session->job.View.ShowGrid));
        snapAction_->setChecked(IsSet(ctx_.session->job.View.SnapToGrid));
    });
}

QAction* SpicWidget::AddViewAction(const QString& text, void (SpicWidget::*slot)())
{
    QAction* action = popUp_->addAction(text);
    connect(action, &QAction::triggered, this, slot);
    return action;
}

void SpicWidget::SetResults(int tab, const CircleSearchResult* circles, const DefinedSurfaceResult* defined,
                            const WedgeSearchResult* wedges, bool showFactors)
{
    results_.tab = tab;
    results_.circles = circles;
    results_.defined = defined;
    results_.wedges = wedges;
    results_.showFactors = showFactors;
}

drawing::SurfaceSize SpicWidget::Surface() const
{
    return drawing::SurfaceSize{static_cast<double>(width()), static_cast<double>(height())};
}

void SpicWidget::FitToJob()
{
    if (ctx_.session == nullptr)
        return;
    // The fitted extents stay with the view: written into the job they would
    // change its bytes, and a job only looked at would count as modified.
    drawing::ZoomLimits(view_, history_, Surface(), ctx_.session->job);
}

void SpicWidget::Redraw()
{
    if (!view_.IsSet() && width() > 0 && height() > 0)
        FitToJob();
    if (view_.ViewScale > drawing::kScaleCeiling)
        view_.ViewScale = drawing::kScaleAfterCeiling;
    snapMarker_.reset();
    if (editMode_ == 0 && zoomMode_ == kZoomNone)
        SetPrompt(QString());
    emit ViewStateChanged();
    repaint();
}

void SpicWidget::ViewChangedRefresh()
{
    emit ViewStateChanged();
    if (ctx_.RefreshAll)
        ctx_.RefreshAll();
    else
        Redraw();
}

void SpicWidget::ZoomLimits()
{
    FitToJob();
    ViewChangedRefresh();
}

void SpicWidget::StartZoomWindow()
{
    zoomMode_ = kZoomFirstCorner;
    bandCorner_.reset();
    SetPrompt(kFirstCornerPrompt);
    UpdateCursorShape();
    setFocus(Qt::OtherFocusReason);
}

void SpicWidget::StartPan()
{
    zoomMode_ = kZoomPan;
    SetPrompt(kPanPrompt);
    UpdateCursorShape();
    setFocus(Qt::OtherFocusReason);
}

void SpicWidget::ZoomPrevious()
{
    if (drawing::ZoomPrevious(view_, history_))
        ViewChangedRefresh();
}

void SpicWidget::ZoomIn()
{
    drawing::ZoomIn(view_, history_, Surface());
    ViewChangedRefresh();
}

void SpicWidget::ZoomOut()
{
    drawing::ZoomOut(view_, history_, Surface());
    ViewChangedRefresh();
}

void SpicWidget::SetEditMode(int mode, const QString& prompt)
{
    editMode_ = mode;
    if (mode != 0) {
        // A new interaction replaces the one waiting.
        zoomMode_ = kZoomNone;
        bandCorner_.reset();
    }
    snapMarker_.reset();
    SetPrompt(prompt);
    UpdateCursorShape();
    if (mode != 0)
        setFocus(Qt::OtherFocusReason);
    update();
}

void SpicWidget::EndZoomMode()
{
    zoomMode_ = kZoomNone;
    bandCorner_.reset();
    SetPrompt(QString());
    UpdateCursorShape();
}

void SpicWidget::CancelInteraction()
{
    editMode_ = 0;
    EndZoomMode();
    if (ctx_.RefreshAll)
        ctx_.RefreshAll();
    else
        Redraw();
}

void SpicWidget::ResetForNewJob()
{
    editMode_ = 0;
    EndZoomMode();
    snapMarker_.reset();
    // The new job is shown whole; "Previous" can still go back to the old job's view.
    if (width() > 0 && height() > 0)
        FitToJob();
    else
        view_ = drawing::View{}; // fitted at the first redraw with a size
}

void SpicWidget::SetPrompt(const QString& prompt)
{
    // Only a prompt of the drawing is cleared; the panel's caption stays until the first one.
    if (prompt.isEmpty() && !promptShown_)
        return;
    promptShown_ = !prompt.isEmpty();
    emit PromptChanged(prompt);
}

void SpicWidget::UpdateCursorShape()
{
    if (zoomMode_ != kZoomNone || editMode_ != 0)
        setCursor(Qt::CrossCursor);
    else
        unsetCursor();
}

bool SpicWidget::SnapApplies() const
{
    return ctx_.session != nullptr && IsSet(ctx_.session->job.View.SnapToGrid) && PlacesPoints(editMode_);
}

QPointF SpicWidget::WorldAt(QPointF surface) const
{
    Single x = drawing::WorldX(view_, surface.x());
    Single y = drawing::WorldY(view_, height(), surface.y());
    if (SnapApplies()) {
        const Single g = ctx_.session->job.View.GridIncrement;
        x = drawing::SnapToSpacing(x, g);
        y = drawing::SnapToSpacing(y, g);
    }
    return QPointF(x, y);
}

void SpicWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawing::SectionScene scene = results_;
    if (ctx_.session != nullptr) {
        scene.job = &ctx_.session->job;
        scene.table = &ctx_.table;
        scene.layers = &ctx_.layers;
    }
    drawing::DrawSection(painter, scene, view_, Surface());
    DrawOverlays(painter);
}

void SpicWidget::DrawOverlays(QPainter& painter) const
{
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (zoomMode_ == kZoomSecondCorner && bandCorner_) {
        // The rubber band in cyan with a dotted dark line over it, visible on any fill.
        const QRectF band = QRectF(firstCorner_, *bandCorner_).normalized();
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(0, 255, 255), 1.0));
        painter.drawRect(band);
        painter.setPen(QPen(QColor(0, 90, 90), 1.0, Qt::DotLine));
        painter.drawRect(band);
    }
    if (snapMarker_ && view_.IsSet()) {
        const double x = drawing::SurfaceX(view_, snapMarker_->x());
        const double y = drawing::SurfaceY(view_, height(), snapMarker_->y());
        painter.setPen(QPen(QColor(255, 0, 255), 3.0));
        painter.drawLine(QPointF(x - 6.0, y - 6.0), QPointF(x + 6.0, y + 6.0));
        painter.drawLine(QPointF(x - 6.0, y + 6.0), QPointF(x + 6.0, y - 6.0));
    }
}

void SpicWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (!view_.IsSet())
        return;
    const QPointF world = WorldAt(event->position());
    if (SnapApplies() && zoomMode_ == kZoomNone) {
        if (!snapMarker_ || *snapMarker_ != world) {
            snapMarker_ = world;
            update();
        }
    }
    emit CursorMoved(QString::fromStdString(drawing::CursorText(static_cast<Single>(world.x()))),
                     QString::fromStdString(drawing::CursorText(static_cast<Single>(world.y()))));
    if (zoomMode_ == kZoomSecondCorner) {
        bandCorner_ = event->position();
        update();
    }
}

void SpicWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        // A right click closes a defined slip surface picked point by point: the
        // surface is finished work, so leaving asks about saving.
        if (editMode_ == 6 && ctx_.session)
            ctx_.session->JobModified = true;
        if (zoomMode_ != kZoomNone || editMode_ != 0)
            CancelInteraction();
        else
            popUp_->popup(event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton || !view_.IsSet())
        return;
    const QPointF at = event->position();
    switch (zoomMode_) {
    case kZoomFirstCorner:
        firstCorner_ = at;
        bandCorner_.reset();
        zoomMode_ = kZoomSecondCorner;
        SetPrompt(kSecondCornerPrompt);
        return;
    case kZoomSecondCorner:
        drawing::ZoomWindow(view_, history_, Surface(), firstCorner_.x(), firstCorner_.y(), at.x(), at.y());
        EndZoomMode();
        ViewChangedRefresh();
        return;
    case kZoomPan: {
        const Single x = drawing::WorldX(view_, at.x());
        const Single y = drawing::WorldY(view_, height(), at.y());
        drawing::PanTo(view_, history_, Surface(), x, y);
        EndZoomMode();
        ViewChangedRefresh();
        return;
    }
    default:
        break;
    }
    if (editMode_ != 0)
        emit EditClick(WorldAt(at));
}

void SpicWidget::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_F4) {
        CancelInteraction();
        return;
    }
    QWidget::keyPressEvent(event);
}

void SpicWidget::focusOutEvent(QFocusEvent* event)
{
    // Leaving the drawing ends what waits for a click on it, zoom interactions included.
    if (event->reason() != Qt::PopupFocusReason && (editMode_ != 0 || zoomMode_ != kZoomNone)) {
        editMode_ = 0;
        EndZoomMode();
        update();
    }
    QWidget::focusOutEvent(event);
}

void SpicWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // A resized window shows the whole section again.
    if (ctx_.session != nullptr && width() > 0 && height() > 0) {
        FitToJob();
        emit ViewStateChanged();
        update();
    }
}

} // namespace clv::ui
