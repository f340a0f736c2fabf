#include "ui/tabs/placeholder_page.h"

#include <QVBoxLayout>

namespace clv::ui {

PlaceholderPage::PlaceholderPage(MainContext& ctx, const QString& what, QWidget* parent) : TabPage(ctx, parent)
{
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(what, this);
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
}

} // namespace clv::ui
