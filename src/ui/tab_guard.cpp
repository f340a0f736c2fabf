#include "ui/tab_guard.h"

#include "ui/tabs/tab_pages.h"

namespace clv::ui {

const char* const kWedgeRefusalTitle = "Abort analysis";
const char* const kWedgeRefusalText = "Wedge analysis is only applicable to reinforced slopes\r"
                                      "Please define some reinforcement before trying this type of analysis";
const char* const kNoSoilRefusalText =
    "You cannot proceed to one of the analysis tabs unless a soil has been defined.";
const char* const kNoSlopeRefusalText =
    "You cannot proceed to one of the analysis tabs unless a slope (2 points) has been defined.";

std::optional<TabRefusal> TabEntryRefusal(const Job& job, const LayerList& layers, int index)
{
    if (index == kWedgeTab && layers.empty())
        return TabRefusal{kWedgeRefusalTitle, kWedgeRefusalText, true};
    const bool needsSlope = index >= kSlipCircleTab && index <= kPrintingTab;
    if (needsSlope && job.SoilCount() == 0)
        return TabRefusal{"Dalk Clivora", kNoSoilRefusalText, false};
    if (needsSlope && job.Soil(1).PointCount < 2)
        return TabRefusal{"Dalk Clivora", kNoSlopeRefusalText, false};
    return std::nullopt;
}

} // namespace clv::ui
