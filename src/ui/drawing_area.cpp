#include "ui/drawing_area.h"

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
    // The results of the analysis tabs are passed here once the window keeps
    // them; until then the drawing shows the section alone on every tab.
    spic_->SetResults(currentTab, nullptr, nullptr, nullptr, false);
    spic_->Redraw();
}

} // namespace clv::ui
