#pragma once

// The eight pages of the main window's tab strip, in tab order.

#include "ui/tab_page.h"

#include <vector>

namespace clv::ui {

/** Tab indices of the strip, as the entry checks and the refresh use them. */
enum TabIndex : int {
    kGeometryTab = 0,
    kLoadsTab = 1,
    kReinforcementTab = 2,
    kFactorsTab = 3,
    kSlipCircleTab = 4,
    kDefinedSurfaceTab = 5,
    kWedgeTab = 6,
    kPrintingTab = 7,
    kTabCount = 8,
};

/** The captions of the tab strip, by index. */
const char* TabCaption(int index);

/** Creates the eight pages in tab order; the window takes them into its tab strip. */
std::vector<TabPage*> CreateTabPages(MainContext& ctx, QWidget* parent);

} // namespace clv::ui
