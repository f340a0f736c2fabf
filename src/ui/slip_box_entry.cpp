#include "ui/slip_box_entry.h"

#include "ui/validation.h"

#include "model/format.h"

namespace clv::ui {

const char* const kSlipValidationTitle = "Slip circle data entry validation";

namespace {

Single& FieldOf(SlipSettings& s, int box)
{
    switch (box) {
    case 0: return s.GridXMin;
    case 1: return s.GridXMax;
    case 2: return s.GridXInc;
    case 3: return s.GridYMin;
    case 4: return s.GridYMax;
    case 5: return s.GridYInc;
    case 6: return s.CommonXMin;
    case 7: return s.CommonXMax;
    case 8: return s.CommonXInc;
    case 9: return s.CommonY;
    case 10: return s.MinSlipDepth;
    default: return s.TensionCrackDepth;
    }
}

Single FieldOf(const SlipSettings& s, int box) { return FieldOf(const_cast<SlipSettings&>(s), box); }

NumberRule RuleOf(int box)
{
    switch (box) {
    case 2:
    case 5:
    case 8: return {0.1, 10.0, 2}; // increments
    case 10:
    case 11: return {0.0, 10.0, 2}; // depths
    default: return {-10000.0, 10000.0, 2};
    }
}


} // namespace

std::string SlipBoxText(const SlipSettings& settings, int box)
{
    const Single value = FieldOf(settings, box);
    if (box == kCommonLevelBox && value == kNoLevel)
        return "Surface";
    return Format(value, box >= 10 ? "#####0.0" : "#####0.00");
}

const char* SlipBoxLabel(int box)
{
    static const char* const kLabels[kSlipBoxCount] = {
        "X minimum", "X maximum", "X increment", "Y minimum",   "Y maximum",                   "Y increment",
        "X minimum", "X maximum", "X increment", "Y (level)", "Minimum depth of valid slip", "Tension crack depth",
    };
    return box >= 0 && box < kSlipBoxCount ? kLabels[box] : "";
}

SlipEntryOutcome EnterSlipBox(SlipSettings& settings, int box, const std::string& text)
{
    SlipEntryOutcome outcome;
    if (box < 0 || box >= kSlipBoxCount)
        return outcome;
    if (box == kCommonLevelBox) {
        if (MeansSurface(text)) {
            settings.CommonY = kNoLevel;
            outcome.Stored = true;
            return outcome;
        }
    }
    const NumberRule rule = RuleOf(box);
    const std::optional<Single> value = ReadBoxValue(text, rule);
    if (!value) {
        outcome.Beep = true;
        outcome.Message =
            "Factor must lie between " + Format(rule.Min, "#######0") + " and " + Format(rule.Max, "#######0");
        return outcome;
    }
    Single stored = *value;
    // A minimum above its maximum (or a maximum below its minimum) takes the other's value.
    if (box == 0 || box == 3 || box == 6) {
        const Single max = FieldOf(settings, box + 1);
        if (stored > max) {
            stored = max;
            outcome.Beep = true;
        }
    } else if (box == 1 || box == 4 || box == 7) {
        const Single min = FieldOf(settings, box - 1);
        if (stored < min) {
            stored = min;
            outcome.Beep = true;
        }
    }
    FieldOf(settings, box) = stored;
    outcome.Stored = true;
    return outcome;
}

} // namespace clv::ui
