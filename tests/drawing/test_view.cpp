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

using test::ExpectFloats;

/** Scale and origin of a view, for one comparison. */
std::vector<float> Fit(const View& v) { return {v.ViewScale, v.ViewOriginX, v.ViewOriginY}; }

std::vector<float> Box(const Extents& e) { return {e.XMin, e.XMax, e.YMin, e.YMax}; }

Job GroundJob()
{
    Job job = MakeDefaultJob();
    test::SetPoints(job.Soils.emplace_back(), {{0, 0}, {10, 5}});
    test::SetPoints(job.Water, {{20, 2}}); // +1 m: XMax 21
    // Loads at 30 (+5 m: XMax 35) and -10 (-2 m: XMin -12).
    for (const Single x : {30.0f, -10.0f})
        job.Loads.emplace_back().XMin = x;
    return job; // extents X -12..35, Y -5..10
}

TEST(ViewTransform, WorldAndSurfaceBothWaysSnapAndReadOut)
{
    const View v{-10.0f, -5.0f, 20.0f};
    // 10 m right of the origin and 5 m above; the origin is the bottom-left corner; the top-right corner.
    const struct { double x, y, sx, sy; } cases[] = {
        {0.0, 0.0, 200.0, 300.0}, {-10.0, -5.0, 0.0, 400.0}, {30.0, 15.0, 800.0, 0.0}, {2.5, 7.25, 250.0, 155.0}};
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(SurfaceX(v, c.x), c.sx) << c.x;
        EXPECT_DOUBLE_EQ(SurfaceY(v, kSurface.Height, c.y), c.sy) << c.y;
        EXPECT_FLOAT_EQ(WorldX(v, c.sx), static_cast<float>(c.x));
        EXPECT_FLOAT_EQ(WorldY(v, kSurface.Height, c.sy), static_cast<float>(c.y));
    }
    EXPECT_DOUBLE_EQ(RightEdgeX(v, kSurface), 30.0);
    EXPECT_DOUBLE_EQ(TopEdgeY(v, kSurface), 15.0);

    // Snapping to the nearest multiple: either side of the half; below zero the half still goes down.
    const struct { Single value, spacing, snapped; } snaps[] = {
        {1.26f, 0.5f, 1.5f}, {1.25f, 0.5f, 1.0f}, {1.24f, 0.5f, 1.0f}, {-0.2f, 0.5f, 0.0f}, {-0.3f, 0.5f, -0.5f},
        {-0.25f, 0.5f, -0.5f}, {3.0f, 2.0f, 2.0f}, {3.01f, 2.0f, 4.0f}, {7.9f, 2.0f, 8.0f}, {0.0f, 0.5f, 0.0f}};
    for (const auto& c : snaps)
        EXPECT_FLOAT_EQ(SnapToSpacing(c.value, c.spacing), c.snapped) << c.value << " to " << c.spacing;
    EXPECT_EQ(CursorText(12.345f) + " " + CursorText(-3.5f) + " " + CursorText(0.0f), "12.35 -3.50 0.00");
}

TEST(ViewFit, UnsetViewIsFittedToTheDefaultBoxOrTheJobAndRecordsNothing)
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

    // With soil, water and loads an unset view is fitted to their extents before drawing.
    Extents fitted;
    v = View{};
    EXPECT_TRUE(PrepareViewForDrawing(v, history, kSurface, GroundJob(), &fitted));
    EXPECT_EQ(Box(fitted), Box({-12.0f, 35.0f, -5.0f, 10.0f}));
    EXPECT_FLOAT_EQ(v.ViewScale, 800.0f / 47.0f);
    EXPECT_FALSE(history.PreviousEnabled()); // there was no view to go back to
}

TEST(ViewFit, FitsTheTighterDirectionAndCentresTheOther)
{
    // 940/47 = 20 > 150/15 = 10: height fits, 470 units to spare across.
    // 470/47 = 10 < 600/15 = 40: width fits, 450 units to spare up and down.
    const struct { SurfaceSize size; Single scale, x0, y0; } cases[] = {
        {{940.0, 150.0}, 10.0f, -12.0f - 23.5f, -5.0f}, {{470.0, 600.0}, 10.0f, -12.0f, -5.0f - 22.5f}};
    for (const auto& c : cases) {
        View v{1.0f, 2.0f, 3.0f};
        ViewHistory history;
        ZoomLimits(v, history, c.size, GroundJob());
        ExpectFloats(Fit(v), {c.scale, c.x0, c.y0});
        ASSERT_TRUE(history.PreviousEnabled());
        EXPECT_EQ(history.At(1).Scale, 3.0); // the view before the fit
    }
}

TEST(ViewZoom, InAndOutKeepTheCentreUpToTheScaleCeiling)
{
    for (const bool in : {true, false}) {
        View v{-10.0f, -5.0f, 20.0f}; // centre (10, 5)
        ViewHistory history;
        in ? ZoomIn(v, history, kSurface) : ZoomOut(v, history, kSurface);
        const Single scale = in ? 20.0f * 1.4f : 20.0f / 1.4f;
        EXPECT_FLOAT_EQ(v.ViewScale, scale);
        EXPECT_NEAR(v.ViewOriginX + 400.0 / scale, 10.0, 1e-4);
        EXPECT_NEAR(v.ViewOriginY + 200.0 / scale, 5.0, 1e-4);
        EXPECT_TRUE(history.PreviousEnabled());
    }
    // The In button up to 100 units a metre; a scale above 200 is brought down to 100 before drawing.
    EXPECT_TRUE(ZoomInEnabled(View{0, 0, 100.0f}));
    EXPECT_FALSE(ZoomInEnabled(View{0, 0, 100.1f}));
    const struct { Single before, after; } cases[] = {{250.0f, 100.0f}, {200.1f, 100.0f}, {200.0f, 200.0f}, {150.0f, 150.0f}};
    for (const auto& c : cases) {
        View v{3.0f, 4.0f, c.before};
        ViewHistory history;
        PrepareViewForDrawing(v, history, kSurface, GroundJob());
        EXPECT_EQ(Fit(v), (std::vector{c.after, 3.0f, 4.0f})) << c.before; // the origin stays
    }
}

TEST(ViewZoom, WindowShowsTheWholeBoxInAnyCornerOrder)
{
    // Surface corners (100, 300) and (300, 200) of view (-10, -5) at 20 are world X -5..5, Y 0..5:
    // 800/10 = 80 = 400/5, both fit and the x branch (sx <= sy) is taken. A taller box, Y 0..10,
    // fits the height and centres across. A single click is a box a tenth of a metre each way:
    // 800/0.1 = 8000 > 400/0.1 = 4000, the height fits.
    const struct { double x1, y1, x2, y2; Single scale, x0, y0; } cases[] = {
        {100.0, 300.0, 300.0, 200.0, 80.0f, -5.0f, 0.0f}, {300.0, 200.0, 100.0, 300.0, 80.0f, -5.0f, 0.0f},
        {100.0, 300.0, 300.0, 100.0, 40.0f, -5.0f - (800.0f / 40.0f - 10.0f) / 2.0f, 0.0f},
        {200.0, 300.0, 200.0, 300.0, 4000.0f, -(800.0f / 4000.0f - 0.1f) / 2.0f, 0.0f}};
    for (const auto& c : cases) {
        View v{-10.0f, -5.0f, 20.0f};
        ViewHistory history;
        ZoomWindow(v, history, kSurface, c.x1, c.y1, c.x2, c.y2);
        ExpectFloats(Fit(v), {c.scale, c.x0, c.y0});
    }
}

TEST(ViewHistoryTest, PanCentresTheClickPreviousUndoesItAndTenEntriesAreKept)
{
    View v{-10.0f, -5.0f, 20.0f};
    ViewHistory history;
    PanTo(v, history, kSurface, 50.0f, 40.0f);
    ExpectFloats(Fit(v), {20.0f, 50.0f - 20.0f, 40.0f - 10.0f});
    ASSERT_TRUE(ZoomPrevious(v, history));
    EXPECT_EQ(Fit(v), Fit(View{-10.0f, -5.0f, 20.0f}));
    EXPECT_FALSE(history.PreviousEnabled());
    EXPECT_FALSE(ZoomPrevious(v, history)); // nothing left: the view stays
    EXPECT_EQ(v.ViewOriginX, -10.0f);

    // An unset view is not recorded.
    history.Record(View{});
    EXPECT_FALSE(history.PreviousEnabled());
    history.Record(View{1.0f, 2.0f, 5.0f});
    EXPECT_TRUE(history.PreviousEnabled());
    EXPECT_EQ((std::array{history.At(1).OriginX, history.At(1).OriginY, history.At(2).Scale}), (std::array{1.0, 2.0, 0.0}));

    // Ten entries, then the oldest repeats.
    v = View{0.0f, 0.0f, 1.0f};
    history = ViewHistory{};
    // Eleven zooms: the views before them have scales 1, 1.4, ..., 1.4^10.
    std::vector<Single> scales;
    for (int i = 0; i < 11; ++i) {
        scales.push_back(v.ViewScale);
        ZoomIn(v, history, kSurface);
    }
    ASSERT_EQ(scales.size(), 11u);
    // Ten presses walk back through the ten most recent (the first, scale 1, is gone); then the
    // oldest kept view (scale 1.4) stays in entry 10 and comes back each time.
    for (int press = 1; press <= 12; ++press) {
        ASSERT_TRUE(history.PreviousEnabled()) << press;
        ASSERT_TRUE(ZoomPrevious(v, history));
        EXPECT_EQ(v.ViewScale, scales[static_cast<std::size_t>(std::max(11 - press, 1))]) << press;
    }
}

} // namespace
} // namespace clv::drawing
