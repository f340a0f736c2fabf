#pragma once

// Entry rules of the twelve boxes of the slip circle tab (SlipBox 0..11): the
// grid of centres, the common points and their level, the minimum slip depth
// and the tension crack depth. No widgets here: the tab calls these.

#include "model/job.h"

#include <string>

namespace clv::ui {

constexpr int kSlipBoxCount = 12;
constexpr int kCommonLevelBox = 9; // CommonY: a level, or "Surface"

extern const char* const kSlipValidationTitle; // "Slip circle data entry validation"

/** The text a box shows for the settings. */
std::string SlipBoxText(const SlipSettings& settings, int box);

/** The label beside a box. */
const char* SlipBoxLabel(int box);

struct SlipEntryOutcome {
    bool Stored = false;  // the value (perhaps replaced by its pair's) is now in the settings
    bool Beep = false;    // refused, or replaced to keep a minimum below its maximum
    std::string Message;  // when refused: the range message (no icon, OK only)
};

/**
 * A box lost the focus after an edit: reads the leading number of `text`,
 * rounds it half to even to 2 decimals, checks the box's range and stores it. A
 * minimum typed above its maximum is replaced by the maximum, a maximum below
 * its minimum by the minimum, with a beep. The level box stores "at the ground
 * surface" for "surface" (any case) or an empty text.
 */
SlipEntryOutcome EnterSlipBox(SlipSettings& settings, int box, const std::string& text);

} // namespace clv::ui
