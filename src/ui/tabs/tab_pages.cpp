#include "ui/tabs/tab_pages.h"

#include "ui/tabs/circle_page.h"
#include "ui/tabs/defined_page.h"
#include "ui/tabs/factors_page.h"
#include "ui/tabs/loads_page.h"
#include "ui/tabs/printing_page.h"
#include "ui/tabs/reinforcement_page.h"
#include "ui/tabs/soils_page.h"
#include "ui/tabs/wedge_page.h"

#include <array>

namespace clv::ui {

const char* TabCaption(int index)
{
    static constexpr std::array<const char*, kTabCount> kCaptions = {
        "Geometry, soils and water", "Loads and anchors", "Reinforcement",  "Partial factors",
        "Slip circle analysis",      "Defined surface",   "Wedge analysis", "Printing",
    };
    return index >= 0 && index < kTabCount ? kCaptions[static_cast<std::size_t>(index)] : "";
}

std::vector<TabPage*> CreateTabPages(MainContext& ctx, QWidget* parent)
{
    std::vector<TabPage*> pages;
    pages.push_back(new SoilsPage(ctx, parent));
    pages.push_back(new LoadsPage(ctx, parent));
    pages.push_back(new ReinforcementPage(ctx, parent));
    pages.push_back(new FactorsPage(ctx, parent));
    pages.push_back(new CirclePage(ctx, parent));
    pages.push_back(new DefinedPage(ctx, parent));
    pages.push_back(new WedgePage(ctx, parent));
    pages.push_back(new PrintingPage(ctx, parent));
    return pages;
}

} // namespace clv::ui
