#pragma once

// A page whose controls are not built yet: a label naming what will be there.

#include "ui/tab_page.h"

#include <QLabel>

namespace clv::ui {

class PlaceholderPage : public TabPage {
    Q_OBJECT
public:
    PlaceholderPage(MainContext& ctx, const QString& what, QWidget* parent = nullptr);
    void RefreshPage() override {}
};

} // namespace clv::ui
