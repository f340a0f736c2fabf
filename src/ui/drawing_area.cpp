#include "ui/drawing_area.h"

#include "ui/editing/section_editor.h"
#include "ui/spic_widget.h"
#include "ui/view_controls.h"

#include <QHBoxLayout>
#include <QLabel>

namespace clv::ui {

DrawingArea::DrawingArea(MainContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx)
{
    setObjectName("DrawingArea");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4); // 60 twips
    spic_ = new SpicWidget(ctx_, this);
    controls_ = new ViewControls(ctx_, *spic_, this);
    editor_ = new SectionEditor(ctx_, *spic_, this);
    layout->addWidget(spic_, 1);
    layout->addWidget(controls_, 0);
}

QWidget* DrawingArea::Surface() const
{
    return spic_;
}

void DrawingArea::ConnectStatusPanels(QLabel* currentX, QLabel* currentY, QLabel* prompt)
{
    connect(spic_, &SpicWidget::CursorMoved, this, [currentX, currentY](const QString& x, const QString& y) {
        currentX->setText(x);
        currentY->setText(y);
    });
    connect(spic_, &SpicWidget::PromptChanged, prompt, &QLabel::setText);
}

void DrawingArea::JobReplaced()
{
    spic_->ResetForNewJob();
}

bool DrawingArea::CommitPendingEdit()
{
    return controls_->CommitPendingEdit();
}

void DrawingArea::RefreshViewControls()
{
    controls_->RefreshControls();
}

void DrawingArea::Redraw(int currentTab)
{
    // The analysis tab that is showing has just refreshed its results for the
    // job as it stands; an analysis that has not run yet draws nothing.
    const AnalysisResults& r = ctx_.analyses.Results();
    spic_->SetResults(currentTab, r.circlesValid ? &r.circles : nullptr, r.definedValid ? &r.defined : nullptr,
                      r.wedgesValid ? &r.wedges : nullptr, ctx_.ShowFactorsOnGrid);
    spic_->Redraw();
}

} // namespace clv::ui
