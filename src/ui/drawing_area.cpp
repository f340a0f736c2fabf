#include "ui/drawing_area.h"

#include <QHBoxLayout>

namespace clv::ui {

DrawingArea::DrawingArea(MainContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx)
{
    setObjectName("DrawingArea");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4); // 60 twips
    surface_ = new QWidget(this);
    surface_->setObjectName("SPic");
    surface_->setAccessibleName("Cross-section drawing");
    surface_->setMinimumSize(200, 150);
    surface_->setAutoFillBackground(true);
    QPalette palette = surface_->palette();
    palette.setColor(QPalette::Window, Qt::white);
    surface_->setPalette(palette);
    layout->addWidget(surface_, 1);
}

void DrawingArea::RefreshViewControls() {}

void DrawingArea::Redraw(int /*currentTab*/) {}

} // namespace clv::ui
