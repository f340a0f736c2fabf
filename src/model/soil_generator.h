#pragma once

// Suggested design parameters from a verbal soil description (BS 5930 style:
// strength, composite type, grading, nature). Each soil group has one rule
// table: the items of its four descriptor lists, a base value for each quantity
// picked by one list, and adjustment rows that add to or multiply the value
// reached so far. The tables are data so that they can be read against the
// geotechnical guidance they come from, row by row.

#include "model/job.h"

#include <array>
#include <string>
#include <vector>

namespace clv {

/** The four descriptor lists of the generator, in the order the dialog shows them. */
enum class SoilDescriptor { Strength = 0, Composite = 1, Grading = 2, Nature = 3 };

/** The groups in the order of the group list ("Gravels" ... "Rocks"). */
constexpr int kSoilGroupCount = 7;
constexpr int kClayGroup = 3;

/** What the user picked. An index of -1 (or any index a list does not have) means "none". */
struct SoilChoice {
    int Group = 0;
    std::array<int, 4> Item{-1, -1, -1, -1}; // indexed by SoilDescriptor
    bool Bulk = true;      // bulk unit weight; otherwise saturated
    bool Effective = true; // clays: effective stress properties; otherwise undrained (phi = 0, c = cu)
};

/** The suggested soil. phi == kGeneratorCancelled marks a dialog closed with Cancel. */
struct GeneratedSoil {
    std::string Description;
    Single UnitWeight = 0.0f;
    Single Phi = 0.0f;
    Single Cohesion = 0.0f;
};
constexpr Single kGeneratorCancelled = -100000.0f;

/** The group names, "Gravels" to "Rocks". */
const std::array<const char*, kSoilGroupCount>& SoilGroupNames();

/** The items of one descriptor list of a group (empty when the group does not use that list). */
const std::vector<std::string>& SoilDescriptorItems(int group, SoilDescriptor list);

/**
 * The parameters for a choice. A group index outside 0..6 leaves `previous` as
 * it was (the dialog keeps showing what it showed).
 */
GeneratedSoil GenerateSoilParameters(const SoilChoice& choice, const GeneratedSoil& previous = {});

/**
 * The soil the generator adds: the generated description, unit weight, angle
 * and cohesion; everything else as any new soil (no points, no ru or suction).
 */
SoilRecord MakeGeneratedSoil(const GeneratedSoil& generated);

} // namespace clv
