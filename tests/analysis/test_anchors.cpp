// Anchors hold a slip only with their whole fixed length beyond it, and their
// heads sit on the slope face. The anchor's pull shows in the horizontal load
// sum of the slip (no other horizontal force acts on these dry sections).

#include "analysis/defined_surface.h"
#include "analysis/wedges.h"
#include "test_jobs.h"

namespace clv::test {
namespace {

LoadRecord Anchor(float value, float level, float angle, float freeLength, float fixedLength)
{
    LoadRecord a;
    a.LoadType = kAnchor, a.Value = value, a.Y = level, a.Angle = angle, a.FreeLength = freeLength;
    a.FixedLength = fixedLength;
    return a;
}

// The pull of a 150 kN/m anchor at 20 deg: 150 cos 20 into the slope.
constexpr float kPull20 = -140.95389f;

TEST(Anchors, BothEndsOfTheFixedLengthMustBeBeyondADefinedSurface)
{
    // A horizontal anchor (angle 0) at level 3, head on the face at (3, 3), under a
    // defined surface with a hump: (0, 0) - (5, 4) - (8, 2) - (20, 10). At level 3
    // the base is 0.8 x on the first segment (3 at x = 3.75), 4 - 2 (x - 5) / 3 on the
    // second (3 at x = 6.5) and 2 + 2 (x - 8) / 3 on the third (3 at x = 9.5): the
    // tendon is beyond the slip for 3.75 < x < 6.5 and x > 9.5, inside elsewhere.
    // Under the plane y = x / 2 from the toe to the crest at x = 20, an anchor at
    // level 4 (head (4, 4)) is beyond it past x = 8, a free length of 4.
    const std::vector<UserPoint> hump{{0, 0}, {5, 4}, {8, 2}, {20, 10}}, plane{{0, 0}, {5, 2.5f}, {20, 10}};
    const struct { const std::vector<UserPoint>* points; float level, freeLength, fixedLength; bool holds; } cases[] = {
        {&hump, 3, 0.8f, 1.0f, true},   // ends at x 3.8 (base 3.04) and 4.8 (base 3.84)
        {&hump, 3, 0.7f, 1.0f, false},  // near end at x 3.7, base 2.96: still in the mass
        {&hump, 3, 1.0f, 2.45f, true},  // far end at x 6.45, base 3.033
        {&hump, 3, 1.0f, 2.55f, false}, // far end at x 6.55, base 2.967: back in the mass
        {&hump, 3, 1.0f, 8.0f, true},   // far end at x 12, beyond the hump again (base 4.67)
        {&plane, 4, 4.05f, 3.0f, true}, {&plane, 4, 3.95f, 3.0f, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "free " << c.freeLength << " fixed " << c.fixedLength);
        Job job = FaceJob();
        job.UserPoints = *c.points;
        job.Loads = {Anchor(100.0f, c.level, 0.0f, c.freeLength, c.fixedLength)};
        Analysed a(std::move(job));
        const DefinedSurfaceResult r = AnalyseDefinedSurface(a.Input());
        ASSERT_FALSE(r.Slices.empty());
        EXPECT_NEAR(r.Slip.HorizontalLoadForce, c.holds ? -100.0f : 0.0f, 1e-4f);
    }
}

TEST(Anchors, TheHeadSitsOnTheFaceOfACutting)
{
    // A cutting: the far bank at 15 on the left falls to a floor at 0 from x = 0 to 10,
    // and the analysed face rises 1:1 to a crest at 10 from x = 10 to 20. Level 6
    // lies on the far bank at x = -4 (falling) and on the face at x = 16: the anchor
    // head is at (16, 6), 20 deg below horizontal: a point d along the tendon is at
    // (16 + 0.93969 d, 6 - 0.34202 d). The circle (13, 13) R 10 enters the face at
    // (13, 3) and leaves the crest at x = 22.54; free 4, fixed 3: near end (19.759,
    // 4.632) under base 5.630, far end x = 22.578 beyond the exit: the anchor holds,
    // 150 cos 20 = 140.95 into the slope.
    Job job = OneSoilJob({{-20, 15}, {-10, 15}, {0, 0}, {10, 0}, {20, 10}, {50, 10}}, 20.0f, 30.0f, 5.0f);
    const Analysed a(job);
    EXPECT_FLOAT_EQ(GroundXAtLevel(a.job, a.table, 6.0f), 16.0f);
    EXPECT_EQ(GroundXAtLevel(a.job, a.table, 12.0f), kNoLevel); // only the far bank reaches 12
    job.Loads = {Anchor(150.0f, 6.0f, 20.0f, 4.0f, 3.0f)};
    const OneSlip anchored(job, 13.0f, 13.0f, 10.0f);
    ASSERT_NE(anchored.slip.StabilityFactor, kInvalidFactor);
    EXPECT_NEAR(anchored.slip.HorizontalLoadForce, kPull20, 1e-3f);
}

TEST(Anchors, AWedgeCountsThemByTheSameRule)
{
    // A steep face from (0, 0) to (2, 10); layers at 0, 1, ..., 8 start at x = level / 5.
    // Tie-back wedges only, rear plane at 45 deg. The wedge whose toe is just above the
    // layer at 2 (toe (0.4, 2.001)) has its plane at y = 2.001 + (x - 0.4), level 6 at
    // x = 4.399. A horizontal anchor at level 6 has its head on the face at (1.2, 6):
    // with free length 3.3 its fixed length (x 4.5 to 6.5) lies beyond the plane and
    // takes 100 off the wedge's disturbing force; with 3.1 it starts at x 4.3, in the wedge.
    Job job = OneSoilJob({{-20, 0}, {0, 0}, {2, 10}, {40, 10}}, 20.0f, 30.0f, 0.0f);
    AddBlock(job, 0.0f, 8.0f, 1.0f, 8.0f);
    WedgeSettings& w = job.Wedge;
    w.UseDefaults = kFalse, w.BaseWidthMin = w.BaseWidthMax = 0.0f, w.BaseWidthInc = 1.0f;
    w.BaseAngleMin = w.BaseAngleMax = 5.0f, w.RearAngleMin = w.RearAngleMax = 45.0f, w.AngleInc = 10.0f;
    auto disturbing = [](Job j) {
        Analysed a(std::move(j));
        const WedgeSearchResult r = AnalyseWedges(a.job, a.table, a.layers, a.Collector());
        for (const WedgeResult& wedge : r.Wedges)
            if (std::fabs(wedge.ToeLevel - 2.001f) < 1e-4f)
                return wedge.Disturbing;
        ADD_FAILURE() << "no wedge with its toe at 2.001";
        return 0.0f;
    };
    const float bare = disturbing(job);
    for (const auto& [freeLength, pull] : {std::pair{3.3f, -100.0f}, std::pair{3.1f, 0.0f}}) {
        job.Loads = {Anchor(100.0f, 6.0f, 0.0f, freeLength, 2.0f)};
        EXPECT_NEAR(disturbing(job) - bare, pull, 1e-3f) << freeLength;
    }
}

} // namespace
} // namespace clv::test
