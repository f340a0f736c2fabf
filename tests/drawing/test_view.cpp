// The view: transforms, snapping, fitting, the zoom commands and "Previous".
// Expectations are worked by hand from the origin, the scale and the surface size.

#include "drawing/view.h"
#include "support/expect_floats.h"
#include "support/job_builders.h"

#include <gtest/gtest.h>

#include <array>

namespace clv::drawing {
namespace {

constexpr SurfaceSize kSurface{800.0, 400.0};

View MakeView(Single x0, Single y0, Single scale)
{
    View v;
    v.ViewOriginX = x0, v.ViewOriginY = y0, v.ViewScale = scale;
    return v;
}

using test::ExpectFloats;

/** Scale and origin of a view, for one comparison. */
std::vector<float> Fit(const View& v) { return {v.ViewScale, v.ViewOriginX, v.ViewOriginY}; }

std::vector<float> Box(const Extents& e) { return {e.XMin, e.XMax, e.YMin, e.YMax}; }

Job GroundJob()
{
    Job job = MakeDefaultJob();
    test::SetPoints(job.Soils.emplace_back(), {{0, 0}, {10, 5}});
    test::SetPoints(job.Water, {{20, 2}}); // +1 m: XMax 21
    LoadRecord load;
    load.XMin = 30.0f; // +5 m: XMax 35
    job.Loads.push_back(load);
    load.XMin = -10.0f; // -2 m: XMin -12
    job.Loads.push_back(load);
    return job; // extents X -12..35, Y -5..10
}

TEST(ViewTransform, WorldAndSurfaceBothWays)
{
    const View v = MakeView(-10.0f, -5.0f, 20.0f);
    struct Case {
        double x, y, sx, sy;
    } cases[] = {
        {0.0, 0.0, 200.0, 300.0},      // 10 m right of the origin, 5 m above
        {-10.0, -5.0, 0.0, 400.0},     // the origin is the bottom-left corner
        {30.0, 15.0, 800.0, 0.0},      // the top-right corner
        {2.5, 7.25, 250.0, 155.0},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(SurfaceX(v, c.x), c.sx) << c.x;
        EXPECT_DOUBLE_EQ(SurfaceY(v, kSurface.Height, c.y), c.sy) << c.y;
        EXPECT_FLOAT_EQ(WorldX(v, c.sx), static_cast<float>(c.x));
        EXPECT_FLOAT_EQ(WorldY(v, kSurface.Height, c.sy), static_cast<float>(c.y));
    }
    EXPECT_DOUBLE_EQ(RightEdgeX(v, kSurface), 30.0);
    EXPECT_DOUBLE_EQ(TopEdgeY(v, kSurface), 15.0);
}

TEST(ViewTransform, SnapsToNearestMultipleWithHalfDown)
{
    struct Case {
        Single value, spacing, snapped;
    } cases[] = {
        {1.26f, 0.5f, 1.5f}, {1.25f, 0.5f, 1.0f}, {1.24f, 0.5f, 1.0f},  // either side of the half
        {-0.2f, 0.5f, 0.0f}, {-0.3f, 0.5f, -0.5f}, {-0.25f, 0.5f, -0.5f}, // below zero the half still goes down
        {3.0f, 2.0f, 2.0f},  {3.01f, 2.0f, 4.0f},  {7.9f, 2.0f, 8.0f},
        {0.0f, 0.5f, 0.0f},
    };
    for (const Case& c : cases)
        EXPECT_FLOAT_EQ(SnapToSpacing(c.value, c.spacing), c.snapped) << c.value << " to " << c.spacing;
}

TEST(ViewTransform, CursorReadOutHasTwoDecimals)
{
    EXPECT_EQ(CursorText(12.345f) + " " + CursorText(-3.5f) + " " + CursorText(0.0f), "12.35 -3.50 0.00");
}

TEST(ViewFit, EmptyJobShowsTheDefaultBoxAndRecordsNothing)
{
    View v;
    ViewHistory history;
    EXPECT_EQ(Box(ZoomLimits(v, history, kSurface, MakeDefaultJob())), Box({-10.0f, 20.0f, -5.0f, 10.0f}));
    // 800/30 > 400/15: the height fits, the width is centred.
    const float scale = 400.0f / 15.0f;
    ExpectFloats(Fit(v), {scale, -10.0f - (800.0f - 30.0f * scale) / 2.0f / scale, -5.0f});

    // Fitting again from a set view still records nothing without a ground surface.
    ZoomLimits(v, history, kSurface, MakeDefaultJob());
    EXPECT_FALSE(history.PreviousEnabled());
}

TEST(ViewFit, ExtentsFromSoilWaterAndLoads)
{
    bool hasGround = false;
    EXPECT_EQ(Box(JobExtents(GroundJob(), &hasGround)), Box({-12.0f, 35.0f, -5.0f, 10.0f}));
    EXPECT_TRUE(hasGround);
}

TEST(ViewFit, FitsTheTighterDirectionAndCentresTheOther)
{
    struct Case {
        SurfaceSize size;
        Single scale, x0, y0;
    } cases[] = {
        // 940/47 = 20 > 150/15 = 10: height fits, 470 units to spare across.
        {{940.0, 150.0}, 10.0f, -12.0f - 23.5f, -5.0f},
        // 470/47 = 10 < 600/15 = 40: width fits, 450 units to spare up and down.
        {{470.0, 600.0}, 10.0f, -12.0f, -5.0f - 22.5f},
    };
    for (const Case& c : cases) {
        View v = MakeView(1.0f, 2.0f, 3.0f);
        ViewHistory history;
        ZoomLimits(v, history, c.size, GroundJob());
        ExpectFloats(Fit(v), {c.scale, c.x0, c.y0});
        ASSERT_TRUE(history.PreviousEnabled());
        EXPECT_EQ(history.At(1).Scale, 3.0); // the view before the fit
    }
}

TEST(ViewZoom, InAndOutKeepTheCentre)
{
    for (const bool in : {true, false}) {
        View v = MakeView(-10.0f, -5.0f, 20.0f); // centre (10, 5)
        ViewHistory history;
        in ? ZoomIn(v, history, kSurface) : ZoomOut(v, history, kSurface);
        const Single scale = in ? 20.0f * 1.4f : 20.0f / 1.4f;
        EXPECT_FLOAT_EQ(v.ViewScale, scale);
        EXPECT_NEAR(v.ViewOriginX + 400.0 / scale, 10.0, 1e-4);
        EXPECT_NEAR(v.ViewOriginY + 200.0 / scale, 5.0, 1e-4);
        EXPECT_TRUE(history.PreviousEnabled());
    }
}

TEST(ViewZoom, InButtonAndScaleCeiling)
{
    EXPECT_TRUE(ZoomInEnabled(MakeView(0, 0, 100.0f)));
    EXPECT_FALSE(ZoomInEnabled(MakeView(0, 0, 100.1f)));

    struct Case {
        Single before, after;
    } cases[] = {{250.0f, 100.0f}, {200.1f, 100.0f}, {200.0f, 200.0f}, {150.0f, 150.0f}};
    for (const Case& c : cases) {
        View v = MakeView(3.0f, 4.0f, c.before);
        ViewHistory history;
        PrepareViewForDrawing(v, history, kSurface, GroundJob());
        EXPECT_EQ(Fit(v), (std::vector{c.after, 3.0f, 4.0f})) << c.before; // the origin stays
    }
}

TEST(ViewZoom, UnsetViewIsFittedBeforeDrawing)
{
    View v;
    ViewHistory history;
    Extents fitted;
    EXPECT_TRUE(PrepareViewForDrawing(v, history, kSurface, GroundJob(), &fitted));
    EXPECT_EQ(fitted.XMax, 35.0f);
    EXPECT_FLOAT_EQ(v.ViewScale, 800.0f / 47.0f);
    EXPECT_FALSE(history.PreviousEnabled()); // there was no view to go back to
}

TEST(ViewZoom, WindowShowsTheWholeBoxInAnyCornerOrder)
{
    // Surface corners (100, 300) and (300, 200) of view (-10, -5) at 20: world X -5..5, Y 0..5.
    for (const bool reversed : {false, true}) {
        View v = MakeView(-10.0f, -5.0f, 20.0f);
        ViewHistory history;
        if (reversed)
            ZoomWindow(v, history, kSurface, 300.0, 200.0, 100.0, 300.0);
        else
            ZoomWindow(v, history, kSurface, 100.0, 300.0, 300.0, 200.0);
        // 800/10 = 80 = 400/5: both fit; the x branch (sx <= sy) is taken.
        ExpectFloats(Fit(v), {80.0f, -5.0f, 0.0f});
    }
    // A taller box: Y 0..10 over X -5..5 fits the height and centres across.
    View v = MakeView(-10.0f, -5.0f, 20.0f);
    ViewHistory history;
    ZoomWindow(v, history, kSurface, 100.0, 300.0, 300.0, 100.0);
    ExpectFloats(Fit(v), {40.0f, -5.0f - (800.0f / 40.0f - 10.0f) / 2.0f, 0.0f});
}

TEST(ViewZoom, SingleClickWindowIsATenthOfAMetre)
{
    View v = MakeView(-10.0f, -5.0f, 20.0f);
    ViewHistory history;
    ZoomWindow(v, history, kSurface, 200.0, 300.0, 200.0, 300.0); // world (0, 0)
    // 800/0.1 = 8000 > 400/0.1 = 4000: the height fits.
    EXPECT_FLOAT_EQ(v.ViewScale, 4000.0f);
    EXPECT_FLOAT_EQ(v.ViewOriginY, 0.0f);
    EXPECT_NEAR(v.ViewOriginX, 0.0 - (800.0 / 4000.0 - 0.1) / 2.0, 1e-5);
    PrepareViewForDrawing(v, history, kSurface, GroundJob());
    EXPECT_EQ(v.ViewScale, 100.0f);
}

TEST(ViewZoom, PanCentresTheClickAndPreviousUndoesIt)
{
    View v = MakeView(-10.0f, -5.0f, 20.0f);
    ViewHistory history;
    PanTo(v, history, kSurface, 50.0f, 40.0f);
    ExpectFloats(Fit(v), {20.0f, 50.0f - 20.0f, 40.0f - 10.0f});
    ASSERT_TRUE(ZoomPrevious(v, history));
    EXPECT_EQ(Fit(v), Fit(MakeView(-10.0f, -5.0f, 20.0f)));
    EXPECT_FALSE(history.PreviousEnabled());
    EXPECT_FALSE(ZoomPrevious(v, history)); // nothing left: the view stays
    EXPECT_EQ(v.ViewOriginX, -10.0f);
}

TEST(ViewHistoryTest, TenEntriesThenTheOldestRepeats)
{
    View v = MakeView(0.0f, 0.0f, 1.0f);
    ViewHistory history;
    // Eleven zooms: the views before them have scales 1, 1.4, ..., 1.4^10.
    std::vector<Single> scales;
    for (int i = 0; i < 11; ++i) {
        scales.push_back(v.ViewScale);
        ZoomIn(v, history, kSurface);
    }
    ASSERT_EQ(scales.size(), 11u);
    // Ten presses walk back through the ten most recent (the first, scale 1, is gone).
    for (int press = 1; press <= 10; ++press) {
        ASSERT_TRUE(history.PreviousEnabled()) << press;
        ASSERT_TRUE(ZoomPrevious(v, history));
        EXPECT_EQ(v.ViewScale, scales[static_cast<std::size_t>(11 - press)]) << press;
    }
    // The oldest kept view (scale 1.4) stays in entry 10 and comes back each time.
    for (int again = 0; again < 2; ++again) {
        ASSERT_TRUE(history.PreviousEnabled());
        ASSERT_TRUE(ZoomPrevious(v, history));
        EXPECT_EQ(v.ViewScale, scales[1]);
    }
}

TEST(ViewHistoryTest, AnUnsetViewIsNotRecorded)
{
    ViewHistory history;
    history.Record(View{});
    EXPECT_FALSE(history.PreviousEnabled());
    history.Record(MakeView(1.0f, 2.0f, 5.0f));
    EXPECT_TRUE(history.PreviousEnabled());
    EXPECT_EQ((std::array{history.At(1).OriginX, history.At(1).OriginY, history.At(2).Scale}), (std::array{1.0, 2.0, 0.0}));
}

} // namespace
} // namespace clv::drawing
