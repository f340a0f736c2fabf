// Two-part wedges through the reinforced block: two wedges balanced by hand, the
// default ranges, the results that are no factor, and the entry rules of the range
// boxes.

#include "analysis/wedge_settings.h"
#include "analysis/wedges.h"
#include "test_jobs.h"

#include <set>
#include <tuple>

namespace clv::test {
namespace {

double Rad(double degrees) { return degrees * 3.14159265358979 / 180.0; }

// Dry slope, c' 0, face rising 2:1 from (0, 0) to the crest at (5, 10); layers at
// 1..9 m, 5 m long; the wedge ranges given, or the defaults.
Job WedgeJob(float strength, std::vector<float> r = {}, float phi = 30.0f)
{
    Job job = OneSoilJob({{-20, 0}, {0, 0}, {5, 10}, {40, 10}}, 20.0f, phi, 0.0f);
    AddBlock(job, 1.0f, 8.0f, 1.0f, 5.0f, strength);
    if (!r.empty())
        job.Wedge = WedgeSettings{kFalse, r[0], r[1], r[2], r[3], r[4], r[5], r[6], r[7], {}};
    return job;
}

WedgeSearchResult Search(Analysed& a) { return AnalyseWedges(a.job, a.table, a.layers, a.Collector()); }

// Force of the 5 m layer at level 9 (rear end (9.5, 9), 1 m of cover there) crossed at x under `cover`.
double LayerNineForce(double x, double cover, double strength)
{
    return std::min((9.5 - x) * 0.7 * std::tan(Rad(30.0)) * (20.0 * cover + 20.0 * 1.0), strength);
}

TEST(Wedges, TieBackAndTwoPartWedgesByHand)
{
    // Tie-back: toe just above the layer at 8, (4, 8.001); a plane at 50 deg to the
    // crest. Dry, no cohesion: the soil needs tan(50 - 30) x W to hold it; only the
    // layer at 9 crosses, with 4.66 m behind the plane: the 30 kN/m grid is tension-limited
    // (pull-out would give LayerNineForce(x9, 2 x9 - 9) > 30 at x9 = 4 + 0.999 / tan 50).
    Analysed a(WedgeJob(30.0f, {0, 0, 1, 5, 25, 50, 50, 10}));
    WedgeSearchResult r = Search(a);
    ASSERT_EQ(r.Wedges.size(), 9u); // one per toe
    const WedgeResult& w = r.Wedges[0];
    // Soil between the ground (the face to (5, 10), then level) and the plane.
    const double topX = 4.0 + (10.0 - 8.001) / std::tan(Rad(50.0));
    const double area = (9.0 + 10.0 * (topX - 5.0)) - (topX - 4.0) * (8.001 + 10.0) / 2.0;
    const double disturbing = std::tan(Rad(20.0)) * 20.0 * area;
    EXPECT_NEAR(w.Disturbing, disturbing, 1e-4 * disturbing);
    EXPECT_EQ(w.SoilRestore, 0.0f);
    EXPECT_NEAR(w.StabilityFactor, 30.0 / disturbing, 1e-4 * 30.0 / disturbing);

    // Two-part: a level base 1 m long to the corner (5, 8.001) under the crest corner,
    // then a plane at 70 deg. The base holds back tan(30) x its weight, divided by fs
    // as it runs along a layer; the rear part pushes with tan(70 - 30) x its weight.
    // The layer at 9 is pulled out: less than its 100 kN/m.
    Job job = WedgeJob(100.0f, {1, 1, 1, 0, 0, 70, 70, 10});
    job.Factors.SlidingOnReinforcement = 1.25f;
    Analysed two(job);
    const WedgeResult v = Search(two).Wedges.at(0);
    const double baseWeight = 20.0 * (9.0 - 8.001); // integral of 2x - 8.001 from 4 to 5
    const double rearWeight = 20.0 * 0.5 * (10.0 - 8.001) * (10.0 - 8.001) / std::tan(Rad(70.0));
    const double soil = std::tan(Rad(30.0)) * baseWeight / 1.25, push = std::tan(Rad(40.0)) * rearWeight;
    const double restore = LayerNineForce(5.0 + (9.0 - 8.001) / std::tan(Rad(70.0)), 1.0, 100.0);
    EXPECT_NEAR(v.SoilRestore, soil, 1e-4 * soil);
    EXPECT_NEAR(v.Disturbing, push, 1e-4 * push);
    EXPECT_NEAR(v.StabilityFactor, restore / (push - soil), 1e-3 * restore / (push - soil));
}

TEST(Wedges, ToesSitJustAboveTheLayersBelowAndTheDefaultsFollowTheLongestBlock)
{
    Job job = WedgeJob(30.0f);
    job.Reinforcement[0].Length = 6.0f;
    Analysed a(job);
    std::set<float> toes;
    for (const WedgeResult& w : Search(a).Wedges)
        toes.insert(w.ToeLevel);
    EXPECT_EQ(toes, (std::set<float>{0.001f, 1.001f, 2.001f, 3.001f, 4.001f, 5.001f, 6.001f, 7.001f, 8.001f}));
    const WedgeSettings& s = a.job.Wedge;
    EXPECT_EQ(std::vector<float>({s.BaseWidthMin, s.BaseWidthMax, s.BaseWidthInc, s.BaseAngleMin, s.BaseAngleMax,
                                  s.RearAngleMin, s.RearAngleMax, s.AngleInc}),
              std::vector<float>({0, 6, 2, 5, 25, 45, 75, 10}));
    // A lone layer takes its block's spacing for the step below it; a shorter block
    // does not set the widths.
    job.Reinforcement[0].BlockHeight = 0.0f, job.Reinforcement[0].VerticalSpacing = 0.5f;
    Analysed b(job);
    const WedgeSearchResult lone = Search(b);
    ASSERT_FALSE(lone.Wedges.empty());
    EXPECT_FLOAT_EQ(lone.Wedges[0].ToeLevel, 0.501f);
    AddBlock(b.job, 2.5f, 0.0f, 1.0f, 4.0f);
    Search(b);
    EXPECT_EQ(b.job.Wedge.BaseWidthMax, 6.0f);
}

TEST(Wedges, ResultsThatAreNoFactor)
{
    // phi' above every rear angle: the soil holds itself, 10000, shown as ">100".
    Analysed holds(WedgeJob(30.0f, {0, 0, 1, 5, 5, 45, 45, 10}, 50.0f));
    const float selfHolding = Search(holds).Wedges.at(0).StabilityFactor;
    EXPECT_EQ(selfHolding, 10000.0f);
    EXPECT_EQ(FactorText(selfHolding), ">100");
    // A sliding factor of zero (only from a job file) makes the level bases' restoring
    // force infinite: no result rather than 'no reinforcement needed'.
    Job job = WedgeJob(30.0f, {1, 1, 1, 0, 0, 70, 70, 10});
    job.Factors.SlidingOnReinforcement = 0.0f;
    Analysed a(job);
    for (const WedgeResult& w : Search(a).Wedges)
        EXPECT_EQ(w.StabilityFactor, kInvalidFactor);
    // Bases 10 m long at 45 deg end above the crest: no wedge kept, an empty list.
    a.job = WedgeJob(30.0f, {10, 10, 1, 45, 45, 45, 75, 10});
    const WedgeSearchResult r = Search(a);
    EXPECT_TRUE(r.Wedges.empty() && r.CriticalSlices.empty() && r.Critical() == nullptr);
    // More wedges than 16-bit numbers can count: refused with a notice.
    a.job.Wedge = WedgeJob(30.0f, {0, 100, 0.1f, 0, 45, 45, 80, 1}).Wedge;
    EXPECT_TRUE(Search(a).Wedges.empty());
    a.job.Wedge.BaseWidthMax = 1e30f, a.job.Wedge.BaseWidthInc = 1e-30f; // from a job file
    EXPECT_TRUE(Search(a).Wedges.empty());
    a.job.Wedge.BaseWidthInc = 1.0f; // a finite step count far beyond any integer
    EXPECT_TRUE(Search(a).Wedges.empty());
    const std::string limit = "Number of wedges exceeds the limit of 32767\rCheck data and edit if required";
    EXPECT_EQ(a.notices, std::vector<std::string>(3, limit));
}

WedgeSettings Defaults() { return WedgeSettings{1, 0.0f, 6.0f, 2.0f, 5.0f, 25.0f, 45.0f, 75.0f, 10.0f, {}}; }

TEST(WedgeSettingsEntry, ValuesInRangeAreStoredRoundedOthersRefusedWithTheirLine)
{
    // The box, the text typed, the value it then holds, and the line of a refusal.
    const std::tuple<WedgeBox, const char*, float, const char*> cases[] = {
        {WedgeBox::BaseWidthMax, "7.456", 7.46f, nullptr}, {WedgeBox::BaseAngleMax, "30.6", 31.0f, nullptr},
        // Halves go to the even value.
        {WedgeBox::BaseAngleMax, "30.5", 30.0f, nullptr}, {WedgeBox::BaseAngleMax, "31.5", 32.0f, nullptr},
        {WedgeBox::BaseWidthMax, "2.125", 2.12f, nullptr}, {WedgeBox::BaseWidthMax, "2.375", 2.38f, nullptr},
        // The leading number, with its exponent; no number a box could hold reads as 0.
        {WedgeBox::AngleInc, " 2.4 deg", 2.0f, nullptr}, {WedgeBox::RearAngleMin, "4.5e1x", 45.0f, nullptr},
        {WedgeBox::BaseWidthMin, "1e999", 0.0f, nullptr},
        {WedgeBox::BaseWidthInc, "0.1", 0.1f, nullptr}, // the ends of a range are inside
        {WedgeBox::BaseWidthMin, "-1", 0.0f, "Wedge base width must be between 0 and 100"},
        {WedgeBox::BaseWidthInc, "0.05", 2.0f, "Wedge base width increment must be between 0.1 and 100"},
        {WedgeBox::BaseAngleMin, "46", 5.0f, "Wedge base angle must be between 0 and 45"},
        {WedgeBox::RearAngleMin, "44", 45.0f, "Wedge rear angle must be between 45 and 80"},
        {WedgeBox::RearAngleMax, "abc", 75.0f, "Wedge rear angle must be between 45 and 80"}, // reads as 0
        {WedgeBox::AngleInc, "0", 10.0f, "Wedge angle increment must be between 1 and 30"},
        {WedgeBox::AngleInc, "31", 10.0f, "Wedge angle increment must be between 1 and 30"},
    };
    for (const auto& [box, text, stored, line] : cases) {
        WedgeSettings s = Defaults();
        const WedgeEntryOutcome o = EnterWedgeBox(s, box, text);
        EXPECT_FLOAT_EQ(WedgeBoxValue(s, box), stored) << text;
        EXPECT_EQ(o.Stored, line == nullptr) << text;
        if (line != nullptr) {
            EXPECT_EQ(o.Title, "Input data validation error");
            EXPECT_EQ(o.Message, std::string(line) + "\rPlease change the input data");
        }
    }
}

TEST(WedgeSettingsEntry, MinimumAndMaximumStayInOrder)
{
    // Each entry in turn and the box it moves (or leaves), from a base angle range of 5 to 20.
    using W = WedgeSettings;
    const std::tuple<WedgeBox, const char*, float W::*, float> steps[] = {
        {WedgeBox::BaseAngleMin, "30", &W::BaseAngleMax, 30}, {WedgeBox::RearAngleMax, "50", &W::RearAngleMax, 50},
        {WedgeBox::RearAngleMin, "60", &W::RearAngleMax, 60}, {WedgeBox::RearAngleMax, "46", &W::RearAngleMin, 46},
        {WedgeBox::BaseWidthMin, "3.5", &W::BaseWidthMax, 6}, // already above
        {WedgeBox::BaseWidthMax, "2", &W::BaseWidthMin, 2}, {WedgeBox::BaseWidthMax, "2", &W::BaseWidthInc, 2}};
    WedgeSettings s = Defaults();
    s.BaseAngleMax = 20.0f;
    for (const auto& [box, text, moved, value] : steps) {
        EnterWedgeBox(s, box, text);
        EXPECT_EQ(s.*moved, value) << text; // the increment has no partner
    }
}

} // namespace
} // namespace clv::test
