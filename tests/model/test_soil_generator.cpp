// Suggested soil parameters: every group's rule table checked against values
// worked out by hand from the descriptions (base value, then each adjustment).

#include "model/soil_generator.h"

#include "support/expect_floats.h"

#include <gtest/gtest.h>

namespace clv {
namespace {

constexpr int N = -1; // nothing picked in that list
constexpr bool kBulk = true, kSaturated = false, kEffective = true, kUndrained = false;

TEST(SoilGenerator, EveryGroupTableGivesTheHandWorkedValues)
{
    // The choice (group, the items picked in the strength, composite, grading and nature lists, the
    // weight and the strength wanted), then the description, unit weight, phi and cohesion.
    const struct {
        SoilChoice choice;
        GeneratedSoil soil;
    } cases[] = {
        // Gravels: nothing picked is "GRAVEL" 30 degrees, 20 - 1 (no grading) = 19 kN/m3.
        {{0, {N, N, N, N}, kBulk, kEffective}, {"GRAVEL", 19, 30, 0}},
        // An index no list has counts as nothing picked (one past the end of every gravel list).
        {{0, {5, 4, 4, 5}, kBulk, kEffective}, {"GRAVEL", 19, 30, 0}},
        // Dense 36, Silty -3, Gap graded +1, Angular +2 = 36; bulk 21, Gap -2, Silty +1 = 20.
        {{0, {3, 2, 2, 0}, kBulk, kEffective}, {"Silty GRAVEL", 20, 36, 0}},
        // Very Loose 30, Clayey -2, Well graded +2, Subangular +1 = 31; saturated 21, no composite adjustment.
        {{0, {0, 3, 0, 1}, kSaturated, kEffective}, {"Clayey GRAVEL", 21, 31, 0}},
        // Very Dense 38 (Flat and Poorly graded add nothing to the angle); bulk 21.5 - 2 = 19.5.
        {{0, {4, 0, 1, 4}, kBulk, kEffective}, {"GRAVEL", 19.5f, 38, 0}},
        // Medium Dense 35, Sandy 0, Uniform 0, Rounded 0; saturated 22 - 1 = 21.
        {{0, {2, 1, 3, 3}, kSaturated, kEffective}, {"Sandy GRAVEL", 21, 35, 0}},
        // Sands: Loose 30, Silty -2, Well +2, Subangular +1 = 31; bulk 16 + 1 (Well) + 1 (Silty) = 18.
        {{1, {1, 2, 0, 1}, kBulk, kEffective}, {"Silty SAND", 18, 31, 0}},
        // Very Dense 34, Clayey -1, Gap +1 = 34; saturated 20.5, Gap unlisted.
        {{1, {4, 3, 2, 3}, kSaturated, kEffective}, {"Clayey SAND", 20.5f, 34, 0}},
        // No grading: bulk 17 - 1 = 16, saturated 19 (no "none" row for saturated sands).
        {{1, {N, 1, N, N}, kBulk, kEffective}, {"Gravely SAND", 16, 30, 0}},
        {{1, {N, 1, N, N}, kSaturated, kEffective}, {"Gravely SAND", 19, 30, 0}},
        // Very Loose 28, Fine -2 = 26; saturated 18 - 1 = 17.
        {{1, {0, 0, 4, N}, kSaturated, kEffective}, {"SAND", 17, 26, 0}},
        // Slightly cemented 35, Clayey -1, Angular +2 = 36; bulk 17 - 1 (Uniform) + 1 (Clayey) = 17.
        {{1, {5, 3, 3, 0}, kBulk, kEffective}, {"Clayey SAND", 17, 36, 0}},
        // Silts: River Mud 22, Sandy +1, Coarse +1 = 24; bulk 16; no cohesion even for river mud.
        {{2, {0, 1, 0, N}, kBulk, kEffective}, {"Sandy SILT", 16, 24, 0}},
        // Firm 28, Organic -1, Fine -1 = 26; saturated 20 for every silt.
        {{2, {3, 3, 2, N}, kSaturated, kEffective}, {"Organic SILT", 20, 26, 0}},
        {{2, {N, 2, 1, N}, kBulk, kEffective}, {"Clayey SILT", 17, 25, 0}},
        // Clays, the worked example both ways: 30 + 1 - 1 = 30 with c' 10; cu = 150 x 0.8 x 0.6 = 72.
        {{3, {4, 3, 3, 0}, kBulk, kEffective}, {"Silty CLAY", 21.5f, 30, 10}},
        {{3, {4, 3, 3, 0}, kBulk, kUndrained}, {"Silty CLAY", 21.5f, 0, 72}},
        // Soft, Organic, Fissured, High plasticity: 25 - 1 - 2 = 22, c' 0; cu = 25 x 0.5 x 0.8 = 10.
        {{3, {1, 4, 0, 2}, kSaturated, kEffective}, {"Organic CLAY", 19, 22, 0}},
        {{3, {1, 4, 0, 2}, kSaturated, kUndrained}, {"Organic CLAY", 19, 0, 10}},
        // Nothing picked: 28 - 1 = 27, weight 20; cu 25.
        {{3, {N, N, N, N}, kBulk, kEffective}, {"CLAY", 20, 27, 0}},
        {{3, {N, N, N, N}, kBulk, kUndrained}, {"CLAY", 20, 0, 25}},
        // Stiff, Gravely, Intact, Low plasticity: 30 + 0 + 2 = 32, c' 10; cu 100 unreduced.
        {{3, {3, 1, 1, 0}, kBulk, kEffective}, {"Gravely CLAY", 20.5f, 32, 10}},
        {{3, {3, 1, 1, 0}, kBulk, kUndrained}, {"Gravely CLAY", 20.5f, 0, 100}},
        // Firm, Sandy, Stratified, Intermediate: 28 - 1 + 1 = 28, c' 0; cu 50 x 0.8 = 40.
        {{3, {2, 2, 2, 1}, kBulk, kEffective}, {"Sandy CLAY", 19.5f, 28, 0}},
        {{3, {2, 2, 2, 1}, kBulk, kUndrained}, {"Sandy CLAY", 19.5f, 0, 40}},
        // Very soft, no plasticity given: 28 - 2 = 26; cu 15. Stiff but high plasticity: no c'.
        {{3, {0, 0, N, N}, kSaturated, kEffective}, {"CLAY", 18, 26, 0}},
        {{3, {0, 0, N, N}, kSaturated, kUndrained}, {"CLAY", 18, 0, 15}},
        {{3, {3, 0, 1, 2}, kBulk, kEffective}, {"CLAY", 20.5f, 25, 0}},
        // Organics: Firm peat 10, fibrous; amorphous has no angle whatever the grading.
        {{4, {0, N, 0, 0}, kBulk, kEffective}, {"Firm PEAT", 12, 10, 0}},
        {{4, {0, N, 0, 1}, kBulk, kEffective}, {"Firm PEAT", 12, 0, 0}},
        {{4, {0, N, 1, 1}, kSaturated, kEffective}, {"Spongy PEAT", 12, 0, 0}},
        {{4, {N, N, 2, N}, kSaturated, kEffective}, {"Plastic PEAT", 12, 5, 0}},
        {{4, {N, N, N, N}, kBulk, kEffective}, {"PEAT", 12, 5, 0}},
        // Made ground: Rock fill 40, Compacted +2, Silty -2 = 40; bulk 17 + 1 = 18.
        {{5, {0, 1, N, 2}, kBulk, kEffective}, {"Rock Fill", 18, 40, 0}},
        // Chalk fill 32, Loose -2 = 30; saturated 18 (no adjustment).
        {{5, {1, 0, N, 1}, kSaturated, kEffective}, {"Chalk Fill", 18, 30, 0}},
        // Clay fill 28 - 2 = 26; bulk 20 - 1 = 19.
        {{5, {4, N, N, 1}, kBulk, kEffective}, {"Clay Fill", 19, 26, 0}},
        {{5, {6, N, N, N}, kBulk, kEffective}, {"PFA", 14, 35, 0}},
        {{5, {8, N, N, N}, kSaturated, kEffective}, {"Ashes", 17, 32, 0}},
        {{5, {2, N, N, 0}, kSaturated, kEffective}, {"Graded Fill", 20, 38, 0}},
        {{5, {N, N, N, N}, kBulk, kEffective}, {"Fill", 18, 30, 0}},
        {{5, {N, N, N, N}, kSaturated, kEffective}, {"Fill", 20, 30, 0}},
        // Rocks: Sandstone 40, Very weak -2, Thinly laminated -2 = 36; bulk 23.
        {{6, {1, 1, N, 5}, kBulk, kEffective}, {"Sandstone", 23, 36, 0}},
        // Chalk grade 1/2 35, Very thinly bedded -1 = 34; saturated 18, bulk 16.
        {{6, {0, 4, N, 3}, kSaturated, kEffective}, {"Chalk grade 1/2", 18, 34, 0}},
        {{6, {0, 4, N, 3}, kBulk, kEffective}, {"Chalk grade 1/2", 16, 34, 0}},
        // Chalk grade 5/6 30, Thickly laminated -2 = 28; bulk 14.
        {{6, {N, 6, N, 4}, kBulk, kEffective}, {"Chalk grade 5/6", 14, 28, 0}},
        {{6, {N, N, N, N}, kSaturated, kEffective}, {"Rock", 22, 30, 0}},
        {{6, {N, 0, N, 0}, kSaturated, kEffective}, {"Marl", 21, 32, 0}},
    };
    for (const auto& [choice, want] : cases) {
        SCOPED_TRACE(testing::Message() << "group " << choice.Group << " items " << choice.Item[0] << ","
                                        << choice.Item[1] << "," << choice.Item[2] << "," << choice.Item[3]
                                        << (choice.Bulk ? " bulk" : " saturated")
                                        << (choice.Effective ? " effective" : " undrained"));
        const GeneratedSoil soil = GenerateSoilParameters(choice);
        EXPECT_EQ(soil.Description, want.Description);
        test::ExpectFloats({soil.UnitWeight, soil.Phi, soil.Cohesion}, {want.UnitWeight, want.Phi, want.Cohesion});
    }
}

TEST(SoilGenerator, AnUnknownGroupKeepsWhatWasShown)
{
    const GeneratedSoil before{"Silty SAND", 18.0f, 31.0f, 0.0f};
    for (int group : {-1, 7}) {
        const GeneratedSoil soil = GenerateSoilParameters({group}, before);
        EXPECT_EQ(std::pair(soil.Description, soil.Phi), std::pair(before.Description, 31.0f)) << group;
    }
}

TEST(SoilGenerator, ListsHoldTheItemsOfEachGroup)
{
    ASSERT_EQ(SoilGroupNames().size(), 7u);
    for (auto [group, name] : {std::pair{0, "Gravels"}, {5, "Made Ground"}, {6, "Rocks"}})
        EXPECT_STREQ(SoilGroupNames()[group], name);
    using enum SoilDescriptor;
    const struct {
        int group;
        SoilDescriptor list;
        std::size_t size, at;
        const char* item;
    } lists[] = {{3, Nature, 3, 1, "Interm'plasticity"}, {5, Strength, 9, 0, "Rock fill"},
                 {6, Nature, 6, 3, "Very thinly bed'd"}, {2, Nature, 0, 0, ""}, {4, Composite, 0, 0, ""},
                 {7, Strength, 0, 0, ""}};
    for (const auto& l : lists) {
        const auto& items = SoilDescriptorItems(l.group, l.list);
        ASSERT_EQ(items.size(), l.size) << "group " << l.group;
        EXPECT_EQ(l.size > 0 ? items[l.at] : "", l.item);
    }
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
