// The design codes: each code writes its own eight factors, and the custom
// choice keeps those of the code chosen before it.

#include "model/design_codes.h"

#include <gtest/gtest.h>

namespace clv {
namespace {

struct CodeCase {
    int code;
    const char* caption;
    const char* reportName;
    FactorSet factors; // fn, ffs, fq, fms tan phi, fms c, fm, fs, fp
};

const CodeCase kCodes[] = {
    {0, "Eurocode 7 UK NA DA1 C1 Ultimate Limit State", "Eurocode 7 UK NA DA1 C1 - Ultimate Limit State",
     {1.0f, 1.0f, 1.5f, 1.0f, 1.0f, 1.25f, 1.3f, 1.3f}},
    {1, "Eurocode 7 UK NA DA1 C2 ULS Drained parameters", "Eurocode 7 UK NA DA1 C2 - ULS Drained parameters",
     {1.0f, 1.0f, 1.3f, 1.25f, 1.25f, 1.25f, 1.3f, 1.3f}},
    {2, "Eurocode 7 UK NA DA1 C2 ULS Undrained parameters", "Eurocode 7 UK NA DA1 C2 - ULS Undrained parameters",
     {1.0f, 1.0f, 1.3f, 1.25f, 1.4f, 1.25f, 1.3f, 1.3f}},
    {3, "BS 8006 Reinforced Soil Ultimate Limit State", "BS8006 Reinforced Soil - Ultimate Limit State",
     {1.1f, 1.5f, 1.5f, 1.0f, 1.6f, 1.25f, 1.3f, 1.3f}},
    {4, "Serviceability Limit State or conventional analysis", "Serviceability Limit State or conventional analysis",
     {1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f}},
};

/** Factors all different from every code's, so a field a code fails to write shows. */
PartialFactors Scribbled()
{
    PartialFactors f;
    for (int i = 0; i < kPartialFactorCount; ++i)
        PartialFactor(f, i) = 7.01f + static_cast<float>(i);
    f.DesignCode = kCustomFactors;
    return f;
}

TEST(DesignCodes, EachCodeWritesItsEightFactorsInFieldOrder)
{
    const PartialFactors scribbled = Scribbled();
    const Single inOrder[] = {scribbled.RamificationsOfFailure, scribbled.SoilSelfWeight, scribbled.ImposedLoads,
                              scribbled.TanPhi, scribbled.Cohesion, scribbled.ReinforcementStrength,
                              scribbled.SlidingOnReinforcement, scribbled.PullOut};
    for (int i = 0; i < kPartialFactorCount; ++i)
        EXPECT_FLOAT_EQ(inOrder[i], 7.01f + static_cast<float>(i)) << i;

    for (const CodeCase& c : kCodes) {
        PartialFactors f = Scribbled();
        ApplyDesignCode(f, c.code);
        EXPECT_EQ(f.DesignCode, c.code);
        for (int i = 0; i < kPartialFactorCount; ++i)
            EXPECT_FLOAT_EQ(PartialFactor(f, i), c.factors[static_cast<std::size_t>(i)])
                << "code " << c.code << " factor " << i;
        EXPECT_STREQ(DesignCodeCaption(c.code), c.caption);
        EXPECT_STREQ(DesignCodeReportName(c.code), c.reportName);
    }
}

TEST(DesignCodes, CustomKeepsTheFactorsOfTheCodeChosenLastAnUnknownCodeChangesNothing)
{
    PartialFactors f = Scribbled();
    ApplyDesignCode(f, kBs8006Uls);
    ApplyDesignCode(f, kCustomFactors);
    EXPECT_EQ(f.DesignCode, kCustomFactors);
    for (int i = 0; i < kPartialFactorCount; ++i)
        EXPECT_FLOAT_EQ(PartialFactor(f, i), kCodes[3].factors[static_cast<std::size_t>(i)]) << i;
    EXPECT_FALSE(DesignCodeFactors(kCustomFactors).has_value());
    EXPECT_STREQ(DesignCodeCaption(kCustomFactors), "Custom Values              (based on last selected)");
    EXPECT_STREQ(DesignCodeReportName(kCustomFactors), "Custom values");

    for (int code : {-1, 6, 100}) {
        f = Scribbled();
        ApplyDesignCode(f, code);
        EXPECT_EQ(f.DesignCode, kCustomFactors);
        EXPECT_FLOAT_EQ(f.PullOut, 14.01f);
        EXPECT_FALSE(DesignCodeFactors(code).has_value());
        EXPECT_STREQ(DesignCodeCaption(code), "");
    }
}

} // namespace
} // namespace clv
