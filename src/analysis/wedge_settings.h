#pragma once

// Entry rules of the eight wedge range boxes (WedgeText 0..7) and the default
// check box: what a typed value does to the wedge settings, and the message the
// front end shows when it is refused. No widgets here: the window calls these.

#include "model/job.h"

#include <string>

namespace clv {

/** The boxes in WedgeText order. */
enum class WedgeBox {
    BaseWidthMin = 0,
    BaseWidthMax = 1,
    BaseWidthInc = 2,
    BaseAngleMin = 3,
    BaseAngleMax = 4,
    RearAngleMin = 5,
    RearAngleMax = 6,
    AngleInc = 7,
};

constexpr int kWedgeBoxCount = 8;

extern const char* const kWedgeValidationTitle;   // "Input data validation error"
extern const char* const kWedgeValidationTrailer; // "Please change the input data"
extern const char* const kWedgeTwoPartHint;
extern const char* const kWedgeTieBackHint;
extern const char* const kWedgeNoReinforcementTitle;   // "Abort analysis"
extern const char* const kWedgeNoReinforcementMessage; // both lines, carriage return between

/** The label of a box ("Base width minimum" ...). */
const char* WedgeBoxLabel(WedgeBox box);

/** The range line of a box's refusal ("Wedge base width must be between 0 and 100" ...). */
const char* WedgeBoxRangeLine(WedgeBox box);

/** The value a box shows for the settings. */
float WedgeBoxValue(const WedgeSettings& settings, WedgeBox box);

/**
 * The leading number of a text, as a typed entry is read: blanks skipped, an
 * optional sign, digits with one decimal point and an optional exponent; 0 when
 * the text does not start with a number.
 */
double LeadingNumber(const std::string& text);

struct WedgeEntryOutcome {
    bool Stored = false;     // the value was in range and is now in the settings
    std::string Title;       // when refused: the message box title (exclamation icon)
    std::string Message;     // when refused: the range line, a carriage return, the request
};

/**
 * A box lost the focus after an edit: reads `text`, checks it against the box's
 * range and stores it rounded (2 decimals for widths, whole degrees for angles).
 * A minimum above its maximum raises the maximum to it, a maximum below its
 * minimum lowers the minimum. A refused value leaves the settings unchanged and
 * the outcome carries the message; the caller returns the focus to the box.
 * Either way the caller then marks the job modified and refreshes.
 */
WedgeEntryOutcome EnterWedgeBox(WedgeSettings& settings, WedgeBox box, const std::string& text);

/** The default check box was clicked: stores True or False. */
void SetWedgeUseDefaults(WedgeSettings& settings, bool checked);

} // namespace clv
