#include "analysis/wedge_settings.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace clv {

const char* const kWedgeValidationTitle = "Input data validation error";
const char* const kWedgeValidationTrailer = "Please change the input data";
const char* const kWedgeTwoPartHint =
    "To include only two part type wedges set the minimum base width to greater than zero.";
const char* const kWedgeTieBackHint =
    "To include only tie back (one part) type wedges set the maximum base width to zero.";
const char* const kWedgeNoReinforcementTitle = "Abort analysis";
const char* const kWedgeNoReinforcementMessage =
    "Wedge analysis is only applicable to reinforced slopes\r"
    "Please define some reinforcement before trying this type of analysis";

namespace {

struct BoxRule {
    const char* Label;
    const char* RangeLine;
    float Min;
    float Max;
    bool WholeDegrees; // otherwise two decimals
};

const BoxRule& RuleOf(WedgeBox box)
{
    static const BoxRule rules[kWedgeBoxCount] = {
        {"Base width minimum", "Wedge base width must be between 0 and 100", 0.0f, 100.0f, false},
        {"Base width maximum", "Wedge base width must be between 0 and 100", 0.0f, 100.0f, false},
        {"Base width increment", "Wedge base width increment must be between 0.1 and 100", 0.1f, 100.0f, false},
        {"Base angle minimum", "Wedge base angle must be between 0 and 45", 0.0f, 45.0f, true},
        {"Base angle maximum", "Wedge base angle must be between 0 and 45", 0.0f, 45.0f, true},
        {"Rear angle minimum", "Wedge rear angle must be between 45 and 80", 45.0f, 80.0f, true},
        {"Rear angle maximum", "Wedge rear angle must be between 45 and 80", 45.0f, 80.0f, true},
        {"Angle increment", "Wedge angle increment must be between 1 and 30", 1.0f, 30.0f, true},
    };
    return rules[static_cast<int>(box)];
}

float& FieldOf(WedgeSettings& s, WedgeBox box)
{
    switch (box) {
    case WedgeBox::BaseWidthMin: return s.BaseWidthMin;
    case WedgeBox::BaseWidthMax: return s.BaseWidthMax;
    case WedgeBox::BaseWidthInc: return s.BaseWidthInc;
    case WedgeBox::BaseAngleMin: return s.BaseAngleMin;
    case WedgeBox::BaseAngleMax: return s.BaseAngleMax;
    case WedgeBox::RearAngleMin: return s.RearAngleMin;
    case WedgeBox::RearAngleMax: return s.RearAngleMax;
    case WedgeBox::AngleInc: return s.AngleInc;
    }
    return s.AngleInc;
}

/** Halves to the even digit at the places the box keeps, as every typed value of the program. */
float RoundForBox(float value, bool wholeDegrees)
{
    const double scale = wholeDegrees ? 1.0 : 100.0;
    return static_cast<float>(std::nearbyint(static_cast<double>(value) * scale) / scale);
}

/** Keeps each minimum at or below its maximum after `box` has been stored. */
void KeepRangeInOrder(WedgeSettings& s, WedgeBox box)
{
    switch (box) {
    case WedgeBox::BaseWidthMin: if (s.BaseWidthMin > s.BaseWidthMax) s.BaseWidthMax = s.BaseWidthMin; break;
    case WedgeBox::BaseWidthMax: if (s.BaseWidthMax < s.BaseWidthMin) s.BaseWidthMin = s.BaseWidthMax; break;
    case WedgeBox::BaseAngleMin: if (s.BaseAngleMin > s.BaseAngleMax) s.BaseAngleMax = s.BaseAngleMin; break;
    case WedgeBox::BaseAngleMax: if (s.BaseAngleMax < s.BaseAngleMin) s.BaseAngleMin = s.BaseAngleMax; break;
    case WedgeBox::RearAngleMin: if (s.RearAngleMin > s.RearAngleMax) s.RearAngleMax = s.RearAngleMin; break;
    case WedgeBox::RearAngleMax: if (s.RearAngleMax < s.RearAngleMin) s.RearAngleMin = s.RearAngleMax; break;
    default: break;
    }
}

} // namespace

const char* WedgeBoxLabel(WedgeBox box) { return RuleOf(box).Label; }

const char* WedgeBoxRangeLine(WedgeBox box) { return RuleOf(box).RangeLine; }

float WedgeBoxValue(const WedgeSettings& settings, WedgeBox box)
{
    return FieldOf(const_cast<WedgeSettings&>(settings), box);
}

double LeadingNumber(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    const std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;
    std::string number = text.substr(start, i - start);
    // An exponent counts only when digits follow it.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        const std::size_t expDigits = j;
        while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j])))
            ++j;
        if (j > expDigits)
            number = text.substr(start, j - start);
    }
    const double value = std::strtod(number.c_str(), nullptr);
    return std::isfinite(value) ? value : 0.0;
}

WedgeEntryOutcome EnterWedgeBox(WedgeSettings& settings, WedgeBox box, const std::string& text)
{
    const BoxRule& rule = RuleOf(box);
    const float value = static_cast<float>(LeadingNumber(text));
    WedgeEntryOutcome outcome;
    if (!(value >= rule.Min && value <= rule.Max)) {
        outcome.Title = kWedgeValidationTitle;
        outcome.Message = std::string(rule.RangeLine) + "\r" + kWedgeValidationTrailer;
        return outcome;
    }
    FieldOf(settings, box) = RoundForBox(value, rule.WholeDegrees);
    KeepRangeInOrder(settings, box);
    outcome.Stored = true;
    return outcome;
}

void SetWedgeUseDefaults(WedgeSettings& settings, bool checked) { settings.UseDefaults = ToFlag(checked); }

} // namespace clv
