#include "ui/tabs/slice_spin.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace clv::ui {

SliceSpin::SliceSpin(QWidget* parent) : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this))
{
    setObjectName(QStringLiteral("SliceSpin"));
    setAccessibleName(QStringLiteral("Minimum number of slices up-down"));
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    up_->setAccessibleName(QStringLiteral("More slices"));
    down_->setAccessibleName(QStringLiteral("Fewer slices"));
    up_->setToolTip(QStringLiteral("More slices"));
    down_->setToolTip(QStringLiteral("Fewer slices"));
    for (QToolButton* b : {up_, down_}) {
        b->setFixedSize(18, 12);
        b->setAutoRepeat(true);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
    connect(up_, &QToolButton::clicked, this, [this] { emit stepped(+1); });
    connect(down_, &QToolButton::clicked, this, [this] { emit stepped(-1); });
}

} // namespace clv::ui
