// Suggested soil parameters: every group's rule table checked against values
// worked out by hand from the descriptions (base value, then each adjustment).

#include "model/soil_generator.h"

#include "support/expect_floats.h"

#include <gtest/gtest.h>

namespace clv {
namespace {

constexpr int N = -1; // nothing picked in that list

struct GeneratorCase {
    int group, strength, composite, grading, nature;
    bool bulk, effective;
    const char* description;
    float unitWeight, phi, cohesion;
};

SoilChoice ChoiceOf(const GeneratorCase& c)
{
    SoilChoice choice;
    choice.Group = c.group;
    choice.Item = {c.strength, c.composite, c.grading, c.nature};
    choice.Bulk = c.bulk;
    choice.Effective = c.effective;
    return choice;
}

TEST(SoilGenerator, EveryGroupTableGivesTheHandWorkedValues)
{
    const GeneratorCase cases[] = {
        // Gravels: nothing picked is "GRAVEL" 30 degrees, 20 - 1 (no grading) = 19 kN/m3.
        {0, N, N, N, N, true, true, "GRAVEL", 19.0f, 30.0f, 0.0f},
        // Dense 36, Silty -3, Gap graded +1, Angular +2 = 36; bulk 21, Gap -2, Silty +1 = 20.
        {0, 3, 2, 2, 0, true, true, "Silty GRAVEL", 20.0f, 36.0f, 0.0f},
        // Very Loose 30, Clayey -2, Well graded +2, Subangular +1 = 31; saturated 21, no composite adjustment.
        {0, 0, 3, 0, 1, false, true, "Clayey GRAVEL", 21.0f, 31.0f, 0.0f},
        // Very Dense 38 (Flat and Poorly graded add nothing to the angle); bulk 21.5 - 2 = 19.5.
        {0, 4, 0, 1, 4, true, true, "GRAVEL", 19.5f, 38.0f, 0.0f},
        // Medium Dense 35, Sandy 0, Uniform 0, Rounded 0; saturated 22 - 1 = 21.
        {0, 2, 1, 3, 3, false, true, "Sandy GRAVEL", 21.0f, 35.0f, 0.0f},
        // Sands: Loose 30, Silty -2, Well +2, Subangular +1 = 31; bulk 16 + 1 (Well) + 1 (Silty) = 18.
        {1, 1, 2, 0, 1, true, true, "Silty SAND", 18.0f, 31.0f, 0.0f},
        // Very Dense 34, Clayey -1, Gap +1 = 34; saturated 20.5, Gap unlisted.
        {1, 4, 3, 2, 3, false, true, "Clayey SAND", 20.5f, 34.0f, 0.0f},
        // No grading: bulk 17 - 1 = 16, saturated 19 (no "none" row for saturated sands).
        {1, N, 1, N, N, true, true, "Gravely SAND", 16.0f, 30.0f, 0.0f},
        {1, N, 1, N, N, false, true, "Gravely SAND", 19.0f, 30.0f, 0.0f},
        // Very Loose 28, Fine -2 = 26; saturated 18 - 1 = 17.
        {1, 0, 0, 4, N, false, true, "SAND", 17.0f, 26.0f, 0.0f},
        // Slightly cemented 35, Clayey -1, Angular +2 = 36; bulk 17 - 1 (Uniform) + 1 (Clayey) = 17.
        {1, 5, 3, 3, 0, true, true, "Clayey SAND", 17.0f, 36.0f, 0.0f},
        // Silts: River Mud 22, Sandy +1, Coarse +1 = 24; bulk 16; no cohesion even for river mud.
        {2, 0, 1, 0, N, true, true, "Sandy SILT", 16.0f, 24.0f, 0.0f},
        // Firm 28, Organic -1, Fine -1 = 26; saturated 20 for every silt.
        {2, 3, 3, 2, N, false, true, "Organic SILT", 20.0f, 26.0f, 0.0f},
        {2, N, 2, 1, N, true, true, "Clayey SILT", 17.0f, 25.0f, 0.0f},
        // Clays, the worked example both ways: 30 + 1 - 1 = 30 with c' 10; cu = 150 x 0.8 x 0.6 = 72.
        {3, 4, 3, 3, 0, true, true, "Silty CLAY", 21.5f, 30.0f, 10.0f},
        {3, 4, 3, 3, 0, true, false, "Silty CLAY", 21.5f, 0.0f, 72.0f},
        // Soft, Organic, Fissured, High plasticity: 25 - 1 - 2 = 22, c' 0; cu = 25 x 0.5 x 0.8 = 10.
        {3, 1, 4, 0, 2, false, true, "Organic CLAY", 19.0f, 22.0f, 0.0f},
        {3, 1, 4, 0, 2, false, false, "Organic CLAY", 19.0f, 0.0f, 10.0f},
        // Nothing picked: 28 - 1 = 27, weight 20; cu 25.
        {3, N, N, N, N, true, true, "CLAY", 20.0f, 27.0f, 0.0f},
        {3, N, N, N, N, true, false, "CLAY", 20.0f, 0.0f, 25.0f},
        // Stiff, Gravely, Intact, Low plasticity: 30 + 0 + 2 = 32, c' 10; cu 100 unreduced.
        {3, 3, 1, 1, 0, true, true, "Gravely CLAY", 20.5f, 32.0f, 10.0f},
        {3, 3, 1, 1, 0, true, false, "Gravely CLAY", 20.5f, 0.0f, 100.0f},
        // Firm, Sandy, Stratified, Intermediate: 28 - 1 + 1 = 28, c' 0; cu 50 x 0.8 = 40.
        {3, 2, 2, 2, 1, true, true, "Sandy CLAY", 19.5f, 28.0f, 0.0f},
        {3, 2, 2, 2, 1, true, false, "Sandy CLAY", 19.5f, 0.0f, 40.0f},
        // Very soft, no plasticity given: 28 - 2 = 26; cu 15. Stiff but high plasticity: no c'.
        {3, 0, 0, N, N, false, true, "CLAY", 18.0f, 26.0f, 0.0f},
        {3, 0, 0, N, N, false, false, "CLAY", 18.0f, 0.0f, 15.0f},
        {3, 3, 0, 1, 2, true, true, "CLAY", 20.5f, 25.0f, 0.0f},
        // Organics: Firm peat 10, fibrous; amorphous has no angle whatever the grading.
        {4, 0, N, 0, 0, true, true, "Firm PEAT", 12.0f, 10.0f, 0.0f},
        {4, 0, N, 0, 1, true, true, "Firm PEAT", 12.0f, 0.0f, 0.0f},
        {4, 0, N, 1, 1, false, true, "Spongy PEAT", 12.0f, 0.0f, 0.0f},
        {4, N, N, 2, N, false, true, "Plastic PEAT", 12.0f, 5.0f, 0.0f},
        {4, N, N, N, N, true, true, "PEAT", 12.0f, 5.0f, 0.0f},
        // Made ground: Rock fill 40, Compacted +2, Silty -2 = 40; bulk 17 + 1 = 18.
        {5, 0, 1, N, 2, true, true, "Rock Fill", 18.0f, 40.0f, 0.0f},
        // Chalk fill 32, Loose -2 = 30; saturated 18 (no adjustment).
        {5, 1, 0, N, 1, false, true, "Chalk Fill", 18.0f, 30.0f, 0.0f},
        // Clay fill 28 - 2 = 26; bulk 20 - 1 = 19.
        {5, 4, N, N, 1, true, true, "Clay Fill", 19.0f, 26.0f, 0.0f},
        {5, 6, N, N, N, true, true, "PFA", 14.0f, 35.0f, 0.0f},
        {5, 8, N, N, N, false, true, "Ashes", 17.0f, 32.0f, 0.0f},
        {5, 2, N, N, 0, false, true, "Graded Fill", 20.0f, 38.0f, 0.0f},
        {5, N, N, N, N, true, true, "Fill", 18.0f, 30.0f, 0.0f},
        {5, N, N, N, N, false, true, "Fill", 20.0f, 30.0f, 0.0f},
        // Rocks: Sandstone 40, Very weak -2, Thinly laminated -2 = 36; bulk 23.
        {6, 1, 1, N, 5, true, true, "Sandstone", 23.0f, 36.0f, 0.0f},
        // Chalk grade 1/2 35, Very thinly bedded -1 = 34; saturated 18, bulk 16.
        {6, 0, 4, N, 3, false, true, "Chalk grade 1/2", 18.0f, 34.0f, 0.0f},
        {6, 0, 4, N, 3, true, true, "Chalk grade 1/2", 16.0f, 34.0f, 0.0f},
        // Chalk grade 5/6 30, Thickly laminated -2 = 28; bulk 14.
        {6, N, 6, N, 4, true, true, "Chalk grade 5/6", 14.0f, 28.0f, 0.0f},
        {6, N, N, N, N, false, true, "Rock", 22.0f, 30.0f, 0.0f},
        {6, N, 0, N, 0, false, true, "Marl", 21.0f, 32.0f, 0.0f},
    };
    for (const GeneratorCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "group " << c.group << " items " << c.strength << "," << c.composite
                                        << "," << c.grading << "," << c.nature << (c.bulk ? " bulk" : " saturated")
                                        << (c.effective ? " effective" : " undrained"));
        const GeneratedSoil soil = GenerateSoilParameters(ChoiceOf(c));
        EXPECT_EQ(soil.Description, c.description);
        EXPECT_FLOAT_EQ(soil.UnitWeight, c.unitWeight);
        EXPECT_FLOAT_EQ(soil.Phi, c.phi);
        EXPECT_FLOAT_EQ(soil.Cohesion, c.cohesion);
    }
}

TEST(SoilGenerator, AnIndexNoListHasCountsAsNothingPicked)
{
    SoilChoice choice;
    choice.Group = 0;
    choice.Item = {5, 4, 4, 5}; // one past the end of every gravel list
    const GeneratedSoil soil = GenerateSoilParameters(choice);
    EXPECT_EQ(soil.Description, "GRAVEL");
    EXPECT_FLOAT_EQ(soil.Phi, 30.0f);
    EXPECT_FLOAT_EQ(soil.UnitWeight, 19.0f);
}

TEST(SoilGenerator, AnUnknownGroupKeepsWhatWasShown)
{
    const GeneratedSoil before{"Silty SAND", 18.0f, 31.0f, 0.0f};
    for (int group : {-1, 7}) {
        SoilChoice choice;
        choice.Group = group;
        const GeneratedSoil soil = GenerateSoilParameters(choice, before);
        EXPECT_EQ(soil.Description, "Silty SAND");
        EXPECT_FLOAT_EQ(soil.Phi, 31.0f);
    }
}

TEST(SoilGenerator, ListsHoldTheItemsOfEachGroup)
{
    ASSERT_EQ(SoilGroupNames().size(), 7u);
    EXPECT_STREQ(SoilGroupNames()[0], "Gravels");
    EXPECT_STREQ(SoilGroupNames()[5], "Made Ground");
    EXPECT_STREQ(SoilGroupNames()[6], "Rocks");
    const auto& clayNature = SoilDescriptorItems(3, SoilDescriptor::Nature);
    ASSERT_EQ(clayNature.size(), 3u);
    EXPECT_EQ(clayNature[1], "Interm'plasticity");
    EXPECT_TRUE(SoilDescriptorItems(2, SoilDescriptor::Nature).empty());
    EXPECT_TRUE(SoilDescriptorItems(4, SoilDescriptor::Composite).empty());
    ASSERT_EQ(SoilDescriptorItems(5, SoilDescriptor::Strength).size(), 9u);
    EXPECT_EQ(SoilDescriptorItems(5, SoilDescriptor::Strength)[0], "Rock fill");
    ASSERT_EQ(SoilDescriptorItems(6, SoilDescriptor::Nature).size(), 6u);
    EXPECT_EQ(SoilDescriptorItems(6, SoilDescriptor::Nature)[3], "Very thinly bed'd");
    EXPECT_TRUE(SoilDescriptorItems(7, SoilDescriptor::Strength).empty());
}

TEST(SoilGenerator, TheAddedSoilTakesTheFourValuesAndNewSoilDefaults)
{
    const SoilRecord soil = MakeGeneratedSoil({"Silty CLAY", 21.5f, 0.0f, 72.0f});
    EXPECT_EQ(soil.Description.Trimmed(), "Silty CLAY");
    EXPECT_EQ(soil.Description.Utf8().size(), 25u);
    test::ExpectFloats({soil.Density, soil.Phi, soil.Cohesion, soil.Ru, soil.Suction}, {21.5f, 0, 72, 0, 0});
    EXPECT_EQ(soil.PointCount, 0);
}

} // namespace
} // namespace clv
