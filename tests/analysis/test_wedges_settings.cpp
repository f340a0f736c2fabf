// Entry rules of the wedge range boxes: what a typed text stores, and the exact
// message of a refusal.

#include "analysis/wedge_settings.h"

#include <gtest/gtest.h>

#include <string>

namespace clv {
namespace {

WedgeSettings Defaults() { return WedgeSettings{1, 0.0f, 6.0f, 2.0f, 5.0f, 25.0f, 45.0f, 75.0f, 10.0f, {}}; }

TEST(WedgeSettingsEntry, ValuesInRangeAreStoredRoundedOthersRefusedWithTheirLine)
{
    const struct {
        WedgeBox box;
        const char* text;
        float stored; // the value kept; for a refusal the field's previous value
        const char* line;
    } cases[] = {
        {WedgeBox::BaseWidthMax, "7.456", 7.46f, nullptr},
        {WedgeBox::BaseAngleMax, "30.6", 31.0f, nullptr},
        {WedgeBox::AngleInc, " 2.4 deg", 2.0f, nullptr}, // the leading number
        {WedgeBox::BaseWidthInc, "0.1", 0.1f, nullptr},  // the ends of a range are inside
        {WedgeBox::RearAngleMax, "80", 80.0f, nullptr},
        {WedgeBox::BaseWidthMin, "-1", 0.0f, "Wedge base width must be between 0 and 100"},
        {WedgeBox::BaseWidthMax, "100.5", 6.0f, "Wedge base width must be between 0 and 100"},
        {WedgeBox::BaseWidthInc, "0.05", 2.0f, "Wedge base width increment must be between 0.1 and 100"},
        {WedgeBox::BaseAngleMin, "46", 5.0f, "Wedge base angle must be between 0 and 45"},
        {WedgeBox::BaseAngleMax, "-5", 25.0f, "Wedge base angle must be between 0 and 45"},
        {WedgeBox::RearAngleMin, "44", 45.0f, "Wedge rear angle must be between 45 and 80"},
        {WedgeBox::RearAngleMax, "abc", 75.0f, "Wedge rear angle must be between 45 and 80"}, // reads as 0
        {WedgeBox::RearAngleMin, "4.5e1x", 45.0f, nullptr}, // a leading number with its exponent
        {WedgeBox::BaseWidthMin, "1e999", 0.0f, nullptr},   // no number a box could hold reads as 0
        {WedgeBox::AngleInc, "0", 10.0f, "Wedge angle increment must be between 1 and 30"},
        {WedgeBox::AngleInc, "31", 10.0f, "Wedge angle increment must be between 1 and 30"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        WedgeSettings s = Defaults();
        const WedgeEntryOutcome o = EnterWedgeBox(s, c.box, c.text);
        EXPECT_FLOAT_EQ(WedgeBoxValue(s, c.box), c.stored);
        EXPECT_EQ(o.Stored, c.line == nullptr);
        if (c.line != nullptr) {
            EXPECT_EQ(o.Title, "Input data validation error");
            EXPECT_EQ(o.Message, std::string(c.line) + "\rPlease change the input data");
        }
    }
}

TEST(WedgeSettingsEntry, MinimumAndMaximumStayInOrder)
{
    WedgeSettings s = Defaults();
    s.BaseAngleMax = 20.0f;
    EnterWedgeBox(s, WedgeBox::BaseAngleMin, "30");
    EXPECT_EQ(s.BaseAngleMax, 30.0f);
    EnterWedgeBox(s, WedgeBox::RearAngleMax, "50");
    EnterWedgeBox(s, WedgeBox::RearAngleMin, "60");
    EXPECT_EQ(s.RearAngleMax, 60.0f);
    EnterWedgeBox(s, WedgeBox::RearAngleMax, "46");
    EXPECT_EQ(s.RearAngleMin, 46.0f);
    EnterWedgeBox(s, WedgeBox::BaseWidthMin, "3.5");
    EXPECT_EQ(s.BaseWidthMax, 6.0f); // already above
    EnterWedgeBox(s, WedgeBox::BaseWidthMax, "2");
    EXPECT_EQ(s.BaseWidthMin, 2.0f);
    EXPECT_EQ(s.BaseWidthInc, 2.0f); // the increment has no partner
}

} // namespace
} // namespace clv
