#pragma once

// The checks a tab must pass before it can be entered: the analysis and
// printing tabs need a soil with a slope of two points, and the wedge analysis
// needs reinforcement that makes at least one layer.

#include "analysis/reinforcement.h"
#include "model/job.h"

#include <QString>

#include <optional>

namespace clv::ui {

struct TabRefusal {
    QString title;
    QString text;
    bool exclamation = false;
};

extern const char* const kWedgeRefusalTitle;
extern const char* const kWedgeRefusalText;
extern const char* const kNoSoilRefusalText;
extern const char* const kNoSlopeRefusalText;

/** Why tab `index` may not be entered with this job and these layers; nothing when it may. */
std::optional<TabRefusal> TabEntryRefusal(const Job& job, const LayerList& layers, int index);

} // namespace clv::ui
