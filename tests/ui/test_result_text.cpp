// The texts of results: the stability factor's special cases and numbers that
// are not numbers.

#include "ui/tables/result_text.h"
#include "ui/tables/wedge_grid.h"

#include "model/job.h"

#include <gtest/gtest.h>

#include <limits>

namespace clv::test {
namespace {

TEST(ResultText, FactorCasesAndNumbersThatAreNotNumbers)
{
    struct Case {
        float factor;
        const char* invalid;
        const char* expected;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const Case cases[] = {
        {1.2345f, "Invalid", "1.23"}, {100.0f, "Invalid", "100.00"}, {100.01f, "Invalid", ">100"},
        {10000.0f, "Invalid", ">100"}, {kInvalidFactor, "Invalid", "Invalid"}, {kInvalidFactor, "N/A", "N/A"},
        {1000.99f, "N/A", ">100"},     {nan, "N/A", "N/A"},                    {inf, "Invalid", "Invalid"},
        {0.0f, "Invalid", "0.00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ui::FactorDisplay(c.factor, c.invalid).toStdString(), c.expected) << c.factor;
    // Numbers that are not numbers show "N/A".
    EXPECT_EQ(ui::NumberText(12.345f, "######0.0"), "12.3");
    EXPECT_EQ(ui::NumberText(-1234.6f, "######0"), "-1235");
    EXPECT_EQ(ui::NumberText(inf, "######0"), "N/A");
    EXPECT_EQ(ui::NumberText(nan, "######0.0"), "N/A");
}

TEST(ResultText, WedgeWithoutABaseHasNoBaseAngle)
{
    WedgeResult w;
    w.ToeLevel = 2.001f, w.BaseAngle = 15.0f, w.RearAngle = 55.0f, w.Disturbing = 40.25f, w.SoilRestore = 10.0f;
    w.ReinforcementRestore = 60.0f, w.StabilityFactor = 2.0f;
    for (float width : {0.0f, -0.5f}) {
        w.BaseWidth = width;
        EXPECT_EQ(ui::WedgeTexts(w)[2], "-");
    }
    w.BaseWidth = 0.01f;
    const auto texts = ui::WedgeTexts(w);
    const char* const expected[] = {"2.00", "0.01", "15", "55", "40.3", "10.0", "60.0", "2.00"};
    for (std::size_t c = 0; c < std::size(expected); ++c)
        EXPECT_EQ(texts[c], expected[c]) << c;
    w.StabilityFactor = kInvalidFactor; // forces that were not numbers
    EXPECT_EQ(ui::WedgeTexts(w)[7], "Invalid");
    w.StabilityFactor = 10000.0f; // needs no reinforcement
    EXPECT_EQ(ui::WedgeTexts(w)[7], ">100");
}

} // namespace
} // namespace clv::test
