#include "model/soil_generator.h"

#include <initializer_list>
#include <optional>

namespace clv {

namespace {

using Items = std::vector<std::string>;
/** The values of one row by item; a list has at most nine items. */
class Values {
public:
    constexpr Values() = default;
    constexpr Values(std::initializer_list<Single> values)
    {
        for (Single v : values)
            values_[size_++] = v;
    }
    constexpr std::size_t size() const { return size_; }
    constexpr const Single& operator[](std::size_t i) const { return values_[i]; }

private:
    std::array<Single, 9> values_{};
    std::size_t size_ = 0;
};
constexpr SoilDescriptor Strength = SoilDescriptor::Strength;
constexpr SoilDescriptor Composite = SoilDescriptor::Composite;
constexpr SoilDescriptor Grading = SoilDescriptor::Grading;
constexpr SoilDescriptor Nature = SoilDescriptor::Nature;

/** A value picked by the item of one list; `none` when nothing (or an unknown item) is picked. */
struct Pick {
    SoilDescriptor By;
    Values ByItem;
    Single None;
};

/** One adjustment row: adds to (or multiplies) the value so far. Unlisted items add 0 (multiply by 1). */
struct Adjust {
    enum Kind { Add, Multiply };
    Kind Op;
    SoilDescriptor By;
    Values ByItem;
    Single None;
};

/** A quantity: its base value, then the adjustment rows in order. */
struct Quantity {
    Pick Base;
    std::vector<Adjust> Adjustments;
};

struct DescriptionRule {
    SoilDescriptor By;
    Items ByItem;
    std::string None;
};

struct SoilGroupRules {
    const char* Name;
    std::array<Items, 4> Lists; // Strength, Composite, Grading, Nature
    DescriptionRule Description;
    Quantity Angle;           // for clays: the effective angle
    Quantity BulkWeight;
    Quantity SaturatedWeight;
    Quantity Cohesion;        // for clays: the effective cohesion
    std::optional<Quantity> Undrained; // clays only: the undrained shear strength
};

Pick Constant(Single value) { return {Strength, {}, value}; }
Adjust Add(SoilDescriptor by, Values byItem, Single none = 0.0f) { return {Adjust::Add, by, std::move(byItem), none}; }
Adjust Times(SoilDescriptor by, Values byItem, Single none = 1.0f)
{
    return {Adjust::Multiply, by, std::move(byItem), none};
}

const Items kGranularNature = {"Angular", "Subangular", "Subrounded", "Rounded", "Flat"};

// Gravels and sands: angle from the density (strength), less for fines, more for
// good grading and angular particles; weight from the density and the grading.
const SoilGroupRules kGravels{
    "Gravels",
    {Items{"Very Loose", "Loose", "Medium Dense", "Dense", "Very Dense"},
     Items{"None", "Sandy", "Silty", "Clayey"},
     Items{"Well graded", "Poorly graded", "Gap graded", "Uniform"},
     kGranularNature},
    {Composite, {"GRAVEL", "Sandy GRAVEL", "Silty GRAVEL", "Clayey GRAVEL"}, "GRAVEL"},
    {{Strength, {30, 32, 35, 36, 38}, 30},
     {Add(Composite, {0, 0, -3, -2}), Add(Grading, {2, 0, 1, 0}), Add(Nature, {2, 1, 0, 0, 0})}},
    {{Strength, {18.5f, 19, 20, 21, 21.5f}, 20}, {Add(Grading, {0, -2, -2, -1}, -1), Add(Composite, {0, 0, 1, 1})}},
    {{Strength, {21, 21.5f, 22, 23, 23.5f}, 22}, {Add(Grading, {0, -2, -2, -1}, -1)}},
    {Constant(0), {}},
    std::nullopt,
};

const SoilGroupRules kSands{
    "Sands",
    {Items{"Very Loose", "Loose", "Medium Dense", "Dense", "Very Dense", "Slightly cemented"},
     Items{"None", "Gravely", "Silty", "Clayey"},
     Items{"Well graded", "Poorly graded", "Gap graded", "Uniform", "Fine"},
     kGranularNature},
    {Composite, {"SAND", "Gravely SAND", "Silty SAND", "Clayey SAND"}, "SAND"},
    {{Strength, {28, 30, 32, 33, 34, 35}, 30},
     {Add(Composite, {0, 0, -2, -1}), Add(Grading, {2, 0, 1, 0, -2}), Add(Nature, {2, 1, 0, 0, 0})}},
    {{Strength, {15, 16, 17, 17, 18, 17}, 17}, {Add(Grading, {1, 0, 0, -1, -1}, -1), Add(Composite, {0, 0, 1, 1})}},
    {{Strength, {18, 19, 20, 20, 20.5f, 19}, 19}, {Add(Grading, {1, 0, 0, -1, -1})}},
    {Constant(0), {}},
    std::nullopt,
};

// Silts carry no cohesion here, river mud included: a drained silt is designed
// on its angle alone.
const SoilGroupRules kSilts{
    "Silts",
    {Items{"River Mud", "Very soft", "Soft", "Firm"},
     Items{"None", "Sandy", "Clayey", "Organic"},
     Items{"Coarse", "Medium", "Fine"},
     Items{}},
    {Composite, {"SILT", "Sandy SILT", "Clayey SILT", "Organic SILT"}, "SILT"},
    {{Strength, {22, 24, 26, 28}, 25}, {Add(Composite, {0, 1, 0, -1}), Add(Grading, {1, 0, -1})}},
    {{Strength, {16, 17, 17, 18}, 17}, {}},
    {Constant(20), {}},
    {Constant(0), {}},
    std::nullopt,
};

// Clays: the effective angle from the plasticity, the undrained strength from the
// consistency reduced for silt, organic content, fissures, layering and
// weathering. Only stiff clays of low plasticity keep an effective cohesion
// (10 kN/m2 times 1 for low plasticity, 0 otherwise).
const SoilGroupRules kClays{
    "Clays",
    {Items{"Very soft", "Soft", "Firm", "Stiff", "Very stiff"},
     Items{"None", "Gravely", "Sandy", "Silty", "Organic"},
     Items{"Fissured", "Intact", "Stratified", "Weathered"},
     Items{"Low plasticity", "Interm'plasticity", "High plasticity"}},
    {Composite, {"CLAY", "Gravely CLAY", "Sandy CLAY", "Silty CLAY", "Organic CLAY"}, "CLAY"},
    {{Nature, {30, 28, 25}, 28}, {Add(Strength, {-2, -1, -1, 0, 1}, -1), Add(Composite, {0, 2, 1, -1, -2})}},
    {{Strength, {18, 19, 19.5f, 20.5f, 21.5f}, 20}, {}},
    {{Strength, {18, 19, 19.5f, 20.5f, 21.5f}, 20}, {}},
    {{Strength, {0, 0, 0, 10, 10}, 0}, {Times(Nature, {1, 0, 0}, 0)}},
    Quantity{{Strength, {15, 25, 50, 100, 150}, 25},
             {Times(Composite, {1, 1, 1, 0.8f, 0.5f}), Times(Grading, {0.8f, 1, 0.8f, 0.6f})}},
};

// Peat: amorphous peat has no frictional strength left.
const SoilGroupRules kOrganics{
    "Organics",
    {Items{"Peat"}, Items{}, Items{"Firm", "Spongy", "Plastic"}, Items{"Fibrous", "Amorphous"}},
    {Grading, {"Firm PEAT", "Spongy PEAT", "Plastic PEAT"}, "PEAT"},
    {{Grading, {10, 5, 5}, 5}, {Times(Nature, {1, 0})}},
    {Constant(12), {}},
    {Constant(12), {}},
    {Constant(0), {}},
    std::nullopt,
};

// Made ground: the fill type in the strength list. The descriptions capitalise
// "Fill"; the list items do not.
const SoilGroupRules kMadeGround{
    "Made Ground",
    {Items{"Rock fill", "Chalk fill", "Graded fill", "Sand fill", "Clay fill", "Hardcore", "PFA", "Slag", "Ashes"},
     Items{"None", "Silty"},
     Items{},
     Items{"None", "Loose", "Compacted"}},
    {Strength, {"Rock Fill", "Chalk Fill", "Graded Fill", "Sand Fill", "Clay Fill", "Hardcore", "PFA", "Slag", "Ashes"},
     "Fill"},
    {{Strength, {40, 32, 38, 35, 28, 38, 35, 32, 32}, 30}, {Add(Nature, {0, -2, 2}), Add(Composite, {0, -2})}},
    {{Strength, {17, 17, 19, 17, 20, 16, 14, 14, 14}, 18}, {Add(Nature, {0, -1, 1})}},
    {{Strength, {20, 18, 20, 20, 20, 18, 17, 17, 17}, 20}, {}},
    {Constant(0), {}},
    std::nullopt,
};

// Weak rocks: the rock type in the composite list, weakened by thin bedding.
const SoilGroupRules kRocks{
    "Rocks",
    {Items{"Weak/Soft", "Very weak"},
     Items{"Marl", "Sandstone", "Mudstone", "Shale", "Chalk grade 1/2", "Chalk grade 3/4", "Chalk grade 5/6"},
     Items{},
     Items{"Thickly bedded", "Medium bedded", "Thinly bedded", "Very thinly bed'd", "Thickly laminated",
           "Thinly laminated"}},
    {Composite,
     {"Marl", "Sandstone", "Mudstone", "Shale", "Chalk grade 1/2", "Chalk grade 3/4", "Chalk grade 5/6"},
     "Rock"},
    {{Composite, {32, 40, 30, 32, 35, 32, 30}, 30}, {Add(Strength, {0, -2}), Add(Nature, {0, 0, 0, -1, -2, -2})}},
    {{Composite, {21, 23, 23, 21, 16, 15, 14}, 22}, {}},
    {{Composite, {21, 23, 23, 21, 18, 17, 17}, 22}, {}},
    {Constant(0), {}},
    std::nullopt,
};

const std::array<const SoilGroupRules*, kSoilGroupCount> kGroups{&kGravels,  &kSands,      &kSilts, &kClays,
                                                                 &kOrganics, &kMadeGround, &kRocks};

/** The entry of `byItem` for the item picked in list `by`; nullptr when none is picked or the row has no entry. */
template <typename Row>
auto ItemOf(const Row& byItem, const SoilChoice& choice, SoilDescriptor by) -> decltype(&byItem[0])
{
    const int item = choice.Item[static_cast<std::size_t>(by)];
    if (item < 0 || item >= static_cast<int>(byItem.size()))
        return nullptr;
    return &byItem[static_cast<std::size_t>(item)];
}

Single Evaluate(const Quantity& quantity, const SoilChoice& choice)
{
    const Single* base = ItemOf(quantity.Base.ByItem, choice, quantity.Base.By);
    Single value = base ? *base : quantity.Base.None;
    for (const Adjust& row : quantity.Adjustments) {
        const Single* picked = ItemOf(row.ByItem, choice, row.By);
        const Single step = picked ? *picked : row.None;
        value = row.Op == Adjust::Add ? value + step : value * step;
    }
    return value;
}

} // namespace

const std::array<const char*, kSoilGroupCount>& SoilGroupNames()
{
    static const std::array<const char*, kSoilGroupCount> names{
        kGravels.Name, kSands.Name, kSilts.Name, kClays.Name, kOrganics.Name, kMadeGround.Name, kRocks.Name};
    return names;
}

const std::vector<std::string>& SoilDescriptorItems(int group, SoilDescriptor list)
{
    static const std::vector<std::string> none;
    if (group < 0 || group >= kSoilGroupCount)
        return none;
    return kGroups[static_cast<std::size_t>(group)]->Lists[static_cast<std::size_t>(list)];
}

GeneratedSoil GenerateSoilParameters(const SoilChoice& choice, const GeneratedSoil& previous)
{
    if (choice.Group < 0 || choice.Group >= kSoilGroupCount)
        return previous;
    const SoilGroupRules& rules = *kGroups[static_cast<std::size_t>(choice.Group)];

    GeneratedSoil soil;
    const std::string* text = ItemOf(rules.Description.ByItem, choice, rules.Description.By);
    soil.Description = text ? *text : rules.Description.None;
    soil.Phi = Evaluate(rules.Angle, choice);
    soil.UnitWeight = Evaluate(choice.Bulk ? rules.BulkWeight : rules.SaturatedWeight, choice);
    soil.Cohesion = Evaluate(rules.Cohesion, choice);
    if (rules.Undrained && !choice.Effective) {
        // Undrained (total stress) design: no friction, the shear strength as cohesion.
        soil.Phi = 0.0f;
        soil.Cohesion = Evaluate(*rules.Undrained, choice);
    }
    return soil;
}

SoilRecord MakeGeneratedSoil(const GeneratedSoil& generated)
{
    SoilRecord soil;
    soil.Description.Assign(generated.Description);
    soil.Density = generated.UnitWeight;
    soil.Phi = generated.Phi;
    soil.Cohesion = generated.Cohesion;
    return soil;
}

} // namespace clv
