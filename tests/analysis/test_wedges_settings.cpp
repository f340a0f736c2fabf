#include "analysis/wedge_settings.h"

#include <gtest/gtest.h>

namespace clv {
namespace {

WedgeSettings Defaults() { return WedgeSettings{1, 0.0f, 6.0f, 2.0f, 5.0f, 25.0f, 45.0f, 75.0f, 10.0f, {}}; }

TEST(WedgeSettingsEntry, ValueInRangeIsStoredRounded)
{
    WedgeSettings s = Defaults();
    EXPECT_TRUE(EnterWedgeBox(s, WedgeBox::BaseWidthMax, "7.456").Stored);
    EXPECT_FLOAT_EQ(s.BaseWidthMax, 7.46f);
    EXPECT_TRUE(EnterWedgeBox(s, WedgeBox::BaseAngleMax, "30.6").Stored);
    EXPECT_EQ(s.BaseAngleMax, 31.0f);
    EXPECT_TRUE(EnterWedgeBox(s, WedgeBox::AngleInc, " 2.4 deg").Stored); // the leading number
    EXPECT_EQ(s.AngleInc, 2.0f);
    EXPECT_TRUE(EnterWedgeBox(s, WedgeBox::BaseWidthInc, "0.1").Stored); // the ends of a range are inside
    EXPECT_FLOAT_EQ(s.BaseWidthInc, 0.1f);
    EXPECT_TRUE(EnterWedgeBox(s, WedgeBox::RearAngleMax, "80").Stored);
    EXPECT_EQ(s.RearAngleMax, 80.0f);
}

TEST(WedgeSettingsEntry, ValueOutsideItsRangeIsRefusedWithItsLine)
{
    struct Case {
        WedgeBox box;
        const char* text;
        const char* line;
    };
    const Case cases[] = {
        {WedgeBox::BaseWidthMin, "-1", "Wedge base width must be between 0 and 100"},
        {WedgeBox::BaseWidthMax, "100.5", "Wedge base width must be between 0 and 100"},
        {WedgeBox::BaseWidthInc, "0.05", "Wedge base width increment must be between 0.1 and 100"},
        {WedgeBox::BaseAngleMin, "46", "Wedge base angle must be between 0 and 45"},
        {WedgeBox::BaseAngleMax, "-5", "Wedge base angle must be between 0 and 45"},
        {WedgeBox::RearAngleMin, "44", "Wedge rear angle must be between 45 and 80"},
        {WedgeBox::RearAngleMax, "abc", "Wedge rear angle must be between 45 and 80"}, // no number reads as 0
        {WedgeBox::AngleInc, "0", "Wedge angle increment must be between 1 and 30"},
        {WedgeBox::AngleInc, "31", "Wedge angle increment must be between 1 and 30"},
    };
    for (const Case& c : cases) {
        WedgeSettings s = Defaults();
        const WedgeEntryOutcome o = EnterWedgeBox(s, c.box, c.text);
        EXPECT_FALSE(o.Stored) << c.text;
        EXPECT_EQ(o.Title, "Input data validation error");
        EXPECT_EQ(o.Message, std::string(c.line) + "\rPlease change the input data");
        EXPECT_EQ(WedgeBoxValue(s, c.box), WedgeBoxValue(Defaults(), c.box)) << "the field keeps its value";
    }
}

TEST(WedgeSettingsEntry, MinimumAndMaximumStayInOrder)
{
    WedgeSettings s = Defaults();
    s.BaseAngleMax = 20.0f;
    EnterWedgeBox(s, WedgeBox::BaseAngleMin, "30");
    EXPECT_EQ(s.BaseAngleMin, 30.0f);
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

TEST(WedgeSettingsEntry, LeadingNumberReadsLikeATypedEntry)
{
    EXPECT_EQ(LeadingNumber("12.5m"), 12.5);
    EXPECT_EQ(LeadingNumber("  -3"), -3.0);
    EXPECT_EQ(LeadingNumber(".5"), 0.5);
    EXPECT_EQ(LeadingNumber("1e2x"), 100.0);
    EXPECT_EQ(LeadingNumber("1e"), 1.0);
    EXPECT_EQ(LeadingNumber(""), 0.0);
    EXPECT_EQ(LeadingNumber("-"), 0.0);
    EXPECT_EQ(LeadingNumber("x5"), 0.0);
    EXPECT_EQ(LeadingNumber("1e999"), 0.0); // no number a box could hold
}

} // namespace
} // namespace clv
